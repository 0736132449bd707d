#include <gtest/gtest.h>

#include "view/editing.h"
#include "view/layout.h"
#include "view_harness.h"

namespace {

constexpr int kCell = 5 * 17 + 7;
constexpr int kFloor = 6;  // the floor under the clicked cell before the click

struct Outcome {
  int cell, floor;
  bool acts = true;  // the click counts as a change, even when it rewrites the same value
};

// The net effect of a right click with pattern s on a cell holding v, as
// the user sees it, rule by rule.
Outcome Expected(int s, int v) {
  const bool walkable = s >= 0 && s <= 15;
  if (walkable) {
    if (v <= 15 || (v >= 64 && v <= 127)) return {s, s};
    if (v == 16 || v == 17) return {v, kFloor, false};
    return {v, s};
  }
  if (s >= 18 && s <= 31) {
    const bool secondWall = v == 42 || (v >= 160 && v <= 175);
    return {s + (secondWall ? 144 : 128), kFloor};
  }
  if (s == 32 || s == 42) {
    if (v >= 18 && v <= 31) return {v + (s == 32 ? 128 : 144), kFloor};
    if (v <= 15 || v >= 64) return {s, kFloor};
    return {v, kFloor, false};
  }
  if (s >= 64) return {s, kFloor};
  return {v, kFloor, false};  // the exit and the destroyable item
}

// Every selection the palette offers.
std::vector<int> PalettePatterns() {
  std::vector<int> values;
  for (int v = 0; v <= 15; ++v) values.push_back(v);
  for (int v = 17; v <= 29; ++v) values.push_back(v);
  for (int v : {31, 32, 42, 52}) values.push_back(v);
  for (int v = 64; v <= 127; ++v) values.push_back(v);
  return values;
}

Outcome RightClick(int s, int v, int z = 1) {
  ViewHarness h(z);
  h.level().cells[kCell] = v;
  h.level().floors[kCell] = kFloor;
  h.Select(kSelectPattern, s);
  EXPECT_EQ(OnRightButtonDown(h.state, h.host, 2, h.CellIndex(kCell)), 1);
  const bool acted = h.state.modified == 1;
  EXPECT_EQ(h.host.titles.empty(), !acted);
  return {h.level().cells[kCell], h.level().floors[kCell], acted};
}

}  // namespace

TEST(RightClick, NetEffectForEveryPatternOnEveryCellValue) {
  for (int s : PalettePatterns())
    for (int v = 0; v <= 255; ++v) {
      const Outcome want = Expected(s, v);
      const Outcome got = RightClick(s, v);
      ASSERT_EQ(got.cell, want.cell) << "S " << s << " on " << v;
      ASSERT_EQ(got.floor, want.floor) << "S " << s << " on " << v;
      ASSERT_EQ(got.acts, want.acts) << "S " << s << " on " << v;
    }
}

TEST(RightClick, TableRows) {
  // Walkable on walkable, on the teleport tile or the exit tile, on items, walls, solid, composites.
  EXPECT_EQ(RightClick(3, 9).cell, 3);
  EXPECT_EQ(RightClick(3, 9).floor, 3);
  EXPECT_EQ(RightClick(3, 16).cell, 16);
  EXPECT_EQ(RightClick(3, 17).floor, kFloor);
  EXPECT_EQ(RightClick(3, 25).cell, 25);
  EXPECT_EQ(RightClick(3, 25).floor, 3);
  EXPECT_EQ(RightClick(3, 32).floor, 3);
  EXPECT_EQ(RightClick(3, 32).cell, 32);
  EXPECT_EQ(RightClick(3, 52).floor, 3);
  EXPECT_EQ(RightClick(3, 63).floor, 3);
  EXPECT_EQ(RightClick(3, 100).cell, 3);
  EXPECT_EQ(RightClick(3, 100).floor, 3);
  EXPECT_EQ(RightClick(3, 150).cell, 150);
  EXPECT_EQ(RightClick(3, 150).floor, 3);
  EXPECT_EQ(RightClick(3, 131).floor, 3);
  EXPECT_EQ(RightClick(3, 181).floor, 3);
  // Exit and destroyable item do nothing.
  EXPECT_EQ(RightClick(17, 5).cell, 5);
  EXPECT_EQ(RightClick(52, 70).cell, 70);
  // Items go into walls; into the second kind when the cell shows one.
  EXPECT_EQ(RightClick(22, 42).cell, 166);
  EXPECT_EQ(RightClick(22, 5).cell, 150);
  EXPECT_EQ(RightClick(22, 147).cell, 150);  // the new item replaces the hidden one
  EXPECT_EQ(RightClick(22, 163).cell, 166);
  EXPECT_EQ(RightClick(31, 175).cell, 175);
  EXPECT_EQ(RightClick(31, 64).cell, 159);
  // Walls hide free items, cover walkable and solid cells, leave the rest.
  EXPECT_EQ(RightClick(32, 25).cell, 153);
  EXPECT_EQ(RightClick(42, 25).cell, 169);
  EXPECT_EQ(RightClick(32, 52).cell, 52);
  EXPECT_EQ(RightClick(42, 17).cell, 17);
  EXPECT_EQ(RightClick(32, 42).cell, 42);
  EXPECT_EQ(RightClick(42, 4).cell, 42);
  EXPECT_EQ(RightClick(42, 4).floor, kFloor);
  EXPECT_EQ(RightClick(32, 200).cell, 32);
  // Solid patterns replace anything.
  EXPECT_EQ(RightClick(127, 17).cell, 127);
  EXPECT_EQ(RightClick(64, 133).cell, 64);
  // At double size the same.
  EXPECT_EQ(RightClick(22, 42, 2).cell, 166);
  EXPECT_EQ(RightClick(3, 150, 2).floor, 3);
}

