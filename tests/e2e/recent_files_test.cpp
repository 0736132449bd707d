// The recent-file entries of the File menu and files dropped on the window.
// Another process's menu cannot be read under Wine, so the entries are
// checked through what they do: command 44666 + i opens entry i, and the
// settings file written at exit lists the entries in order.
#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/recent_files.h"
#include "e2e/editor_driver.h"
#include "e2e/level_files.h"

namespace {

constexpr const char* kQuestion = "Kraxolan Editor";

void OpenThroughDialog(const EditorProcess& editor, const std::string& path) {
  editor.Command(kCmdOpen);
  ASSERT_TRUE(editor.WaitForDialog(15000, "Load leveldata"));
  ASSERT_TRUE(editor.ChooseFile(path));
  ASSERT_TRUE(WaitForTitle(editor, TitleFor(path)));
}

void OpenRecent(const EditorProcess& editor, int entry, const std::string& expectedPath) {
  editor.Command(kRecentFileCommand + entry);
  ASSERT_TRUE(WaitForTitle(editor, TitleFor(expectedPath))) << "entry " << entry;
}

}  // namespace

TEST(RecentFiles, TheLastFourFilesOpenedAreOfferedMostRecentFirst) {
  ProgramDir folder;
  IniOptions ini;
  PutIni(folder, ini);
  std::vector<std::string> files;
  for (const char* name : {"p.kxl", "q.kxl", "r.kxl", "s.kxl", "t.kxl"}) {
    files.push_back(folder.File(name));
    PutLevelSet(files.back(), SampleLevels(folder));
  }
  const std::string &q = files[1], &r = files[2], &s = files[3], &t = files[4];
  EditorProcess editor(folder);
  ASSERT_TRUE(editor.WaitForWindow());
  for (const std::string& path : files) OpenThroughDialog(editor, path);

  // t, s, r, q: the first, p, dropped out.
  OpenRecent(editor, 0, t);
  OpenRecent(editor, 3, q);  // q, t, s, r
  OpenRecent(editor, 2, s);  // s, q, t, r
  OpenRecent(editor, 3, r);  // r, s, q, t
  OpenRecent(editor, 1, s);  // s, r, q, t
  editor.Command(kCmdExit);
  ASSERT_TRUE(editor.WaitForExit());
  ini.recent = {s, r, q, t};
  EXPECT_EQ(FileText(folder.File("kraxed.ini")), IniText(ini));
}

TEST(RecentFiles, ARecentFileAsksAboutUnsavedChangesAndAMissingOneStaysListed) {
  ProgramDir folder;
  const std::string sample = folder.File("sample.kxl");
  const std::string dungeon = folder.File("dungeon.kxl");
  PutLevelSet(dungeon, SampleWithFirstPatternSet(folder, 1));
  IniOptions ini;
  ini.questions = true;
  ini.recent = {dungeon, sample};
  PutIni(folder, ini);
  EditorProcess editor(folder);
  ASSERT_TRUE(editor.WaitForWindow());
  EXPECT_EQ(editor.Title(), TitleFor("Untitled.kxl"));
  editor.ScrollSelector(1, 1);
  ASSERT_EQ(editor.Title(), TitleFor("Untitled.kxl", true));

  editor.Command(kRecentFileCommand + 1);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save changes?", IDCANCEL));
  EXPECT_EQ(editor.Title(), TitleFor("Untitled.kxl", true));
  editor.Command(kRecentFileCommand + 1);
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save changes?", IDNO));
  ASSERT_TRUE(WaitForTitle(editor, TitleFor(sample)));
  EXPECT_EQ(SelectorPosition(editor, 1), 0);

  // sample, dungeon: the dungeon file goes away behind the editor's back.
  ASSERT_TRUE(DeleteFileA(dungeon.c_str()));
  editor.Command(kRecentFileCommand + 1);
  ASSERT_TRUE(AnswerBox(editor, "Error", "Couldn't load file!", IDOK));
  EXPECT_EQ(editor.Title(), TitleFor(sample));
  editor.Command(kCmdExit);
  ASSERT_TRUE(editor.WaitForExit());
  ini.recent = {sample, dungeon};
  EXPECT_EQ(FileText(folder.File("kraxed.ini")), IniText(ini));
}

TEST(DropFiles, TheFirstDroppedFileOpensAfterTheQuestion) {
  ProgramDir folder;
  const std::string sample = folder.File("sample.kxl");
  const std::string dungeon = folder.File("dungeon.kxl");
  PutLevelSet(dungeon, SampleWithFirstPatternSet(folder, 1));
  IniOptions ini;
  ini.questions = true;
  PutIni(folder, ini);
  EditorProcess editor(folder);
  ASSERT_TRUE(editor.WaitForWindow());

  // Several files: only the first opens.
  ASSERT_TRUE(DropFiles(editor, {dungeon, sample}));
  ASSERT_TRUE(WaitForTitle(editor, TitleFor(dungeon)));
  EXPECT_EQ(SelectorPosition(editor, 1), 1);

  editor.ScrollSelector(1, 0);
  ASSERT_TRUE(DropFiles(editor, {sample}));
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save changes?", IDCANCEL));
  EXPECT_EQ(editor.Title(), TitleFor(dungeon, true));
  ASSERT_TRUE(DropFiles(editor, {sample}));
  ASSERT_TRUE(AnswerBox(editor, kQuestion, "Save changes?", IDNO));
  ASSERT_TRUE(WaitForTitle(editor, TitleFor(sample)));

  // A drop of something that is no level set changes nothing.
  ASSERT_TRUE(DropFiles(editor, {folder.File("resources.ini")}));
  ASSERT_TRUE(AnswerBox(editor, "Error", "Couldn't load file!", IDOK));
  EXPECT_EQ(editor.Title(), TitleFor(sample));
  editor.Command(kCmdExit);
  ASSERT_TRUE(editor.WaitForExit());
  EXPECT_EQ(editor.ExitCode(), 0u);
  ini.recent = {sample, dungeon};
  EXPECT_EQ(FileText(folder.File("kraxed.ini")), IniText(ini));
}
