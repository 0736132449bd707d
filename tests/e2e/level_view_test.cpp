// The window's size at both zooms, choosing levels with Ctrl+1..Ctrl+0 on
// the real keyboard and with the selectors.
#include <gtest/gtest.h>

#include "e2e/editor_driver.h"
#include "e2e/level_files.h"

TEST(LevelView, ZoomInTheSettingsDoublesTheWindow) {
  ProgramDir folder;
  IniOptions ini;
  ini.zoom = true;
  PutIni(folder, ini);
  EditorProcess editor(folder);
  ASSERT_TRUE(editor.WaitForWindow());
  const RECT frame = editor.WindowRect();
  EXPECT_EQ(frame.right - frame.left, 1046);
  EXPECT_EQ(frame.bottom - frame.top, 499);
  // The selectors keep their size and stand at their doubled places.
  RECT graphics = {};
  GetWindowRect(editor.Selector(1), &graphics);
  const RECT client = editor.ClientRectOnScreen();
  EXPECT_EQ(graphics.left - client.left, 518);
  EXPECT_EQ(graphics.right - graphics.left, 32);
  editor.Command(40011);
  ASSERT_TRUE(editor.WaitForExit());
  EXPECT_EQ(FileText(folder.File("kraxed.ini")), IniText(ini));
}

TEST(LevelView, CtrlDigitsSelectTheLevelAndItsPatternSet) {
  ProgramDir folder;
  const LevelSet levels = SampleLevels(folder);
  EditorProcess editor(folder, folder.File("sample.kxl"));
  ASSERT_TRUE(editor.WaitForWindow());
  editor.MouseMove(100, 100);  // over the grid: the level is named
  const std::string status = editor.StatusText();
  ASSERT_EQ(status, "Level 1");

  const struct {
    WORD key;
    int level;
  } presses[] = {{'7', 6}, {'4', 3}, {'0', 9}, {'1', 0}, {'9', 8}};
  for (const auto& press : presses) {
    SCOPED_TRACE(press.level);
    editor.PressKeys({VK_CONTROL, press.key});
    ASSERT_TRUE(WaitUntil([&] { return SelectorPosition(editor, 0) == press.level; }));
    EXPECT_EQ(SelectorPosition(editor, 1), levels[press.level].patternSet - 3);
    EXPECT_EQ(editor.StatusText(), status);
  }
  // Choosing a level changes nothing in the set.
  EXPECT_EQ(editor.Title(), TitleFor(folder.File("sample.kxl")));
}

TEST(LevelView, SelectorsChangeTheLevelAndItsPatternSet) {
  ProgramDir folder;
  EditorProcess editor(folder, folder.File("sample.kxl"));
  ASSERT_TRUE(editor.WaitForWindow());
  editor.ScrollSelector(0, 3);
  EXPECT_EQ(editor.StatusText(), "Level 4");
  EXPECT_EQ(SelectorPosition(editor, 1), 0);  // level 4 lies in the garden
  editor.ScrollSelector(0, 6);
  EXPECT_EQ(editor.StatusText(), "Level 7");
  EXPECT_EQ(SelectorPosition(editor, 1), 1);  // level 7 in the dungeon
  EXPECT_EQ(editor.Title(), TitleFor(folder.File("sample.kxl")));
  editor.ScrollSelector(1, 0);
  EXPECT_EQ(editor.Title(), TitleFor(folder.File("sample.kxl"), true));
  editor.ScrollSelector(2, 7);
  EXPECT_EQ(SelectorPosition(editor, 2), 7);
  EXPECT_EQ(editor.StatusText(), "Level 7");
}
