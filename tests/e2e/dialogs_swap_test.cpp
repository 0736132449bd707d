// The "Swap levels" dialog of the real program: opened by Ctrl+W and from
// the menu; the Swap button and Enter swap, Esc does not close it.
#include <gtest/gtest.h>

#include <utility>

#include "../../res/resource.h"
#include "e2e/dialog_driver.h"
#include "level/level_file.h"

TEST(SwapLevelsDialog, SwapAndEnterExchangeLevelsAndTheCanvasFollows) {
  ProgramDir folder;
  const std::string path = CopySample(folder, "levels.kxl");
  EditorProcess editor(folder, "\"" + path + "\"");
  ASSERT_TRUE(editor.WaitForWindow());
  const LevelSet original = ReadSet(path);
  LevelSet expected = original;

  SendCommand(editor, 40024);  // level 3 is shown
  EXPECT_TRUE(editor.CanvasShows(CanvasOf(folder, original, 2)));

  editor.PressKeys({VK_CONTROL, 'W'});
  const DialogWindow dialog = editor.WaitForDialog(10000, "Swap levels");
  ASSERT_TRUE(dialog);
  MoveWindowTo(dialog.window, 700, 500);  // off the canvas, which is looked at
  EXPECT_EQ(ComboCount(dialog, IDC_SWAP_FIRST), 10);
  EXPECT_EQ(ComboChoice(dialog, IDC_SWAP_FIRST), 0);
  EXPECT_EQ(ComboChoice(dialog, IDC_SWAP_SECOND), 0);

  PickComboEntry(dialog, IDC_SWAP_FIRST, 2);
  PickComboEntry(dialog, IDC_SWAP_SECOND, 7);
  EXPECT_EQ(editor.Title(), TitleFor(path, false));  // choosing alone changes nothing
  SendTo(Control(dialog, IDC_SWAP), BM_CLICK);
  std::swap(expected[2], expected[7]);
  EXPECT_TRUE(IsOpen(dialog));
  EXPECT_EQ(editor.Title(), TitleFor(path, true));
  // Level 3 now shows level 8's former contents, at once.
  EXPECT_TRUE(editor.CanvasShows(CanvasOf(folder, expected, 2)));

  // Esc leaves it open; Enter is the Swap button: it swaps back.
  PressKeysIn(dialog, {VK_ESCAPE});
  EXPECT_TRUE(StaysOpen(dialog));
  PressKeysIn(dialog, {VK_RETURN});
  EXPECT_TRUE(StaysOpen(dialog));
  EXPECT_TRUE(editor.CanvasShows(CanvasOf(folder, original, 2)));
  EXPECT_EQ(editor.Title(), TitleFor(path, true));
  EXPECT_EQ(ComboChoice(dialog, IDC_SWAP_FIRST), 2);
  EXPECT_EQ(ComboChoice(dialog, IDC_SWAP_SECOND), 7);

  // Level 3, which is shown, with level 10: the canvas tells when Enter arrived.
  PickComboEntry(dialog, IDC_SWAP_FIRST, 9);
  PickComboEntry(dialog, IDC_SWAP_SECOND, 2);
  PressKeysIn(dialog, {VK_RETURN});
  expected = original;
  std::swap(expected[9], expected[2]);
  EXPECT_TRUE(editor.CanvasShows(CanvasOf(folder, expected, 2)));

  ASSERT_TRUE(CloseByCloseBox(dialog));
  ASSERT_TRUE(SaveAndWait(editor, path));
  EXPECT_TRUE(FileBytes(path) == EncodeLevelSet(expected));
}

TEST(SwapLevelsDialog, FromTheMenuALevelWithItselfStillCountsAsAChange) {
  ProgramDir folder;
  const std::string path = CopySample(folder, "levels.kxl");
  EditorProcess editor(folder, "\"" + path + "\"");
  ASSERT_TRUE(editor.WaitForWindow());
  const DialogWindow dialog = OpenDialogByCommand(editor, 40043, "Swap levels");
  ASSERT_TRUE(dialog);
  SendTo(Control(dialog, IDC_SWAP), BM_CLICK);
  EXPECT_EQ(editor.Title(), TitleFor(path, true));
  ASSERT_TRUE(CloseByCloseBox(dialog));
  ASSERT_TRUE(SaveAndWait(editor, path));
  EXPECT_TRUE(FileBytes(path) == EncodeLevelSet(ReadSet(folder.File("sample.kxl"))));
}
