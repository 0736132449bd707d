#include "view/pointer.h"

#include <gtest/gtest.h>

#include "support/editor_harness.h"
#include "support/recording_painter.h"
#include "view/canvas_tool.h"
#include "view/keyboard.h"
#include "view/paint.h"
#include "view/panel.h"
#include "view/selectors.h"
#include "view/undo.h"

namespace {

constexpr int32_t kSolid = 70;
constexpr uint32_t kRightButton = 0x0002;  // MK_RBUTTON
constexpr uint32_t kShiftDrag = kKeyLeftButton | kKeyShift;

// The box the one white frame of a paint encloses, its right and bottom pixels
// included; all 0 unless the paint drew the four lines of one frame.
ClientRect WhiteFrame(const RecordingPainter& painter) {
  std::vector<PaintCall> white;
  for (const PaintCall& c : painter.Of(PaintCall::Kind::Line))
    if (c.colour == Rgb{255, 255, 255}) white.push_back(c);
  if (white.size() != 4) return {};
  return {white[0].x0, white[0].y0, white[0].x1, white[1].y1};
}

}  // namespace

TEST(Pointer, ADragOverThePanelSelects) {
  Harness h;
  h.Open([](LevelSet& levels) { levels[0].GetActor(4).Set(0, 0, 7, 48, 6, 8); });
  h.Select(kSelectPattern, kCellExit);
  OnLeftButtonDown(h.state, h.host, kKeyLeftButton, h.At(5 * kGridColumns + 5));
  EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, kKeyLeftButton, h.In(kRegionSolid, 20, 20)), 1);
  EXPECT_EQ(h.state.session.selectionValue, 81);
  OnCanvasMouseMove(h.state, h.host, kKeyLeftButton, h.In(kRegionEnemy1 + 3, 3, 3));
  // The teleport tiles only name themselves.
  EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, kKeyLeftButton, h.In(kRegionTeleport, 20, 3)), 0);
  EXPECT_EQ(h.state.session.selectionCategory, kSelectEnemy);
  EXPECT_EQ(h.state.session.selectionValue, 4);
  OnCanvasMouseMove(h.state, h.host, kKeyLeftButton, h.At(7 * kGridColumns + 7));
  ActorRecord enemy;  // on row 7, column 7: x 104, y 112; its settings stay
  enemy.Set(104, 112, 7, 48, 6, 8);
  EXPECT_EQ(h.level().GetActor(4), enemy);
  OnLeftButtonUp(h.state, h.host);
  EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 1u);
}

TEST(Pointer, NothingHappensBeforeTheFirstPaint) {
  Harness h;
  h.state.session.canvasReady = 0;
  h.Select(kSelectPattern, kSolid);
  EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, kKeyLeftButton, h.At(50)), 0);
  EXPECT_EQ(OnLeftButtonDown(h.state, h.host, kKeyLeftButton, h.At(50)), 0);
  EXPECT_EQ(h.level(), Level());
}

// The inspector shows the tiles a cell is made of: a wall hiding item 22 on floor 5.
TEST(Pointer, HoverShowsTheLevelAndInspectsTheCell) {
  const struct Row {
    int z, cell;
    ClientRect inspector;  // the box invalidated
  } rows[] = {
      {1, 3 * kGridColumns, {383, 203, 431, 219}},  // an edge cell
      {2, 3 * kGridColumns + 8, {766, 390, 862, 422}},
  };
  for (const Row& r : rows) {
    Harness h(r.z);
    h.Open([&r](LevelSet& levels) {
      levels[3].SetCell(r.cell, 150);
      levels[3].SetFloor(r.cell, 5);
    });
    h.state.session.currentLevel = 3;
    EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, 0, h.At(r.cell)), 0);
    EXPECT_EQ(h.host.LastStatus(), "Level 4");
    const int32_t* tiles = h.state.session.inspectorTiles;
    EXPECT_EQ(std::vector<int32_t>(tiles, tiles + 3), (std::vector<int32_t>{kCellWall1, 22, 5})) << r.cell;
    EXPECT_EQ(h.state.session.repaintFlags, kRepaintCanvas);
    EXPECT_EQ(h.host.partialInvalidations, std::vector<ClientRect>{r.inspector});
    EXPECT_EQ(h.host.fullInvalidations, 0);
  }
}

// A step on level 1, whose index 0 is a level to show, not nothing to undo.
TEST(Pointer, UndoRestoresTheStepAndShowsItsLevel) {
  Harness h;
  h.state.settings.correctShadow = 1;  // a stroke's inspection corrects shadows within its step
  h.Open([](LevelSet& levels) {
    levels[0].SetPatternSet(5);
    levels[0].SetCell(4 * kGridColumns + 5, 3);
  });
  const Level before = h.level();
  h.Select(kSelectPattern, kCellWall1);
  OnLeftButtonDown(h.state, h.host, kKeyLeftButton, h.At(3 * kGridColumns + 5));
  OnLeftButtonUp(h.state, h.host);
  EXPECT_EQ(h.level().GetCell(4 * kGridColumns + 5), 11);  // the shadow below
  SelectLevel(h.state, h.host, 7);
  h.host.selectorPositions.clear();
  UndoStep(h.state, h.host);
  EXPECT_EQ(h.state.session.currentLevel, 0);
  ASSERT_GE(h.host.selectorPositions.size(), 2u);
  EXPECT_EQ(h.host.selectorPositions[0], std::make_pair(Selector::Level, 0));
  EXPECT_EQ(h.host.selectorPositions[1], std::make_pair(Selector::Graphics, 2));
  EXPECT_EQ(h.level(), before);
  EXPECT_EQ(h.host.LastTitle(), "Kraxolan Editor - [set.kxl]");
  RedoStep(h.state, h.host);
  EXPECT_EQ(h.level().GetCell(3 * kGridColumns + 5), kCellWall1);
  EXPECT_EQ(h.host.LastTitle(), "Kraxolan Editor - [set.kxl *]");
}

