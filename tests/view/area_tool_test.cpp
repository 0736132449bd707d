// Areas on the canvas: select mode, the selection, the floating paste and
// the area commands, each change one step.
#include "view/area_tool.h"

#include <gtest/gtest.h>

#include "level/level_json.h"
#include "support/editor_harness.h"
#include "view/keyboard.h"
#include "view/pointer.h"
#include "view/selectors.h"

// Named, not anonymous: the test files are compiled in batches.
namespace area_tool_test {
namespace {

constexpr int Cell(int column, int row) { return row * kGridColumns + column; }
constexpr int32_t kSolid = kCellSolidFirst;

// The selection as the session holds it: its two corner cells.
std::pair<int, int> Corners(const Harness& h) {
  return {h.state.session.areaSelection.first, h.state.session.areaSelection.last};
}

void Drag(Harness& h, int from, int to) {
  OnLeftButtonDown(h.state, h.host, kKeyLeftButton, h.At(from));
  OnCanvasMouseMove(h.state, h.host, kKeyLeftButton, h.At(to));
  OnLeftButtonUp(h.state, h.host);
}

}  // namespace

TEST(AreaTool, InSelectModeADragFramesCellsAndNeverPaints) {
  Harness h;
  h.Select(kSelectPattern, kSolid);
  ToggleSelectMode(h.state, h.host);
  EXPECT_EQ(h.host.LastStatus(), kSelectModeText);
  Drag(h, Cell(6, 5), Cell(4, 4));
  EXPECT_EQ(Corners(h), std::make_pair(Cell(6, 5), Cell(4, 4)));
  OnCanvasMouseMove(h.state, h.host, 0, h.At(Cell(9, 9)));  // hovering keeps the size in view
  EXPECT_EQ(h.host.LastStatus(), "Area 3 x 2");
  EXPECT_EQ(h.level().GetCell(Cell(6, 5)), 0);
  EXPECT_FALSE(h.state.document.CanUndo());
  OnRightButtonDown(h.state, h.host, 0, h.At(Cell(6, 5)));
  EXPECT_EQ(h.level().GetCell(Cell(6, 5)), 0);
  OnCanvasDoubleClick(h.state, h.host, h.At(Cell(2, 2)));  // a quick second press starts a selection too
  EXPECT_EQ(Corners(h), std::make_pair(Cell(2, 2), Cell(2, 2)));
}

TEST(AreaTool, AnotherLevelDropsTheSelectionAndEscTheMode) {
  Harness h;
  SelectWholeGrid(h.state, h.host);
  EXPECT_EQ(h.host.LastStatus(), "Area 17 x 13");
  EXPECT_EQ(Corners(h), std::make_pair(0, kCellCount - 1));
  SelectLevel(h.state, h.host, 3);
  EXPECT_FALSE(HasSelection(h.state));
  EXPECT_TRUE(h.state.session.selectMode);
  OnKeyUp(h.state, h.host, kKeyEscape, 0);
  EXPECT_FALSE(h.state.session.selectMode);
}

TEST(AreaTool, CutAndDeleteClearTheSelectionInOneStep) {
  for (const bool cut : {true, false}) {
    Harness h;
    h.Open([](LevelSet& levels) {
      levels[0].SetCell(Cell(4, 4), kSolid);
      levels[0].SetActorPosition(2, 16 * 9 - 8, 16 * 9);
    });
    h.Select(kSelectEnemy, 2);  // Delete takes no enemy while an area is selected
    ToggleSelectMode(h.state, h.host);
    Drag(h, Cell(4, 4), Cell(5, 4));
    if (cut)
      CutSelection(h.state, h.host);
    else
      OnKeyUp(h.state, h.host, kKeyDelete, 0);
    EXPECT_EQ(h.level().GetCell(Cell(4, 4)), 0) << cut;
    EXPECT_TRUE(h.level().GetActor(2).IsPlaced()) << cut;
    EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 1u) << cut;
    EXPECT_EQ(h.host.clipboardArea.empty(), !cut);
  }
}

