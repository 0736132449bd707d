#include "level/level.h"

#include <algorithm>
#include <cstring>

void ActorRecord::Reset() { Set(0, 0, 5, 24, 5, 2); }

void ActorRecord::Set(int32_t x, int32_t y, int32_t direction, int32_t typeCode, int32_t aiType,
                      int32_t speed) {
  x_ = x;
  y_ = y;
  direction_ = direction;
  typeCode_ = typeCode;
  aiType_ = aiType;
  speed_ = speed;
}

Level::Level() { Clear(); }

void Level::Clear() {
  goal_ = 0;
  patternSet_ = kPatternSetBase;
  music_ = 0;
  for (int slot = 0; slot < 3; ++slot) enemyTypes_[slot] = slot + 1;
  std::memset(time_, 0, sizeof time_);
  std::memcpy(time_, "2:00", 4);
  std::fill(std::begin(cells_), std::end(cells_), 0);
  std::fill(std::begin(floors_), std::end(floors_), 0);
  for (ActorRecord& actor : actors_) actor.Reset();
}

void Level::ClearKeepPatternSet() {
  const int32_t kept = patternSet_;
  Clear();
  patternSet_ = kept;
}

std::string Level::TimeText() const {
  return std::string(time_, std::find(std::begin(time_), std::end(time_), '\0'));
}

int32_t Level::GetEnemyType(int slot) const { return IsIndex(slot, 3) ? enemyTypes_[slot] : -1; }

void Level::SetEnemyType(int slot, int32_t value) {
  if (IsIndex(slot, 3)) enemyTypes_[slot] = value;
}

void Level::PlaceCell(int index, int32_t value) {
  if (value == kCellExit) {
    // The exit keeps the walkable pattern it lands on, shadow bit included.
    const int32_t current = cells_[index];
    cells_[index] = IsWalkable(current) ? current + kCellExitOnFloor : kCellExitOnFloor;
    return;
  }
  if (value >= kCellTeleportFirst) {
    // Each teleport end exists at most once in a level.
    for (int32_t& cell : cells_)
      if (cell == value) cell = 0;
  }
  cells_[index] = value;
}

int Level::FindExit() const {
  for (int i = 0; i < kCellCount; ++i)
    if (IsExit(cells_[i])) return i;
  return -1;
}

int32_t EnemySpriteSet(const Level& level, const ActorRecord& actor) {
  const int slot = EnemyTypeSlot(actor.typeCode());
  return slot < 0 ? -1 : level.GetEnemyType(slot);
}

int32_t SpriteSetOf(const Level& level, const ActorRecord& actor) {
  return actor.typeCode() == 0 ? 0 : EnemySpriteSet(level, actor);
}

const char* GoalName(int32_t goal) {
  static const char* const kNames[] = {"Kill enemies", "Collect gems", "Destroy gems",
                                       "Collect & Destroy gems"};
  return IsIndex(goal, kGoalCount) ? kNames[goal] : nullptr;
}

int ActorCell(const ActorRecord& actor) {
  if (!actor.IsPlaced() || (actor.x() + 8) % 16 != 0 || actor.y() % 16 != 0) return -1;
  const int column = (actor.x() + 8) / 16, row = actor.y() / 16;
  return IsIndex(column, kGridColumns) && IsIndex(row, kGridRows) ? row * kGridColumns + column : -1;
}
