#include "view/pointer.h"

#include <gtest/gtest.h>

#include <string>

#include "view/editing.h"
#include "view/layout.h"
#include "view_harness.h"

namespace {

const char* const kItemNames[] = {"Speed up", "More bombs", "Bigger bombs",
    "Extra time (15 seconds)", "Extra life", "No bombs", "Extra time (one minute)", "Less time",
    "Mini bombs", "Speed down", "Reverse controls", "Invisibility"};

struct Selection {
  int32_t category, value;
  bool operator==(const Selection&) const = default;
};

// Hover text and click selection of one palette tile.
struct PaletteProbe {
  std::string text;
  Selection selection;
  int invalidations;
};

PaletteProbe Probe(int z, int32_t id, int dx, int dy) {
  ViewHarness h(z);
  h.Select(kSelectTeleport, 1);
  OnCanvasMouseMove(h.state, h.host, 0, h.In(id, dx, dy));
  PaletteProbe probe{h.host.LastStatus(), {}, 0};
  const uint32_t at = h.In(id, dx, dy);
  EXPECT_EQ(OnPanelClick(h.state, h.host, id, at & 0xFFFF, at >> 16), 1);
  probe.selection = {h.state.selectionCategory, h.state.selectionValue};
  probe.invalidations = h.host.fullInvalidations;
  if (probe.invalidations) {
    EXPECT_EQ(h.state.repaintFlags, 2);
  }
  return probe;
}

}  // namespace

TEST(PaletteSelection, EveryTileAtBothZooms) {
  for (int z : {1, 2}) {
    for (int i = 0; i < 16; ++i) {
      const PaletteProbe p = Probe(z, kRegionWalkable, 16 * i + 15, 15);
      EXPECT_EQ(p.text, i < 8 ? "Walkable patterns" : "Walkable patterns with shadow") << i;
      EXPECT_EQ(p.selection, (Selection{0, i}));
      EXPECT_EQ(p.invalidations, 1);
    }
    for (int i = 0; i < 12; ++i) {
      const PaletteProbe p = Probe(z, kRegionItems, 16 * i + 3, 8);
      EXPECT_EQ(p.text, kItemNames[i]);
      EXPECT_EQ(p.selection, (Selection{0, 18 + i}));
    }
    EXPECT_EQ(Probe(z, kRegionExit, 15, 0).text, "Exit");
    EXPECT_EQ(Probe(z, kRegionExit, 15, 0).selection, (Selection{0, 17}));
    EXPECT_EQ(Probe(z, kRegionGem, 0, 15).text, "Gem");
    EXPECT_EQ(Probe(z, kRegionGem, 0, 15).selection, (Selection{0, 31}));
    EXPECT_EQ(Probe(z, kRegionDestroyable, 7, 7).text, "Destroyable item");
    EXPECT_EQ(Probe(z, kRegionDestroyable, 7, 7).selection, (Selection{0, 52}));
    EXPECT_EQ(Probe(z, kRegionWalls, 15, 4).text, "Explodable walls");
    EXPECT_EQ(Probe(z, kRegionWalls, 15, 4).selection, (Selection{0, 32}));
    EXPECT_EQ(Probe(z, kRegionWalls, 16, 4).selection, (Selection{0, 42}));
    for (int row = 0; row < 4; ++row)
      for (int column = 0; column < 16; ++column) {
        const PaletteProbe p = Probe(z, kRegionSolid, 16 * column + 9, 16 * row + 2);
        EXPECT_EQ(p.text, "Solid patterns");
        EXPECT_EQ(p.selection, (Selection{0, 64 + 16 * row + column}));
      }
    EXPECT_EQ(Probe(z, kRegionSolid, 16 * 5, 32).selection, (Selection{0, 101}));
    for (int i = 0; i < 4; ++i) {
      const PaletteProbe p = Probe(z, kRegionPlayer, 16 * i + 8, 23);
      EXPECT_EQ(p.text, "Player");
      EXPECT_EQ(p.selection, (Selection{1, i}));
    }
    for (int n = 1; n <= 5; ++n) {
      const PaletteProbe p = Probe(z, kRegionEnemy1 + n - 1, 8, 12);
      EXPECT_EQ(p.text, "Enemy " + std::to_string(n));
      EXPECT_EQ(p.selection, (Selection{2, n}));
    }
    EXPECT_EQ(Probe(z, kRegionTeleport, 15, 5).text, "Teleport start");
    EXPECT_EQ(Probe(z, kRegionTeleport, 15, 5).selection, (Selection{3, 0}));
    EXPECT_EQ(Probe(z, kRegionTeleport, 16, 5).text, "Teleport end");
    EXPECT_EQ(Probe(z, kRegionTeleport, 31, 5).selection, (Selection{3, 1}));
  }
}

