// The file commands through the real message boxes and common file dialogs,
// closing the window, the recent-file commands of the File menu and files
// dropped on the window; the title after each step and the bytes of every
// file the editor writes.
#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/recent_files.h"
#include "e2e/driver.h"

namespace {

constexpr const char* kQuestion = "Kraxolan Editor";

// A change the editor marks as unsaved: the graphics selector gives the
// current level another pattern set.
void UsePatternSet(const EditorProcess& editor, LevelSet& expected, int level, int position) {
  editor.ScrollSelector(1, position);
  expected[level].SetPatternSet(PatternSetValueOf(position));
}

// The file dialog with this title, answered with the path (or cancelled).
bool ChooseIn(const EditorProcess& editor, const std::string& title, const std::string& path) {
  const DialogWindow dialog = editor.WaitForDialog(15000, title);
  if (!dialog) return false;
  if (!path.empty()) return editor.ChooseFile(path);
  editor.Press(dialog, IDCANCEL);
  return true;
}

}  // namespace

TEST(FileCommands, QuestionsAndFileDialogs) {
  ProgramDir folder;
  IniOptions ini;
  ini.questions = true;
  PutIni(folder, ini);
  const std::string sample = folder.File("sample.kxl");
  const std::string dungeon = folder.File("dungeon.kxl");
  PutLevelSet(dungeon, SampleWithFirstPatternSet(folder, 1));
  PutText(folder.File("broken.kxl"), "not a level set");
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

  // Open asks first: Cancel ends it, Yes saves under a new name instead.
  UsePatternSet(editor, expected, 0, 0);
  editor.Command(kCmdOpen);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save changes?", IDCANCEL));
  EXPECT_EQ(editor.Title(), TitleFor(saved, true));
  const std::string kept = folder.File("kept.kxl");
  editor.Command(kCmdOpen);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save changes?", IDYES));
  ASSERT_TRUE(ChooseIn(editor, "Save leveldata", kept));
  ASSERT_TRUE(WaitForTitle(editor, TitleFor(kept)));
  EXPECT_EQ(FileBytes(kept), LevelSetBytes(expected));
  editor.WaitIdle();
  EXPECT_TRUE(editor.OtherWindows().empty());

  // No goes on to the Open dialog; a file that is no level set changes nothing.
  UsePatternSet(editor, expected, 0, 1);
  editor.Command(kCmdOpen);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save changes?", IDNO));
  ASSERT_TRUE(ChooseIn(editor, "Load leveldata", folder.File("broken.kxl")));
  ASSERT_TRUE(AnswerBox(editor, "Error", "Couldn't load file!", IDOK));
  EXPECT_EQ(editor.Title(), TitleFor(kept, true));
  editor.Command(kCmdOpen);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save changes?", IDNO));
  ASSERT_TRUE(ChooseIn(editor, "Load leveldata", dungeon));
  ASSERT_TRUE(WaitForTitle(editor, TitleFor(dungeon)));
  EXPECT_EQ(SelectorPosition(editor, 1), 1);
}

TEST(FileCommands, ClosingAsksAndKeepsTheWindowWhenTheSaveFails) {
  ProgramDir folder;
  const std::string work = MakeFolder(folder, "work");
  // A folder where the set would be saved: no file can be written there.
  MakeFolder(folder, "work\\Untitled.kxl");
  EditorProcess editor(folder, "", true, work);
  ASSERT_TRUE(editor.WaitForWindow());
  LevelSet expected;
  UsePatternSet(editor, expected, 0, 1);

  editor.Command(kCmdExit);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save Changes?", IDCANCEL));
  editor.Post(WM_CLOSE);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save Changes?", IDYES));
  ASSERT_TRUE(AnswerBox(editor, "Error", "Couldn't save file!", IDOK));
  editor.WaitIdle();
  EXPECT_TRUE(editor.Running());
  EXPECT_EQ(editor.Title(), TitleFor("Untitled.kxl", true));

  // Where it can be written, Yes saves the untitled set in the current folder.
  ASSERT_TRUE(RemoveDirectoryA((work + "Untitled.kxl").c_str()));
  editor.Post(WM_CLOSE);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save Changes?", IDYES));
  ASSERT_TRUE(editor.WaitForExit());
  EXPECT_EQ(editor.ExitCode(), 0u);
  EXPECT_EQ(FileBytes(work + "Untitled.kxl"), LevelSetBytes(expected));
}

TEST(FileCommands, RecentFilesAndDroppedFiles) {
  ProgramDir folder;
  IniOptions ini;
  ini.questions = true;
  PutIni(folder, ini);
  std::vector<std::string> files;
  for (const char* name : {"p.kxl", "q.kxl", "r.kxl", "s.kxl", "t.kxl"}) {
    files.push_back(folder.File(name));
    PutLevelSet(files.back(), SampleWithFirstPatternSet(folder, name[0] == 'q' ? 1 : 0));
  }
  const std::string &p = files[0], &q = files[1], &r = files[2], &s = files[3], &t = files[4];
  EditorProcess editor(folder);
  ASSERT_TRUE(editor.WaitForWindow());
  // Dropped files open as Open does; of several, the first.
  for (const std::string& path : files) {
    ASSERT_TRUE(DropFiles(editor, {path, p}));
    ASSERT_TRUE(WaitForTitle(editor, TitleFor(path)));
  }
  // The last four, most recent first: t, s, r, q; entry i is command 44666 + i.
  const std::pair<int, std::string> opens[] = {{3, q}, {2, s}, {3, r}, {1, s}};
  for (const auto& [entry, path] : opens) {
    editor.Command(kRecentFileCommand + entry);
    ASSERT_TRUE(WaitForTitle(editor, TitleFor(path))) << entry;
  }
  // s, r, q, t. Unsaved work: the question first; a file gone stays listed.
  LevelSet changed = SampleLevels(folder);
  UsePatternSet(editor, changed, 0, 1);
  editor.Command(kRecentFileCommand + 2);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save changes?", IDCANCEL));
  editor.Command(kRecentFileCommand + 2);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save changes?", IDNO));
  ASSERT_TRUE(WaitForTitle(editor, TitleFor(q)));
  EXPECT_EQ(SelectorPosition(editor, 1), 1);
  ASSERT_TRUE(DeleteFileA(t.c_str()));
  editor.Command(kRecentFileCommand + 3);
  ASSERT_TRUE(AnswerBox(editor, "Error", "Couldn't load file!", IDOK));
  ASSERT_TRUE(DropFiles(editor, {folder.File("resources.ini")}));
  ASSERT_TRUE(AnswerBox(editor, "Error", "Couldn't load file!", IDOK));
  editor.Command(kCmdExit);
  ASSERT_TRUE(editor.WaitForExit());
  ini.recent = {q, s, r, t};
  EXPECT_EQ(FileText(folder.File("kraxed.ini")), IniText(ini));
}
