#include "doc/edits.h"

#include <gtest/gtest.h>

#include <vector>

#include "doc/document.h"

namespace {

constexpr int32_t kNoCategory = 4;
constexpr int kRow2 = 2 * kGridColumns;
constexpr int kRow3 = 3 * kGridColumns;

struct Cell {
  int index;
  int32_t value, floor;
  bool operator==(const Cell&) const = default;
};

// A document whose level 0 holds these cells (and nothing else).
Document WithCells(const std::vector<Cell>& cells) {
  LevelSet levels;
  for (const Cell& c : cells) {
    levels[0].SetCell(c.index, c.value);
    levels[0].SetFloor(c.index, c.floor);
  }
  Document doc;
  doc.Replace(levels, "");
  return doc;
}

Cell CellOf(const Document& doc, int index) {
  return {index, doc.GetLevel(0).GetCell(index), doc.GetLevel(0).GetFloor(index)};
}

std::vector<int32_t> Cells(const Document& doc, std::initializer_list<int> cells) {
  std::vector<int32_t> out;
  for (int c : cells) out.push_back(doc.GetLevel(0).GetCell(c));
  return out;
}

std::vector<int32_t> Floors(const Document& doc, std::initializer_list<int> cells) {
  std::vector<int32_t> out;
  for (int c : cells) out.push_back(doc.GetLevel(0).GetFloor(c));
  return out;
}

Selection Chosen(int32_t category, int32_t value, int32_t pair = 0) {
  Selection s;
  s.selectionCategory = category;
  s.selectionValue = value;
  s.teleportPair = pair;
  return s;
}

Selection Pattern(int32_t value) { return Chosen(kSelectPattern, value); }

}  // namespace

TEST(Edits, LeftClickRules) {
  constexpr EditOutcome kNone{};
  constexpr EditOutcome kInspectAll{true, kRepaintAll};
  constexpr EditOutcome kCanvas{false, kRepaintCanvas};
  struct Row {
    const char* what;
    std::vector<Cell> before;
    Selection selection;
    int cell;
    std::vector<Cell> after;
    EditOutcome outcome;
  } rows[] = {
      {"walkable sets its floor", {{40, 64, 3}}, Pattern(9), 40, {{40, 9, 9}}, kInspectAll},
      {"wall 42 on floor 7", {{40, 5, 3}}, Pattern(kCellWall2), 40, {{40, kCellWall2, 7}}, kInspectAll},
      {"items keep the floor", {{5, 0, 4}}, Pattern(20), 5, {{5, 20, 4}}, kInspectAll},
      {"the exit moves", {{30, 133, 5}, {52, 2, 6}}, Pattern(kCellExit), 52, {{30, 5, 5}, {52, 130, 6}}, kInspectAll},
      {"an old exit at cell 0 goes too", {{0, 137, 0}}, Pattern(kCellExit), 60, {{0, 9, 0}, {60, 128, 0}}, kInspectAll},
      {"the exit's own cell", {{60, 140, 0}}, Pattern(kCellExit), 60, {{60, 140, 0}}, kInspectAll},
      {"no exit in row 0", {{30, 133, 5}}, Pattern(kCellExit), 8, {{30, 133, 5}, {8, 0, 0}}, kNone},
      {"the left edge raw", {{68, 5, 2}}, Pattern(kCellExit), 68, {{68, kCellExit, 2}}, kCanvas},
      {"the right edge raw", {{84, 5, 2}}, Pattern(20), 84, {{84, 20, 2}}, kCanvas},
      {"the edges take patterns only", {{68, 5, 2}}, Chosen(kSelectPlayer, 1), 68, {{68, 5, 2}}, kNone},
      {"teleport end of pair 2", {}, Chosen(kSelectTeleport, 1, 2), 40, {{40, 181, 0}}, kCanvas},
      {"teleport start of pair 7", {}, Chosen(kSelectTeleport, 0, 7), 40, {{40, 190, 0}}, kCanvas},
      {"no teleport in row 0", {}, Chosen(kSelectTeleport, 0, 0), 3, {{3, 0, 0}}, kNone},
      {"no pair 8", {}, Chosen(kSelectTeleport, 0, 8), 40, {{40, 0, 0}}, kNone},
      {"no end 2", {}, Chosen(kSelectTeleport, 2, 0), 40, {{40, 0, 0}}, kNone},
      {"no such category", {}, Chosen(kNoCategory, 5), 40, {{40, 0, 0}}, kNone},
      {"the player not in row 0", {}, Chosen(kSelectPlayer, 1), 5, {}, kNone},
      {"an enemy not in row 0", {}, Chosen(kSelectEnemy, 2), 8, {}, kNone},
      {"no player image 4", {}, Chosen(kSelectPlayer, 4), 40, {}, kNone},
      {"no enemy 0", {}, Chosen(kSelectEnemy, 0), 40, {}, kNone},
      {"no enemy 6", {}, Chosen(kSelectEnemy, 6), 40, {}, kNone},
      {"nothing past the last cell", {}, Pattern(9), kCellCount, {}, kNone},
      {"nothing before the first cell", {}, Pattern(9), -1, {}, kNone},
  };
  for (const Row& r : rows) {
    Document doc = WithCells(r.before);
    const EditOutcome outcome = Edits::ApplyLeft(doc, 0, r.selection, r.cell);
    for (const Cell& c : r.after) EXPECT_EQ(CellOf(doc, c.index), c) << r.what;
    EXPECT_EQ(outcome.inspect, r.outcome.inspect) << r.what;
    EXPECT_EQ(outcome.repaint, r.outcome.repaint) << r.what;
    if (!r.outcome.Ran()) {
      EXPECT_EQ(doc.GetLevel(0), WithCells(r.before).GetLevel(0)) << r.what;
    }
  }
}

