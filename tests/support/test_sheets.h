// Synthetic sheets for drawing tests: every pixel tells where it came from.
//
// Pattern sheets: a pixel of tile t carries r = t, g = the quarter of the
// tile (bit 64 set in the lower half, bit 32 in the right half, on top of a
// base of 1) and b = 200 + the pattern-set index. So a canvas pixel tells
// which set, tile and half tile was drawn there.
//
// Sprite sheets: the upper third of every frame (8 rows at normal size) is
// transparent (mask white, colour black); below that the colour is
// r = 128 + the 16-pixel column of the frame, g = 8 * set + 1, b = 7, and the
// mask black. No sheet pixel is white or the window's background.
#pragma once

#include "gfx/image.h"
#include "gfx/resource_catalogue.h"

struct TilePixel {
  int set = -1;   // pattern-set index, -1 when the pixel is not from a pattern sheet
  int tile = -1;
  bool lower = false;  // from the lower half of the tile
  bool right = false;  // from the right half of the tile
};

Rgb PatternSheetPixel(int set, int tile, bool lower, bool right);
TilePixel DecodeTilePixel(Rgb pixel);

// zoom 1: 256 x 128, zoom 2: 512 x 256.
Image MakePatternSheet(int set, int zoom);
// zoom 1: 256 x 24, zoom 2: 512 x 48.
Image MakeSpriteSheet(int set, int zoom, bool mask);

// The colour of the opaque part of a sprite frame whose left edge lies at
// normal-size sheet x `frameX`.
Rgb SpriteColourAt(int set, int frameX);

// patternSets pattern sets named "Set 0", "Set 1", ... and spriteSets sprite
// sets (entry 0 the player's).
ResourceCatalogue MakeTestCatalogue(int patternSets, int spriteSets);
