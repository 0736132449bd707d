// The "Edit Enemy" dialog of the real program: opened from the menu, by
// Ctrl+E and by a double click on each enemy image of the side panel,
// driven through its combo boxes and up-down, closed by its close box.
#include <gtest/gtest.h>

#include "../../res/resource.h"
#include "dialogs/enemy_settings.h"
#include "e2e/dialog_driver.h"
#include "gfx/resource_catalogue.h"
#include "app/editor_state.h"
#include "gfx/software_painter.h"
#include "level/level_file.h"
#include "view/level_picture.h"

namespace {

std::string TypeNameOf(const Level& level, const ActorRecord& enemy,
                       const ResourceCatalogue& catalogue) {
  const int32_t set = EnemySpriteSet(level, enemy, catalogue);
  return set < 0 ? "" : catalogue.spriteSets.at(static_cast<size_t>(set)).name;
}

// What the controls must show for enemy `number` (1..5) of the level.
void ExpectShows(const DialogWindow& dialog, const ResourceCatalogue& catalogue,
                 const Level& level, int number) {
  const ActorRecord& enemy = level.actors[number];
  EXPECT_EQ(ComboChoice(dialog, IDC_ENEMY_NUMBER), number - 1);
  EXPECT_EQ(ComboChoice(dialog, IDC_ENEMY_SPEED), SpeedChoiceOf(enemy.speed)) << "enemy " << number;
  EXPECT_EQ(ComboChoice(dialog, IDC_ENEMY_DIRECTION), DirectionChoiceOf(enemy.direction));
  EXPECT_EQ(ComboChoice(dialog, IDC_ENEMY_AI), AiTypeChoiceOf(catalogue, enemy.aiType));
  EXPECT_EQ(UpDownPosition(dialog, IDC_ENEMY_TYPE), enemy.typeCode / 24);
  EXPECT_EQ(ControlText(dialog, IDC_ENEMY_TYPE_NAME), TypeNameOf(level, enemy, catalogue));
}

}  // namespace

TEST(EnemySettingsDialog, FromTheMenuEditsSpeedFacingAiAndTypeOfTheChosenEnemy) {
  ProgramDir folder;
  const std::string path = CopySample(folder, "levels.kxl");
  EditorProcess editor(folder, "\"" + path + "\"");
  ASSERT_TRUE(editor.WaitForWindow());
  LevelSet expected = ReadSet(path);
  const ResourceCatalogue catalogue = CatalogueOf(folder);

  const DialogWindow dialog = OpenDialogByCommand(editor, 40017, "Edit Enemy");
  ASSERT_TRUE(dialog);
  MoveWindowTo(dialog.window, 700, 500);  // off the canvas, which is looked at
  EXPECT_EQ(ComboCount(dialog, IDC_ENEMY_AI), static_cast<int>(catalogue.aiTypes.size()));
  ExpectShows(dialog, catalogue, expected[0], 1);
  EXPECT_EQ(editor.Title(), TitleFor(path, false));

  // Switching to enemy 3 shows it, and counts as a change.
  PickComboEntry(dialog, IDC_ENEMY_NUMBER, 2);
  ExpectShows(dialog, catalogue, expected[0], 3);
  EXPECT_EQ(editor.Title(), TitleFor(path, true));

  ActorRecord& enemy = expected[0].actors[3];
  PickComboEntry(dialog, IDC_ENEMY_SPEED, 2);  // "Fast"
  enemy.speed = 8;
  PickComboEntry(dialog, IDC_ENEMY_DIRECTION, 3);  // "Left"
  enemy.direction = 7;
  PickComboEntry(dialog, IDC_ENEMY_AI, 2);  // the third AI type
  enemy.aiType = 7;
  // One click on an arrow of the up-down moves the type by one, within 1..3.
  const int type = enemy.typeCode / 24;
  const bool right = type < 3;
  ClickUpDownArrow(dialog, IDC_ENEMY_TYPE, right);
  enemy.typeCode = 24 * (right ? type + 1 : type - 1);
  EXPECT_EQ(UpDownPosition(dialog, IDC_ENEMY_TYPE), enemy.typeCode / 24);
  EXPECT_EQ(ControlText(dialog, IDC_ENEMY_TYPE_NAME), TypeNameOf(expected[0], enemy, catalogue));
  ExpectShows(dialog, catalogue, expected[0], 3);

  // The preview: the left-facing frame of the new type, black background and all.
  const auto sprite = [](const Image& image) { return CropImage(image, 182, 16, 32, 48); };
  RECT client = {};
  GetClientRect(dialog.window, &client);
  Image preview(client.right, client.bottom);
  SoftwarePainter painter(catalogue, preview);
  PaintEnemyPreview(expected[0], enemy, catalogue, painter);
  const Image shot = CaptureWindowClient(
      dialog.window, [&](const Image& shown) { return sprite(shown) == sprite(preview); });
  ASSERT_FALSE(shot.Empty());
  EXPECT_TRUE(sprite(shot) == sprite(preview));
  EXPECT_FALSE(sprite(shot) == Image(32, 48));

  // The canvas shows enemy 3 turned left and of its new type.
  editor.WaitIdle();
  EditorState state;
  state.catalogue = catalogue;
  state.levels = ReadSet(folder.File("sample.kxl"));
  const Image before = RenderLevelPicture(state, 0, LevelPictureOptions());
  state.levels = expected;
  const Image after = RenderLevelPicture(state, 0, LevelPictureOptions());
  ASSERT_FALSE(before == after);  // enemy 3 stands on level 1
  EXPECT_TRUE(editor.CanvasShows(after));

  ASSERT_TRUE(CloseByCloseBox(dialog));
  ASSERT_TRUE(SaveAndWait(editor, path));
  EXPECT_TRUE(FileBytes(path) == EncodeLevelSet(expected));
}

TEST(EnemySettingsDialog, CtrlEAndADoubleClickOnEachEnemyImageOpenOnThatEnemy) {
  ProgramDir folder;
  const std::string path = CopySample(folder, "levels.kxl");
  EditorProcess editor(folder, "\"" + path + "\"");
  ASSERT_TRUE(editor.WaitForWindow());
  const LevelSet levels = ReadSet(path);
  const ResourceCatalogue catalogue = CatalogueOf(folder);

  editor.PressKeys({VK_CONTROL, 'E'});
  DialogWindow dialog = editor.WaitForDialog(10000, "Edit Enemy");
  ASSERT_TRUE(dialog);
  ExpectShows(dialog, catalogue, levels[0], 1);
  PressKeysIn(dialog, {VK_ESCAPE});
  EXPECT_TRUE(StaysOpen(dialog));
  PressKeysIn(dialog, {VK_RETURN});
  EXPECT_TRUE(StaysOpen(dialog));
  PostMessageA(dialog.window, WM_COMMAND, IDCANCEL, 0);
  PostMessageA(dialog.window, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(StaysOpen(dialog));
  ASSERT_TRUE(CloseByCloseBox(dialog));

  for (int number = 1; number <= 5; ++number) {
    SCOPED_TRACE("enemy " + std::to_string(number));
    editor.DoubleClick(353 + 30 * (number - 1) + 8, 154 + 12);
    dialog = editor.WaitForDialog(10000, "Edit Enemy");
    ASSERT_TRUE(dialog);
    ExpectShows(dialog, catalogue, levels[0], number);
    ASSERT_TRUE(CloseByCloseBox(dialog));
  }
  // Looking at the enemies changed nothing.
  EXPECT_EQ(editor.Title(), TitleFor(path, false));
}
