#include "view/pointer.h"

#include <gtest/gtest.h>

#include "support/editor_harness.h"
#include "support/recording_painter.h"
#include "view/canvas_tool.h"
#include "view/hit_test.h"
#include "view/inspector.h"
#include "view/keyboard.h"
#include "view/paint.h"
#include "view/panel.h"
#include "view/selectors.h"
#include "view/undo.h"

TEST(Panel, HoverTextsAndSelections) {
  struct Row {
    int32_t id;
    int dx, dy;
    const char* text;
    int32_t category, value;
  } rows[] = {
      {kRegionWalkable, 7 * 16 + 15, 15, "Walkable patterns", 0, 7}, {kRegionWalkable, 8 * 16, 0, "Walkable patterns with shadow", 0, 8},
      {kRegionWalkable, 255, 3, "Walkable patterns with shadow", 0, 15}, {kRegionItems, 3, 8, "string 1", 0, 18},
      {kRegionItems, 50, 5, "string 4", 0, 21}, {kRegionItems, 191, 15, "string 12", 0, 29}, {kRegionExit, 15, 0, "Exit", 0, 17},
      {kRegionGem, 0, 15, "Gem", 0, 31}, {kRegionDestroyable, 7, 7, "Destroyable item", 0, 52},
      {kRegionWalls, 15, 4, "Explodable walls", 0, 32}, {kRegionWalls, 16, 4, "Explodable walls", 0, 42},
      {kRegionSolid, 9, 2, "Solid patterns", 0, 64}, {kRegionSolid, 80, 32, "Solid patterns", 0, 101},
      {kRegionSolid, 255, 63, "Solid patterns", 0, 127}, {kRegionPlayer, 8, 23, "Player", 1, 0}, {kRegionPlayer, 63, 0, "Player", 1, 3},
      {kRegionEnemy1, 8, 12, "Enemy 1", 2, 1}, {kRegionEnemy1 + 1, 0, 0, "Enemy 2", 2, 2}, {kRegionEnemy1 + 2, 15, 23, "Enemy 3", 2, 3},
      {kRegionEnemy1 + 3, 15, 23, "Enemy 4", 2, 4}, {kRegionEnemy5, 0, 0, "Enemy 5", 2, 5},
      {kRegionTeleport, 15, 5, "Teleport start", 3, 0}, {kRegionTeleport, 16, 5, "Teleport end", 3, 1},
  };
  for (int z : {1, 2}) {
    for (const Row& r : rows) {
      Harness h(z);
      h.Select(kSelectTeleport, 1);
      const uint32_t at = h.In(r.id, r.dx, r.dy);
      EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, 0, at), 0);
      EXPECT_EQ(h.host.LastStatus(), r.text) << r.id << " " << r.dx;
      EXPECT_EQ(OnLeftButtonDown(h.state, h.host, 1, at), 1);
      OnLeftButtonUp(h.state, h.host);
      EXPECT_EQ(h.state.session.selectionCategory * 1000 + h.state.session.selectionValue, r.category * 1000 + r.value)
          << r.id << " " << r.dx;
      EXPECT_EQ(h.state.session.repaintFlags, 2);
      EXPECT_FALSE(h.state.document.CanUndo());
    }
    // Past the last tile of each row, between the regions, and a click named
    // for one region but lying in another: no text, no selection.
    Harness h(z);
    h.Select(kSelectPattern, 5);
    for (int32_t id : {1007, 1008, 1009, 1012, 1013, 1014, 1018, 1022, 1039}) {
      const ScreenRegion* r = h.state.session.regionList.FindRegionById(id);
      OnCanvasMouseMove(h.state, h.host, 0, Pack(r->right, r->top));
      EXPECT_EQ(h.host.LastStatus(), "") << id;
      OnLeftButtonDown(h.state, h.host, 1, Pack(r->right, r->top));
      OnCanvasMouseMove(h.state, h.host, kKeyLeftButton, Pack(r->right, r->top));
    }
    const uint32_t gem = h.In(kRegionGem, 3, 3);
    OnPanelClick(h.state, h.host, kRegionExit, gem & 0xFFFF, gem >> 16);
    EXPECT_EQ(h.state.session.selectionValue * 100 + h.host.fullInvalidations, 500);
  }
}