TEST(PaletteSelection, WalkableRowSplitsAtItsMiddle) {
  ViewHarness h;
  OnCanvasMouseMove(h.state, h.host, 0, Pack(386, 20));
  EXPECT_EQ(h.host.LastStatus(), "Walkable patterns");
  OnCanvasMouseMove(h.state, h.host, 0, Pack(387, 20));
  EXPECT_EQ(h.host.LastStatus(), "Walkable patterns with shadow");
  ViewHarness d(2);
  OnCanvasMouseMove(d.state, d.host, 0, Pack(773, 30));
  EXPECT_EQ(d.host.LastStatus(), "Walkable patterns");
  OnCanvasMouseMove(d.state, d.host, 0, Pack(774, 30));
  EXPECT_EQ(d.host.LastStatus(), "Walkable patterns with shadow");
  // The fourth item through a real left click.
  ViewHarness items;
  OnCanvasMouseMove(items.state, items.host, 0, items.In(kRegionItems, 50, 5));
  EXPECT_EQ(items.host.LastStatus(), "Extra time (15 seconds)");
  EXPECT_EQ(OnLeftButtonDown(items.state, items.host, 1, items.In(kRegionItems, 50, 5)), 1);
  EXPECT_EQ(items.state.selectionCategory, kSelectPattern);
  EXPECT_EQ(items.state.selectionValue, 21);
  EXPECT_EQ(items.state.repaintFlags, 2);
  EXPECT_EQ(items.host.fullInvalidations, 1);
}

TEST(PaletteSelection, LastPixelColumnIsNoTile) {
  for (int z : {1, 2}) {
    for (int32_t id : {1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014, 1018, 1019, 1020, 1021,
                       1022, 1039}) {
      ViewHarness h(z);
      h.Select(kSelectPattern, 5);
      const ScreenRegion* r = h.state.regionList.FindRegionById(id);
      for (int y : {r->top, r->bottom - 1}) {
        OnCanvasMouseMove(h.state, h.host, 0, Pack(r->right, y));
        EXPECT_EQ(h.host.LastStatus(), "") << id;
        EXPECT_EQ(OnPanelClick(h.state, h.host, id, r->right, y), 1);
        OnLeftButtonDown(h.state, h.host, 1, Pack(r->right, y));
        OnCanvasMouseMove(h.state, h.host, 1, Pack(r->right, y));  // a drag there
      }
      EXPECT_EQ(h.state.selectionCategory, kSelectPattern) << id;
      EXPECT_EQ(h.state.selectionValue, 5) << id;
      EXPECT_EQ(h.host.fullInvalidations, 0) << id;
      EXPECT_EQ(h.state.repaintFlags, 0) << id;
    }
  }
  // A click named for one region but lying in another selects nothing.
  ViewHarness h;
  h.Select(kSelectPattern, 5);
  const uint32_t gem = h.In(kRegionGem, 3, 3);
  OnPanelClick(h.state, h.host, kRegionExit, gem & 0xFFFF, gem >> 16);
  OnPanelClick(h.state, h.host, 1015, gem & 0xFFFF, gem >> 16);
  EXPECT_EQ(h.state.selectionValue, 5);
  EXPECT_EQ(h.host.fullInvalidations, 0);
}

