#include <gtest/gtest.h>

#include "base/file_layer.h"
#include "gfx/ge5.h"
#include "gfx/png_io.h"
#include "kxl_commands.h"
#include "level/level_file.h"
#include "support/level_bytes.h"
#include "support/paletted_png.h"
#include "support/temp_dir.h"

namespace {

using KxlCommandFn = int (*)(const std::vector<std::string>&);

constexpr int kKxlDone = 0;
constexpr int kKxlUnusableFile = 1;
constexpr int kKxlWrongArguments = 2;

// One kxl command run in the test's process: its status and what it printed.
struct KxlRun {
  int status;
  std::string out, err;
};

KxlRun Kxl(KxlCommandFn command, const std::vector<std::string>& args) {
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  const int status = command(args);
  std::string out = testing::internal::GetCapturedStdout();
  return {status, out, testing::internal::GetCapturedStderr()};
}

}  // namespace

TEST(KxlTool, WrongArgumentsAndUnusableFiles) {
  TempDir dir;
  const std::string set = dir.Path("set.kxl"), ge5 = dir.Path("art.ge5"), list = dir.Path("list.json");
  const std::string missing = dir.Path("missing"), kept = dir.Path("kept"), out = dir.Path("out");
  WriteBytes(set, EncodeLevelSet(LevelSet()));
  WriteBytes(dir.Path("short.kxl"), std::vector<uint8_t>(kLevelBytes, 0));
  WriteBytes(ge5, std::vector<uint8_t>(kGe5MinimumBytes, 0));
  WriteText(list, "[]");
  WriteBytes(kept, {7, 7});
  const std::string height = "kxl ge5: --height takes a number of lines from 1 to 212\n";
  const struct {
    const char* situation;
    KxlCommandFn command;
    std::vector<std::string> args;
    int status;
    std::string err;  // how stderr begins
  } rows[] = {
      {"info without a file", RunInfo, {}, kKxlWrongArguments, "usage: kxl info"},
      {"upgrade without its output", RunUpgrade, {set}, kKxlWrongArguments, "usage: kxl upgrade"},
      {"check of two files", RunCheck, {set, set}, kKxlWrongArguments, "usage: kxl check"},
      {"check with --program-dir last", RunCheck, {set, "--program-dir"}, kKxlWrongArguments, "usage: kxl check"},
      {"export without its output", RunExport, {set}, kKxlWrongArguments, "usage: kxl export"},
      {"export with another option", RunExport, {set, out, "--zoom", "2"}, kKxlWrongArguments, "usage: kxl export"},
      {"export with --program-dir last", RunExport, {set, out, "--program-dir"}, kKxlWrongArguments, "usage: kxl export"},
      {"import without its output", RunImport, {list}, kKxlWrongArguments, "usage: kxl import"},
      {"ge5 with an unknown subcommand", RunGe5, {"to-gif", ge5, out}, kKxlWrongArguments, "usage: kxl ge5"},
      {"to-png of one file", RunGe5, {"to-png", ge5}, kKxlWrongArguments, "usage: kxl ge5"},
      {"to-png of 213 lines", RunGe5, {"to-png", ge5, out, "--height", "213"}, kKxlWrongArguments, height},
      {"to-png of '2x' lines", RunGe5, {"to-png", ge5, out, "--height", "2x"}, kKxlWrongArguments, height},
      {"to-png with an unknown option", RunGe5, {"to-png", ge5, out, "--smooth"}, kKxlWrongArguments,
       "kxl ge5: unknown option --smooth\n"},
      {"--across-tiles without --double", RunGe5, {"to-png", ge5, out, "--across-tiles"}, kKxlWrongArguments,
       "kxl ge5: --across-tiles only applies with --double\n"},
      {"render of level 11", RunRender, {set, "11", out}, kKxlWrongArguments, "usage: kxl render"},
      {"render of level '1x'", RunRender, {set, "1x", out}, kKxlWrongArguments, "usage: kxl render"},
      {"render of level 0010", RunRender, {set, "0010", out}, kKxlWrongArguments, "usage: kxl render"},
      {"render at zoom 3", RunRender, {set, "1", out, "--zoom", "3"}, kKxlWrongArguments, "usage: kxl render"},
      {"render with --zoom last", RunRender, {set, "1", out, "--zoom"}, kKxlWrongArguments, "usage: kxl render"},
      {"render with --sheet last", RunRender, {set, "--sheet"}, kKxlWrongArguments, "usage: kxl render"},
      {"a sheet of one level", RunRender, {set, "1", "--sheet", out}, kKxlWrongArguments, "usage: kxl render"},
      {"a sheet of the window", RunRender, {set, "--sheet", out, "--window"}, kKxlWrongArguments, "usage: kxl render"},
      {"info of a 377-byte file", RunInfo, {dir.Path("short.kxl")}, kKxlUnusableFile,
       "kxl: " + dir.Path("short.kxl") + ": is 377 bytes long, not 3770 or 2670\n"},
      {"upgrade of a missing set", RunUpgrade, {missing, kept}, kKxlUnusableFile, "kxl: " + missing + ": cannot be opened\n"},
      {"check with a folder without resources.ini", RunCheck, {set, "--program-dir", missing + "/"}, kKxlUnusableFile,
       "kxl: " + missing + "/resources.ini: cannot be read\n"},
      {"import of a list", RunImport, {list, kept}, kKxlUnusableFile, "kxl: " + list + ": /: is not an object\n"},
  };
  for (const auto& row : rows) {
    const KxlRun run = Kxl(row.command, row.args);
    EXPECT_EQ(run.status, row.status) << row.situation;
    EXPECT_EQ(run.out, "") << row.situation;
    EXPECT_EQ(run.err.substr(0, row.err.size()), row.err) << row.situation;
  }
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_EQ(ReadBytes(kept), (std::vector<uint8_t>{7, 7}));  // a failed command writes nothing
}