// At double size, where the canvas ends at (512, 433).
TEST(Pointer, ShiftDragsARectangle) {
  Harness h(2);
  h.Select(kSelectPattern, kSolid);
  // From row 10, column 14 past the canvas's bottom right corner: row 12, column 16.
  EXPECT_EQ(OnLeftButtonDown(h.state, h.host, kShiftDrag, h.At(10 * kGridColumns + 14)), 1);
  EXPECT_EQ(h.host.LastStatus(), "Rectangle 1 x 1");
  EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, kShiftDrag, Pack(550, 470)), 0);
  EXPECT_EQ(h.host.LastStatus(), "Rectangle 3 x 3");
  EXPECT_EQ(h.level(), Level());  // nothing before the release
  OnLeftButtonUp(h.state, h.host);
  EXPECT_EQ(h.level().GetCell(10 * kGridColumns + 14), kSolid);
  EXPECT_EQ(h.level().GetCell(kCellCount - 1), kSolid);
  EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 1u);
  EXPECT_FALSE(h.state.session.rectangle.active);
}

TEST(Pointer, ARectangleDroppedFillsNothing) {
  Harness h;
  h.Select(kSelectPattern, kSolid);
  OnLeftButtonDown(h.state, h.host, kShiftDrag, h.At(20));
  OnCanvasMouseMove(h.state, h.host, kShiftDrag, h.At(60));
  DragRectangleTo(h.state, h.host, -1);  // no cell near: the frame stays
  EXPECT_EQ(h.state.session.rectangle.last, 60);
  EXPECT_EQ(OnRightButtonUp(h.state, h.host), 0);  // the right release leaves the left rectangle
  EXPECT_TRUE(h.state.session.rectangle.active);
  OnKeyUp(h.state, h.host, kKeyEscape, 0);
  EXPECT_FALSE(h.state.session.rectangle.active);
  OnLeftButtonUp(h.state, h.host);
  OnRightButtonDown(h.state, h.host, kKeyShift, h.At(20));
  EXPECT_EQ(OnLeftButtonUp(h.state, h.host), 0);  // the left release leaves the right rectangle
  EXPECT_TRUE(h.state.session.rectangle.active);
  OnCaptureLost(h.state, h.host);
  EXPECT_FALSE(h.state.session.rectangle.active);
  OnRightButtonUp(h.state, h.host);
  EXPECT_EQ(h.level(), Level());
  EXPECT_FALSE(h.state.document.CanUndo());
}

TEST(Pointer, TheRightButtonsRectangleAndCtrlFloods) {
  const int cell = 10 * kGridColumns + 15;
  Harness h;
  h.Open([](LevelSet& levels) { levels[0].SetCell(cell + kGridColumns, kSolid); });
  h.Select(kSelectPattern, 4);
  EXPECT_EQ(OnRightButtonDown(h.state, h.host, kKeyShift, h.At(cell)), 1);
  OnCanvasMouseMove(h.state, h.host, kKeyShift | kRightButton, h.At(cell + kGridColumns));
  OnRightButtonUp(h.state, h.host);
  EXPECT_EQ(h.level().GetCell(cell), 4);
  EXPECT_EQ(h.level().GetFloor(cell + kGridColumns), 4);  // the right-click rules: a floor under the solid
  EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 1u);
  h.Select(kSelectPattern, 9);
  EXPECT_EQ(OnLeftButtonDown(h.state, h.host, kKeyLeftButton | kKeyControl, h.At(0)), 1);
  EXPECT_EQ(h.level().GetCell(100), 9);
  EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 2u);
  // With the exit or an actor selected, Shift and Ctrl clicks are plain clicks.
  h.Select(kSelectPattern, kCellExit);
  OnLeftButtonDown(h.state, h.host, kShiftDrag, h.At(52));
  OnLeftButtonUp(h.state, h.host);
  EXPECT_EQ(h.level().FindExit(), 52);
  h.Select(kSelectPlayer, 2);
  OnLeftButtonDown(h.state, h.host, kKeyLeftButton | kKeyControl, h.At(5 * kGridColumns + 3));
  ActorRecord player;  // image 2 on row 5, column 3: x 40, y 80, facing down, normal speed
  player.Set(40, 80, 5, 0, 0, 4);
  EXPECT_EQ(h.level().GetActor(0), player);
}

