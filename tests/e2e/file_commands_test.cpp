// New, Open, Save, Save as and closing the window, through the real menus,
// message boxes and common file dialogs; the title after each step and the
// bytes of every file the editor writes.
#include <gtest/gtest.h>

#include "app/commands.h"
#include "e2e/editor_driver.h"
#include "e2e/level_files.h"

namespace {

constexpr const char* kQuestion = "Kraxolan Editor";

// A change the editor marks as unsaved: the graphics selector gives the
// current level another pattern set.
void UsePatternSet(const EditorProcess& editor, LevelSet& expected, int level, int position) {
  editor.ScrollSelector(1, position);
  expected[level].patternSet = position + 3;
}

LevelSet ClearedLevels() {
  LevelSet levels;
  for (Level& level : levels) level.Clear();
  return levels;
}

// The file dialog with this title, cancelled.
bool CancelFileDialog(const EditorProcess& editor, const std::string& title) {
  const DialogWindow dialog = editor.WaitForDialog(15000, title);
  if (!dialog) return false;
  editor.Press(dialog, IDCANCEL);
  return true;
}

// The file dialog with this title, answered with the path.
bool ChooseIn(const EditorProcess& editor, const std::string& title, const std::string& path) {
  return editor.WaitForDialog(15000, title) && editor.ChooseFile(path);
}

}  // namespace

TEST(FileCommands, SaveAsAndSaveWriteTheLevelsAndClearTheMark) {
  ProgramDir folder;
  const std::string sample = folder.File("sample.kxl");
  const std::vector<unsigned char> original = FileBytes(sample);
  LevelSet expected = SampleLevels(folder);
  EditorProcess editor(folder, sample);
  ASSERT_TRUE(editor.WaitForWindow());

  UsePatternSet(editor, expected, 0, 1);
  EXPECT_EQ(editor.Title(), TitleFor(sample, true));
  const std::string saved = folder.File("saved.kxl");
  editor.Command(kCmdSaveAs);
  ASSERT_TRUE(ChooseIn(editor, "Save leveldata", saved));
  ASSERT_TRUE(WaitForTitle(editor, TitleFor(saved)));
  EXPECT_EQ(FileBytes(saved), LevelSetBytes(expected));
  EXPECT_EQ(FileBytes(sample), original);
  EXPECT_EQ(SelectorPosition(editor, 0), 0);

  // Ctrl+S through the keyboard saves under the new name.
  editor.PressKeys({VK_CONTROL, '3'});
  ASSERT_TRUE(WaitUntil([&] { return SelectorPosition(editor, 0) == 2; }));
  UsePatternSet(editor, expected, 2, 1);
  EXPECT_EQ(editor.Title(), TitleFor(saved, true));
  editor.PressKeys({VK_CONTROL, 'S'});
  ASSERT_TRUE(WaitForTitle(editor, TitleFor(saved)));
  EXPECT_EQ(FileBytes(saved), LevelSetBytes(expected));
}

TEST(FileCommands, OpenAsksBeforeUnsavedChangesAreLost) {
  ProgramDir folder;
  IniOptions ini;
  ini.questions = true;
  PutIni(folder, ini);
  const std::string sample = folder.File("sample.kxl");
  const std::string dungeon = folder.File("dungeon.kxl");
  PutLevelSet(dungeon, SampleWithFirstPatternSet(folder, 1));
  LevelSet expected = SampleLevels(folder);
  EditorProcess editor(folder, sample);
  ASSERT_TRUE(editor.WaitForWindow());
  UsePatternSet(editor, expected, 0, 1);

  editor.Command(kCmdOpen);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save changes?", IDCANCEL));
  EXPECT_EQ(editor.Title(), TitleFor(sample, true));
  EXPECT_TRUE(editor.OtherWindows().empty());

  // Yes saves under a new name, and the Open dialog does not follow.
  const std::string kept = folder.File("kept.kxl");
  editor.Command(kCmdOpen);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save changes?", IDYES));
  ASSERT_TRUE(ChooseIn(editor, "Save leveldata", kept));
  ASSERT_TRUE(WaitForTitle(editor, TitleFor(kept)));
  EXPECT_EQ(FileBytes(kept), LevelSetBytes(expected));
  editor.WaitIdle();
  EXPECT_TRUE(editor.OtherWindows().empty());

  UsePatternSet(editor, expected, 0, 0);
  editor.Command(kCmdOpen);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save changes?", IDNO));
  ASSERT_TRUE(ChooseIn(editor, "Load leveldata", dungeon));
  ASSERT_TRUE(WaitForTitle(editor, TitleFor(dungeon)));
  EXPECT_EQ(SelectorPosition(editor, 1), 1);
  EXPECT_EQ(FileBytes(kept), LevelSetBytes(SampleWithFirstPatternSet(folder, 1)));
}

