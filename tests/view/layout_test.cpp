#include "view/layout.h"

#include <gtest/gtest.h>

#include "gfx/region_list.h"

TEST(Layout, RegionsAtBothZooms) {
  RegionList z1, z2;
  LayoutRegions(z1, 1);
  LayoutRegions(z2, 2);
  EXPECT_EQ(z1.Size(), 17u);
  const ScreenRegion* grid = z1.FindRegionById(kRegionGrid);
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->left, 9);
  EXPECT_EQ(grid->top, 17);
  EXPECT_EQ(grid->right, 248);
  EXPECT_EQ(grid->bottom, 225);
  const ScreenRegion* solid2 = z2.FindRegionById(kRegionSolid);
  ASSERT_NE(solid2, nullptr);
  EXPECT_EQ(solid2->left, 518);
  EXPECT_EQ(solid2->top, 126);
  EXPECT_EQ(solid2->right, 1030);
  EXPECT_EQ(solid2->bottom, 252);
  const ScreenRegion* tele2 = z2.FindRegionById(kRegionTeleport);
  EXPECT_EQ(tele2->left, 518);
  EXPECT_EQ(tele2->top, 390);
  EXPECT_EQ(tele2->right, 582);
  EXPECT_EQ(tele2->bottom, 420);
  EXPECT_EQ(z2.FindRegionById(1022)->left, 946);
  EXPECT_EQ(z1.RegionIdAt(386, 20), kRegionWalkable);
  EXPECT_EQ(z1.RegionIdAt(258, 20), 0);  // the gap between canvas and panel
  EXPECT_EQ(z1.RegionIdAt(8, 17), kRegionLeftEdge);
  EXPECT_EQ(z1.RegionIdAt(9, 17), kRegionGrid);
  EXPECT_EQ(z1.RegionIdAt(0, 17), 0);
  const SelectorPlace teleport = TeleportSelectorPlace(2);
  EXPECT_EQ(teleport.x, 518);
  EXPECT_EQ(teleport.y, 370);
  EXPECT_EQ(MainWindowWidth(2), 1046);
  EXPECT_EQ(MainWindowHeight(2), 499);
  EXPECT_EQ(MainWindowHeight(1), 290);
  EXPECT_EQ(InspectorRect(2), (ClientRect{766, 390, 862, 422}));
}

TEST(Layout, RegionsDoNotOverlap) {
  for (int z : {1, 2}) {
    RegionList regions;
    LayoutRegions(regions, z);
    // Every point of the window lies in at most one region: count hits over a grid.
    for (int y = 0; y < 209 * z + 20; ++y)
      for (int x = 0; x < 523 * z; ++x) {
        int hits = 0;
        for (int id : {1002, 1003, 1004, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014, 1018, 1019,
                       1020, 1021, 1022, 1039})
          hits += regions.FindRegionById(id)->Contains(x, y);
        ASSERT_LE(hits, 1) << x << "," << y << " z " << z;
      }
  }
}
