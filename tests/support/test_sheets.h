// Synthetic sheets for drawing tests and the pictures a person looks at.
// Pattern tile t has a colour of its own (redder to the right of the sheet,
// greener further down, bluer for later sets) and its number written in each
// half, dark in the upper half and yellow in the lower, so half tiles show
// where they came from. Sprite sheets: the upper 8 rows of every frame are
// transparent (mask white, colour black); below, the colour is r = 128 + the
// 16-pixel column of the frame, g = 8 * set + 1, b = 7, the mask black.
#pragma once

#include "gfx/resource_catalogue.h"

// Pattern sets "Set 0", "Set 1", ... and sprite sets (entry 0 the player's).
ResourceCatalogue MakeTestCatalogue(int patternSets, int spriteSets);