// Each palette entry: hovering its tile names it, a click selects it, and the
// paint frames the tile (the frame's box at normal size, right and bottom
// pixels included).
TEST(Panel, HoverClickAndFrame) {
  constexpr int32_t kNoCategory = 4;
  const struct Row {
    int32_t id;
    int dx, dy;
    const char* text;
    int32_t category, value;
    ClientRect frame;
  } rows[] = {
      {kRegionWalkable, 15, 15, "Walkable patterns", kSelectPattern, 0, {259, 17, 274, 32}},
      {kRegionWalkable, 8 * 16, 0, "Walkable patterns with shadow", kSelectPattern, 8, {387, 17, 402, 32}},
      {kRegionWalkable, 255, 0, "Walkable patterns with shadow", kSelectPattern, 15, {499, 17, 514, 32}},
      {kRegionItems, 3, 8, "string 1", kSelectPattern, 18, {259, 35, 274, 50}},
      {kRegionItems, 191, 15, "string 12", kSelectPattern, 29, {435, 35, 450, 50}},
      {kRegionExit, 15, 0, "Exit", kSelectPattern, kCellExit, {259, 53, 274, 68}},
      {kRegionGem, 0, 15, "Gem", kSelectPattern, kCellGem, {291, 53, 306, 68}},
      {kRegionDestroyable, 7, 7, "Destroyable item", kSelectPattern, kCellDestroyable, {323, 53, 338, 68}},
      {kRegionWalls, 15, 4, "Explodable walls", kSelectPattern, kCellWall1, {355, 53, 370, 68}},
      {kRegionWalls, 16, 4, "Explodable walls", kSelectPattern, kCellWall2, {371, 53, 386, 68}},
      {kRegionSolid, 9, 2, "Solid patterns", kSelectPattern, kCellSolidFirst, {259, 71, 274, 86}},
      {kRegionSolid, 255, 63, "Solid patterns", kSelectPattern, kCellSolidLast, {499, 119, 514, 134}},
      {kRegionPlayer, 8, 23, "Player", kSelectPlayer, 0, {259, 154, 274, 177}},
      {kRegionPlayer, 63, 0, "Player", kSelectPlayer, 3, {307, 154, 322, 177}},
      {kRegionEnemy1, 8, 12, "Enemy 1", kSelectEnemy, 1, {353, 154, 368, 177}},
      {kRegionEnemy1 + 2, 15, 23, "Enemy 3", kSelectEnemy, 3, {413, 154, 428, 177}},
      {kRegionEnemy5, 0, 0, "Enemy 5", kSelectEnemy, 5, {473, 154, 488, 177}},
      {kRegionTeleport, 15, 5, "Teleport start", kSelectTeleport, 0, {259, 203, 274, 218}},
      {kRegionTeleport, 16, 5, "Teleport end", kSelectTeleport, 1, {275, 203, 290, 218}},
  };
  for (const Row& r : rows) {
    Harness h;
    h.Select(kNoCategory, -1);
    const uint32_t at = h.In(r.id, r.dx, r.dy);
    EXPECT_EQ(OnCanvasMouseMove(h.state, h.host, 0, at), 0);
    EXPECT_EQ(h.host.LastStatus(), r.text) << r.id << " " << r.dx;
    EXPECT_EQ(OnLeftButtonDown(h.state, h.host, kKeyLeftButton, at), 1);
    OnLeftButtonUp(h.state, h.host);
    EXPECT_EQ(h.state.session.selectionCategory, r.category) << r.id << " " << r.dx;
    EXPECT_EQ(h.state.session.selectionValue, r.value) << r.id << " " << r.dx;
    EXPECT_EQ(h.state.session.repaintFlags, kRepaintPanel);
    RecordingPainter painter;
    PaintMainWindow(h.state, painter);
    EXPECT_EQ(WhiteFrame(painter), r.frame) << r.category << " " << r.value;
  }
}

TEST(Panel, PointsBesideTheTilesSelectNothing) {
  Harness h;
  h.Select(kSelectPattern, 5);
  // Past the last tile of each row, between the regions.
  for (int32_t id : {kRegionWalkable, kRegionItems, kRegionExit, kRegionWalls, kRegionSolid, kRegionPlayer,
                     kRegionEnemy1, kRegionEnemy5, kRegionTeleport}) {
    const ScreenRegion* r = h.state.session.regionList.FindRegionById(id);
    OnCanvasMouseMove(h.state, h.host, 0, Pack(r->right, r->top));
    EXPECT_EQ(h.host.LastStatus(), "") << id;
    OnLeftButtonDown(h.state, h.host, kKeyLeftButton, Pack(r->right, r->top));
    OnCanvasMouseMove(h.state, h.host, kKeyLeftButton, Pack(r->right, r->top));
  }
  // A click named for one region but lying in another.
  const ClientPoint gem = UnpackPosition(h.In(kRegionGem, 3, 3));
  OnPanelClick(h.state, h.host, kRegionExit, gem.x, gem.y);
  EXPECT_EQ(h.state.session.selectionValue, 5);
  EXPECT_EQ(h.host.fullInvalidations, 0);
}
