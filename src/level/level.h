// One level of Kraxolan: a 17 x 13 grid of cells with a floor layer beneath,
// the player and five enemies, and the level's settings.
//
// The field order of Level is also the order of its memory image, which
// travels between running editors (level_image.h), so it must not change.
// The fields are private: the editor's levels belong to the document
// (doc/document.h), which hands out const levels only, so every change to
// them goes through its history.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "base/ranges.h"

constexpr int kGridColumns = 17;
constexpr int kGridRows = 13;
constexpr int kCellCount = kGridColumns * kGridRows;  // 221
constexpr int kActorCount = 6;                        // the player and five enemies
constexpr int kEnemyCount = 5;                        // actors 1..5
constexpr int kLevelCount = 10;
constexpr int kTeleportPairs = 8;
constexpr int kTimeBytes = 8;                         // "m:ss", a terminator, spare

// Cell values with a meaning of their own.
constexpr int kCellTeleportTile = 16;   // the sheet tile drawn for teleport ends
constexpr int kCellExit = 17;           // the exit as chosen in the palette
constexpr int kCellFirstItem = 18;      // 18..29: the twelve items
constexpr int kCellLastItem = 29;
constexpr int kCellGem = 31;
constexpr int kCellWall1 = 32;          // explodable wall, first kind
constexpr int kCellWall2 = 42;          // explodable wall, second kind
constexpr int kCellDestroyable = 52;
constexpr int kCellSolidFirst = 64;
constexpr int kCellSolidLast = 127;
constexpr int kCellExitOnFloor = 128;   // 128..143: the exit on walkable pattern v - 128
constexpr int kCellWall1Item = 144;     // 144..159: first-kind wall hiding item v - 128
constexpr int kCellWall2Item = 160;     // 160..175: second-kind wall hiding item v - 144
constexpr int kCellTeleportFirst = 176; // 176 + 2n start, 177 + 2n end of pair n

constexpr bool IsWalkable(int32_t v) { return v >= 0 && v < 16; }
constexpr bool IsFreeItem(int32_t v) { return v >= kCellFirstItem && v <= kCellGem; }  // items and gem
constexpr bool IsWall(int32_t v) { return v == kCellWall1 || v == kCellWall2; }
constexpr bool IsSolid(int32_t v) { return v >= kCellSolidFirst && v <= kCellSolidLast; }
constexpr bool IsExit(int32_t v) { return v >= kCellExitOnFloor && v < kCellWall1Item; }
constexpr bool IsWallWithItem(int32_t v) { return v >= kCellWall1Item && v < kCellTeleportFirst; }
constexpr bool IsTeleportEnd(int32_t v) {
  return v >= kCellTeleportFirst && v < kCellTeleportFirst + 2 * kTeleportPairs;
}
// The item a wall hides, or -1 for any other cell.
constexpr int32_t HiddenItem(int32_t v) {
  return v >= kCellWall1Item && v < kCellWall2Item   ? v - 128
         : v >= kCellWall2Item && v < kCellTeleportFirst ? v - 144
                                                          : -1;
}

constexpr int ColumnOf(int cell) { return cell % kGridColumns; }
constexpr int RowOf(int cell) { return cell / kGridColumns; }
constexpr bool IsEdgeColumn(int column) { return column == 0 || column == kGridColumns - 1; }
// The main grid, rows 1 to 12 and columns 1 to 15: where actors stand and
// where the exit and the teleport ends go.
constexpr bool IsMainGrid(int column, int row) {
  return row > 0 && row < kGridRows && column > 0 && column < kGridColumns - 1;
}
// An actor on the square of grid column c and row r: x = 16 x c - 8, y = 16 x r.
constexpr int32_t ActorXAt(int column) { return 16 * column - 8; }
constexpr int32_t ActorYAt(int row) { return 16 * row; }

// A level stores its pattern set as the catalogue's index plus 3.
constexpr int32_t kPatternSetBase = 3;
constexpr int PatternSetIndexOf(int32_t stored) { return stored - kPatternSetBase; }
constexpr int32_t PatternSetValueOf(int index) { return index + kPatternSetBase; }

// Facings 1 up, 3 right, 5 down, 7 left are the sprite column groups 0..3;
// -1 for any other value.
constexpr int DirectionGroup(int32_t direction) {
  return direction == 1 || direction == 3 || direction == 5 || direction == 7 ? direction / 2 : -1;
}

// Enemy types 1..3 are type codes 24, 48, 72 and the level's slots 0..2.
constexpr int32_t kTypeCodeStep = 24;
constexpr int EnemyTypeSlot(int32_t typeCode) {
  return typeCode == 24 || typeCode == 48 || typeCode == 72 ? typeCode / kTypeCodeStep - 1 : -1;
}

// AI types are stored as the catalogue's index plus 5.
constexpr int32_t kAiTypeBase = 5;