TEST(FileCommands, OpenOfAnUnusableFileChangesNothing) {
  ProgramDir folder;
  const std::string sample = folder.File("sample.kxl");
  const std::string broken = folder.File("broken.kxl");
  PutText(broken, "not a level set");
  LevelSet expected = SampleLevels(folder);
  EditorProcess editor(folder, sample);
  ASSERT_TRUE(editor.WaitForWindow());
  UsePatternSet(editor, expected, 0, 1);
  editor.Command(kCmdOpen);  // no settings file: questions are on
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save changes?", IDNO));
  ASSERT_TRUE(ChooseIn(editor, "Load leveldata", broken));
  ASSERT_TRUE(AnswerBox(editor, "Error", "Couldn't load file!", IDOK));
  EXPECT_EQ(editor.Title(), TitleFor(sample, true));
  EXPECT_EQ(SelectorPosition(editor, 1), 1);
}

TEST(FileCommands, WithoutQuestionsChangesAreDroppedSilently) {
  ProgramDir folder;
  PutIni(folder, IniOptions{});  // Questions = FALSE
  const std::string work = MakeFolder(folder, "work");
  const std::string dungeon = folder.File("dungeon.kxl");
  PutLevelSet(dungeon, SampleWithFirstPatternSet(folder, 1));
  LevelSet expected = SampleLevels(folder);
  EditorProcess editor(folder, folder.File("sample.kxl"), true, work);
  ASSERT_TRUE(editor.WaitForWindow());

  UsePatternSet(editor, expected, 0, 1);
  editor.Command(kCmdOpen);  // straight to the file dialog
  ASSERT_TRUE(ChooseIn(editor, "Load leveldata", dungeon));
  ASSERT_TRUE(WaitForTitle(editor, TitleFor(dungeon)));

  LevelSet dungeonLevels = SampleWithFirstPatternSet(folder, 1);
  UsePatternSet(editor, dungeonLevels, 0, 0);
  editor.Command(kCmdNew);
  ASSERT_TRUE(WaitForTitle(editor, TitleFor("Untitled.kxl")));
  EXPECT_TRUE(editor.OtherWindows().empty());
  EXPECT_EQ(FileBytes(dungeon), LevelSetBytes(SampleWithFirstPatternSet(folder, 1)));

  LevelSet cleared = ClearedLevels();
  UsePatternSet(editor, cleared, 0, 1);
  editor.Command(kCmdExit);  // closing does not save either
  ASSERT_TRUE(editor.WaitForExit());
  EXPECT_FALSE(FileExists(work + "Untitled.kxl"));
}

TEST(FileCommands, NewKeepsEverythingUnlessTheSetWasSavedOrDropped) {
  ProgramDir folder;
  const std::string sample = folder.File("sample.kxl");
  LevelSet expected = SampleLevels(folder);
  EditorProcess editor(folder, sample);
  ASSERT_TRUE(editor.WaitForWindow());
  UsePatternSet(editor, expected, 0, 1);

  // Yes, then a cancelled Save as: nothing is cleared.
  editor.Command(kCmdNew);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save changes?", IDYES));
  ASSERT_TRUE(CancelFileDialog(editor, "Save leveldata"));
  EXPECT_EQ(editor.Title(), TitleFor(sample, true));
  editor.Command(kCmdNew);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save changes?", IDCANCEL));
  EXPECT_EQ(editor.Title(), TitleFor(sample, true));

  // Yes and a save: the work is in the file, the editor starts afresh.
  const std::string kept = folder.File("kept.kxl");
  editor.Command(kCmdNew);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save changes?", IDYES));
  ASSERT_TRUE(ChooseIn(editor, "Save leveldata", kept));
  ASSERT_TRUE(WaitForTitle(editor, TitleFor("Untitled.kxl")));
  EXPECT_EQ(FileBytes(kept), LevelSetBytes(expected));

  // No drops the work.
  LevelSet cleared = ClearedLevels();
  UsePatternSet(editor, cleared, 0, 1);
  editor.Command(kCmdNew);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save changes?", IDNO));
  ASSERT_TRUE(WaitForTitle(editor, TitleFor("Untitled.kxl")));
  const std::string empty = folder.File("empty.kxl");
  editor.Command(kCmdSaveAs);
  ASSERT_TRUE(ChooseIn(editor, "Save leveldata", empty));
  ASSERT_TRUE(WaitForTitle(editor, TitleFor(empty)));
  EXPECT_EQ(FileBytes(empty), LevelSetBytes(ClearedLevels()));
}

