// Start-up of the real program: the command-line forms that reach it, the
// message boxes it shows before its main window, the window's size at both
// zooms, the settings file it leaves, and a start-up that fails.
#include <gtest/gtest.h>

#include "e2e/driver.h"

TEST(Startup, CommandLineFormsAndTheWindowAtBothZooms) {
  ProgramDir folder;
  const std::string sample = folder.File("sample.kxl");
  const std::string spaced = MakeFolder(folder, "My Levels") + "dungeon set.kxl";
  PutLevelSet(spaced, SampleWithFirstPatternSet(folder, 1));
  struct Form {
    std::string arguments;
    bool quotedProgram;
    std::string title;
    int patternSet;
  } forms[] = {
      {sample, true, TitleFor(sample), 0},
      {"\"" + spaced + "\"", true, TitleFor(spaced), 1},
      {"\"" + spaced + "\"", false, TitleFor(spaced), 1},  // kraxed.exe "%1", as registered
      {sample, false, TitleFor("Untitled.kxl"), 0},         // not understood, and no complaint
      {"", true, TitleFor("Untitled.kxl"), 0},
  };
  for (const Form& form : forms) {
    SCOPED_TRACE(form.arguments);
    EditorProcess editor(folder, form.arguments, form.quotedProgram);
    ASSERT_TRUE(editor.WaitForWindow());
    EXPECT_EQ(editor.Title(), form.title);
    EXPECT_EQ(SelectorPosition(editor, 1), form.patternSet);
    EXPECT_TRUE(editor.OtherWindows().empty());
    const RECT frame = editor.WindowRect();
    EXPECT_EQ(frame.right - frame.left, 523);
    EXPECT_EQ(frame.bottom - frame.top, 290);
    editor.Command(40011);  // Exit: nothing to save
    ASSERT_TRUE(editor.WaitForExit());
  }
  // The settings file written at the end, and read at the next start. The
  // first start found none and took the defaults: its file was not listed.
  IniOptions ini;
  ini.questions = true;
  ini.recent = {spaced};
  EXPECT_EQ(FileText(folder.File("kraxed.ini")), IniText(ini));
  ini.zoom = true;
  PutIni(folder, ini);
  EditorProcess editor(folder);
  ASSERT_TRUE(editor.WaitForWindow());
  const RECT frame = editor.WindowRect();
  EXPECT_EQ(frame.right - frame.left, 1046);
  EXPECT_EQ(frame.bottom - frame.top, 499);
  editor.Command(40011);  // Exit: nothing to save
  ASSERT_TRUE(editor.WaitForExit());
  EXPECT_EQ(editor.ExitCode(), 0u);
}

TEST(Startup, MessageBoxesBeforeTheMainWindow) {
  ProgramDir folder;
  const std::string shortFile = folder.File("short.kxl");
  std::vector<unsigned char> bytes = LevelSetBytes(SampleLevels(folder));
  bytes.pop_back();  // 3769 bytes: not a level set
  PutFile(shortFile, bytes);
  for (const std::string& path : {folder.File("missing.kxl"), shortFile}) {
    EditorProcess editor(folder, path);
    // The caption is the path itself.
    ASSERT_TRUE(AnswerBox(editor, path, "Loading levelset failed!", IDOK, 30000));
    ASSERT_TRUE(editor.WaitForWindow());
    EXPECT_EQ(editor.Title(), TitleFor("Untitled.kxl"));
  }
  const std::string gone = folder.File("gone.kxl");
  IniOptions ini;
  ini.questions = ini.load = true;
  ini.recent = {gone, folder.File("sample.kxl")};
  PutIni(folder, ini);
  EditorProcess editor(folder);
  ASSERT_TRUE(AnswerBox(editor, "Error loading file",
                        gone + " could not be loaded and has been removed from recent file list",
                        IDOK, 30000));
  ASSERT_TRUE(editor.WaitForWindow());
  EXPECT_EQ(editor.Title(), TitleFor(folder.File("sample.kxl")));
}

TEST(Startup, AFailureIsReportedAndEndsWithAnErrorCode) {
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