TEST(PointerHover, CanvasShowsLevelAndInspectsTheCell) {
  for (int z : {1, 2}) {
    ViewHarness h(z);
    h.state.currentLevel = 3;
    h.state.levels[3].cells[68] = 150;
    h.state.levels[3].floors[68] = 4;
    h.state.levels[3].cells[84] = 137;
    h.state.levels[3].cells[71] = 165;
    h.state.levels[3].floors[71] = 12;
    EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, 0, h.In(kRegionLeftEdge, 2, 70)), 0);
    EXPECT_EQ(h.host.LastStatus(), "Level 4");
    EXPECT_EQ(h.state.inspectorTiles[0], 32);
    EXPECT_EQ(h.state.inspectorTiles[1], 22);
    EXPECT_EQ(h.state.inspectorTiles[2], 4);
    EXPECT_EQ(h.state.repaintFlags, 1);
    ASSERT_EQ(h.host.partialInvalidations.size(), 1u);
    EXPECT_EQ(h.host.partialInvalidations[0], InspectorRect(z));
    OnCanvasMouseMove(h.state, h.host, 0, h.In(kRegionRightEdge, 7, 70));
    EXPECT_EQ(h.state.inspectorTiles[0], 17);
    EXPECT_EQ(h.state.inspectorTiles[1], 9);
    EXPECT_EQ(h.state.inspectorTiles[2], -1);
    OnCanvasMouseMove(h.state, h.host, 0, h.In(kRegionGrid, 40, 70));
    EXPECT_EQ(h.state.inspectorTiles[0], 42);
    EXPECT_EQ(h.state.inspectorTiles[1], 21);
    EXPECT_EQ(h.state.inspectorTiles[2], 12);
    EXPECT_EQ(h.host.partialInvalidations.size(), 3u);
    EXPECT_EQ(h.host.fullInvalidations, 0);  // hovering never redraws the level
    Level unchanged;  // hovering edits nothing
    unchanged.cells[68] = 150;
    unchanged.floors[68] = 4;
    unchanged.cells[84] = 137;
    unchanged.cells[71] = 165;
    unchanged.floors[71] = 12;
    EXPECT_EQ(h.state.levels[3], unchanged);
  }
}

TEST(PointerHover, ElsewhereClearsTheInspectorAndTheStatus) {
  for (int z : {1, 2}) {
    ViewHarness h(z);
    h.level().cells[0] = 9;
    OnCanvasMouseMove(h.state, h.host, 0, h.Cell(0, 0));
    EXPECT_EQ(h.state.inspectorTiles[0], 9);
    const size_t invalidated = h.host.partialInvalidations.size();
    // The gap between canvas and panel, the top strip, the line below row 12.
    const ScreenRegion* grid = h.state.regionList.FindRegionById(kRegionGrid);
    for (uint32_t at : {Pack(257 * z, 50 * z), Pack(100, 5), Pack(grid->left + 30, grid->bottom)}) {
      h.state.inspectorTiles[0] = 9;
      EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, 0, at), 0);
      EXPECT_EQ(h.host.LastStatus(), "");
      EXPECT_EQ(h.state.inspectorTiles[0], -1);
      EXPECT_EQ(h.state.inspectorTiles[1], -1);
      EXPECT_EQ(h.state.inspectorTiles[2], -1);
    }
    // Over the palette the inspector empties too, without being invalidated.
    OnCanvasMouseMove(h.state, h.host, 0, h.In(kRegionGem, 2, 2));
    EXPECT_EQ(h.state.inspectorTiles[0], -1);
    EXPECT_EQ(h.host.partialInvalidations.size(), invalidated);
  }
  // Before the first paint nothing happens at all.
  ViewHarness h;
  h.state.canvasReady = 0;
  h.state.inspectorTiles[0] = 5;
  h.Select(kSelectPattern, 3);
  EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, 1, h.Cell(3, 3)), 0);
  EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, 0, h.In(kRegionGem, 2, 2)), 0);
  EXPECT_TRUE(h.host.statusTexts.empty());
  EXPECT_EQ(h.state.inspectorTiles[0], 5);
  EXPECT_EQ(h.level(), Level{});
}

