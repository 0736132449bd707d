#include "level/level.h"

#include <cstring>

void ActorRecord::Reset() { Set(0, 0, 5, 24, 5, 2); }

void ActorRecord::Set(int32_t newX, int32_t newY, int32_t newDirection, int32_t newTypeCode,
                      int32_t newAiType, int32_t newSpeed) {
  x = newX;
  y = newY;
  direction = newDirection;
  typeCode = newTypeCode;
  aiType = newAiType;
  speed = newSpeed;
}

Level::Level() { Clear(); }

void Level::Clear() {
  goal = 0;
  patternSet = 3;
  music = 0;
  enemyTypes[0] = 1;
  enemyTypes[1] = 2;
  enemyTypes[2] = 3;
  std::memset(time, 0, sizeof time);
  std::memcpy(time, "2:00", 4);
  std::memset(cells, 0, sizeof cells);
  std::memset(floors, 0, sizeof floors);
  for (ActorRecord& actor : actors) actor.Reset();
}

void Level::ClearKeepPatternSet() {
  const int32_t kept = patternSet;
  Clear();
  patternSet = kept;
}

int32_t Level::GetEnemyType(int slot) const {
  return slot >= 0 && slot < 3 ? enemyTypes[slot] : -1;
}

void Level::SetEnemyType(int slot, int32_t value) {
  if (slot >= 0 && slot < 3) enemyTypes[slot] = value;
}

void Level::PlaceCell(int index, int32_t value) {
  if (value == kCellExit) {
    // The exit keeps the walkable pattern it lands on, shadow bit included.
    const int32_t current = cells[index];
    cells[index] = current >= 0 && current < 16 ? current + kCellExitOnFloor : kCellExitOnFloor;
    return;
  }
  if (value >= kCellTeleportFirst) {
    // Each teleport end exists at most once in a level.
    for (int32_t& cell : cells)
      if (cell == value) cell = 0;
  }
  cells[index] = value;
}

void Level::SetActorPosition(int i, int32_t x, int32_t y) {
  actors[i].x = x;
  actors[i].y = y;
}

int Level::FindExit() const {
  for (int i = 0; i < kCellCount; ++i)
    if (cells[i] >= kCellExitOnFloor && cells[i] <= kCellExitOnFloor + 15) return i;
  return -1;
}

const char* GoalName(int32_t goal) {
  static const char* const kNames[] = {"Kill enemies", "Collect gems", "Destroy gems",
                                       "Collect & Destroy gems"};
  return goal >= 0 && goal < 4 ? kNames[goal] : nullptr;
}