TEST(Edits, ActorsStandOnTheSquareOfTheCell) {
  // Player image 2 on row 5, column 3: x 40, y 80, facing down, normal speed.
  Document doc;
  EXPECT_EQ(Edits::ApplyLeft(doc, 0, Chosen(kSelectPlayer, 2), 5 * kGridColumns + 3).repaint, kRepaintCanvas);
  ActorRecord player;
  player.Set(40, 80, 5, 0, 0, 4);
  EXPECT_EQ(doc.GetLevel(0).GetActor(0), player);
  // Enemy 3 moves and keeps its settings; column 15 is x 232.
  Edits::SetEnemyDirection(doc, 0, 3, 7);
  Edits::ApplyLeft(doc, 0, Chosen(kSelectEnemy, 3), 12 * kGridColumns + 15);
  ActorRecord enemy;
  enemy.Set(232, 192, 7, 24, 5, 2);
  EXPECT_EQ(doc.GetLevel(0).GetActor(3), enemy);
  // Delete takes a placed enemy off; the others stay.
  EXPECT_TRUE(Edits::RemoveEnemy(doc, 0, 3));
  enemy.SetPosition(0, 0);
  EXPECT_EQ(doc.GetLevel(0).GetActor(3), enemy);
  EXPECT_FALSE(Edits::RemoveEnemy(doc, 0, 0));
}

namespace {

constexpr int kRightCell = 5 * kGridColumns + 7;
constexpr int32_t kFloorBefore = 6;  // the floor under the clicked cell before the click

struct Outcome {
  int32_t cell, floor;
  bool acts = true;  // a rule ran, even when it rewrote the same value
};

// The net effect of a right click with pattern s on a cell holding v, as
// the user sees it, rule by rule.
Outcome Expected(int32_t s, int32_t v) {
  const bool walkable = s >= 0 && s <= 15;
  if (walkable) {
    if (v <= 15 || (v >= 64 && v <= 127)) return {s, s};
    if (v == 16 || v == 17) return {v, kFloorBefore, false};
    return {v, s};
  }
  if (s >= 18 && s <= 31) {
    const bool secondWall = v == 42 || (v >= 160 && v <= 175);
    return {s + (secondWall ? 144 : 128), kFloorBefore};
  }
  if (s == 32 || s == 42) {
    if (v >= 18 && v <= 31) return {v + (s == 32 ? 128 : 144), kFloorBefore};
    if (v <= 15 || v >= 64) return {s, kFloorBefore};
    return {v, kFloorBefore, false};
  }
  if (s >= 64) return {s, kFloorBefore};
  return {v, kFloorBefore, false};  // the exit and the destroyable item
}

}  // namespace