TEST(PointerDrag, LeftButtonAlonePaintsAndSelects) {
  ViewHarness h;
  h.Select(kSelectPattern, 0);
  for (int column = 1; column <= 15; ++column) h.level().cells[3 * 17 + column] = 70;
  h.level().cells[3 * 17] = 70;
  h.level().cells[3 * 17 + 16] = 70;
  for (int column = 0; column <= 16; ++column) {
    h.level().floors[3 * 17 + column] = 5;
    EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, 1, h.Cell(3, column)), 1);
  }
  for (int column = 1; column <= 15; ++column) {
    EXPECT_EQ(h.level().cells[3 * 17 + column], 0) << column;
    EXPECT_EQ(h.level().floors[3 * 17 + column], 0) << column;
  }
  EXPECT_EQ(h.level().cells[3 * 17], 0);  // edge columns take the pattern raw
  EXPECT_EQ(h.level().floors[3 * 17], 5);
  EXPECT_EQ(h.level().cells[3 * 17 + 16], 0);
  EXPECT_EQ(h.state.modified, 1);

  // The exit follows the mouse.
  h.Select(kSelectPattern, 17);
  OnCanvasMouseMove(h.state, h.host, 1, h.Cell(5, 5));
  OnCanvasMouseMove(h.state, h.host, 1, h.Cell(5, 6));
  EXPECT_EQ(h.level().cells[5 * 17 + 5], 0);
  EXPECT_EQ(h.level().cells[5 * 17 + 6], 128);

  // Dragging over the palette keeps selecting what is under the cursor.
  OnCanvasMouseMove(h.state, h.host, 1, h.In(kRegionSolid, 20, 20));
  EXPECT_EQ(h.state.selectionValue, 81);
  OnCanvasMouseMove(h.state, h.host, 1, h.In(kRegionPlayer, 20, 20));
  EXPECT_EQ(h.state.selectionCategory, kSelectPlayer);
  EXPECT_EQ(h.state.selectionValue, 1);
  OnCanvasMouseMove(h.state, h.host, 1, h.In(1021, 3, 3));
  EXPECT_EQ(h.state.selectionCategory, kSelectEnemy);
  EXPECT_EQ(h.state.selectionValue, 4);
  // The teleport tiles only show their names.
  EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, 1, h.In(kRegionTeleport, 20, 3)), 0);
  EXPECT_EQ(h.host.LastStatus(), "Teleport end");
  EXPECT_EQ(h.state.selectionCategory, kSelectEnemy);
}

TEST(PointerDrag, OtherKeysOnlyFollowTheCursor) {
  for (uint32_t keys : {0u, 5u, 9u, 3u, 17u}) {
    ViewHarness h;
    h.Select(kSelectPattern, 0);
    h.level().cells[3 * 17 + 4] = 70;
    h.level().cells[3 * 17] = 70;
    EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, keys, h.Cell(3, 4)), 0);
    EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, keys, h.Cell(3, 0)), 0);
    EXPECT_EQ(h.state.inspectorTiles[0], 70);  // the inspector follows
    EXPECT_EQ(h.host.LastStatus(), "Level 1");
    EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, keys, h.In(kRegionSolid, 20, 20)), 0);
    EXPECT_EQ(h.level().cells[3 * 17 + 4], 70);
    EXPECT_EQ(h.level().cells[3 * 17], 70);
    EXPECT_EQ(h.state.selectionValue, 0);
    EXPECT_EQ(h.state.modified, 0);
    EXPECT_EQ(h.host.fullInvalidations, 0);
  }
}

TEST(PointerDoubleClick, OpensTheEnemyDialog) {
  for (int z : {1, 2}) {
    for (int n = 1; n <= 5; ++n) {
      ViewHarness h(z);
      h.state.canvasReady = 0;  // not consulted
      EXPECT_EQ(OnCanvasDoubleClick(h.state, h.host, h.In(kRegionEnemy1 + n - 1, 15, 23)), 1);
      ASSERT_EQ(h.host.dialogs.size(), 1u);
      EXPECT_EQ(h.host.dialogs[0].dialog, DialogKind::EnemySettings);
      EXPECT_EQ(h.host.dialogs[0].param, n);
      EXPECT_EQ(h.state.repaintFlags, 3);
    }
    ViewHarness h(z);
    const ScreenRegion* enemy3 = h.state.regionList.FindRegionById(1020);
    for (uint32_t at : {h.In(kRegionPlayer, 5, 5), h.Cell(5, 5), Pack(0, 0),
                        Pack(enemy3->right, enemy3->top), Pack(enemy3->left, enemy3->bottom)})
      EXPECT_EQ(OnCanvasDoubleClick(h.state, h.host, at), 1);
    EXPECT_TRUE(h.host.dialogs.empty());
    EXPECT_EQ(h.state.repaintFlags, 0);
  }
}