class ActorRecord {
 public:
  void Reset();
  void Set(int32_t x, int32_t y, int32_t direction, int32_t typeCode, int32_t aiType,
           int32_t speed);
  void SetPosition(int32_t x, int32_t y) { x_ = x, y_ = y; }
  void SetDirection(int32_t value) { direction_ = value; }
  void SetTypeCode(int32_t value) { typeCode_ = value; }
  void SetAiType(int32_t value) { aiType_ = value; }
  void SetSpeed(int32_t value) { speed_ = value; }

  int32_t x() const { return x_; }                // left edge of the sprite, unzoomed; 0 = not placed
  int32_t y() const { return y_; }                // top of the actor's cell row, unzoomed
  int32_t direction() const { return direction_; }  // 1 up, 3 right, 5 down, 7 left
  int32_t typeCode() const { return typeCode_; }    // 24 x enemy type (1..3); 0 for the player
  int32_t aiType() const { return aiType_; }        // AI type index + 5; 0 for the player
  int32_t speed() const { return speed_; }          // 2 slow, 4 normal, 8 fast
  bool IsPlaced() const { return x_ != 0; }
  bool operator==(const ActorRecord&) const = default;

 private:
  int32_t x_ = 0;
  int32_t y_ = 0;
  int32_t direction_ = 5;
  int32_t typeCode_ = 24;
  int32_t aiType_ = 5;
  int32_t speed_ = 2;
};

class Level {
 public:
  Level();
  bool operator==(const Level&) const = default;

  void Clear();
  void ClearKeepPatternSet();

  int32_t GetGoal() const { return goal_; }
  void SetGoal(int32_t value) { goal_ = value; }
  int32_t GetPatternSet() const { return patternSet_; }
  void SetPatternSet(int32_t value) { patternSet_ = value; }
  int32_t GetMusic() const { return music_; }
  void SetMusic(int32_t value) { music_ = value; }
  // The eight bytes of the time text; edited in place by the level dialog.
  const char* GetTime() const { return time_; }
  char* GetTime() { return time_; }
  // The time text up to its terminator (or all eight bytes without one).
  std::string TimeText() const;
  int32_t GetEnemyType(int slot) const;   // -1 outside slots 0..2
  void SetEnemyType(int slot, int32_t value);

  int32_t GetCell(int index) const { return cells_[index]; }
  // Stores a cell with the exit and teleport rules.
  void PlaceCell(int index, int32_t value);
  // Stores a cell as it is (the edge columns, files, pasted levels).
  void SetCell(int index, int32_t value) { cells_[index] = value; }
  void SetLeftEdgeCell(int row, int32_t value) { cells_[row * kGridColumns] = value; }
  void SetRightEdgeCell(int row, int32_t value) { cells_[row * kGridColumns + 16] = value; }
  int32_t GetFloor(int index) const { return floors_[index]; }
  void SetFloor(int index, int32_t value) { floors_[index] = value; }
  std::span<const int32_t, kCellCount> Cells() const { return std::span<const int32_t, kCellCount>(cells_); }
  std::span<const int32_t, kCellCount> Floors() const { return std::span<const int32_t, kCellCount>(floors_); }

  const ActorRecord& GetActor(int i) const { return actors_[i]; }
  ActorRecord& GetActor(int i) { return actors_[i]; }
  void SetActorPosition(int i, int32_t x, int32_t y) { actors_[i].SetPosition(x, y); }

  int FindExit() const;  // the lowest cell holding an exit, or -1
  void CorrectShadows();
  // The shadow rule for one cell (both layers), from the cell above it; a
  // cell of row 0 has nothing above it and stays.
  void CorrectShadowOf(int index);

 private:
  int32_t goal_;
  int32_t patternSet_;     // pattern-set index + 3
  int32_t music_;
  int32_t enemyTypes_[3];  // sprite-set numbers of enemy types 1..3
  int32_t cells_[kCellCount];
  int32_t floors_[kCellCount];
  ActorRecord actors_[kActorCount];
  char time_[kTimeBytes];  // "m:ss" and a terminator
};

using LevelSet = std::array<Level, kLevelCount>;

// The sprite set of the level's slot for the actor's enemy type; -1 for a
// type code other than 24, 48, 72.
int32_t EnemySpriteSet(const Level& level, const ActorRecord& actor);
// The sprite set that draws an actor: the player's (0) for type code 0, the
// level's slot of its enemy type otherwise; -1 for any other type code.
int32_t SpriteSetOf(const Level& level, const ActorRecord& actor);

// The cell an actor stands on (x = 16 x column - 8, y = 16 x row), or -1
// when it is not placed or its place is no square of the grid.
int ActorCell(const ActorRecord& actor);

// Names of the four goals, by goal value.
constexpr int kGoalCount = 4;
const char* GoalName(int32_t goal);  // nullptr outside 0..3
