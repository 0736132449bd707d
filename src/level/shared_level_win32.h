// The named block of shared memory "KraxoLevel" through which Copy and Paste
// move one level between running editors. It lives while any editor has it
// open; the first editor to create it marks it empty.
#pragma once

#include <windows.h>

#include "level/level_transfer.h"

class SharedLevelBlock : public LevelTransfer {
 public:
  SharedLevelBlock() = default;
  ~SharedLevelBlock() override { DestroyTempLevel(); }
  SharedLevelBlock(const SharedLevelBlock&) = delete;
  SharedLevelBlock& operator=(const SharedLevelBlock&) = delete;

  // 1 when the block is open and mapped, 0 when it cannot be created or mapped.
  int CreateTempLevel();
  void DestroyTempLevel();

  void PutTempLevel(const Level& level) override;
  int HasTempLevel() override;
  Level GetTempLevel() override;

 private:
  HANDLE mapping_ = nullptr;
  BYTE* view_ = nullptr;
};
