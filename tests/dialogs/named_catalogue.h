// A catalogue with names only (no pictures are needed to test the rules):
// the player's sprite set and three enemy sets, songs and AI types whose
// names begin other names listed before them.
#pragma once

#include "gfx/resource_catalogue.h"

inline ResourceCatalogue NamedCatalogue() {
  ResourceCatalogue catalogue;
  for (const char* name : {"Player", "Blob", "Bat", "Ghost"}) {
    SpriteSet set;
    set.name = name;
    catalogue.spriteSets.push_back(set);
  }
  catalogue.songs = {"Theme two", "Theme", "Boss"};
  catalogue.aiTypes = {"Chase fast", "Chase", "Wander", "Guard"};
  return catalogue;
}
