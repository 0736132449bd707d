#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kxl_commands.h"
#include "base/file_layer.h"
#include "level/level_file.h"
#include "support/level_bytes.h"
#include "support/temp_dir.h"

namespace {

// One kxl command run in the test's process: its exit status and what it
// printed on stdout and stderr.
struct KxlRun {
  int status;
  std::string out, err;
};

KxlRun Kxl(int (*command)(const std::vector<std::string>&), const std::vector<std::string>& args) {
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  const int status = command(args);
  std::string out = testing::internal::GetCapturedStdout();
  std::string err = testing::internal::GetCapturedStderr();
  return {status, out, err};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

constexpr size_t kBlock = 377;  // one level of the current form
constexpr size_t kCells = 10;   // where a block's 221 cells begin
constexpr size_t kPlayer = kCells + 221 + 110;  // the player's record, x first

}  // namespace

TEST(KxlTool, InfoListsWhatEachLevelHolds) {
  TempDir dir;
  std::vector<uint8_t> bytes = EncodeLevelSet(LevelSet());
  ASSERT_EQ(bytes.size(), 10 * kBlock);
  // Level 1, byte by byte: goal 1, pattern set 4, song 3, enemy types 7 8 9,
  // time "2:30".
  const uint8_t head[] = {1, 4, 3, 7, 8, 9, '2', ':', '3', '0'};
  std::copy(std::begin(head), std::end(head), bytes.begin());
  const auto cell = [&](size_t level, int index, uint8_t value) {
    bytes[level * kBlock + kCells + static_cast<size_t>(index)] = value;
  };
  cell(0, 20, 17);                   // the exit as the palette stores it
  cell(0, 30, 176);                  // pair 1 start
  cell(0, 40, 177);                  // pair 1 end
  cell(0, 50, 180);                  // pair 3 start only
  cell(0, 51, 191);                  // pair 8 end only
  cell(0, 60, 31);                   // two gems
  cell(0, 61, 31);
  cell(0, 70, 18);                   // an item
  cell(0, 71, 29);                   // another
  cell(0, 80, 146);                  // first-kind wall over item 18
  cell(0, 81, 164);                  // second-kind wall over item 20
  cell(0, 82, 159);                  // a wall over a gem
  bytes[kPlayer] = 16;
  // Level 10: goal 3 and a time with a byte that is no letter.
  bytes[9 * kBlock] = 3;
  bytes[9 * kBlock + 7] = 0x07;
  cell(9, 100, 128);                 // the exit on pattern 0
  const std::string path = dir.Path("crafted.kxl");
  WriteBytes(path, bytes);

  const KxlRun run = Kxl(RunInfo, {path});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 10u) << run.out;
  EXPECT_EQ(lines[0],
            "level 1: goal Collect gems, pattern set 4, song 3, time 2:30, enemy types 7 8 9, "
            "exit yes, player yes, teleports complete 1, one end only 3(start) 8(end), "
            "gems 2 (+1 hidden), items 2, hidden items 2");
  EXPECT_EQ(lines[1],
            "level 2: goal Kill enemies, pattern set 3, song 0, time 2:00, enemy types 1 2 3, "
            "exit no, player no, teleports complete none, one end only none, "
            "gems 0 (+0 hidden), items 0, hidden items 0");
  EXPECT_EQ(lines[9].rfind("level 10: goal Collect & Destroy gems, pattern set 3, ", 0), 0u)
      << lines[9];
  EXPECT_NE(lines[9].find("time 2?00, "), std::string::npos) << lines[9];
  EXPECT_NE(lines[9].find("exit yes, player no"), std::string::npos) << lines[9];
}

TEST(KxlTool, UnusableFilesGiveOneLineNamingFileAndReason) {
  TempDir dir;
  for (size_t length : {0u, 1u, 377u, 2669u, 2671u, 3769u, 3771u}) {
    const std::string path = dir.Path("len" + std::to_string(length) + ".kxl");
    WriteBytes(path, std::vector<uint8_t>(length, 0xFF));
    for (const KxlRun& run : {Kxl(RunInfo, {path}), Kxl(RunUpgrade, {path, dir.Path("out.kxl")})}) {
      EXPECT_EQ(run.status, 1) << length;
      EXPECT_EQ(run.out, "") << length;
      const std::vector<std::string> lines = Lines(run.err);
      ASSERT_EQ(lines.size(), 1u) << run.err;
      EXPECT_EQ(lines[0].rfind("kxl: " + path + ": ", 0), 0u) << lines[0];
      EXPECT_NE(lines[0].find(std::to_string(length) + " bytes"), std::string::npos) << lines[0];
      EXPECT_NE(lines[0].find("2670"), std::string::npos) << lines[0];
      EXPECT_NE(lines[0].find("3770"), std::string::npos) << lines[0];
    }
  }
  // A missing file and a folder are named too; nothing was written.
  for (const std::string& path : {dir.Path("missing.kxl"), dir.Root().string()}) {
    const KxlRun run = Kxl(RunInfo, {path});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("kxl: " + path + ": ", 0), 0u) << run.err;
    EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.Path("out.kxl")));
  // Wrong arguments are a usage message and status 2.
  EXPECT_EQ(Kxl(RunInfo, {}).status, 2);
  EXPECT_EQ(Kxl(RunUpgrade, {dir.Path("len0.kxl")}).status, 2);
}

