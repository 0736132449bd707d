#include "view/level_picture.h"

#include <gtest/gtest.h>

#include "view/editor.h"
#include "support/test_sheets.h"

TEST(LevelPicture, CanvasAndWholeWindowAtBothZooms) {
  for (int z : {1, 2}) {
    Editor state;
    state.catalogue = MakeTestCatalogue(2, 4);
    LevelSet levels;
    levels[6].SetPatternSet(4);
    levels[6].SetCell(17 * 3 + 5, 150);
    levels[6].SetCell(17 * 12 + 16, 70);
    levels[2].SetCell(17 * 3 + 5, 99);  // another level, not drawn
    state.document.Replace(levels, "");
    state.session.inspectorTiles[0] = 12;
    state.session.selectionValue = 40;
    state.session.teleportPair = 5;

    LevelPictureOptions canvasOnly;
    canvasOnly.zoom = z;
    const Image canvas = RenderLevelPicture(state, 6, canvasOnly);
    ASSERT_EQ(canvas.Width(), 256 * z);
    ASSERT_EQ(canvas.Height(), 208 * z);
    EXPECT_EQ(LevelPictureWidth(canvasOnly), 256 * z);
    EXPECT_EQ(LevelPictureHeight(canvasOnly), 208 * z);
    // Cell (row 3, column 5): a wall over item 22, at canvas x 8z + 64z.
    const TilePixel upper = DecodeTilePixel(canvas.At(8 * z + 64 * z + 3 * z, 48 * z + 2 * z));
    EXPECT_EQ(upper.set, 1);
    EXPECT_EQ(upper.tile, 32);
    EXPECT_EQ(DecodeTilePixel(canvas.At(8 * z + 64 * z + 3 * z, 48 * z + 13 * z)).tile, 22);
    // The last row's right edge strip reaches the canvas's last pixel.
    EXPECT_EQ(DecodeTilePixel(canvas.At(256 * z - 1, 208 * z - 1)).tile, 70);
    EXPECT_EQ(DecodeTilePixel(canvas.At(0, 0)).tile, 0);
    // The editor's state right after opening a file.
    EXPECT_EQ(state.settings.zoom, z);
    EXPECT_EQ(state.session.currentLevel, 6);
    EXPECT_EQ(state.session.teleportPair, 0);
    EXPECT_EQ(state.session.selectionValue, 0);
    EXPECT_EQ(state.session.inspectorTiles[0], -1);
    EXPECT_EQ(state.session.regionList.Size(), 17u);
    EXPECT_EQ(state.session.canvasReady, 1);

    LevelPictureOptions whole;
    whole.zoom = z;
    whole.wholeWindow = true;
    whole.windowBackground = {1, 2, 3};
    const Image window = RenderLevelPicture(state, 6, whole);
    ASSERT_EQ(window.Width(), 516 * z);
    ASSERT_EQ(window.Height(), 210 * z + 16);
    for (int y = 0; y < canvas.Height(); y += 7)
      for (int x = 0; x < canvas.Width(); x += 5)
        ASSERT_EQ(window.At(x + z, y + z + 16), canvas.At(x, y)) << x << "," << y;
    EXPECT_EQ(window.At(0, 0), (Rgb{1, 2, 3}));
    EXPECT_EQ(DecodeTilePixel(window.At(259 * z + 16 * z * 9, z + 16)).tile, 9);  // palette
    EXPECT_EQ(window.At(259 * z, z + 16), (Rgb{255, 255, 255}));  // frame at pattern 0
    EXPECT_EQ(window.At(400 * z, 190 * z + 16), (Rgb{1, 2, 3}));  // empty inspector
    EXPECT_EQ(window.At(354 * z, 160 * z + 16), SpriteColourAt(1, 96));
  }

  Editor state;
  EXPECT_TRUE(RenderLevelPicture(state, 10, {}).Empty());
  EXPECT_TRUE(RenderLevelPicture(state, -1, {}).Empty());
  // No catalogue at all: a blank canvas, no crash.
  const Image blank = RenderLevelPicture(state, 0, {});
  ASSERT_EQ(blank.Width(), 256);
  EXPECT_EQ(blank.At(100, 100), kDefaultWindowBackground);
}

TEST(LevelPicture, TheSheetHoldsAllTenLevelsWithTheirNumbers) {
  Editor state;
  state.catalogue = MakeTestCatalogue(2, 4);
  LevelSet levels;
  for (int i = 0; i < kLevelCount; ++i) levels[i].SetCell(40, 64 + i);
  state.document.Replace(levels, "");
  for (int z : {1, 2}) {
    LevelPictureOptions options;
    options.zoom = z;
    options.windowBackground = {1, 2, 3};
    const Image sheet = RenderLevelSheet(state, options);
    EXPECT_EQ(sheet.Width(), (5 * 256 + 24) * z);
    EXPECT_EQ(sheet.Height(), (2 * (208 + 11) + 12) * z);
    // Level 7: the second row's second canvas, drawn as the canvas is.
    const Image seventh = RenderLevelPicture(state, 6, options);
    EXPECT_TRUE(CropImage(sheet, (4 + 260) * z, (4 + 219 + 4 + 11) * z, 256 * z, 208 * z) == seventh);
    // Its number above it: "7" is a bar over a stroke down, in black.
    EXPECT_EQ(sheet.At((4 + 260) * z, (4 + 219 + 4 + 2) * z), (Rgb{0, 0, 0}));
    EXPECT_EQ(sheet.At((4 + 260) * z, (4 + 219 + 4 + 3) * z), (Rgb{1, 2, 3}));
    EXPECT_EQ(sheet.At(0, 0), (Rgb{1, 2, 3}));
  }
}
