#include <gtest/gtest.h>

#include <random>

#include "base/file_layer.h"
#include "kxl_commands.h"
#include "level/level_file.h"
#include "level/level_json.h"
#include "support/level_bytes.h"
#include "support/temp_dir.h"

namespace {

// One kxl command run in the test's process: its status and what it printed.
struct KxlRun {
  int status;
  std::string out, err;
};
KxlRun Kxl(int (*command)(const std::vector<std::string>&), const std::vector<std::string>& args) {
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  const int status = command(args);
  std::string out = testing::internal::GetCapturedStdout();
  return {status, out, testing::internal::GetCapturedStderr()};
}

constexpr size_t kBlock = 377, kCells = 10;  // a level of the current form; its 221 cells

}  // namespace

TEST(KxlTool, InfoOfACraftedFile) {
  TempDir dir;
  std::vector<uint8_t> bytes = EncodeLevelSet(LevelSet());
  ASSERT_EQ(bytes.size(), 10 * kBlock);
  const uint8_t head[] = {1, 4, 3, 7, 8, 9, '2', ':', '3', '0'};  // goal, pattern set, song, enemy types, time
  std::copy(std::begin(head), std::end(head), bytes.begin());
  // The exit, pair 1, lone ends of pairs 3 and 8, two gems, two items, walls over items and a gem.
  const std::pair<size_t, uint8_t> cells[] = {{20, 17},  {30, 176}, {40, 177}, {50, 180}, {51, 191}, {60, 31},
                                              {61, 31},  {70, 18},  {71, 29},  {80, 146}, {81, 164}, {82, 159},
                                              {9 * kBlock + 100, 128}};
  for (const auto& [at, value] : cells) bytes[kCells + at] = value;
  bytes[kCells + 221 + 110] = 16;                     // the player's x
  bytes[9 * kBlock] = 3, bytes[9 * kBlock + 7] = 7;  // level 10: goal 3, a time byte that is no letter
  WriteBytes(dir.Path("crafted.kxl"), bytes);
  const KxlRun run = Kxl(RunInfo, {dir.Path("crafted.kxl")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  const std::string level2 =
      "level 2: goal Kill enemies, pattern set 3, song 0, time 2:00, enemy types 1 2 3, exit no, player no, "
      "teleports complete none, one end only none, gems 0 (+0 hidden), items 0, hidden items 0\n";
  EXPECT_EQ(run.out.substr(0, run.out.find("level 3:")),
            "level 1: goal Collect gems, pattern set 4, song 3, time 2:30, enemy types 7 8 9, exit yes, player yes, "
            "teleports complete 1, one end only 3(start) 8(end), gems 2 (+1 hidden), items 2, hidden items 2\n" + level2);
  EXPECT_EQ(run.out.substr(run.out.find("level 10:")),
            "level 10: goal Collect & Destroy gems, pattern set 3, song 0, time 2?00, enemy types 1 2 3, exit yes, "
            "player no, teleports complete none, one end only none, gems 0 (+0 hidden), items 0, hidden items 0\n");
}

TEST(KxlTool, UnusableFilesUpgradeAndCheck) {
  TempDir dir;
  for (size_t length : {0u, 377u, 2669u, 2671u, 3769u, 3771u}) {
    const std::string path = dir.Path("bad.kxl");
    WriteBytes(path, std::vector<uint8_t>(length, 0xFF));
    for (const KxlRun& run : {Kxl(RunInfo, {path}), Kxl(RunUpgrade, {path, dir.Path("out.kxl")})}) {
      EXPECT_EQ(run.status * 1000 + run.out.size() + run.err.rfind("kxl: " + path + ": ", 0), 1000u);
      EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
      for (const std::string& part : {std::to_string(length) + " bytes", std::string("2670"), std::string("3770")})
        EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
    }
  }
  EXPECT_EQ(Kxl(RunInfo, {dir.Path("missing.kxl")}).err, "kxl: " + dir.Path("missing.kxl") + ": cannot be opened\n");
  EXPECT_FALSE(std::filesystem::exists(dir.Path("out.kxl")));
  EXPECT_EQ(Kxl(RunInfo, {}).status, 2);
  EXPECT_EQ(Kxl(RunUpgrade, {dir.Path("bad.kxl")}).status, 2);

  // Upgrading an old set: level 1 with a wall, floor pattern 9 and a wall over an item.
  std::vector<uint8_t> first = OldFormLevel(5, {32, 9, 150});
  first[266] = 8;  // the last enemy's speed
  WriteBytes(dir.Path("old.kxl"), OldFormSet(first));
  KxlRun run = Kxl(RunUpgrade, {dir.Path("old.kxl"), dir.Path("new.kxl")});
  EXPECT_EQ(std::to_string(run.status) + run.out + run.err, "0");
  const std::vector<uint8_t> bytes = ReadBytes(dir.Path("new.kxl"));
  ASSERT_EQ(bytes.size(), 3770u);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 13),
            (std::vector<uint8_t>{0, 5, 0, 1, 2, 3, '2', ':', '0', '0', 32, 9, 150}));
  EXPECT_EQ(bytes[kCells + 221], 9 * 16 + 7);  // floors: walls stand on 7, pattern 9 on itself
  EXPECT_EQ(bytes[kCells + 222] & 0x0F, 7);
  EXPECT_EQ(bytes[kBlock - 1], 8);
  EXPECT_EQ(Kxl(RunUpgrade, {dir.Path("new.kxl"), dir.Path("again.kxl")}).status, 0);
  EXPECT_EQ(ReadBytes(dir.Path("again.kxl")), bytes);  // a current set comes back unchanged
  WriteBytes(dir.Path("again.kxl"), {1, 2, 3});
  EXPECT_EQ(Kxl(RunUpgrade, {dir.Path("missing.kxl"), dir.Path("again.kxl")}).status, 1);
  EXPECT_EQ(ReadBytes(dir.Path("again.kxl")), (std::vector<uint8_t>{1, 2, 3}));  // left as it was

  LevelSet levels;
  for (Level& level : levels) {
    level.PlaceCell(3 * 17 + 5, kCellExit);
    level.GetActor(0).Set(8, 16, 5, 0, 0, 4);
    level.GetActor(1).Set(72, 80, 5, 24, 5, 2);
  }
  levels[1].SetCell(4 * 17 + 4, 30);
  const std::string good = dir.Path("good.kxl");
  ASSERT_TRUE(WriteLevelSetFile(SystemFileLayer(), good, levels));
  EXPECT_EQ(std::to_string(Kxl(RunCheck, {good}).status) + Kxl(RunCheck, {good}).out,
            "0" + good + ": level 2, row 5, column 5: warning: cell value 30 is not in the palette\n");
  levels[9].GetActor(0).Reset();
  ASSERT_TRUE(WriteLevelSetFile(SystemFileLayer(), dir.Path("bad.kxl"), levels));
  run = Kxl(RunCheck, {dir.Path("bad.kxl")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), dir.Path("bad.kxl") + ": level 10: error: the player is not placed");
  WriteText(dir.Path("resources.ini"), "[Song Names]\r\nOnly\r\n");
  run = Kxl(RunCheck, {good, "--program-dir", dir.Root().string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), good + ": level 1: warning: pattern set 0 is not in the catalogue");
  EXPECT_EQ(Kxl(RunCheck, {good, "--program-dir", dir.Path("none")}).status * 10 + Kxl(RunCheck, {good, good}).status, 12);
}