TEST(Edits, RightClickOfEveryPatternOnEveryCellValue) {
  std::vector<int32_t> palette;
  for (int32_t v = 0; v <= 127; ++v)
    if (v != 16 && v != 30 && (v < 33 || v > 63 || v == 42 || v == 52)) palette.push_back(v);
  for (int32_t s : palette)
    for (int32_t v = 0; v <= 255; ++v) {
      Document doc = WithCells({{kRightCell, v, kFloorBefore}});
      const EditOutcome got = Edits::ApplyRight(doc, 0, Pattern(s), kRightCell);
      const Outcome want = Expected(s, v);
      ASSERT_EQ(doc.GetLevel(0).GetCell(kRightCell), want.cell) << "S " << s << " on " << v;
      ASSERT_EQ(doc.GetLevel(0).GetFloor(kRightCell), want.floor) << "S " << s << " on " << v;
      ASSERT_EQ(got.Ran(), want.acts) << "S " << s << " on " << v;
    }
}

TEST(Edits, RightClickRepaintsAndPlaces) {
  // A floor under an item or a wall hiding one shows only in the inspector.
  Document doc = WithCells({{kRightCell, 25, 0}, {kRightCell + 1, 150, 0}, {kRightCell + 2, 9, 0}});
  EXPECT_EQ(Edits::ApplyRight(doc, 0, Pattern(3), kRightCell).repaint, 0);
  EXPECT_EQ(Edits::ApplyRight(doc, 0, Pattern(3), kRightCell + 1).repaint, 0);
  EXPECT_EQ(Edits::ApplyRight(doc, 0, Pattern(kCellWall2), kRightCell + 2).repaint, kRepaintAll);
  // Only patterns, only the main grid.
  EXPECT_FALSE(Edits::ApplyRight(doc, 0, Chosen(kSelectPlayer, 1), kRightCell).Ran());
  EXPECT_FALSE(Edits::ApplyRight(doc, 0, Pattern(70), kRow3).Ran());  // the left edge
}

TEST(Edits, LevelOperationsAreSteps) {
  LevelSet levels;
  levels[2].SetGoal(2);
  levels[2].SetCell(20, kCellWall1);
  levels[2].SetCell(20 + kGridColumns, 3);
  levels[5].SetMusic(4);
  Document doc;
  doc.Replace(levels, "");
  EXPECT_TRUE(Edits::CorrectShadows(doc, 2));
  EXPECT_NE(doc.GetLevel(2), levels[2]);
  doc.Undo();
  // Swap: both levels in one step.
  EXPECT_TRUE(Edits::SwapLevels(doc, 2, 5, 2));
  EXPECT_EQ(doc.GetLevel(5), levels[2]);
  EXPECT_EQ(doc.GetLevel(2), levels[5]);
  EXPECT_EQ(doc.Undo(), 2);
  EXPECT_EQ(doc.Levels(), levels);
  EXPECT_FALSE(Edits::SwapLevels(doc, 3, 3, 3));
  EXPECT_FALSE(Edits::SwapLevels(doc, 3, 10, 3));
  EXPECT_TRUE(Edits::ClearLevel(doc, 2));
  EXPECT_EQ(doc.GetLevel(2).GetGoal(), 0);
  Level pasted;
  pasted.SetCell(0, 999);
  EXPECT_TRUE(Edits::PasteLevel(doc, 9, pasted));
  EXPECT_EQ(doc.GetLevel(9), pasted);
  EXPECT_FALSE(Edits::SetGoal(doc, 10, 1));
}

TEST(Edits, EnemySettingsOfEnemiesOneToFive) {
  Document doc;
  EXPECT_TRUE(Edits::SetEnemySpeed(doc, 1, 5, 8));
  EXPECT_TRUE(Edits::SetEnemyAiType(doc, 1, 5, 9));
  EXPECT_TRUE(Edits::SetEnemyTypeCode(doc, 1, 5, 72));
  EXPECT_FALSE(Edits::SetEnemySpeed(doc, 1, 0, 8));
  EXPECT_FALSE(Edits::SetEnemySpeed(doc, 1, 6, 8));
  ActorRecord enemy;
  enemy.Set(0, 0, 5, 72, 9, 8);
  EXPECT_EQ(doc.GetLevel(1).GetActor(5), enemy);
}

