// A picture of a sample level as the editor's canvas shows it (256 x 208:
// the fifteen main columns, half of each edge column, the actors over the
// tiles), so the levels can be looked at without starting the editor. Only
// for the art builder's previews.
#pragma once

#include "art_source.h"
#include "gfx/image.h"
#include "level/level.h"

constexpr int kPreviewWidth = 256;
constexpr int kPreviewHeight = 208;

// `enemySheets[s - 1]` draws sprite set s; a missing sheet draws nothing.
Image PreviewLevel(const Level& level, const ArtSheet& patterns, const ArtSheet& player,
                   const std::vector<const ArtSheet*>& enemySheets);