TEST(Pointer, HoverShowsTheLevelAndInspectsTheCell) {
  struct Row {  // the cell's value and floor; the inspector's three tiles
    int value, floor, t0, t1, t2;
  } rows[] = {{0, 3, 0, -1, -1},    {9, 3, 9, -1, -1},    {16, 3, 16, -1, -1},  {17, 3, 17, 3, -1},  {25, 4, 25, 4, -1},
              {63, 1, 63, 1, -1},   {64, 3, 64, -1, -1},  {127, 3, 127, -1, -1}, {128, 3, 17, 0, -1}, {143, 3, 17, 15, -1},
              {144, 5, 32, 16, 5},  {159, 5, 32, 31, 5},  {160, 6, 42, 16, 6},  {175, 6, 42, 31, 6}, {176, 3, 16, -1, -1},
              {255, 3, 16, -1, -1}, {-5, 3, -5, -1, -1}};
  for (int z : {1, 2})
    for (const Row& r : rows)
      for (int cell : {3 * 17, 3 * 17 + 8, 3 * 17 + 16}) {
        Harness h(z);
        h.Open([&](LevelSet& levels) { levels[3].SetCell(cell, r.value), levels[3].SetFloor(cell, r.floor); });
        h.state.session.currentLevel = 3;
        EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, 0, h.At(cell)), 0);
        EXPECT_EQ(h.host.LastStatus(), "Level 4");
        const int32_t* tiles = h.state.session.inspectorTiles;
        EXPECT_EQ(std::vector<int>(tiles, tiles + 3), (std::vector<int>{r.t0, r.t1, r.t2})) << r.value;
        EXPECT_EQ(h.state.session.layoutChanged, 0);
        EXPECT_EQ(h.state.session.repaintFlags, 1);
        EXPECT_EQ(h.host.partialInvalidations, std::vector<ClientRect>{InspectorRect(z)});
        EXPECT_EQ(h.host.fullInvalidations, 0);
        EXPECT_FALSE(h.modified());
      }
  // Elsewhere the inspector empties and the status clears; before the first
  // paint nothing happens at all.
  Harness h;
  const ScreenRegion* grid = h.state.session.regionList.FindRegionById(kRegionGrid);
  for (uint32_t at : {Pack(257, 50), Pack(100, 5), Pack(grid->left + 30, grid->bottom)}) {
    h.state.session.inspectorTiles[0] = 9;
    EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, 0, at), 0);
    EXPECT_EQ(h.host.LastStatus() + std::to_string(h.state.session.inspectorTiles[0]), "-1");
  }
  ShowCellInspector(h.state, h.host, 221);
  EXPECT_TRUE(h.host.partialInvalidations.empty());
  h.state.session.canvasReady = 0;
  h.Select(kSelectPattern, 3);
  EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, kKeyLeftButton, h.At(50)), 0);
  EXPECT_EQ(OnLeftButtonDown(h.state, h.host, kKeyLeftButton, h.At(50)), 0);
  EXPECT_EQ(h.level(), Level());
  EXPECT_EQ(h.host.captures, 0);
}

