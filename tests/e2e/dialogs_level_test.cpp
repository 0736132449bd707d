// The "Level settings" dialog of the real program: opened from the menu and
// by Ctrl+L, driven through its combo boxes and track bar, closed by its
// close box; the changes are checked in the saved file.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "../../res/resource.h"
#include "dialogs/level_settings.h"
#include "level/time_limit.h"
#include "e2e/dialog_driver.h"
#include "gfx/resource_catalogue.h"
#include "gfx/software_painter.h"
#include "level/level_file.h"

namespace {

// What the controls must show for a level.
void ExpectShows(const DialogWindow& dialog, const ResourceCatalogue& catalogue,
                 const Level& level, int index) {
  EXPECT_EQ(ComboChoice(dialog, IDC_LEVEL_NUMBER), index);
  EXPECT_EQ(ComboChoiceText(dialog, IDC_LEVEL_GOAL),
            GoalName(level.goal));
  EXPECT_EQ(ComboChoiceText(dialog, IDC_LEVEL_MUSIC),
            catalogue.songs.at(static_cast<size_t>(level.music)));
  const int types[3] = {IDC_LEVEL_TYPE1, IDC_LEVEL_TYPE2, IDC_LEVEL_TYPE3};
  for (int slot = 0; slot < 3; ++slot)
    EXPECT_EQ(ComboChoiceText(dialog, types[slot]),
              catalogue.spriteSets.at(static_cast<size_t>(level.enemyTypes[slot])).name)
        << "enemy type " << slot + 1;
  EXPECT_EQ(ControlText(dialog, IDC_LEVEL_TIME_TEXT), level.time);
  EXPECT_EQ(TrackBarPosition(dialog, IDC_LEVEL_TIME), TimeLimitSeconds(level.time));
}

// The time as text and thumb after one step.
// Keys reach the dialog through the system's queue: the time may need a
// moment to arrive.
void ExpectTime(const DialogWindow& dialog, const std::string& text, int seconds) {
  WaitUntil([&] { return TrackBarPosition(dialog, IDC_LEVEL_TIME) == seconds; }, 3000);
  EXPECT_EQ(ControlText(dialog, IDC_LEVEL_TIME_TEXT), text);
  EXPECT_EQ(TrackBarPosition(dialog, IDC_LEVEL_TIME), seconds);
}

}  // namespace

TEST(LevelSettingsDialog, FromTheMenuEditsTheLevelChosenInsideTheDialog) {
  ProgramDir folder;
  const std::string path = CopySample(folder, "levels.kxl");
  EditorProcess editor(folder, "\"" + path + "\"");
  ASSERT_TRUE(editor.WaitForWindow());
  LevelSet expected = ReadSet(path);
  const ResourceCatalogue catalogue = CatalogueOf(folder);

  const DialogWindow dialog = OpenDialogByCommand(editor, 40014, "Level settings");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ComboCount(dialog, IDC_LEVEL_NUMBER), 10);
  EXPECT_EQ(ComboCount(dialog, IDC_LEVEL_MUSIC), static_cast<int>(catalogue.songs.size()));
  // Every enemy sprite set, the player's left out.
  EXPECT_EQ(ComboCount(dialog, IDC_LEVEL_TYPE1), static_cast<int>(catalogue.spriteSets.size()) - 1);
  ExpectShows(dialog, catalogue, expected[0], 0);

  // Moving the dialog to level 7 shows its settings and changes nothing yet.
  PickComboEntry(dialog, IDC_LEVEL_NUMBER, 6);
  ExpectShows(dialog, catalogue, expected[6], 6);
  EXPECT_EQ(editor.Title(), TitleFor(path, false));

  PickComboEntry(dialog, IDC_LEVEL_GOAL, 2);  // "Destroy gems"
  expected[6].goal = 2;
  EXPECT_EQ(editor.Title(), TitleFor(path, true));
  PickComboEntry(dialog, IDC_LEVEL_MUSIC, 3);
  expected[6].music = 3;
  PickComboEntry(dialog, IDC_LEVEL_TYPE2, 2);  // the third enemy sprite set
  expected[6].enemyTypes[1] = 3;

  // The preview shows the three types' sprites, masked onto the dialog.
  const auto previewOn = [&](const Image& shot) {
    Image preview(shot.Width(), shot.Height(), shot.At(1, 1));
    SoftwarePainter painter(catalogue, preview, shot.At(1, 1));
    PaintEnemyTypePreview(expected[6], catalogue, painter);
    return preview;
  };
  const auto sprite = [](const Image& image, int x) { return CropImage(image, x, 175, 32, 48); };
  const Image shot = CaptureWindowClient(dialog.window, [&](const Image& shown) {
    if (shown.Empty()) return false;
    const Image preview = previewOn(shown);
    for (int x : {50, 170, 290})
      if (!(sprite(shown, x) == sprite(preview, x))) return false;
    return true;
  });
  ASSERT_FALSE(shot.Empty());
  const Image preview = previewOn(shot);
  for (int x : {50, 170, 290}) {
    EXPECT_TRUE(sprite(shot, x) == sprite(preview, x)) << "preview at x " << x;
    EXPECT_FALSE(sprite(shot, x) == Image(32, 48, shot.At(1, 1)));
  }

  // The track bar: thumb and text stay together whatever moved the time.
  TrackBarDragTo(dialog, IDC_LEVEL_TIME, 75);
  ExpectTime(dialog, "1:15", 75);
  TrackBarNotify(dialog, IDC_LEVEL_TIME, TB_LINEDOWN);
  ExpectTime(dialog, "1:16", 76);
  TrackBarNotify(dialog, IDC_LEVEL_TIME, TB_PAGEDOWN);
  ExpectTime(dialog, "2:16", 136);
  TrackBarNotify(dialog, IDC_LEVEL_TIME, TB_PAGEUP);
  TrackBarNotify(dialog, IDC_LEVEL_TIME, TB_PAGEUP);
  ExpectTime(dialog, "0:16", 16);
  TrackBarNotify(dialog, IDC_LEVEL_TIME, TB_PAGEUP);
  TrackBarNotify(dialog, IDC_LEVEL_TIME, TB_LINEUP);
  ExpectTime(dialog, "0:15", 15);
  TrackBarNotify(dialog, IDC_LEVEL_TIME, TB_LINEDOWN);
  ExpectTime(dialog, "0:16", 16);
  WriteTimeLimit(expected[6].time, 16);

  ASSERT_TRUE(CloseByCloseBox(dialog));
  EXPECT_EQ(editor.Title(), TitleFor(path, true));
  // The main window stayed on level 1.
  editor.MouseMove(100, 100);
  EXPECT_EQ(editor.StatusText(), "Level 1");

  ASSERT_TRUE(SaveAndWait(editor, path));
  EXPECT_TRUE(FileBytes(path) == EncodeLevelSet(expected));
}

