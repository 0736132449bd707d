// Start-up with a file: the command-line forms the editor understands, files
// that cannot be opened, the settings file's recent files, and start-up
// failures.
#include <gtest/gtest.h>

#include "e2e/editor_driver.h"
#include "e2e/level_files.h"

namespace {

// The graphics selector shows level 1's pattern set, so a start on the
// sample set (garden, 0) and on a dungeon copy (1) can be told apart.
constexpr int kGarden = 0;
constexpr int kDungeon = 1;

}  // namespace

TEST(StartWithFile, QuotedProgramPathTakesTheFileWithOrWithoutQuotes) {
  ProgramDir folder;
  const std::string spaced = MakeFolder(folder, "My Levels") + "dungeon set.kxl";
  PutLevelSet(spaced, SampleWithFirstPatternSet(folder, kDungeon));
  {
    EditorProcess editor(folder, folder.File("sample.kxl"));
    ASSERT_TRUE(editor.WaitForWindow());
    EXPECT_EQ(editor.Title(), TitleFor(folder.File("sample.kxl")));
    EXPECT_EQ(SelectorPosition(editor, 1), kGarden);
  }
  EditorProcess editor(folder, "\"" + spaced + "\"");
  ASSERT_TRUE(editor.WaitForWindow());
  EXPECT_EQ(editor.Title(), TitleFor(spaced));
  EXPECT_EQ(SelectorPosition(editor, 1), kDungeon);
}

TEST(StartWithFile, UnquotedProgramPathTakesOnlyAQuotedFile) {
  ProgramDir folder;
  const std::string path = folder.File("sample.kxl");
  {
    // The form the file-type registration writes: kraxed.exe "%1".
    EditorProcess editor(folder, "\"" + path + "\"", false);
    ASSERT_TRUE(editor.WaitForWindow());
    EXPECT_EQ(editor.Title(), TitleFor(path));
  }
  EditorProcess editor(folder, path, false);
  ASSERT_TRUE(editor.WaitForWindow());
  EXPECT_TRUE(editor.OtherWindows().empty());  // no complaint either
  EXPECT_EQ(editor.Title(), TitleFor("Untitled.kxl"));
}

TEST(StartWithFile, MissingOrWrongSizedFileIsReportedAndLeavesAnUntitledSet) {
  ProgramDir folder;
  const std::string missing = folder.File("missing.kxl");
  const std::string wrongSize = folder.File("short.kxl");
  std::vector<unsigned char> bytes = LevelSetBytes(SampleLevels(folder));
  bytes.pop_back();  // 3769 bytes: not a level set
  PutFile(wrongSize, bytes);
  for (const std::string& path : {missing, wrongSize}) {
    SCOPED_TRACE(path);
    EditorProcess editor(folder, path);
    // The caption is the path itself.
    ASSERT_TRUE(AnswerBox(editor, path, "Loading levelset failed!", IDOK, 30000));
    ASSERT_TRUE(editor.WaitForWindow());
    EXPECT_EQ(editor.Title(), TitleFor("Untitled.kxl"));
    editor.Command(40011);
    ASSERT_TRUE(editor.WaitForExit());
  }
}

TEST(StartWithFile, LoadOpensTheMostRecentFileAndKeepsTheList) {
  ProgramDir folder;
  const std::string first = folder.File("first.kxl");
  const std::string second = folder.File("second.kxl");
  PutLevelSet(first, SampleWithFirstPatternSet(folder, kDungeon));
  PutLevelSet(second, SampleWithFirstPatternSet(folder, kGarden));
  IniOptions ini;
  ini.load = true;
  ini.recent = {first, second};
  PutIni(folder, ini);

  EditorProcess editor(folder);
  ASSERT_TRUE(editor.WaitForWindow());
  EXPECT_EQ(editor.Title(), TitleFor(first));
  EXPECT_EQ(SelectorPosition(editor, 1), kDungeon);
  editor.Command(40011);
  ASSERT_TRUE(editor.WaitForExit());
  EXPECT_EQ(FileText(folder.File("kraxed.ini")), IniText(ini));
}

TEST(StartWithFile, WithoutLoadTheRecentFilesOnlyFillTheList) {
  ProgramDir folder;
  const std::string dungeon = folder.File("dungeon.kxl");
  PutLevelSet(dungeon, SampleWithFirstPatternSet(folder, kDungeon));
  IniOptions ini;
  ini.recent = {dungeon};
  PutIni(folder, ini);
  // A file named on the command line goes to the top of the list.
  EditorProcess editor(folder, folder.File("sample.kxl"));
  ASSERT_TRUE(editor.WaitForWindow());
  EXPECT_EQ(editor.Title(), TitleFor(folder.File("sample.kxl")));
  EXPECT_EQ(SelectorPosition(editor, 1), kGarden);
  editor.Command(40011);
  ASSERT_TRUE(editor.WaitForExit());
  ini.recent = {folder.File("sample.kxl"), dungeon};
  EXPECT_EQ(FileText(folder.File("kraxed.ini")), IniText(ini));
}

TEST(StartWithFile, MissingRecentFileIsDroppedWithAMessage) {
  ProgramDir folder;
  const std::string missing = folder.File("gone.kxl");
  const std::string sample = folder.File("sample.kxl");
  IniOptions ini;
  ini.questions = true;
  ini.recent = {missing, sample};
  PutIni(folder, ini);

  EditorProcess editor(folder);
  ASSERT_TRUE(AnswerBox(editor, "Error loading file",
                        missing + " could not be loaded and has been removed from recent file list",
                        IDOK, 30000));
  ASSERT_TRUE(editor.WaitForWindow());
  EXPECT_EQ(editor.Title(), TitleFor("Untitled.kxl"));
  // The file is rewritten at once, without the missing entry.
  ini.recent = {sample};
  EXPECT_EQ(FileText(folder.File("kraxed.ini")), IniText(ini));
}

TEST(StartWithFile, StartUpFailureIsReportedAndEndsWithAnErrorCode) {
  ProgramDir folder;
  // Another kind of object holding the name of the level-transfer block:
  // the editor cannot make its block and has to give up.
  HANDLE squatter = CreateMutexA(nullptr, FALSE, "KraxoLevel");
  ASSERT_NE(squatter, nullptr);
  EditorProcess editor(folder);
  const DialogWindow box = editor.WaitForDialog(30000, "Error");
  EXPECT_EQ(box.text.rfind("Error in CreateTempLevel()", 0), 0u) << box.text;
  editor.Press(box, IDOK);
  ASSERT_TRUE(editor.WaitForExit());
  EXPECT_NE(editor.ExitCode(), 0u);
  CloseHandle(squatter);
}