TEST(Pointer, StrokesDragsAndUndo) {
  for (int z : {1, 2}) {
    Harness h(z);
    h.Open([](LevelSet& levels) {
      for (int i = 0; i < kCellCount; ++i) levels[0].SetCell(i, 70), levels[0].SetFloor(i, 5);
    });
    h.Select(kSelectPattern, 0);
    // Press on column 0 of row 3, moves along the row: one step.
    EXPECT_EQ(OnLeftButtonDown(h.state, h.host, kKeyLeftButton, h.At(3 * 17)), 1);
    for (int column = 1; column <= 4; ++column)
      EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, kKeyLeftButton, h.At(3 * 17 + column)), 1);
    EXPECT_EQ(h.host.LastTitle(), "Kraxolan Editor - [set.kxl *]");  // before the release
    OnLeftButtonUp(h.state, h.host);
    EXPECT_EQ(h.host.captures * 10 + h.host.releases, 11);
    for (int column = 0; column <= 5; ++column) EXPECT_EQ(h.level().GetCell(3 * 17 + column), column < 5 ? 0 : 70);
    EXPECT_EQ(h.level().GetFloor(3 * 17 + 1) * 10 + h.level().GetFloor(3 * 17), 5);  // edges take it raw
    for (uint32_t keys : {0u, 5u, 9u, 3u, 17u})  // Shift, Ctrl, another button: the pointer only follows
      EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, keys, h.At(5 * 17 + 5)), 0);
    EXPECT_EQ(h.level().GetCell(5 * 17 + 5), 70);
    // A drag that came in without a press is a stroke too, ended by any other move.
    OnCanvasMouseMove(h.state, h.host, kKeyLeftButton, h.At(6 * 17 + 1));
    OnCanvasMouseMove(h.state, h.host, kKeyLeftButton, h.At(6 * 17 + 2));
    OnCanvasMouseMove(h.state, h.host, 0, h.At(6 * 17 + 3));
    ASSERT_EQ(h.state.document.GetHistory().UndoCount(), 2u);
    UndoStep(h.state, h.host);
    EXPECT_EQ(h.level().GetCell(6 * 17 + 1), 70);
    UndoStep(h.state, h.host);
    EXPECT_EQ(h.level().GetCell(3 * 17 + 2), 70);
    EXPECT_EQ(h.host.LastTitle(), "Kraxolan Editor - [set.kxl]");
    // Dragging the exit moves it; over the panel a drag selects, teleport tiles only name themselves.
    h.Select(kSelectPattern, 17);
    OnLeftButtonDown(h.state, h.host, kKeyLeftButton, h.At(5 * 17 + 5));
    OnCanvasMouseMove(h.state, h.host, kKeyLeftButton, h.At(5 * 17 + 6));
    EXPECT_EQ(h.level().FindExit() * 1000 + h.level().GetCell(5 * 17 + 5), 91000);  // left on pattern 0
    OnCanvasMouseMove(h.state, h.host, kKeyLeftButton, h.In(kRegionSolid, 20, 20));
    EXPECT_EQ(h.state.session.selectionValue, 81);
    OnCanvasMouseMove(h.state, h.host, kKeyLeftButton, h.In(kRegionEnemy1 + 3, 3, 3));
    EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, kKeyLeftButton, h.In(kRegionTeleport, 20, 3)), 0);
    EXPECT_EQ(h.state.session.selectionCategory * 10 + h.state.session.selectionValue, 24);
    OnCanvasMouseMove(h.state, h.host, kKeyLeftButton, h.At(7 * 17 + 7));
    EXPECT_EQ(h.level().GetActor(4).x(), 104);
    OnLeftButtonUp(h.state, h.host);
    EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 1u);
  }
}

TEST(Pointer, UndoRestoresExactlyAndShowsTheLevelOfTheStep) {
  for (int shadows : {0, 1}) {
    Harness h;
    h.state.settings.correctShadow = shadows;
    h.Open([](LevelSet& levels) {
      levels[2].SetPatternSet(5);
      levels[2].SetCell(4 * 17 + 5, 3);
      levels[2].SetCell(6 * 17 + 5, 9);  // a shadow nothing casts
    });
    SelectLevel(h.state, h.host, 2);
    if (shadows) h.state.document.CorrectShadowsQuietly(2);  // as the paint before the edit does
    const Level before = h.level();
    h.Select(kSelectPattern, 32);
    OnLeftButtonDown(h.state, h.host, kKeyLeftButton, h.At(3 * 17 + 5));
    OnLeftButtonUp(h.state, h.host);
    EXPECT_EQ(h.level().GetCell(4 * 17 + 5), shadows ? 11 : 3);
    h.Select(kSelectPattern, 22);
    RightClickAt(h.state, h.host, 3 * 17 + 5);
    EXPECT_EQ(h.level().GetCell(3 * 17 + 5), 150);
    SelectLevel(h.state, h.host, 7);
    h.host.selectorPositions.clear();
    UndoStep(h.state, h.host);
    EXPECT_EQ(h.state.session.currentLevel, 2);
    ASSERT_GE(h.host.selectorPositions.size(), 2u);
    EXPECT_EQ(h.host.selectorPositions[0], std::make_pair(Selector::Level, 2));
    EXPECT_EQ(h.host.selectorPositions[1], std::make_pair(Selector::Graphics, 2));
    EXPECT_EQ(h.level().GetCell(3 * 17 + 5), 32);
    UndoStep(h.state, h.host);
    EXPECT_EQ(h.level(), before) << "correction " << shadows;
    EXPECT_FALSE(h.modified());
    RedoStep(h.state, h.host);
    EXPECT_EQ(h.level().GetCell(4 * 17 + 5), shadows ? 11 : 3);
    EXPECT_TRUE(h.modified());
  }
}

