#include "level/level.h"

#include <gtest/gtest.h>

#include "level/time_limit.h"

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
  Level corner;  // the first cell below row 0, in the left edge column
  corner.SetCell(0, kCellWall1);
  corner.SetCell(kGridColumns, 3);
  corner.CorrectShadows();
  EXPECT_EQ(corner.GetCell(kGridColumns), 11);
}

TEST(TimeLimit, SecondsOfTheText) {
  struct Row {
    const char* text;
    int seconds;
  } rows[] = {
      {"1:37", 97},
      {"9:59", 599},
      {"0:14", 15},
      {"/:4?", 40},  // a character that is no digit counts as 0
  };
  for (const Row& r : rows) EXPECT_EQ(TimeLimitSeconds(r.text), r.seconds) << r.text;
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
      {540, kTrackPageDown, 0, 599},
      {120, kTrackThumbPosition, 900, 599},
      {120, kTrackTop, 15, 15},
      {120, kTrackBottom, 599, 599},
      {120, kTrackEndTrack, 200, kStays},
  };
  for (const Row& r : rows)
    EXPECT_EQ(TrackBarStep(r.time, r.code, r.thumb).value_or(kStays), r.next) << r.time << " code " << r.code;
}
