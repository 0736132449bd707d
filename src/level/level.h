// One level of Kraxolan: a 17 x 13 grid of cells with a floor layer beneath,
// the player and five enemies, and the level's settings.
//
// The field order of Level is also the order of its memory image, which
// travels between running editors (level_image.h), so it must not change.
#pragma once

#include <array>
#include <cstdint>

constexpr int kGridColumns = 17;
constexpr int kGridRows = 13;
constexpr int kCellCount = kGridColumns * kGridRows;  // 221
constexpr int kActorCount = 6;                        // the player and five enemies
constexpr int kLevelCount = 10;

// Cell values with a meaning of their own.
constexpr int kCellTeleportTile = 16;   // the sheet tile drawn for teleport ends
constexpr int kCellExit = 17;           // the exit as chosen in the palette
constexpr int kCellGem = 31;
constexpr int kCellWall1 = 32;          // explodable wall, first kind
constexpr int kCellWall2 = 42;          // explodable wall, second kind
constexpr int kCellDestroyable = 52;
constexpr int kCellSolidFirst = 64;
constexpr int kCellExitOnFloor = 128;   // 128..143: the exit on walkable pattern v - 128
constexpr int kCellWall1Item = 144;     // 144..159: first-kind wall hiding item v - 128
constexpr int kCellWall2Item = 160;     // 160..175: second-kind wall hiding item v - 144
constexpr int kCellTeleportFirst = 176; // 176 + 2n start, 177 + 2n end of pair n

struct ActorRecord {
  int32_t x = 0;          // left edge of the sprite, unzoomed; 0 = not placed
  int32_t y = 0;          // top of the actor's cell row, unzoomed
  int32_t direction = 5;  // 1 up, 3 right, 5 down, 7 left
  int32_t typeCode = 24;  // 24 x enemy type (1..3); 0 for the player
  int32_t aiType = 5;     // AI type index + 5; 0 for the player
  int32_t speed = 2;      // 2 slow, 4 normal, 8 fast

  void Reset();
  void Set(int32_t newX, int32_t newY, int32_t newDirection, int32_t newTypeCode,
           int32_t newAiType, int32_t newSpeed);
  bool IsPlaced() const { return x != 0; }
  bool operator==(const ActorRecord&) const = default;
};

class Level {
 public:
  int32_t goal;
  int32_t patternSet;     // pattern-set index + 3
  int32_t music;
  int32_t enemyTypes[3];  // sprite-set numbers of enemy types 1..3
  int32_t cells[kCellCount];
  int32_t floors[kCellCount];
  ActorRecord actors[kActorCount];
  char time[8];           // "m:ss" and a terminator

  Level();
  bool operator==(const Level&) const = default;

  void Clear();
  void ClearKeepPatternSet();

  int32_t GetGoal() const { return goal; }
  void SetGoal(int32_t value) { goal = value; }
  int32_t GetPatternSet() const { return patternSet; }
  void SetPatternSet(int32_t value) { patternSet = value; }
  int32_t GetMusic() const { return music; }
  void SetMusic(int32_t value) { music = value; }
  char* GetTime() { return time; }
  const char* GetTime() const { return time; }
  int32_t GetEnemyType(int slot) const;
  void SetEnemyType(int slot, int32_t value);

  int32_t GetCell(int index) const { return cells[index]; }
  void PlaceCell(int index, int32_t value);
  void SetLeftEdgeCell(int row, int32_t value) { cells[row * kGridColumns] = value; }
  void SetRightEdgeCell(int row, int32_t value) { cells[row * kGridColumns + 16] = value; }
  int32_t GetFloor(int index) const { return floors[index]; }
  void SetFloor(int index, int32_t value) { floors[index] = value; }

  ActorRecord& GetActor(int i) { return actors[i]; }
  const ActorRecord& GetActor(int i) const { return actors[i]; }
  void SetActorPosition(int i, int32_t x, int32_t y);

  int FindExit() const;
  void CorrectShadows();
};

using LevelSet = std::array<Level, kLevelCount>;

// Names of the four goals, by goal value.
const char* GoalName(int32_t goal);  // nullptr outside 0..3