TEST(RightClick, RepaintsWhatChanged) {
  // A new floor under an item shows only in the inspector.
  ViewHarness h;
  h.level().cells[kCell] = 25;
  h.Select(kSelectPattern, 3);
  OnRightButtonDown(h.state, h.host, 2, h.CellIndex(kCell));
  EXPECT_EQ(h.state.repaintFlags, 1);
  EXPECT_EQ(h.host.fullInvalidations, 0);
  ASSERT_EQ(h.host.partialInvalidations.size(), 1u);
  EXPECT_EQ(h.host.partialInvalidations[0], InspectorRect(1));
  EXPECT_EQ(h.state.inspectorTiles[1], 3);
  EXPECT_EQ(h.host.LastTitle(), "Kraxolan Editor - [set.kxl *]");
  // A new cell repaints everything.
  ViewHarness wall;
  wall.level().cells[kCell] = 9;
  wall.Select(kSelectPattern, 42);
  OnRightButtonDown(wall.state, wall.host, 2, wall.CellIndex(kCell));
  EXPECT_EQ(wall.state.repaintFlags, 3);
  EXPECT_EQ(wall.host.fullInvalidations, 1);
  EXPECT_EQ(wall.state.inspectorTiles[0], 42);
  // Nothing changed: nothing repainted, nothing marked.
  ViewHarness none;
  none.level().cells[kCell] = 17;
  none.Select(kSelectPattern, 42);
  OnRightButtonDown(none.state, none.host, 2, none.CellIndex(kCell));
  EXPECT_EQ(none.host.fullInvalidations, 0);
  EXPECT_TRUE(none.host.partialInvalidations.empty());
  EXPECT_TRUE(none.host.titles.empty());
}

TEST(RightClick, OnlyPatternsOnTheMainGrid) {
  for (int z : {1, 2}) {
    // The player, an enemy or a teleport end is no pattern to put under a cell.
    for (int category : {kSelectPlayer, kSelectEnemy, kSelectTeleport}) {
      ViewHarness h(z);
      h.level().cells[kCell] = 40;
      h.level().cells[kCell + 1] = 70;
      h.Select(category, 1);
      const Level before = h.level();
      EXPECT_EQ(OnRightButtonDown(h.state, h.host, 2, h.CellIndex(kCell)), 1);
      EXPECT_EQ(OnRightButtonDown(h.state, h.host, 2, h.CellIndex(kCell + 1)), 1);
      EXPECT_EQ(h.level(), before);
      EXPECT_EQ(h.state.modified, 0);
    }
    // Edge columns, the line below row 12, the palette: nothing.
    ViewHarness h(z);
    h.Select(kSelectPattern, 70);
    const Level before = h.level();
    const ScreenRegion* grid = h.state.regionList.FindRegionById(kRegionGrid);
    OnRightButtonDown(h.state, h.host, 2, h.Cell(3, 0));
    OnRightButtonDown(h.state, h.host, 2, h.Cell(3, 16));
    OnRightButtonDown(h.state, h.host, 2, Pack(grid->left, grid->bottom));
    OnRightButtonDown(h.state, h.host, 2, Pack(grid->right, grid->bottom));
    OnRightButtonDown(h.state, h.host, 2, h.In(kRegionSolid, 3, 3));
    EXPECT_EQ(h.level(), before);
    EXPECT_EQ(h.state.selectionValue, 70);
    EXPECT_EQ(h.host.fullInvalidations, 0);
    // Row 0 takes patterns; the right button does not wait for the canvas.
    h.state.canvasReady = 0;
    OnRightButtonDown(h.state, h.host, 2, h.Cell(0, 1));
    EXPECT_EQ(h.level().cells[1], 70);
  }
}