TEST(Pointer, DoubleClickOnAnEnemyImageOpensItsDialog) {
  for (int z : {1, 2}) {
    Harness h(z);
    for (int n = 1; n <= 5; ++n) EXPECT_EQ(OnCanvasDoubleClick(h.state, h.host, h.In(kRegionEnemy1 + n - 1, 15, 23)), 1);
    const ScreenRegion* enemy3 = h.state.session.regionList.FindRegionById(1020);
    for (uint32_t at : {h.In(kRegionPlayer, 5, 5), h.At(50), Pack(enemy3->right, enemy3->top), Pack(enemy3->left, enemy3->bottom)})
      EXPECT_EQ(OnCanvasDoubleClick(h.state, h.host, at), 1);
    ASSERT_EQ(h.host.dialogs.size(), 5u);
    for (int n = 1; n <= 5; ++n)
      EXPECT_TRUE(h.host.dialogs[n - 1].dialog == DialogKind::EnemySettings && h.host.dialogs[n - 1].param == n);
  }
}

TEST(Pointer, ShiftDragsARectangleAndCtrlFloods) {
  for (int z : {1, 2}) {
    Harness h(z);
    h.Select(kSelectPattern, 70);
    const uint32_t shift = kKeyLeftButton | kKeyShift;
    // From row 10, column 14 past the canvas's bottom right corner: clamped to row 12, column 16.
    EXPECT_EQ(OnLeftButtonDown(h.state, h.host, shift, h.At(10 * 17 + 14)), 1);
    EXPECT_EQ(h.host.LastStatus(), "Rectangle 1 x 1");
    const ScreenRegion* right = h.state.session.regionList.FindRegionById(kRegionRightEdge);
    EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, shift, Pack(right->right + 40, right->bottom + 40)), 0);
    EXPECT_EQ(h.host.LastStatus(), "Rectangle 3 x 3");
    const int invalidations = h.host.fullInvalidations;
    OnCanvasMouseMove(h.state, h.host, shift, Pack(right->right + 50, right->bottom + 10));
    EXPECT_EQ(h.host.fullInvalidations, invalidations);  // the same cell: no new canvas
    RecordingPainter frame;  // white around columns 14..16 (16 half wide), rows 10..12
    PaintMainWindow(h.state, frame);
    std::vector<std::vector<int>> lines;
    for (const PaintCall& c : frame.Of(PaintCall::Kind::Line))
      if (c.colour == Rgb{255, 255, 255}) lines.push_back({c.x0, c.y0, c.x1, c.y1});
    const int l = 217 * z, t = 161 * z + 16, r = 257 * z - 1, b = 209 * z + 15;
    EXPECT_EQ(lines, (std::vector<std::vector<int>>{{l, t, r, t}, {r, t, r, b}, {r, b, l, b}, {l, b, l, t}}));
    EXPECT_EQ(h.level(), Level());  // nothing before the release
    OnLeftButtonUp(h.state, h.host);
    for (int row = 9; row <= 12; ++row)
      for (int column = 13; column <= 16; ++column)
        EXPECT_EQ(h.level().GetCell(row * 17 + column), row >= 10 && column >= 14 ? 70 : 0);
    EXPECT_FALSE(h.state.session.rectangle.active);
    // Esc drops it; so does the capture lost.
    OnLeftButtonDown(h.state, h.host, shift, h.At(20));
    OnCanvasMouseMove(h.state, h.host, shift, h.At(60));
    DragRectangleTo(h.state, h.host, -1);  // no cell near: the frame stays
    EXPECT_EQ(h.state.session.rectangle.last, 60);
    EXPECT_EQ(OnRightButtonUp(h.state, h.host), 0);  // the right release leaves the left rectangle
    EXPECT_TRUE(h.state.session.rectangle.active);
    OnKeyUp(h.state, h.host, kKeyEscape, 0);
    OnLeftButtonUp(h.state, h.host);
    OnRightButtonDown(h.state, h.host, kKeyShift, h.At(20));
    OnCaptureLost(h.state, h.host);
    OnRightButtonUp(h.state, h.host);
    EXPECT_EQ(h.level().GetCell(20) + h.level().GetCell(60), 0);
    EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 1u);
    // The right button's rectangle takes the right-click rules: a floor under the solids.
    h.Select(kSelectPattern, 4);
    EXPECT_EQ(OnRightButtonDown(h.state, h.host, kKeyShift, h.At(10 * 17 + 15)), 1);
    OnCanvasMouseMove(h.state, h.host, kKeyShift | 2, h.At(11 * 17 + 15));
    OnRightButtonUp(h.state, h.host);
    EXPECT_EQ(h.level().GetCell(10 * 17 + 15) * 1000 + h.level().GetFloor(11 * 17 + 15), 4004);
    // Ctrl floods: the left rules over the zeros around, the right rules in the block.
    h.Select(kSelectPattern, 9);
    EXPECT_EQ(OnLeftButtonDown(h.state, h.host, kKeyLeftButton | kKeyControl, h.At(0)), 1);
    EXPECT_EQ(h.level().GetCell(100) * 100 + h.level().GetCell(12 * 17 + 16), 970);
    h.Select(kSelectPattern, 3);
    EXPECT_EQ(OnRightButtonDown(h.state, h.host, kKeyControl, h.At(12 * 17 + 14)), 1);
    EXPECT_EQ(h.level().GetFloor(11 * 17 + 14) * 10 + h.level().GetFloor(11 * 17 + 16), 30);  // edges: no right rule
    EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 4u);
    // With the exit or an actor selected, Shift and Ctrl clicks are plain clicks.
    h.Select(kSelectPattern, 17);
    OnLeftButtonDown(h.state, h.host, shift, h.At(52));
    OnLeftButtonUp(h.state, h.host);
    EXPECT_EQ(h.level().FindExit(), 52);
    h.Select(kSelectPlayer, 2);
    OnLeftButtonDown(h.state, h.host, kKeyLeftButton | kKeyControl, h.At(5 * 17 + 3));
    EXPECT_EQ(h.level().GetActor(0).x(), 40);
    // No zoom, or any of the three canvas regions missing: no nearest cell.
    const uint32_t centre = h.At(8 * 17 + 8);
    const int x = static_cast<int>(centre & 0xFFFF), y = static_cast<int>(centre >> 16);
    EXPECT_EQ(NearestCell(h.state.session.regionList, z, x, y), 8 * 17 + 8);
    EXPECT_EQ(NearestCell(h.state.session.regionList, 0, x, y), -1);
    for (int32_t missing : {kRegionLeftEdge, kRegionGrid, kRegionRightEdge}) {
      RegionList part;
      for (int32_t id : {kRegionLeftEdge, kRegionGrid, kRegionRightEdge})
        if (const ScreenRegion* region = h.state.session.regionList.FindRegionById(id); id != missing)
          part.AddRegion(region->left, region->top, region->right, region->bottom, id);
      EXPECT_EQ(NearestCell(part, z, x, y), -1) << missing;
    }
  }
}