TEST(CellInspector, ShowsWhatACellIsMadeOf) {
  struct Case {
    int cell, floor, slot1, slot2, slot3;
  };
  const Case kCases[] = {
      {0, 3, 0, -1, -1},     {9, 3, 9, -1, -1},     {16, 3, 16, -1, -1},  {17, 3, 17, 3, -1},
      {25, 4, 25, 4, -1},    {31, 2, 31, 2, -1},    {42, 7, 42, 7, -1},   {63, 1, 63, 1, -1},
      {64, 3, 64, -1, -1},   {127, 3, 127, -1, -1}, {128, 3, 17, 0, -1},  {137, 3, 17, 9, -1},
      {143, 3, 17, 15, -1},  {144, 5, 32, 16, 5},   {150, 5, 32, 22, 5},  {159, 5, 32, 31, 5},
      {160, 6, 42, 16, 6},   {165, 6, 42, 21, 6},   {175, 6, 42, 31, 6},  {176, 3, 16, -1, -1},
      {180, 3, 16, -1, -1},  {255, 3, 16, -1, -1},
  };
  for (int z : {1, 2}) {
    for (const Case& c : kCases) {
      ViewHarness h(z);
      h.level().cells[100] = c.cell;
      h.level().floors[100] = c.floor;
      ShowCellInspector(h.state, h.host, 100);
      EXPECT_EQ(h.state.inspectorTiles[0], c.slot1) << c.cell;
      EXPECT_EQ(h.state.inspectorTiles[1], c.slot2) << c.cell;
      EXPECT_EQ(h.state.inspectorTiles[2], c.slot3) << c.cell;
      EXPECT_EQ(h.state.repaintFlags, 1);
      ASSERT_EQ(h.host.partialInvalidations.size(), 1u);
      EXPECT_EQ(h.host.partialInvalidations[0], InspectorRect(z));
      EXPECT_EQ(h.host.fullInvalidations, 0);
    }
  }
  // No such cell: nothing.
  ViewHarness h;
  for (int cell : {-1, 221, 100000}) ShowCellInspector(h.state, h.host, cell);
  EXPECT_TRUE(h.host.partialInvalidations.empty());
  EXPECT_EQ(h.state.repaintFlags, 0);
}

TEST(CellInspector, CorrectsShadowsWhenAskedWithoutMarkingModified) {
  ViewHarness h;
  h.state.settings.correctShadow = 1;
  h.level().cells[3 * 17 + 5] = 32;
  h.level().cells[4 * 17 + 5] = 3;
  h.level().floors[4 * 17 + 5] = 2;
  h.level().cells[8 * 17 + 1] = 12;  // nothing above casts a shadow
  ShowCellInspector(h.state, h.host, 4 * 17 + 5);
  EXPECT_EQ(h.state.inspectorTiles[0], 11);
  EXPECT_EQ(h.level().floors[4 * 17 + 5], 10);
  EXPECT_EQ(h.level().cells[8 * 17 + 1], 4);  // the whole level, not just the cell shown
  EXPECT_EQ(h.state.modified, 0);
  EXPECT_TRUE(h.host.titles.empty());
  // Hovering corrects too.
  h.level().cells[9 * 17 + 1] = 10;
  OnCanvasMouseMove(h.state, h.host, 0, h.Cell(0, 0));
  EXPECT_EQ(h.level().cells[9 * 17 + 1], 2);
  EXPECT_EQ(h.state.modified, 0);
  // Off: the level stays as it is.
  ViewHarness off;
  off.level().cells[3 * 17 + 5] = 32;
  off.level().cells[4 * 17 + 5] = 3;
  ShowCellInspector(off.state, off.host, 4 * 17 + 5);
  EXPECT_EQ(off.state.inspectorTiles[0], 3);
  EXPECT_EQ(off.level().cells[4 * 17 + 5], 3);
}
