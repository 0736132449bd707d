#include "level/level.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "level/time_limit.h"

namespace {

constexpr int kLevelTestCell = 50;
constexpr int kShadowAbove = 3 * kGridColumns + 5;
constexpr int kShadowBelow = kShadowAbove + kGridColumns;

std::vector<int32_t> AllCells(const Level& level) { return {level.Cells().begin(), level.Cells().end()}; }
std::vector<int32_t> AllFloors(const Level& level) { return {level.Floors().begin(), level.Floors().end()}; }

}  // namespace

TEST(Level, Defaults) {
  const Level level;
  EXPECT_EQ(level.GetGoal(), 0);
  EXPECT_EQ(level.GetPatternSet(), 3);
  EXPECT_EQ(level.GetMusic(), 0);
  EXPECT_EQ(level.GetEnemyType(0), 1);
  EXPECT_EQ(level.GetEnemyType(1), 2);
  EXPECT_EQ(level.GetEnemyType(2), 3);
  EXPECT_STREQ(level.GetTime(), "2:00");
  EXPECT_EQ(AllCells(level), std::vector<int32_t>(kCellCount, 0));
  EXPECT_EQ(AllFloors(level), std::vector<int32_t>(kCellCount, 0));
  ActorRecord fresh;
  fresh.Set(0, 0, 5, 24, 5, 2);
  for (int i = 0; i < kActorCount; ++i) EXPECT_EQ(level.GetActor(i), fresh) << "actor " << i;
}

TEST(Level, ClearKeepsOnlyThePatternSet) {
  Level level;
  level.SetPatternSet(7);
  level.SetGoal(2);
  level.SetCell(40, kCellSolidFirst);
  level.SetFloor(40, 9);
  level.GetActor(3).Set(40, 80, 7, 48, 6, 8);
  level.ClearKeepPatternSet();
  Level expected;
  expected.SetPatternSet(7);
  EXPECT_EQ(level, expected);
}

TEST(Level, PlaceCellKeepsOneExitOnItsFloor) {
  struct Row {
    const char* what;
    int32_t before, placed, after;
  } rows[] = {
      {"the exit on walkable 0", 0, kCellExit, kCellExitOnFloor},
      {"the exit on walkable 15", 15, kCellExit, kCellExitOnFloor + 15},
      {"the exit on teleport tile 16", 16, kCellExit, kCellExitOnFloor},
      {"the exit on a negative value", -1, kCellExit, kCellExitOnFloor},
      {"a wall hiding an item as it is", 5, 150, 150},
      {"the last wall hiding an item", 5, 175, 175},
      {"a pattern over a teleport end", 200, 3, 3},
  };
  for (const Row& r : rows) {
    Level level;
    level.SetCell(kLevelTestCell, r.before);
    level.PlaceCell(kLevelTestCell, r.placed);
    EXPECT_EQ(level.GetCell(kLevelTestCell), r.after) << r.what;
  }
}

TEST(Level, EachTeleportEndStandsOnce) {
  const int32_t pair1End = kCellTeleportFirst + 3;
  Level level;
  level.SetCell(30, pair1End);
  level.SetCell(31, pair1End + 1);
  level.PlaceCell(60, pair1End);
  EXPECT_EQ(level.GetCell(30), 0);  // the old place becomes pattern 0
  EXPECT_EQ(level.GetCell(31), pair1End + 1);
  EXPECT_EQ(level.GetCell(60), pair1End);
}

TEST(Level, TheLowestExitCounts) {
  Level level;
  EXPECT_EQ(level.FindExit(), -1);
  level.SetCell(40, kCellExitOnFloor + 2);
  level.SetCell(30, kCellWall1Item - 1);
  EXPECT_EQ(level.FindExit(), 30);
}

TEST(Level, EnemyTypeSlotsAndSpriteSets) {
  Level level;
  level.SetEnemyType(3, 5);
  level.SetEnemyType(-1, 5);
  level.SetEnemyType(0, 9);
  EXPECT_EQ(level.GetEnemyType(-1), -1);
  EXPECT_EQ(level.GetEnemyType(0), 9);
  EXPECT_EQ(level.GetEnemyType(1), 2);
  EXPECT_EQ(level.GetEnemyType(3), -1);
  struct Row {
    int32_t typeCode, spriteSet, enemySpriteSet;
  } rows[] = {
      {0, 0, -1},  // the player's set; no enemy type
      {24, 9, 9},
      {48, 2, 2},
      {72, 3, 3},
      {25, -1, -1},
      {96, -1, -1},
  };
  for (const Row& r : rows) {
    ActorRecord actor;
    actor.SetTypeCode(r.typeCode);
    EXPECT_EQ(SpriteSetOf(level, actor), r.spriteSet) << r.typeCode;
    EXPECT_EQ(EnemySpriteSet(level, actor), r.enemySpriteSet) << r.typeCode;
  }
  EXPECT_STREQ(GoalName(3), "Collect & Destroy gems");
  EXPECT_EQ(GoalName(4), nullptr);
  EXPECT_EQ(GoalName(-1), nullptr);
}

