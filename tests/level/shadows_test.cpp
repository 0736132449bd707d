#include <gtest/gtest.h>

#include "level/level.h"

namespace {

// Puts `above` at row 3 and `below` at row 4 of column 5 and corrects.
Level Corrected(int above, int below, int floorBelow = 0) {
  Level level;
  level.cells[3 * 17 + 5] = above;
  level.cells[4 * 17 + 5] = below;
  level.floors[4 * 17 + 5] = floorBelow;
  level.CorrectShadows();
  return level;
}

constexpr int kBelow = 4 * 17 + 5;

}  // namespace

TEST(Shadows, WallLikeCellsShadowTheCellBelow) {
  EXPECT_EQ(Corrected(32, 3).cells[kBelow], 11);
  EXPECT_EQ(Corrected(42, 131).cells[kBelow], 139);  // an exit on pattern 3
  EXPECT_EQ(Corrected(70, 2).cells[kBelow], 10);
  EXPECT_EQ(Corrected(79, 2).cells[kBelow], 10);
  EXPECT_EQ(Corrected(150, 0).cells[kBelow], 8);     // a wall hiding an item
  EXPECT_EQ(Corrected(175, 0).cells[kBelow], 8);
}

TEST(Shadows, OtherCellsLeaveThePlainPattern) {
  EXPECT_EQ(Corrected(52, 11).cells[kBelow], 3);  // the destroyable item casts none
  EXPECT_EQ(Corrected(90, 10).cells[kBelow], 2);
  EXPECT_EQ(Corrected(80, 10).cells[kBelow], 2);
  EXPECT_EQ(Corrected(180, 8).cells[kBelow], 0);
  EXPECT_EQ(Corrected(31, 15).cells[kBelow], 7);
  EXPECT_EQ(Corrected(143, 15).cells[kBelow], 7);  // an exit casts none
  EXPECT_EQ(Corrected(176, 143).cells[kBelow], 135);
}

TEST(Shadows, ValuesThatReceiveNoShadowStay) {
  EXPECT_EQ(Corrected(32, 42).cells[kBelow], 42);
  EXPECT_EQ(Corrected(32, 20).cells[kBelow], 20);
  EXPECT_EQ(Corrected(32, 64).cells[kBelow], 64);
  EXPECT_EQ(Corrected(32, 150).cells[kBelow], 150);
  EXPECT_EQ(Corrected(0, 144).cells[kBelow], 144);
  EXPECT_EQ(Corrected(0, 200).cells[kBelow], 200);
}

TEST(Shadows, FloorsFollowTheCellAbove) {
  const Level walled = Corrected(32, 42, 7);
  EXPECT_EQ(walled.cells[kBelow], 42);
  EXPECT_EQ(walled.floors[kBelow], 15);
  const Level gem = Corrected(31, 42, 15);
  EXPECT_EQ(gem.floors[kBelow], 7);
  // A floor outside the walkable values is left alone.
  EXPECT_EQ(Corrected(32, 42, 20).floors[kBelow], 20);
}

TEST(Shadows, TopRowNeverChangesAndBottomRowCastsNone) {
  Level level;
  level.cells[5] = 9;
  level.floors[5] = 9;
  level.cells[12 * 17 + 5] = 32;  // bottom row: nothing below it
  level.cells[16] = 32;           // right edge column, row 0
  level.cells[17 + 16] = 3;       // right edge column, row 1
  level.CorrectShadows();
  EXPECT_EQ(level.cells[5], 9);
  EXPECT_EQ(level.floors[5], 9);
  EXPECT_EQ(level.cells[17 + 16], 11);  // edge columns take part
}

TEST(Shadows, CorrectionIsIdempotent) {
  Level level;
  for (int i = 0; i < kCellCount; ++i) {
    level.cells[i] = (i * 37) % 192;
    level.floors[i] = (i * 11) % 16;
  }
  level.CorrectShadows();
  const Level once = level;
  level.CorrectShadows();
  EXPECT_EQ(level, once);
}
