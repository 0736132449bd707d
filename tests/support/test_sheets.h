// Synthetic sheets for drawing tests: every pixel tells where it came from.
// Pattern sheets: a pixel of tile t is r = t, g = 1 (+ 64 in the lower half of the tile, + 32 in its right
// half), b = 200 + the pattern-set index. Sprite sheets: the upper 8 rows of every frame are transparent
// (mask white, colour black); below, the colour is r = 128 + the 16-pixel column of the frame,
// g = 8 * set + 1, b = 7, the mask black. No sheet pixel is white or the window's background.
#pragma once

#include "gfx/image.h"
#include "gfx/resource_catalogue.h"

struct TilePixel {
  int set = -1;  // -1: not from a pattern sheet
  int tile = -1;
  bool lower = false, right = false;  // which quarter of the tile
};

Rgb PatternSheetPixel(int set, int tile, bool lower, bool right);
TilePixel DecodeTilePixel(Rgb pixel);
Image MakePatternSheet(int set, int zoom);            // 256 x 128 times zoom
Image MakeSpriteSheet(int set, int zoom, bool mask);  // 256 x 24 times zoom
Rgb SpriteColourAt(int set, int frameX);              // of the frame whose left edge is at normal-size x frameX
// Pattern sets "Set 0", "Set 1", ... and sprite sets (entry 0 the player's).
ResourceCatalogue MakeTestCatalogue(int patternSets, int spriteSets);

// For pictures a person looks at: pattern tile t has a colour of its own (redder to the right of
// the sheet, greener further down, bluer for later sets) and its number written in each half, dark
// in the upper half and yellow in the lower, so half tiles show where they came from.
Image MakeLabelledPatternSheet(int set, int zoom);
// MakeTestCatalogue with labelled pattern sheets.
ResourceCatalogue MakeLabelledCatalogue(int patternSets, int spriteSets);