TEST(AreaTool, APastedAreaFloatsUnderThePointerAndAClickPlacesItAsOneStep) {
  Harness h;
  h.host.clipboardArea = EncodeArea({2, 1, {kSolid, kCellGem}, {0, 0}, {}});
  const ClientPoint pointer = UnpackPosition(h.At(Cell(4, 4)));
  h.host.pointer = pointer;
  h.host.pointerKnown = true;
  ASSERT_TRUE(BeginPasteArea(h.state, h.host));
  EXPECT_EQ(h.state.session.floating.cell, Cell(4, 4));
  EXPECT_EQ(h.host.LastStatus(), kFloatingText);
  OnCanvasMouseMove(h.state, h.host, 0, h.At(Cell(6, 6)));
  EXPECT_EQ(h.state.session.floating.cell, Cell(6, 6));
  EXPECT_EQ(h.level().GetCell(Cell(6, 6)), 0);
  OnLeftButtonDown(h.state, h.host, kKeyLeftButton, h.At(Cell(6, 6)));
  h.Select(kSelectPattern, kCellGem);
  OnCanvasMouseMove(h.state, h.host, kKeyLeftButton, h.At(Cell(9, 9)));  // the hand moves before letting go
  OnLeftButtonUp(h.state, h.host);
  EXPECT_EQ(h.level().GetCell(Cell(9, 9)), 0);
  EXPECT_EQ(h.level().GetCell(Cell(6, 6)), kSolid);
  EXPECT_EQ(h.level().GetCell(Cell(7, 6)), kCellGem);
  EXPECT_FALSE(h.state.session.floating.active);
  EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 1u);
}

TEST(AreaTool, AreaTextThatIsNoAreaPastesNothingAndSaysWhy) {
  Harness h;
  h.host.clipboardText = "{\"format\": \"kxl-area\", \"version\": 2}";
  EXPECT_TRUE(BeginPasteArea(h.state, h.host));
  EXPECT_FALSE(h.state.session.floating.active);
  EXPECT_EQ(h.host.LastStatus(), "Paste: /version: is not 1");
}

TEST(AreaTool, ARightClickOrEscDropsTheFloatingAreaAndKeepsSelectMode) {
  for (const bool esc : {false, true}) {
    Harness h;
    ToggleSelectMode(h.state, h.host);
    h.host.clipboardArea = EncodeArea({1, 1, {kSolid}, {0}, {}});
    BeginPasteArea(h.state, h.host);
    EXPECT_EQ(h.state.session.floating.cell, Cell(1, 1));  // no pointer known: the first cell of the main grid
    if (esc)
      OnKeyUp(h.state, h.host, kKeyEscape, 0);
    else
      OnRightButtonDown(h.state, h.host, 0, h.At(Cell(6, 6)));
    EXPECT_FALSE(h.state.session.floating.active) << esc;
    EXPECT_TRUE(h.state.session.selectMode) << esc;
    EXPECT_EQ(h.level().GetCell(Cell(6, 6)), 0) << esc;
  }
}

TEST(AreaTool, AFlipIsOneStepOrSaysWhyNot) {
  Harness h;
  h.Open([](LevelSet& levels) { levels[0].SetCell(Cell(1, 5), kSolid); });
  FlipSelection(h.state, h.host, FlipAxis::Horizontal);
  EXPECT_EQ(h.level().GetCell(Cell(15, 5)), kSolid);
  EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 1u);
  h.Open([](LevelSet& levels) { levels[0].SetCell(Cell(1, 12), kCellExitOnFloor); });
  FlipSelection(h.state, h.host, FlipAxis::Vertical);
  EXPECT_EQ(h.host.LastStatus(),
            "Not flipped: an exit, a teleport end or an actor would land on row 0 or in an edge column, or a hidden "
            "item in an edge column");
  EXPECT_FALSE(h.state.document.CanUndo());
}

}  // namespace area_tool_test
