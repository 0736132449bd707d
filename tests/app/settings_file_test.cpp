#include "app/settings_file.h"

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/editor_state.h"
#include "level/level_file.h"
#include "support/failing_file_layer.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace {

struct SettingsFixture {
  TempDir dir;
  EditorState state;
  FakeHost host;
  SettingsFixture() {
    state.programDirectory = (dir.Root() / "").make_preferred().string();
    state.document.SetFileName(kNoFileMarker);
  }
  std::string Ini() const { return dir.Path("kraxed.ini"); }
  // A loadable level set whose first level's goal tells it apart.
  std::string MakeSet(const std::string& name, int goal) {
    LevelSet levels;
    levels[0].SetGoal(goal);
    WriteBytes(dir.Path(name), EncodeLevelSet(levels));
    return dir.Path(name);
  }
};

}  // namespace

TEST(SettingsFile, WrittenText) {
  EditorSettings settings;
  settings.zoom = 2;
  settings.questions = 1;
  RecentFileList recent;
  recent.Add(R"(C:\Levels\set1.kxl)");
  EXPECT_EQ(FormatSettings(settings, recent),
            "[Kraxolan Editor Settings]\r\nZoom = TRUE\r\nAutosave = FALSE\r\nQuestions = TRUE\r\n"
            "Load = FALSE\r\nRegister = FALSE\r\nCorrectShadow = FALSE\r\n"
            "LoadFile = C:\\Levels\\set1.kxl\r\n\r\n");
  settings = {1, 1, 0, 1, 1, 1};
  EXPECT_EQ(FormatSettings(settings, RecentFileList()),
            "[Kraxolan Editor Settings]\r\nZoom = FALSE\r\nAutosave = TRUE\r\nQuestions = FALSE\r\n"
            "Load = TRUE\r\nRegister = TRUE\r\nCorrectShadow = TRUE\r\n\r\n");
}

TEST(SettingsFile, ParsingIsExact) {
  EditorSettings settings;
  RecentFileList recent;
  auto keepAll = [](const std::string&) { return true; };
  ParseSettings("Zoom = true\nZoom=TRUE\nAutosave =TRUE\n questions = TRUE\nLoad = TRUE \n",
                settings, recent, keepAll);
  EXPECT_EQ(settings, EditorSettings());
  ParseSettings("[Kraxolan Editor Settings]\nZoom = TRUE\r\nQuestions = TRUE\r\nRegister = TRUE\n"
                "CorrectShadow = TRUE\nAutosave = FALSE\nLoad = \nX\n\n",
                settings, recent, keepAll);
  EXPECT_EQ(settings, (EditorSettings{2, 0, 1, 0, 1, 1}));
  // FALSE leaves a value as it was.
  ParseSettings("Zoom = FALSE\n", settings, recent, keepAll);
  EXPECT_EQ(settings.zoom, 2);
}

TEST(SettingsFile, AtMostFourRecentFilesAreTested) {
  EditorSettings settings;
  RecentFileList recent;
  std::vector<std::string> tested;
  ParseSettings("LoadFile = a\nLoadFile = bad\nLoadFile = b\nLoadFile = c\nLoadFile = d\n"
                "LoadFile = e\n",
                settings, recent, [&](const std::string& path) {
                  tested.push_back(path);
                  return path != "bad";
                });
  EXPECT_EQ(tested, (std::vector<std::string>{"a", "bad", "b", "c", "d"}));
  EXPECT_EQ(recent.recentFileCount, 4);
  EXPECT_EQ(recent.recentFiles[3], "d");
}

TEST(SettingsFile, ALineEndsAtAZeroByte) {
  // Found by the fuzzer: a path with a zero byte in it was kept whole, while
  // loading it (through a C string) opened the file named by its first part.
  EditorSettings settings;
  RecentFileList recent;
  std::vector<std::string> tested;
  using namespace std::string_literals;
  const std::string text =
      "LoadFile = a.kxl\0junk\r\nZoom = TRUE\0\r\nLoad\0 = TRUE\r\nQuestions = TR\0UE\r\n"s;
  ParseSettings(text, settings, recent, [&](const std::string& path) {
    tested.push_back(path);
    return true;
  });
  EXPECT_EQ(tested, std::vector<std::string>{"a.kxl"});
  ASSERT_EQ(recent.recentFileCount, 1);
  EXPECT_EQ(recent.recentFiles[0], "a.kxl");
  EXPECT_EQ(settings, (EditorSettings{2, 0, 0, 0, 0, 0}));
  EXPECT_EQ(FormatSettings(settings, recent).find('\0'), std::string::npos);
}

TEST(SettingsFile, MissingFileGivesTheDefaultsAndIsNotWrittenYet) {
  SettingsFixture f;
  f.state.settings.registered = 1;
  ReadSettings(f.state, f.host);
  EXPECT_EQ(f.state.settings, (EditorSettings{1, 0, 1, 0, 1, 0}));
  EXPECT_EQ(f.state.document.FileName(), kNoFileMarker);
  EXPECT_FALSE(std::filesystem::exists(f.Ini()));
  WriteSettings(f.state);
  EXPECT_EQ(ReadText(f.Ini()), FormatSettings(f.state.settings, f.state.recent));
}

