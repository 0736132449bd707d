#include "view/level_picture.h"

#include <gtest/gtest.h>

#include "support/test_sheets.h"
#include "view/editor.h"
#include "view/golden.h"

namespace {

constexpr Rgb kPictureBackground{180, 200, 230};

// Level 7 on pattern set 1 with a wall over item 22 and a solid in the last
// cell; level 3 differs too. The session as a user left it.
void OpenSevenLevels(Editor& state) {
  state.catalogue = MakeTestCatalogue(2, 4);
  LevelSet levels;
  levels[6].SetPatternSet(PatternSetValueOf(1));
  levels[6].SetCell(3 * kGridColumns + 5, 150);
  levels[6].SetCell(kCellCount - 1, 70);
  levels[2].SetCell(3 * kGridColumns + 5, 99);
  for (int i = 0; i < kLevelCount; ++i) levels[i].SetCell(40, kCellSolidFirst + i);
  state.document.Replace(levels, "");
  state.session.inspectorTiles[0] = 12;
  state.session.selectionValue = 40;
  state.session.teleportPair = 5;
}

}  // namespace

TEST(LevelPicture, TheSheetHoldsAllTenLevelsWithTheirNumbers) {
  Editor state;
  OpenSevenLevels(state);
  LevelPictureOptions options;
  options.windowBackground = kPictureBackground;
  const Image sheet = RenderLevelSheet(state, options);
  EXPECT_TRUE(MatchesGolden(sheet, "level_sheet_z1.png"));
  // Level 7: the second row's second canvas, drawn as the canvas is.
  const Image seventh = RenderLevelPicture(state, 6, options);
  EXPECT_TRUE(CropImage(sheet, 4 + 260, 4 + 219 + 4 + 11, 256, 208) == seventh);
}