TEST(KxlTool, InfoPrintsALinePerLevel) {
  TempDir dir;
  LevelSet levels;
  levels[9].SetGoal(3);
  WriteBytes(dir.Path("set.kxl"), EncodeLevelSet(levels));
  const KxlRun run = Kxl(RunInfo, {dir.Path("set.kxl")});
  EXPECT_EQ(run.status, kKxlDone);
  EXPECT_EQ(run.err, "");
  const std::string rest = ", pattern set 3, song 0, time 2:00, enemy types 1 2 3, exit no, player no, teleports "
                           "complete none, one end only none, gems 0 (+0 hidden), items 0, hidden items 0\n";
  std::string expected;
  for (int number = 1; number <= 9; ++number) expected += "level " + std::to_string(number) + ": goal Kill enemies" + rest;
  EXPECT_EQ(run.out, expected + "level 10: goal Collect & Destroy gems" + rest);
}

TEST(KxlTool, UpgradeWritesTheCurrentForm) {
  TempDir dir;
  const std::vector<uint8_t> old = OldFormSet(OldFormLevel(5, {32, 9, 150}));
  WriteBytes(dir.Path("old.kxl"), old);
  const KxlRun run = Kxl(RunUpgrade, {dir.Path("old.kxl"), dir.Path("new.kxl")});
  EXPECT_EQ(run.status, kKxlDone);
  EXPECT_EQ(run.err, "");
  LevelSet levels;
  ASSERT_TRUE(DecodeLevelSet(old.data(), old.size(), levels));
  EXPECT_EQ(ReadBytes(dir.Path("new.kxl")), EncodeLevelSet(levels));
}

TEST(KxlTool, CheckPrintsEachProblemAfterTheFile) {
  TempDir dir;
  const std::string warned = dir.Path("warned.kxl"), broken = dir.Path("broken.kxl");
  LevelSet levels;  // nothing to find in them but what is added
  for (Level& level : levels) {
    level.PlaceCell(3 * kGridColumns + 5, kCellExit);
    level.GetActor(0).Set(8, 16, 5, 0, 0, 4);
    level.GetActor(1).Set(72, 80, 5, 24, 5, 2);
  }
  levels[1].SetCell(4 * kGridColumns + 4, 30);
  ASSERT_TRUE(WriteLevelSetFile(SystemFileLayer(), warned, levels));
  levels[9].GetActor(0).Reset();
  ASSERT_TRUE(WriteLevelSetFile(SystemFileLayer(), broken, levels));
  WriteText(dir.Path("resources.ini"), "[Song Names]\r\nOnly\r\n");
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out;  // how stdout begins
  } rows[] = {
      {{warned}, kKxlDone, warned + ": level 2, row 5, column 5: warning: cell value 30 is not in the palette\n"},
      {{broken}, kKxlUnusableFile, broken + ": level 10: error: the player is not placed\n"},
      {{warned, "--program-dir", dir.Root().string()}, kKxlDone, warned + ": level 1: warning: pattern set 0 is not in the catalogue\n"},
  };
  for (const auto& row : rows) {
    const KxlRun run = Kxl(RunCheck, row.args);
    EXPECT_EQ(run.status, row.status) << row.out;
    EXPECT_EQ(run.out.substr(0, row.out.size()), row.out);
  }
}

TEST(KxlTool, PicturesAtEverySetting) {
  TempDir dir;
  const std::string set = dir.Path("set.kxl"), ge5 = dir.Path("art.ge5"), png = dir.Path("out.png");
  LevelSet levels;
  levels[1].SetPatternSet(5);
  WriteBytes(set, EncodeLevelSet(levels));
  WriteText(dir.Path("resources.ini"), "[Level Resources]\r\ngarden.ge5,Garden\r\n");
  WriteBytes(dir.Path("art.png"), PalettedPng(kGe5Width, 2, {{0, 0, 0}, {255, 47, 0}}, std::vector<uint8_t>(512, 1)));
  ASSERT_EQ(Kxl(RunGe5, {"from-png", dir.Path("art.png"), ge5}).status, kKxlDone);
  const struct {
    KxlCommandFn command;
    std::vector<std::string> args;
    int width, height;
  } rows[] = {
      {RunGe5, {"to-png", ge5, png, "--height", "212"}, kGe5Width, kGe5Lines},
      {RunGe5, {"to-png", ge5, png, "--mask", "--height", "1"}, kGe5Width, 1},
      {RunGe5, {"to-png", ge5, png, "--double", "--across-tiles", "--height", "2"}, 2 * kGe5Width, 4},
      {RunRender, {set, "1", png}, 256, 208},
      {RunRender, {set, "10", png, "--zoom", "2"}, 512, 416},
      {RunRender, {set, "1", png, "--window", "--program-dir", dir.Root().string()}, 516, 226},
      {RunRender, {set, "--sheet", png}, 1304, 450},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Kxl(row.command, row.args).status, kKxlDone) << row.args[1];
    Image picture;
    ASSERT_TRUE(ReadPng(png, picture, nullptr));
    EXPECT_EQ(picture.Width(), row.width);
    EXPECT_EQ(picture.Height(), row.height);
  }
  const std::string unnamed = "kxl render: level 2 uses pattern set 2, which " + dir.Path("resources.ini") + " does not name\n";
  EXPECT_NE(Kxl(RunRender, {set, "2", png}).err.find(unnamed), std::string::npos);
}
