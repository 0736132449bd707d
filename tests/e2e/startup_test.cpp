// Start-up, the title and shutdown of the real program.
#include <gtest/gtest.h>

#include "e2e/editor_driver.h"

TEST(Startup, WithoutAFileTheEditorShowsAnUntitledSet) {
  ProgramDir folder;
  EditorProcess editor(folder);
  ASSERT_TRUE(editor.WaitForWindow());
  EXPECT_EQ(editor.Title(), "Kraxolan Editor - [Untitled.kxl]");
  const RECT frame = editor.WindowRect();
  EXPECT_EQ(frame.right - frame.left, 523);
  EXPECT_EQ(frame.bottom - frame.top, 290);
  editor.MouseMove(100, 100);
  EXPECT_EQ(editor.StatusText(), "Level 1");
  editor.Command(40011);  // Exit: nothing to save
  ASSERT_TRUE(editor.WaitForExit());
  EXPECT_EQ(editor.ExitCode(), 0u);
  EXPECT_EQ(FileText(folder.File("kraxed.ini")),
            "[Kraxolan Editor Settings]\r\nZoom = FALSE\r\nAutosave = FALSE\r\nQuestions = TRUE\r\n"
            "Load = FALSE\r\nRegister = FALSE\r\nCorrectShadow = FALSE\r\n\r\n");
}