TEST(SettingsFile, SectionLineOnlyTurnsEverythingOff) {
  SettingsFixture f;
  WriteText(f.Ini(), "[Kraxolan Editor Settings]\r\n");
  ReadSettings(f.state, f.host);
  EXPECT_EQ(f.state.settings, EditorSettings());
}

TEST(SettingsFile, RecentFilesAreTestedWithoutTouchingTheLevels) {
  SettingsFixture f;
  const std::string a = f.MakeSet("a.kxl", 1);
  const std::string b = f.MakeSet("b.kxl", 2);
  const std::string missing = f.dir.Path("missing.kxl");
  WriteText(f.Ini(), "[Kraxolan Editor Settings]\r\nLoadFile = " + a + "\r\nLoadFile = " +
                         missing + "\r\nLoadFile = " + b + "\r\n\r\n");
  ReadSettings(f.state, f.host);
  EXPECT_EQ(f.state.document.Levels(), LevelSet());  // the editor's own levels stay empty
  EXPECT_EQ(f.state.recent.recentFileCount, 2);
  EXPECT_EQ(f.state.recent.recentFiles[0], a);
  EXPECT_EQ(f.state.recent.recentFiles[1], b);
  ASSERT_EQ(f.host.messages.size(), 1u);
  EXPECT_EQ(f.host.messages[0].text,
            missing + " could not be loaded and has been removed from recent file list");
  EXPECT_EQ(f.host.messages[0].caption, "Error loading file");
  EXPECT_EQ(f.state.document.FileName(), kNoFileMarker);  // load is off
  // Rewritten at once, without the missing file.
  EXPECT_EQ(ReadText(f.Ini()).find("missing"), std::string::npos);
  EXPECT_NE(ReadText(f.Ini()).find("LoadFile = " + b), std::string::npos);
}

TEST(SettingsFile, LoadOptionOpensTheMostRecentFile) {
  SettingsFixture f;
  const std::string a = f.MakeSet("a.kxl", 1);
  const std::string b = f.MakeSet("b.kxl", 2);
  WriteText(f.Ini(), "Load = TRUE\nLoadFile = " + a + "\nLoadFile = " + b + "\n");
  ReadSettings(f.state, f.host);
  EXPECT_EQ(f.state.document.FileName(), a);
}

TEST(SettingsFile, ACommandLineFileGoesOnTopEvenWhenItWillNotLoad) {
  SettingsFixture f;
  const std::string a = f.MakeSet("a.kxl", 1);
  WriteText(f.Ini(), "Load = TRUE\nLoadFile = " + a + "\n");
  f.state.document.SetFileName(f.dir.Path("given.kxl"));
  ReadSettings(f.state, f.host);
  EXPECT_EQ(f.state.document.FileName(), f.dir.Path("given.kxl"));
  EXPECT_EQ(f.state.recent.recentFileCount, 2);
  EXPECT_EQ(f.state.recent.recentFiles[0], f.dir.Path("given.kxl"));
  // Not there at the next start: dropped with its message.
  EditorState next;
  FakeHost host;
  next.programDirectory = f.state.programDirectory;
  next.document.SetFileName(kNoFileMarker);
  ReadSettings(next, host);
  EXPECT_EQ(next.recent.recentFileCount, 1);
  EXPECT_EQ(host.messages.size(), 1u);
}

TEST(SettingsFile, LongPathsRoundTrip) {
  SettingsFixture f;
  // A 255-character path (longer than the 99 characters an old line held).
  const std::string name = std::string(255 - f.dir.Path("").size() - 4, 'n') + ".kxl";
  const std::string path = f.dir.Path(name);
  ASSERT_EQ(path.size(), 255u);
  bool longNamesWork = true;
  {
    LevelSet levels;
    WriteBytes(path, EncodeLevelSet(levels));
    longNamesWork = std::filesystem::exists(path);
  }
  if (!longNamesWork) GTEST_SKIP() << "this file system takes no 255-character path here";
  WriteText(f.Ini(), "LoadFile = " + path + "\r\nLoadFile = " + std::string(4000, 'z') + "\r\n");
  ReadSettings(f.state, f.host);
  ASSERT_EQ(f.state.recent.recentFileCount, 1);
  EXPECT_EQ(f.state.recent.recentFiles[0], path);
  EXPECT_NE(ReadText(f.Ini()).find("LoadFile = " + path + "\r\n"), std::string::npos);
}

TEST(SettingsFile, AnUnwritableSettingsFileIsNoError) {
  SettingsFixture f;
  FailingFileLayer files(FailingFileLayer::Step::Create);
  f.state.files = &files;
  WriteSettings(f.state);
  EXPECT_FALSE(std::filesystem::exists(f.Ini()));
  f.state.programDirectory = f.dir.Path("missing") + "/";
  f.state.files = &SystemFileLayer();
  WriteSettings(f.state);  // nothing to see, nothing thrown
  EXPECT_TRUE(f.dir.List().empty());
}
