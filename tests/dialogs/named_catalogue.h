// A catalogue with names only (no pictures are needed to test the rules):
// the player's sprite set and three enemy sets, songs and AI types whose
// names begin other names listed before them, one pattern set; and ten
// levels in which the checks find nothing wrong with it.
#pragma once

#include "gfx/resource_catalogue.h"
#include "level/level.h"

inline ResourceCatalogue NamedCatalogue() {
  ResourceCatalogue catalogue;
  for (const char* name : {"Player", "Blob", "Bat", "Ghost"}) {
    SpriteSet set;
    set.name = name;
    catalogue.spriteSets.push_back(set);
  }
  catalogue.songs = {"Theme two", "Theme", "Boss"};
  catalogue.aiTypes = {"Chase fast", "Chase", "Wander", "Guard"};
  catalogue.patternSets.push_back(PatternSet{{}, {}, "Stone"});
  return catalogue;
}

inline LevelSet FlawlessLevels() {
  LevelSet levels;
  for (Level& level : levels) {
    level.PlaceCell(40, kCellExit);
    level.GetActor(0).Set(8, 16, 5, 0, 0, 4);
    level.GetActor(1).Set(24, 16, 5, 24, 5, 2);
  }
  return levels;
}
