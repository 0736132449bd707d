// Where Copy puts a level and Paste takes it from: the named shared block
// "KraxoLevel" that every running editor opens (level_image.h has its
// layout). The Win32 shell implements it on a file mapping; tests on memory.
#pragma once

#include "level/level.h"

class LevelTransfer {
 public:
  virtual ~LevelTransfer() = default;
  virtual void PutTempLevel(const Level& level) = 0;
  // 1 when the block holds a level.
  virtual int HasTempLevel() = 0;
  virtual Level GetTempLevel() = 0;
};