namespace {

// Row 2: a wall block over columns 0..4, one wall hiding an item among them;
// below its left edge one more wall, and one at the end of row 1.
Document Walled() {
  return WithCells({{kRow2 - 1, kCellWall1, 1},
                    {kRow2, kCellWall1, 1},
                    {kRow2 + 1, kCellWall1, 1},
                    {kRow2 + 2, 150, 1},
                    {kRow2 + 3, kCellWall1, 1},
                    {kRow2 + 4, kCellWall1, 1},
                    {kRow3, kCellWall1, 1}});
}

}  // namespace

TEST(Edits, FillRectangleWithTheLeftClickRules) {
  // Rows 2..3, columns 1..2, from either corner: every cell the pattern.
  Document doc = Walled();
  const EditOutcome outcome = Edits::FillRectangle(doc, 0, Pattern(5), kRow3 + 2, kRow2 + 1, false);
  EXPECT_EQ(outcome.repaint, kRepaintAll);
  EXPECT_EQ(Cells(doc, {kRow2 + 1, kRow2 + 2, kRow3 + 1, kRow3 + 2}), (std::vector<int32_t>{5, 5, 5, 5}));
  EXPECT_EQ(Cells(doc, {kRow2, kRow2 + 3}), (std::vector<int32_t>{kCellWall1, kCellWall1}));
  EXPECT_EQ(doc.GetHistory().UndoCount(), 1u);
}

TEST(Edits, FloodFillTakesTheAreaOfOneValue) {
  // The right-click rules: a floor under every wall that hangs together with
  // the cell; the wall hiding an item is another value and parts the block.
  Document right = Walled();
  EXPECT_TRUE(Edits::FloodFill(right, 0, Pattern(3), kRow2 + 3, true).inspect);
  EXPECT_EQ(Floors(right, {kRow2 + 3, kRow2 + 4}), (std::vector<int32_t>{3, 3}));
  EXPECT_EQ(Floors(right, {kRow2, kRow2 + 1, kRow2 + 2, kRow3}), (std::vector<int32_t>{1, 1, 1, 1}));
  // The left rules from the edge: the whole connected block.
  Document left = Walled();
  Edits::FloodFill(left, 0, Pattern(9), kRow2, false);
  EXPECT_EQ(Cells(left, {kRow2, kRow2 + 1, kRow3}), (std::vector<int32_t>{9, 9, 9}));
  EXPECT_EQ(Cells(left, {kRow2 + 2, kRow2 + 3}), (std::vector<int32_t>{150, kCellWall1}));  // behind the item
  EXPECT_EQ(left.GetLevel(0).GetCell(kRow2 - 1), kCellWall1);  // no neighbour across the grid's edge
  // The empty floor of a new level is one area of 221 cells.
  Document empty;
  Edits::FloodFill(empty, 0, Pattern(70), 100, false);
  EXPECT_EQ(std::vector<int32_t>(empty.GetLevel(0).Cells().begin(), empty.GetLevel(0).Cells().end()),
            std::vector<int32_t>(kCellCount, 70));
}

// Fills with the exit or what is no pattern, or from no cell, change nothing.
TEST(Edits, FillsThatChangeNothingMakeNoStep) {
  Document doc = Walled();
  EXPECT_FALSE(Edits::FillRectangle(doc, 0, Pattern(kCellExit), 0, kCellCount - 1, false).Ran());
  EXPECT_FALSE(Edits::FloodFill(doc, 0, Chosen(kSelectPlayer, 1), 100, true).Ran());
  EXPECT_FALSE(Edits::FillRectangle(doc, 0, Pattern(5), -1, kCellCount - 1, false).Ran());
  EXPECT_FALSE(Edits::FloodFill(doc, 0, Pattern(5), kCellCount, false).Ran());
  EXPECT_EQ(doc.GetLevel(0), Walled().GetLevel(0));
  EXPECT_FALSE(doc.CanUndo());
}
