#include "level/level.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Level, DefaultsAndClear) {
  Level level;
  EXPECT_EQ(level.goal, 0);
  EXPECT_EQ(level.patternSet, 3);
  EXPECT_EQ(level.music, 0);
  EXPECT_EQ(level.enemyTypes[0], 1);
  EXPECT_EQ(level.enemyTypes[1], 2);
  EXPECT_EQ(level.enemyTypes[2], 3);
  EXPECT_STREQ(level.GetTime(), "2:00");
  for (int i = 0; i < kCellCount; ++i) {
    EXPECT_EQ(level.GetCell(i), 0);
    EXPECT_EQ(level.GetFloor(i), 0);
  }
  for (const ActorRecord& a : level.actors) {
    EXPECT_FALSE(a.IsPlaced());
    EXPECT_EQ(a, (ActorRecord{0, 0, 5, 24, 5, 2}));
  }

  level.patternSet = 7;
  level.goal = 2;
  level.PlaceCell(40, 64);
  level.SetFloor(40, 9);
  level.GetActor(3).Set(40, 80, 7, 48, 6, 8);
  std::strcpy(level.GetTime(), "9:59");
  level.ClearKeepPatternSet();
  EXPECT_EQ(level.patternSet, 7);
  Level expected;
  expected.patternSet = 7;
  EXPECT_EQ(level, expected);
  level.Clear();
  EXPECT_EQ(level, Level());
}

TEST(Level, ExitLandsOnTheWalkablePattern) {
  Level level;
  level.PlaceCell(20, 9);
  level.PlaceCell(20, kCellExit);
  EXPECT_EQ(level.GetCell(20), 137);  // shadow bit kept
  level.PlaceCell(21, kCellGem);
  level.PlaceCell(21, kCellExit);
  EXPECT_EQ(level.GetCell(21), 128);
  level.PlaceCell(22, 64);
  level.PlaceCell(22, kCellExit);
  EXPECT_EQ(level.GetCell(22), 128);
  level.PlaceCell(23, 16);  // not walkable: the teleport tile
  level.PlaceCell(23, kCellExit);
  EXPECT_EQ(level.GetCell(23), 128);
}

TEST(Level, TeleportEndsExistOnce) {
  Level level;
  level.PlaceCell(50, 178);
  level.PlaceCell(60, 178);
  EXPECT_EQ(level.GetCell(50), 0);
  EXPECT_EQ(level.GetCell(60), 178);
  level.PlaceCell(70, 179);
  EXPECT_EQ(level.GetCell(60), 178);
  EXPECT_EQ(level.GetCell(70), 179);
  // Placing an end where the other end stands replaces it.
  level.PlaceCell(70, 178);
  EXPECT_EQ(level.GetCell(60), 0);
  EXPECT_EQ(level.GetCell(70), 178);
  // Other values are stored as they are, the floor never touched.
  level.SetFloor(80, 5);
  level.PlaceCell(80, 150);
  EXPECT_EQ(level.GetCell(80), 150);
  EXPECT_EQ(level.GetFloor(80), 5);
}

TEST(Level, EdgeCellsAndActors) {
  Level level;
  level.SetLeftEdgeCell(4, kCellExit);
  level.SetRightEdgeCell(4, 20);
  EXPECT_EQ(level.GetCell(68), kCellExit);  // raw, no exit rule
  EXPECT_EQ(level.GetCell(84), 20);
  level.GetActor(2).Set(1, 2, 3, 48, 7, 8);
  level.SetActorPosition(2, 40, 80);
  EXPECT_EQ(level.GetActor(2), (ActorRecord{40, 80, 3, 48, 7, 8}));
}

TEST(Level, EnemyTypeSlotsAreChecked) {
  Level level;
  EXPECT_EQ(level.GetEnemyType(0), 1);
  EXPECT_EQ(level.GetEnemyType(2), 3);
  EXPECT_EQ(level.GetEnemyType(3), -1);
  EXPECT_EQ(level.GetEnemyType(-1), -1);
  level.SetEnemyType(3, 5);
  level.SetEnemyType(-1, 5);
  EXPECT_EQ(level, Level());
  level.SetEnemyType(1, 9);
  EXPECT_EQ(level.GetEnemyType(1), 9);
}

TEST(Level, FindExitGivesTheLowestExit) {
  Level level;
  EXPECT_EQ(level.FindExit(), -1);
  level.cells[40] = 133;
  level.cells[30] = 143;
  EXPECT_EQ(level.FindExit(), 30);
  level.cells[30] = 144;  // a wall hiding an item is no exit
  EXPECT_EQ(level.FindExit(), 40);
}

TEST(Level, CopiesAreIndependent) {
  Level source;
  source.goal = 2;
  source.GetActor(2).Set(40, 80, 7, 72, 6, 4);
  source.PlaceCell(100, 31);
  Level copy = source;
  EXPECT_EQ(copy, source);
  copy.GetActor(2).x = 8;
  copy.PlaceCell(100, 0);
  EXPECT_EQ(source.GetActor(2).x, 40);
  EXPECT_EQ(source.GetCell(100), 31);
}