TEST(Level, ShadowsFollowTheCellAbove) {
  struct Row {
    int32_t above, below, floor, belowAfter, floorAfter;
  } rows[] = {
      {kCellWall1, 3, 0, 11, 8},
      {kCellWall2, kCellExitOnFloor + 3, 3, kCellExitOnFloor + 11, 11},
      {79, 2, 0, 10, 8},  // the last solid that casts one
      {150, 0, 0, 8, 8},
      {144, 12, 12, 12, 12},
      {33, 1, 1, 9, 9},
      {kCellDestroyable, 11, 11, 3, 3},
      {80, 10, 10, 2, 2},
      {kCellGem, 15, 15, 7, 7},
      {kCellWall1Item - 1, 15, 15, 7, 7},
      {kCellTeleportFirst, kCellWall1Item - 1, 0, kCellExitOnFloor + 7, 0},
      {kCellWall1, kCellWall2, 7, kCellWall2, 15},  // the floor under a wall too
      {kCellGem, kCellWall2, 15, kCellWall2, 7},
      {kCellWall1, 20, 20, 20, 20},
      {kCellWall1, kCellSolidFirst, 0, kCellSolidFirst, 8},
      {0, 144, 9, 144, 1},
      {0, 200, 16, 200, 16},
      {kCellWall1, 16, 15, 16, 15},
      {kCellExitOnFloor, 9, kCellExitOnFloor, 1, kCellExitOnFloor},
      {kCellWall1, kCellSolidLast, kCellWall1Item - 1, kCellSolidLast, kCellWall1Item - 1},
      {kCellGem, kCellExitOnFloor + 8, 0, kCellExitOnFloor, 0},
      {175, kCellExitOnFloor, 0, kCellExitOnFloor + 8, 8},
  };
  for (const Row& r : rows) {
    Level level;
    level.SetCell(kShadowAbove, r.above);
    level.SetCell(kShadowBelow, r.below);
    level.SetFloor(kShadowBelow, r.floor);
    level.CorrectShadows();
    EXPECT_EQ(level.GetCell(kShadowBelow), r.belowAfter) << r.above << " over " << r.below;
    EXPECT_EQ(level.GetFloor(kShadowBelow), r.floorAfter) << r.above << " over floor " << r.floor;
  }
}

TEST(Level, ShadowsLeaveRowZeroAndReachTheEdges) {
  const int rightEdgeRow1 = kGridColumns + kGridColumns - 1;
  Level level;
  level.SetCell(5, 9);
  level.SetFloor(5, 9);
  level.SetCell(kGridColumns - 1, kCellWall1);
  level.SetCell(rightEdgeRow1, 3);
  level.CorrectShadows();
  EXPECT_EQ(level.GetCell(5), 9);
  EXPECT_EQ(level.GetFloor(5), 9);
  EXPECT_EQ(level.GetCell(rightEdgeRow1), 11);
  // A second run changes nothing.
  for (int i = 0; i < kCellCount; ++i) level.SetCell(i, (i * 37) % 192);
  level.CorrectShadows();
  const Level once = level;
  level.CorrectShadows();
  EXPECT_EQ(level, once);
}

TEST(TimeLimit, SecondsOfTheText) {
  struct Row {
    const char* text;
    int seconds;
  } rows[] = {
      {"2:00", 120},
      {"1:37", 97},
      {"9:59", 599},
      {"0:15", 15},
      {"3:75", 255},
      {"0:05", 15},
      {"9:99", 599},
      {"x:4?", 40},
      {"5\0\0", 300},
      {"\xff:\x80\x01", 15},
  };
  for (const Row& r : rows) EXPECT_EQ(TimeLimitSeconds(r.text), r.seconds) << r.text;
}

TEST(TimeLimit, OnlyTheThreeDigitPlacesAreWritten) {
  char text[kTimeBytes] = {'7', '#', '1', '2', '\0', 'Z', 'Y', 'X'};
  WriteTimeLimit(text, 245);
  EXPECT_EQ(std::string(text, kTimeBytes), std::string("4#05\0ZYX", kTimeBytes));
  WriteTimeLimit(text, 700);
  EXPECT_EQ(std::string(text, 4), "9#59");
  WriteTimeLimit(text, 3);
  EXPECT_EQ(std::string(text, 4), "0#15");
}

TEST(TimeLimit, TrackBarSteps) {
  constexpr int kStays = -1;
  struct Row {
    int time, code, thumb, next;
  } rows[] = {
      {120, kTrackLineDown, 0, 121},
      {120, kTrackLineUp, 0, 119},
      {15, kTrackLineUp, 0, kStays},
      {599, kTrackLineDown, 0, kStays},
      {121, kTrackPageDown, 0, 181},
      {121, kTrackPageUp, 0, 61},
      {75, kTrackPageUp, 0, 15},
      {539, kTrackPageDown, 0, 599},
      {540, kTrackPageDown, 0, 599},
      {120, kTrackThumbTrack, 75, 75},
      {120, kTrackThumbPosition, 900, 599},
      {120, kTrackThumbTrack, -3, 15},
      {120, kTrackTop, 15, 15},
      {120, kTrackBottom, 599, 599},
      {120, kTrackEndTrack, 200, kStays},
      {120, kTrackEndTrack + 1, 200, kStays},
  };
  for (const Row& r : rows)
    EXPECT_EQ(TrackBarStep(r.time, r.code, r.thumb).value_or(kStays), r.next) << r.time << " code " << r.code;
}