TEST(LevelSettingsDialog, CtrlLOpensOnTheCurrentLevelAndOnlyTheCloseBoxClosesIt) {
  ProgramDir folder;
  const std::string path = CopySample(folder, "levels.kxl");
  EditorProcess editor(folder, "\"" + path + "\"");
  ASSERT_TRUE(editor.WaitForWindow());
  LevelSet expected = ReadSet(path);
  const ResourceCatalogue catalogue = CatalogueOf(folder);

  SendCommand(editor, 40024);  // level 3
  editor.PressKeys({VK_CONTROL, 'L'});
  const DialogWindow dialog = editor.WaitForDialog(10000, "Level settings");
  ASSERT_TRUE(dialog);
  ExpectShows(dialog, catalogue, expected[2], 2);

  // Esc and Enter, as keys and as the commands the dialog manager makes of them.
  PressKeysIn(dialog, {VK_ESCAPE});
  EXPECT_TRUE(StaysOpen(dialog));
  PressKeysIn(dialog, {VK_RETURN});
  EXPECT_TRUE(StaysOpen(dialog));
  PostMessageA(dialog.window, WM_COMMAND, IDCANCEL, 0);
  PostMessageA(dialog.window, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(StaysOpen(dialog));
  EXPECT_EQ(editor.Title(), TitleFor(path, false));

  // Another sprite set for enemy type 1: the canvas redraws enemy 1 with it.
  MoveWindowTo(dialog.window, 700, 500);  // off the canvas, which is looked at
  const int other = expected[2].enemyTypes[0] == 1 ? 1 : 0;
  const Image before = CanvasOf(folder, expected, 2);
  PickComboEntry(dialog, IDC_LEVEL_TYPE1, other);
  expected[2].enemyTypes[0] = other + 1;
  const Image after = CanvasOf(folder, expected, 2);
  ASSERT_FALSE(before == after);  // level 3 has an enemy of type 1
  EXPECT_TRUE(editor.CanvasShows(after));

  // The track bar's own keys: a page is a minute, End and Home the ends.
  FocusControl(dialog, IDC_LEVEL_TIME);
  const int start = TimeLimitSeconds(expected[2].time);
  PressKeysIn(dialog, {VK_NEXT});
  const int paged = start + 60 > 599 ? 599 : start + 60;
  Level check = expected[2];
  WriteTimeLimit(check.time, paged);
  ExpectTime(dialog, check.time, paged);
  EXPECT_EQ(editor.Title(), TitleFor(path, true));
  PressKeysIn(dialog, {VK_END});
  ExpectTime(dialog, "9:59", 599);
  PressKeysIn(dialog, {VK_HOME});
  ExpectTime(dialog, "0:15", 15);
  PressKeysIn(dialog, {VK_RIGHT});
  ExpectTime(dialog, "0:16", 16);
  WriteTimeLimit(expected[2].time, 16);

  PostMessageA(dialog.window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsOpen(dialog); }));
  ASSERT_TRUE(SaveAndWait(editor, path));
  EXPECT_TRUE(FileBytes(path) == EncodeLevelSet(expected));
}
