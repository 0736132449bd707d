#include "level/level.h"

#include <gtest/gtest.h>

#include <string>

#include "level/time_limit.h"

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

TEST(Level, TheExitKeepsTheWalkablePatternItLandsOn) {
  const struct Row {
    int32_t before, after;
  } rows[] = {
      {0, kCellExitOnFloor},
      {15, kCellExitOnFloor + 15},
      {kCellTeleportTile, kCellExitOnFloor},
      {-1, kCellExitOnFloor},
  };
  for (const Row& r : rows) {
    Level level;
    level.SetCell(50, r.before);
    level.PlaceCell(50, kCellExit);
    EXPECT_EQ(level.GetCell(50), r.after) << r.before;
  }
}

TEST(Level, EachTeleportEndStandsOnce) {
  Level level;
  level.SetCell(30, kCellTeleportFirst);
  level.SetCell(31, kCellTeleportFirst + 1);
  level.PlaceCell(60, kCellTeleportFirst);
  EXPECT_EQ(level.GetCell(30), 0);  // the old place becomes pattern 0
  EXPECT_EQ(level.GetCell(31), kCellTeleportFirst + 1);
  EXPECT_EQ(level.GetCell(60), kCellTeleportFirst);
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
  EXPECT_EQ(level.GetEnemyType(3), -1);
  struct Row {
    int32_t typeCode, spriteSet, enemySpriteSet;
  } rows[] = {
      {0, 0, -1},  // the player's set; no enemy type
      {24, 9, 9},
      {48, 2, 2},
      {72, 3, 3},
      {25, -1, -1},
  };
  for (const Row& r : rows) {
    ActorRecord actor;
    actor.SetTypeCode(r.typeCode);
    EXPECT_EQ(SpriteSetOf(level, actor), r.spriteSet) << r.typeCode;
    EXPECT_EQ(EnemySpriteSet(level, actor), r.enemySpriteSet) << r.typeCode;
  }
  EXPECT_STREQ(GoalName(3), "Collect & Destroy gems");
  EXPECT_EQ(GoalName(4), nullptr);
}

// The pair of cells is the right edge column's last two, so the correction
// reaches the edges and the last row.
TEST(Level, ShadowsFollowTheCellAbove) {
  constexpr int kBelow = kCellCount - 1;
  constexpr int kAbove = kBelow - kGridColumns;
  struct Row {
    int32_t above, below, floor, belowAfter, floorAfter;
  } rows[] = {
      {kCellWall1, 3, 0, 11, 8},
      {kCellGem, 15, 15, 7, 7},
      {79, 16, kCellExitOnFloor, 16, kCellExitOnFloor + 8},
      {80, kCellSolidLast, 10, kCellSolidLast, 2},
      {kCellDestroyable, kCellWall1Item - 1, 11, kCellExitOnFloor + 7, 3},
      {kCellWall1Item - 1, 9, kCellExitOnFloor + 8, 1, kCellExitOnFloor},
      {kCellWall1Item, kCellWall1Item, 0, kCellWall1Item, 8},
      {kCellTeleportFirst - 1, kCellExitOnFloor, 0, kCellExitOnFloor + 8, 8},
      {kCellTeleportFirst, 12, 12, 4, 4},
  };
  for (const Row& r : rows) {
    Level level;
    level.SetCell(kAbove, r.above);
    level.SetCell(kBelow, r.below);
    level.SetFloor(kBelow, r.floor);
    level.CorrectShadows();
    EXPECT_EQ(level.GetCell(kBelow), r.belowAfter) << r.above << " over " << r.below;
    EXPECT_EQ(level.GetFloor(kBelow), r.floorAfter) << r.above << " over floor " << r.floor;
  }
}

TEST(Level, ShadowsLeaveRowZero) {
  Level level;
  level.SetCell(5, 9);
  level.CorrectShadows();
  EXPECT_EQ(level.GetCell(5), 9);
}

TEST(TimeLimit, SecondsOfTheText) {
  struct Row {
    const char* text;
    int seconds;
  } rows[] = {
      {"1:37", 97},
      {"9:59", 599},
      {"0:14", 15},
      {"9:60", 599},
      {"/:4?", 40},  // a character that is no digit counts as 0
  };
  for (const Row& r : rows) EXPECT_EQ(TimeLimitSeconds(r.text), r.seconds) << r.text;
}

TEST(TimeLimit, OnlyTheThreeDigitPlacesAreWritten) {
  char text[kTimeBytes] = {'7', '#', '1', '2', '\0', 'Z', 'Y', 'X'};
  WriteTimeLimit(text, 245);
  EXPECT_EQ(std::string(text, kTimeBytes), std::string("4#05\0ZYX", kTimeBytes));
  WriteTimeLimit(text, 700);
  EXPECT_EQ(std::string(text, 4), "9#59");
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
      {540, kTrackPageDown, 0, 599},
      {120, kTrackThumbTrack, 75, 75},
      {120, kTrackThumbPosition, 900, 599},
      {120, kTrackTop, 15, 15},
      {120, kTrackBottom, 599, 599},
      {120, kTrackEndTrack, 200, kStays},
  };
  for (const Row& r : rows)
    EXPECT_EQ(TrackBarStep(r.time, r.code, r.thumb).value_or(kStays), r.next) << r.time << " code " << r.code;
}
