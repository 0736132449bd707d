#include "view/hit_test.h"

#include <gtest/gtest.h>

#include "gfx/region_list.h"
#include "level/level.h"
#include "view/layout.h"

TEST(HitTest, PositionWordsAreUnsigned) {
  const ClientPoint p = UnpackPosition(0x00E1'0102u);
  EXPECT_EQ(p.x, 0x102);
  EXPECT_EQ(p.y, 0xE1);
  const ClientPoint far = UnpackPosition(0xFFFF'FFFFu);  // (-1, -1) as the system packs it
  EXPECT_EQ(far.x, 65535);
  EXPECT_EQ(far.y, 65535);
}

TEST(HitTest, OffsetsAndCellsInsideTheCanvas) {
  for (int z : {1, 2}) {
    RegionList regions;
    LayoutRegions(regions, z);
    // Grid region: dx = 40, dy = 70 is row 4, column 2 + 1.
    RegionHit hit = HitRegion(regions, z, 9 * z + 40 * z, z + 16 + 70 * z);
    EXPECT_EQ(hit.id, kRegionGrid);
    EXPECT_EQ(hit.dx, 40);
    EXPECT_EQ(hit.dy, 70);
    EXPECT_EQ(CellAt(hit), 71);
    // Column 0 and column 16 of row 4.
    EXPECT_EQ(CellAt(HitRegion(regions, z, z + 3, z + 16 + 70 * z)), 68);
    EXPECT_EQ(CellAt(HitRegion(regions, z, 250 * z, z + 16 + 70 * z)), 84);
    // The last drawn line is row 12; the line below it is the region's but no row's.
    const int lastLine = 208 * z + 16;
    EXPECT_EQ(CellAt(HitRegion(regions, z, 248 * z, lastLine + z - 1)), 219);
    EXPECT_EQ(CellAt(HitRegion(regions, z, 256 * z, lastLine + z - 1)), 220);
    EXPECT_EQ(CellAt(HitRegion(regions, z, 8 * z, lastLine + z - 1)), 204);
    for (int x : {z, 8 * z, 9 * z, 248 * z, 249 * z, 256 * z})
      EXPECT_EQ(HitRegion(regions, z, x, 209 * z + 16).id, 0) << x;
    // Left of and above every region there is nothing, and certainly no negative cell.
    EXPECT_EQ(HitRegion(regions, z, 0, 100).id, 0);
    EXPECT_EQ(HitRegion(regions, z, 100, 16).id, 0);
    EXPECT_EQ(HitRegion(regions, z, 65535, 65535).id, 0);
    EXPECT_EQ(CellAt(HitRegion(regions, z, 300 * z, 20 * z)), -1);  // a palette hit has no cell
  }
}

TEST(HitTest, EveryHitStaysInsideWhatIsDrawn) {
  struct Tiles {
    int32_t id, columns, rows;
  };
  const Tiles kTiles[] = {{1007, 16, 1}, {1008, 12, 1}, {1009, 1, 1}, {1010, 1, 1}, {1011, 1, 1},
                          {1012, 2, 1},  {1013, 16, 4}, {1014, 4, 2}, {1018, 1, 2}, {1022, 1, 2},
                          {1039, 2, 1}};
  for (int z : {1, 2}) {
    RegionList regions;
    LayoutRegions(regions, z);
    int cellHits[kCellCount] = {};
    for (int y = 0; y < 209 * z + 40; ++y)
      for (int x = 0; x < 523 * z; ++x) {
        const RegionHit hit = HitRegion(regions, z, x, y);
        if (hit.id == 0) continue;
        ASSERT_GE(hit.dx, 0);
        ASSERT_GE(hit.dy, 0);
        if (IsCanvasRegion(hit.id)) {
          const int cell = CellAt(hit);
          ASSERT_GE(cell, 0) << x << "," << y;
          ASSERT_LT(cell, kCellCount) << x << "," << y;
          ++cellHits[cell];
          continue;
        }
        for (const Tiles& t : kTiles)
          if (t.id == hit.id) {
            ASSERT_LT(hit.Column(), t.columns) << x << "," << y << " z " << z;
            ASSERT_LT(hit.Row(), t.rows) << x << "," << y << " z " << z;
          }
      }
    // Every cell can be reached: at normal size on each of its pixels, 16 x 16 in the
    // main grid and 8 x 16 at the edges. (At double size the regions end one pixel
    // short of the last drawn column of columns 0, 15 and 16.)
    for (int cell = 0; cell < kCellCount; ++cell) {
      const int column = cell % 17;
      if (z == 1)
        EXPECT_EQ(cellHits[cell], (column == 0 || column == 16 ? 8 : 16) * 16) << cell;
      else
        EXPECT_GE(cellHits[cell], (column == 0 || column == 16 ? 15 : 31) * 32) << cell;
    }
  }
}

TEST(HitTest, LastPixelColumnOfAPaletteRegionIsNoHit) {
  for (int z : {1, 2}) {
    RegionList regions;
    LayoutRegions(regions, z);
    for (int32_t id : {1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014, 1018, 1019, 1020, 1021,
                       1022, 1039}) {
      const ScreenRegion* r = regions.FindRegionById(id);
      EXPECT_EQ(HitRegion(regions, z, r->right, r->top).id, 0) << id;
      EXPECT_EQ(HitRegion(regions, z, r->right - 1, r->top).id, id) << id;
    }
    // The actor images are 24 pixels high; the region's bottom line lies below them.
    const ScreenRegion* player = regions.FindRegionById(kRegionPlayer);
    EXPECT_EQ(HitRegion(regions, z, player->left, player->bottom).id, 0);
    EXPECT_EQ(HitRegion(regions, z, player->left, player->bottom - 1).id, kRegionPlayer);
  }
  RegionList regions;
  LayoutRegions(regions, 1);
  EXPECT_EQ(HitRegion(regions, 0, 100, 100).id, 0);  // no zoom, no hit
}
