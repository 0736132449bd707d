#include "gfx/region_list.h"

#include <gtest/gtest.h>

TEST(RegionList, EdgesAreInsideAndTheLastAddedWins) {
  RegionList list;
  EXPECT_EQ(list.RegionIdAt(0, 0), 0);
  list.AddRegion(10, 20, 30, 40, 1002);
  EXPECT_EQ(list.RegionIdAt(10, 20), 1002);
  EXPECT_EQ(list.RegionIdAt(30, 40), 1002);  // right and bottom edges inclusive
  EXPECT_EQ(list.RegionIdAt(31, 40), 0);
  EXPECT_EQ(list.RegionIdAt(30, 41), 0);
  EXPECT_EQ(list.RegionIdAt(9, 25), 0);
  list.AddRegion(25, 35, 50, 60, 1003);
  EXPECT_EQ(list.RegionIdAt(28, 38), 1003);  // overlap: the later one
  EXPECT_EQ(list.RegionIdAt(12, 22), 1002);
  ASSERT_NE(list.FindRegionById(1002), nullptr);
  EXPECT_EQ(list.FindRegionById(1002)->right, 30);
  EXPECT_EQ(list.FindRegionById(1004), nullptr);
  EXPECT_EQ(list.FindRegionAt(100, 100), nullptr);
  list.Clear();
  EXPECT_EQ(list.RegionIdAt(12, 22), 0);
}
