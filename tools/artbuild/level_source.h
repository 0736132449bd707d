// The sample level set written as text: a legend of map characters, then per
// level its settings and a 17 x 13 map, one character per cell. The format
// is described at the top of data/sample/levels.txt; in short:
//
//   key # 64                 map character -> a cell value or a name:
//   key + wall1 speed-up     exit [N], start N, end N, gem, destroyable, an item,
//                            wall1/wall2 (optionally hiding an item), 0..255
//   level 1                  levels 1..10 in order, then their lines:
//   patterns garden          pattern set by file name (or index) in resources.ini
//   goal collect             kill, collect, destroy, collect-destroy
//   music 2  time 2:30  enemies slime bat ghost  floor 0
//   map                      13 rows of 17 characters; '@' the player, 1..5 enemies
//   player down
//   enemy 1 left type 2 ai 0 speed fast
#pragma once

#include <string>

#include "level/level.h"
#include "resource_list.h"
#include "source_text.h"

// Builds the ten levels from the text. Walkable cells get their own pattern
// as floor, everything else (walls, items, actors, the exit) the pattern most
// of its neighbours show, or the level's floor; shadows are corrected last.
bool ParseLevelSource(const std::string& path, const std::string& text,
                      const ResourceList& resources, LevelSet& levels, SourceError& error);
