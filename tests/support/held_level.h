// The shared block of the level transfer, as far as the commands see it.
#pragma once

#include <optional>

#include "level/level_transfer.h"

struct HeldLevel : LevelTransfer {
  std::optional<Level> held;
  void PutTempLevel(const Level& level) override { held = level; }
  int HasTempLevel() override { return held ? 1 : 0; }
  Level GetTempLevel() override { return held.value_or(Level()); }
};