TEST(LevelJson, RoundTripsAndBadInput) {
  std::mt19937 random(7);
  for (int n = 0; n < 20; ++n) {
    std::vector<uint8_t> file(kLevelSetBytes), back;
    for (uint8_t& b : file) b = static_cast<uint8_t>(random());
    if (n % 2) file[6] = '1', file[7] = ':', file[8] = n % 4 ? '3' : 0, file[9] = 0;  // times as text, some short
    JsonImportError error;
    ASSERT_TRUE(ImportLevelSetJson(ExportLevelSetJson(file, nullptr), back, error)) << error.place << error.reason;
    ASSERT_EQ(back, file) << "file " << n;
  }
  LevelSet levels;
  levels[0].SetCell(16, 200);
  const std::string good = ExportLevelSetJson(EncodeLevelSet(levels), nullptr);
  for (const char* part : {"\"goal\": {\"number\": 0, \"name\": \"Kill enemies\"},\n", "\"patternSet\": {\"number\": 3},\n",
                           "\"time\": \"2:00\",\n", "        [0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 200],\n",
                           "\"player\": {\"x\": 0, \"y\": 0, \"direction\": 5, \"typeCode\": 24, \"aiType\": 5, \"speed\": 2}"})
    EXPECT_NE(good.find(part), std::string::npos) << part;
  const auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    return text.replace(text.find(from), from.size(), to);
  };
  const std::string song = "\"song\": {\"number\": 0}";
  const std::pair<std::string, std::string> rows[] = {
      {"{\n  \"format\": \"kxl-json\",\n  oops", "line 3, column 3 syntax error while parsing object key - invalid literal; last read: '\"kxl-json\",<U+000A>  o'; expected string literal"},
      {replaced("\"version\": 1", "\"version\": 1, \"extra\": 2"), "/extra is not a field of this form"},
      {replaced("\"level\": 4,\n      \"goal\"", "\"level\": 4,\n      \"gaol\""), "/levels/3/gaol is not a field of this form"},
      {replaced(song + ",\n      ", ""), "/levels/0 has no field \"song\""},
      {replaced("\"level\": 2,", "\"level\": 3,"), "/levels/1/level is not 2"},
      {replaced(song, "\"song\": {\"number\": 256}"), "/levels/0/song/number 256 is outside 0..255"},
      {replaced(song, "\"song\": {\"number\": -1}"), "/levels/0/song/number -1 is outside 0..255"},
      {replaced(song, "\"song\": {\"number\": 1.5}"), "/levels/0/song/number is not a whole number in 0..255"},
      {replaced(song, "\"song\": {\"number\": 1e999}"), "line 9, column 26 number overflow parsing '1e999'"},
      {replaced(song, "\"song\": {\"number\": 10e10210}"), "line 9, column 26 number overflow parsing '10e10210'"},
      {replaced("\"time\": \"2:00\"", "\"time\": \"12:00\""), "/levels/0/time is longer than the four places of a time"},
      {replaced("\"time\": \"2:00\"", "\"time\": [1, 2, 3]"), "/levels/0/time is not a list of 4"},
      {replaced("[0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0],\n", "[0, 0],\n"), "/levels/0/cells/1 is not a list of 17"},
      {replaced("\"enemies\": [\n", "\"enemies\": [\n        {\"x\": 0},\n"), "/levels/0/enemies is not a list of 5"},
  };
  for (const auto& [text, expected] : rows) {
    std::vector<uint8_t> file = {1, 2, 3};
    JsonImportError error;
    const bool ok = ImportLevelSetJson(text, file, error);
    EXPECT_FALSE(ok) << expected;
    EXPECT_EQ(error.place + " " + error.reason, expected);
    EXPECT_EQ(file, (std::vector<uint8_t>{1, 2, 3}));  // untouched on failure
  }
  std::string floors = good;
  const size_t at = floors.find("[0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0]", floors.find("\"floors\""));
  floors.replace(floors.find("0]", at), 2, "16]");
  std::vector<uint8_t> file;
  JsonImportError error;
  EXPECT_FALSE(ImportLevelSetJson(floors, file, error));
  EXPECT_EQ(error.place + " " + error.reason, "/levels/0/floors/0/16 16 is outside 0..15");

  TempDir dir;
  const std::vector<uint8_t> old = OldFormSet(OldFormLevel(3, {32, 9}));  // exports as its upgraded form
  WriteBytes(dir.Path("old.kxl"), old);
  ASSERT_EQ(RunExport({dir.Path("old.kxl"), dir.Path("old.json")}), 0);
  ASSERT_EQ(RunImport({dir.Path("old.json"), dir.Path("new.kxl")}), 0);
  ASSERT_TRUE(DecodeLevelSet(old.data(), old.size(), levels));
  EXPECT_EQ(ReadBytes(dir.Path("new.kxl")), EncodeLevelSet(levels));
  WriteText(dir.Path("bad.json"), "[]");
  WriteBytes(dir.Path("kept.kxl"), {7, 7});
  EXPECT_EQ(Kxl(RunImport, {dir.Path("bad.json"), dir.Path("kept.kxl")}).err, "kxl: " + dir.Path("bad.json") + ": /: is not an object\n");
  EXPECT_EQ(ReadBytes(dir.Path("kept.kxl")), (std::vector<uint8_t>{7, 7}));
  EXPECT_EQ(Kxl(RunImport, {dir.Path("none.json"), dir.Path("x.kxl")}).status * 100 +
                Kxl(RunExport, {dir.Path("none.kxl"), dir.Path("x.json")}).status * 10 + Kxl(RunImport, {dir.Path("bad.json")}).status,
            112);
}