TEST(KxlTool, UpgradeWritesTheCurrentFormWithDerivedFloors) {
  TempDir dir;
  // An old set: level 1 with a wall, a floor pattern 9, a wall over an item.
  std::vector<uint8_t> first = OldFormLevel(5, {32, 9, 150});
  first[266] = 8;  // the last enemy's speed
  const std::string old = dir.Path("old.kxl"), upgraded = dir.Path("new.kxl");
  WriteBytes(old, OldFormSet(first));

  KxlRun run = Kxl(RunUpgrade, {old, upgraded});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out + run.err, "");
  const std::vector<uint8_t> bytes = ReadBytes(upgraded);
  ASSERT_EQ(bytes.size(), 3770u);
  LevelSet before, after;
  ASSERT_TRUE(ReadLevelSetFile(old, before).ok);
  ASSERT_TRUE(ReadLevelSetFile(upgraded, after).ok);
  EXPECT_EQ(after, before);
  // Floors of cells 0 and 1 (walls stand on 7, pattern 9 on itself), the
  // first bytes after the cells; cell 2's wall floor 7 is in the next one.
  EXPECT_EQ(bytes[kCells + 221], 9 * 16 + 7);
  EXPECT_EQ(bytes[kCells + 221 + 1] & 0x0F, 7);
  EXPECT_EQ(bytes[kBlock - 1], 8);

  // Upgrading a current set again changes no byte.
  const std::string again = dir.Path("again.kxl");
  run = Kxl(RunUpgrade, {upgraded, again});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(again), bytes);

  // A target it cannot write is named; a source it cannot read leaves the
  // target as it was.
  run = Kxl(RunUpgrade, {old, dir.Path("no-such-folder/x.kxl")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.rfind("kxl: " + dir.Path("no-such-folder/x.kxl") + ": ", 0), 0u) << run.err;
  WriteBytes(again, {1, 2, 3});
  run = Kxl(RunUpgrade, {dir.Path("missing.kxl"), again});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(ReadBytes(again), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(KxlTool, CheckPrintsOneLinePerProblemAndFailsOnErrors) {
  TempDir dir;
  LevelSet levels;
  for (Level& level : levels) {
    level.PlaceCell(3 * 17 + 5, kCellExit);
    level.GetActor(0).Set(8, 16, 5, 0, 0, 4);
    level.GetActor(1).Set(72, 80, 5, 24, 5, 2);
  }
  const std::string good = dir.Path("good.kxl");
  ASSERT_TRUE(WriteLevelSetFile(SystemFileLayer(), good, levels));
  KxlRun run = Kxl(RunCheck, {good});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  // A warning alone passes; an error fails.
  levels[1].SetCell(4 * 17 + 4, 30);
  levels[9].GetActor(0).Reset();
  const std::string bad = dir.Path("bad.kxl");
  ASSERT_TRUE(WriteLevelSetFile(SystemFileLayer(), bad, levels));
  run = Kxl(RunCheck, {bad});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(Lines(run.out), (std::vector<std::string>{
                                bad + ": level 10: error: the player is not placed",
                                bad + ": level 2, row 5, column 5: warning: cell value 30 is not in the palette"}));
  levels[9].GetActor(0).Set(8, 16, 5, 0, 0, 4);
  ASSERT_TRUE(WriteLevelSetFile(SystemFileLayer(), bad, levels));
  EXPECT_EQ(Kxl(RunCheck, {bad}).status, 0);
  // With a program folder, its catalogue: without pattern sets every level warns.
  WriteText(dir.Path("resources.ini"), "[Song Names]\r\nOnly\r\n");
  run = Kxl(RunCheck, {good, "--program-dir", dir.Root().string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Lines(run.out).size(), 10u * 5u);  // pattern set, three enemy types, an AI type
  EXPECT_EQ(Lines(run.out)[0], good + ": level 1: warning: pattern set 0 is not in the catalogue");
  // Files it cannot use, and wrong arguments.
  run = Kxl(RunCheck, {dir.Path("missing.kxl")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "kxl: " + dir.Path("missing.kxl") + ": cannot be opened\n");
  EXPECT_EQ(Kxl(RunCheck, {good, "--program-dir", dir.Path("none")}).status, 1);
  for (const std::vector<std::string>& args : {std::vector<std::string>{}, {good, good}, {"--zoom"}})
    EXPECT_EQ(Kxl(RunCheck, args).status, 2);
}
