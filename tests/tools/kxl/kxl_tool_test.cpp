#include <gtest/gtest.h>

#include <algorithm>

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

TEST(KxlTool, StatusAndOutputOfEachCommand) {
  TempDir dir;
  const std::string set = dir.Path("set.kxl"), ge5 = dir.Path("art.ge5"), list = dir.Path("list.json");
  const std::string missing = dir.Path("missing"), kept = dir.Path("kept"), out = dir.Path("out");
  WriteBytes(set, EncodeLevelSet(LevelSet()));
  WriteBytes(dir.Path("old.kxl"), OldFormSet(OldFormLevel(3, {})));
  WriteBytes(ge5, std::vector<uint8_t>(kGe5MinimumBytes, 0));
  WriteText(list, "[]");
  WriteBytes(kept, {7, 7});
  const struct {
    const char* situation;
    KxlCommandFn command;
    std::vector<std::string> args;
    int status;
    std::string out, err;  // how stdout and stderr begin; empty: nothing is printed
  } rows[] = {
      {"info of a set", RunInfo, {set}, kKxlDone, "level 1: goal Kill enemies, pattern set 3, song 0, time 2:00,", ""},
      {"check of a set with errors", RunCheck, {set}, kKxlUnusableFile,
       set + ": level 1: error: there is no exit in the main grid\n", ""},
      {"upgrade of an old set", RunUpgrade, {dir.Path("old.kxl"), dir.Path("new.kxl")}, kKxlDone, "", ""},
      {"check of two files", RunCheck, {set, set}, kKxlWrongArguments, "", "usage: kxl check"},
      {"export with another option", RunExport, {set, out, "--zoom", "2"}, kKxlWrongArguments, "", "usage: kxl export"},
      {"to-png of 0 lines", RunGe5, {"to-png", ge5, out, "--height", "0"}, kKxlWrongArguments, "",
       "kxl ge5: --height takes a number of lines from 1 to 212\n"},
      {"to-png with an unknown option", RunGe5, {"to-png", ge5, out, "--smooth"}, kKxlWrongArguments, "",
       "kxl ge5: unknown option --smooth\n"},
      {"--across-tiles without --double", RunGe5, {"to-png", ge5, out, "--across-tiles"}, kKxlWrongArguments, "",
       "kxl ge5: --across-tiles only applies with --double\n"},
      {"render of level 11", RunRender, {set, "11", out}, kKxlWrongArguments, "", "usage: kxl render"},
      {"render of level 0010", RunRender, {set, "0010", out}, kKxlWrongArguments, "", "usage: kxl render"},
      {"a sheet of the window", RunRender, {set, "--sheet", out, "--window"}, kKxlWrongArguments, "", "usage: kxl render"},
      {"upgrade of a missing set", RunUpgrade, {missing, kept}, kKxlUnusableFile, "",
       "kxl: " + missing + ": cannot be opened\n"},
      {"check with a folder without resources.ini", RunCheck, {set, "--program-dir", missing + "/"}, kKxlUnusableFile,
       "", "kxl: " + missing + "/resources.ini: cannot be read\n"},
      {"import of a list", RunImport, {list, kept}, kKxlUnusableFile, "", "kxl: " + list + ": /: is not an object\n"},
  };
  for (const auto& row : rows) {
    const KxlRun run = Kxl(row.command, row.args);
    EXPECT_EQ(run.status, row.status) << row.situation;
    EXPECT_EQ(run.out.substr(0, row.out.size()), row.out) << row.situation;
    EXPECT_EQ(run.out.empty(), row.out.empty()) << row.situation;
    EXPECT_EQ(run.err.substr(0, row.err.size()), row.err) << row.situation;
    EXPECT_EQ(run.err.empty(), row.err.empty()) << row.situation;
  }
  EXPECT_EQ(ReadBytes(dir.Path("new.kxl")), ReadBytes(set));  // the old set in the current form
  const std::string info = Kxl(RunInfo, {set}).out;
  EXPECT_EQ(std::count(info.begin(), info.end(), '\n'), kLevelCount);  // a line a level
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_EQ(ReadBytes(kept), (std::vector<uint8_t>{7, 7}));  // a failed command writes nothing
}

TEST(KxlTool, ExportKeepsTheBytesAndNamesWhatResourcesIniNames) {
  TempDir dir;
  std::vector<uint8_t> current = EncodeLevelSet(LevelSet());
  current[1] = 0;           // a pattern-set byte loading corrects
  current[10] = kCellExit;  // an exit byte loading corrects
  WriteBytes(dir.Path("set.kxl"), current);
  WriteText(dir.Path("resources.ini"), "[Enemy Resources]\r\nslime.ge5,Slime\r\n");
  ASSERT_EQ(RunExport({dir.Path("set.kxl"), dir.Path("set.json")}), kKxlDone);
  EXPECT_NE(ReadText(dir.Path("set.json")).find("[{\"number\": 1, \"name\": \"Slime\"}, {\"number\": 2}"), std::string::npos);
  ASSERT_EQ(RunImport({dir.Path("set.json"), dir.Path("back.kxl")}), kKxlDone);
  EXPECT_EQ(ReadBytes(dir.Path("back.kxl")), current);
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