TEST(CloseWindow, YesSavesAnUntitledSetInTheCurrentDirectory) {
  ProgramDir folder;
  const std::string work = MakeFolder(folder, "work");
  EditorProcess editor(folder, "", true, work);
  ASSERT_TRUE(editor.WaitForWindow());
  LevelSet expected;
  UsePatternSet(editor, expected, 0, 1);
  EXPECT_EQ(editor.Title(), TitleFor("Untitled.kxl", true));

  editor.Command(kCmdExit);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save Changes?", IDCANCEL));
  EXPECT_TRUE(editor.Running());
  EXPECT_FALSE(FileExists(work + "Untitled.kxl"));

  editor.Post(WM_CLOSE);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save Changes?", IDYES));
  ASSERT_TRUE(editor.WaitForExit());
  EXPECT_EQ(editor.ExitCode(), 0u);
  EXPECT_EQ(FileBytes(work + "Untitled.kxl"), LevelSetBytes(expected));
}

TEST(CloseWindow, NoLeavesWithoutSaving) {
  ProgramDir folder;
  const std::string sample = folder.File("sample.kxl");
  const std::vector<unsigned char> original = FileBytes(sample);
  EditorProcess editor(folder, sample);
  ASSERT_TRUE(editor.WaitForWindow());
  LevelSet expected = SampleLevels(folder);
  UsePatternSet(editor, expected, 0, 1);
  editor.Post(WM_CLOSE);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save Changes?", IDNO));
  ASSERT_TRUE(editor.WaitForExit());
  EXPECT_EQ(FileBytes(sample), original);
}

TEST(CloseWindow, AFailingSaveIsReportedAndTheWindowStays) {
  ProgramDir folder;
  const std::string work = MakeFolder(folder, "work");
  // A folder where the set would be saved: no file can be written there.
  MakeFolder(folder, "work\\Untitled.kxl");
  EditorProcess editor(folder, "", true, work);
  ASSERT_TRUE(editor.WaitForWindow());
  LevelSet expected;
  UsePatternSet(editor, expected, 0, 1);

  editor.Command(kCmdExit);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save Changes?", IDYES));
  ASSERT_TRUE(AnswerBox(editor, "Error", "Couldn't save file!", IDOK));
  editor.WaitIdle();
  EXPECT_TRUE(editor.Running());
  EXPECT_EQ(editor.Title(), TitleFor("Untitled.kxl", true));

  // Ctrl+S fails the same way, and says so.
  editor.PressKeys({VK_CONTROL, 'S'});
  ASSERT_TRUE(AnswerBox(editor, "Error", "Couldn't save file!", IDOK));
  EXPECT_EQ(editor.Title(), TitleFor("Untitled.kxl", true));

  editor.Command(kCmdExit);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save Changes?", IDNO));
  ASSERT_TRUE(editor.WaitForExit());
}

TEST(Backup, TheTimerWritesABackupButTheSetStaysUnsaved) {
  ProgramDir folder;
  IniOptions ini;
  ini.autosave = true;
  ini.questions = true;
  PutIni(folder, ini);
  const std::string work = MakeFolder(folder, "work");
  const std::string sample = folder.File("sample.kxl");
  EditorProcess editor(folder, sample, true, work);
  ASSERT_TRUE(editor.WaitForWindow());
  LevelSet expected = SampleLevels(folder);
  UsePatternSet(editor, expected, 0, 1);

  // Fifteen minutes are not waited for: the tick is posted.
  editor.Post(WM_TIMER, 1234);
  ASSERT_TRUE(WaitUntil([&] { return FileExists(work + "backup.kxl"); }));
  editor.WaitIdle();
  EXPECT_EQ(FileBytes(work + "backup.kxl"), LevelSetBytes(expected));
  EXPECT_EQ(editor.Title(), TitleFor(sample, true));

  editor.Command(kCmdExit);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save Changes?", IDNO));
  ASSERT_TRUE(editor.WaitForExit());
  ini.recent = {sample};  // the command line's file, and no back-up
  EXPECT_EQ(FileText(folder.File("kraxed.ini")), IniText(ini));
}
