#include "doc/edits.h"

#include <gtest/gtest.h>

#include <vector>

#include "doc/document.h"

namespace {

struct Cell {
  int index, value, floor;
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

std::vector<int> Cells(const Document& doc, std::initializer_list<int> cells, bool floors = false) {
  std::vector<int> out;
  for (int c : cells) out.push_back(floors ? doc.GetLevel(0).GetFloor(c) : doc.GetLevel(0).GetCell(c));
  return out;
}

Selection Chosen(int32_t category, int32_t value, int32_t pair = 0) {
  Selection s;
  s.selectionCategory = category;
  s.selectionValue = value;
  s.teleportPair = pair;
  return s;
}

}  // namespace

TEST(Edits, LeftClickRules) {
  struct Row {
    const char* what;
    std::vector<Cell> before;
    Selection selection;
    int cell;
    std::vector<Cell> after;  // cell, value and floor afterwards
    EditOutcome outcome;
  } rows[] = {
      {"walkable sets its floor", {{40, 64, 3}}, Chosen(kSelectPattern, 9), 40, {{40, 9, 9}}, {true, 3}},
      {"wall 42 on floor 7", {{40, 5, 3}}, Chosen(kSelectPattern, 42), 40, {{40, 42, 7}}, {true, 3}},
      {"wall 32 on floor 7", {{40, 5, 3}}, Chosen(kSelectPattern, 32), 40, {{40, 32, 7}}, {true, 3}},
      {"items keep the floor", {{5, 0, 4}}, Chosen(kSelectPattern, 20), 5, {{5, 20, 4}}, {true, 3}},
      {"solids keep the floor", {{5, 0, 4}}, Chosen(kSelectPattern, 101), 5, {{5, 101, 4}}, {true, 3}},
      {"the exit moves", {{30, 133, 5}, {52, 2, 6}}, Chosen(kSelectPattern, 17), 52,
       {{30, 5, 5}, {52, 130, 6}}, {true, 3}},
      {"an old exit at cell 0 goes too", {{0, 137, 0}}, Chosen(kSelectPattern, 17), 60,
       {{0, 9, 0}, {60, 128, 0}}, {true, 3}},
      {"the exit on a solid", {{60, 64, 0}}, Chosen(kSelectPattern, 17), 60, {{60, 128, 0}}, {true, 3}},
      {"the exit's own cell", {{60, 140, 0}}, Chosen(kSelectPattern, 17), 60, {{60, 140, 0}}, {true, 3}},
      {"no exit in row 0", {{30, 133, 5}}, Chosen(kSelectPattern, 17), 8, {{30, 133, 5}, {8, 0, 0}}, {}},
      {"edges raw", {{68, 5, 2}}, Chosen(kSelectPattern, 17), 68, {{68, 17, 2}}, {false, 1}},
      {"right edge raw", {{84, 5, 2}}, Chosen(kSelectPattern, 20), 84, {{84, 20, 2}}, {false, 1}},
      {"edges take patterns only", {{68, 5, 2}}, Chosen(kSelectPlayer, 1), 68, {{68, 5, 2}}, {}},
      {"teleport end of pair 2", {{90, 181, 0}, {40, 5, 5}}, Chosen(kSelectTeleport, 1, 2), 40,
       {{90, 0, 0}, {40, 181, 5}}, {false, 1}},
      {"teleport start of pair 7", {}, Chosen(kSelectTeleport, 0, 7), 40, {{40, 190, 0}}, {false, 1}},
      {"no teleport in row 0", {}, Chosen(kSelectTeleport, 0, 0), 3, {{3, 0, 0}}, {}},
      {"no pair 8", {}, Chosen(kSelectTeleport, 0, 8), 40, {{40, 0, 0}}, {}},
      {"no end 2", {}, Chosen(kSelectTeleport, 2, 0), 40, {{40, 0, 0}}, {}},
      {"no such category", {}, Chosen(4, 5), 40, {{40, 0, 0}}, {}},
  };
  for (const Row& r : rows) {
    Document doc = WithCells(r.before);
    const EditOutcome outcome = Edits::ApplyLeft(doc, 0, r.selection, r.cell);
    for (const Cell& c : r.after)
      EXPECT_EQ(doc.GetLevel(0).GetCell(c.index) * 100 + doc.GetLevel(0).GetFloor(c.index), c.value * 100 + c.floor)
          << r.what << " cell " << c.index;
    EXPECT_EQ(outcome.inspect * 10 + outcome.repaint, r.outcome.inspect * 10 + r.outcome.repaint) << r.what;
  }
}

TEST(Edits, ActorsStandOnTheSquareOfTheCell) {
  // Player image 2 on row 5, column 3: x 40, y 80, facing down, normal speed.
  Document doc;
  EXPECT_EQ(Edits::ApplyLeft(doc, 0, Chosen(kSelectPlayer, 2), 5 * 17 + 3).repaint, 1);
  ActorRecord player;
  player.Set(40, 80, 5, 0, 0, 4);
  EXPECT_EQ(doc.GetLevel(0).GetActor(0), player);
  // Enemy 3 moves and keeps its settings; column 15 is x 232.
  Edits::SetEnemyDirection(doc, 0, 3, 7);
  Edits::ApplyLeft(doc, 0, Chosen(kSelectEnemy, 3), 12 * 17 + 15);
  ActorRecord enemy;
  enemy.Set(232, 192, 7, 24, 5, 2);
  EXPECT_EQ(doc.GetLevel(0).GetActor(3), enemy);
  // Not in row 0; no image 4, no enemy 0 or 6; nothing outside the grid.
  const Level before = doc.GetLevel(0);
  for (const auto& [selection, cell] : {std::pair{Chosen(kSelectPlayer, 1), 5},
                                        {Chosen(kSelectEnemy, 2), 16}, {Chosen(kSelectPlayer, 4), 40},
                                        {Chosen(kSelectEnemy, 0), 40}, {Chosen(kSelectEnemy, 6), 40},
                                        {Chosen(kSelectPattern, 9), 221}, {Chosen(kSelectPattern, 9), -1}})
    EXPECT_FALSE(Edits::ApplyLeft(doc, 0, selection, cell).Ran()) << cell;
  EXPECT_EQ(doc.GetLevel(0), before);
  // Delete takes a placed enemy off; the others stay.
  EXPECT_TRUE(Edits::RemoveEnemy(doc, 0, 3));
  enemy.SetPosition(0, 0);
  EXPECT_EQ(doc.GetLevel(0).GetActor(3), enemy);
  EXPECT_FALSE(Edits::RemoveEnemy(doc, 0, 3) || Edits::RemoveEnemy(doc, 0, 0));
  EXPECT_EQ(doc.GetLevel(0).GetActor(0), player);
}

namespace {

constexpr int kCell = 5 * 17 + 7;
constexpr int kFloor = 6;  // the floor under the clicked cell before the click

struct Outcome {
  int cell, floor;
  bool acts = true;  // a rule ran, even when it rewrote the same value
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

}  // namespace

TEST(Edits, RightClickOfEveryPatternOnEveryCellValue) {
  std::vector<int> palette;
  for (int v = 0; v <= 127; ++v)
    if (v != 16 && v != 30 && (v < 33 || v > 63 || v == 42 || v == 52)) palette.push_back(v);
  for (int s : palette)
    for (int v = 0; v <= 255; ++v) {
      Document doc = WithCells({{kCell, v, kFloor}});
      const EditOutcome got = Edits::ApplyRight(doc, 0, Chosen(kSelectPattern, s), kCell);
      const Outcome want = Expected(s, v);
      ASSERT_EQ(doc.GetLevel(0).GetCell(kCell), want.cell) << "S " << s << " on " << v;
      ASSERT_EQ(doc.GetLevel(0).GetFloor(kCell), want.floor) << "S " << s << " on " << v;
      ASSERT_EQ(got.Ran(), want.acts) << "S " << s << " on " << v;
    }
  // A floor under an item or a wall hiding one shows only in the inspector.
  Document doc = WithCells({{kCell, 25, 0}, {kCell + 1, 150, 0}, {kCell + 2, 9, 0}});
  EXPECT_EQ(Edits::ApplyRight(doc, 0, Chosen(kSelectPattern, 3), kCell).repaint, 0);
  EXPECT_EQ(Edits::ApplyRight(doc, 0, Chosen(kSelectPattern, 3), kCell + 1).repaint, 0);
  EXPECT_EQ(Edits::ApplyRight(doc, 0, Chosen(kSelectPattern, 42), kCell + 2).repaint, 3);
  // Only patterns, only the main grid.
  for (const auto& [selection, cell] : {std::pair{Chosen(kSelectPlayer, 1), kCell},
                                        {Chosen(kSelectEnemy, 1), kCell}, {Chosen(kSelectTeleport, 1), kCell},
                                        {Chosen(kSelectPattern, 70), 3 * 17},
                                        {Chosen(kSelectPattern, 70), 3 * 17 + 16}})
    EXPECT_FALSE(Edits::ApplyRight(doc, 0, selection, cell).Ran()) << cell;
}

TEST(Edits, LevelOperations) {
  LevelSet levels;
  levels[2].SetPatternSet(7);
  levels[2].SetGoal(2);
  levels[2].SetCell(20, 32);
  levels[2].SetCell(37, 3);
  levels[5].SetMusic(4);
  Document doc;
  doc.Replace(levels, "");
  EXPECT_TRUE(Edits::CorrectShadows(doc, 2));
  EXPECT_EQ(doc.GetLevel(2).GetCell(37), 11);
  EXPECT_FALSE(Edits::CorrectShadows(doc, 2));
  EXPECT_TRUE(Edits::SwapLevels(doc, 2, 5, 2));
  EXPECT_EQ(doc.GetLevel(5).GetCell(37) * 10 + doc.GetLevel(2).GetMusic(), 114);
  EXPECT_EQ(doc.Undo(), 2);  // one step for both levels
  EXPECT_EQ(doc.GetLevel(2).GetCell(37) * 10 + doc.GetLevel(5).GetMusic(), 114);
  EXPECT_FALSE(Edits::SwapLevels(doc, 3, 3, 3));
  EXPECT_FALSE(Edits::SwapLevels(doc, 3, 10, 3));
  EXPECT_TRUE(Edits::ClearLevel(doc, 2));
  Level cleared;
  cleared.SetPatternSet(7);
  EXPECT_EQ(doc.GetLevel(2), cleared);
  Level pasted;
  pasted.SetCell(0, 999);
  EXPECT_TRUE(Edits::PasteLevel(doc, 9, pasted));
  EXPECT_EQ(doc.GetLevel(9), pasted);
  EXPECT_FALSE(Edits::SetGoal(doc, 10, 1));
  // Enemy settings of enemies 1..5 only.
  EXPECT_TRUE(Edits::SetEnemySpeed(doc, 1, 5, 8) && Edits::SetEnemyAiType(doc, 1, 5, 9) &&
              Edits::SetEnemyTypeCode(doc, 1, 5, 72));
  EXPECT_FALSE(Edits::SetEnemySpeed(doc, 1, 0, 8) || Edits::SetEnemySpeed(doc, 1, 6, 8));
  ActorRecord enemy;
  enemy.Set(0, 0, 5, 72, 9, 8);
  EXPECT_EQ(doc.GetLevel(1).GetActor(5), enemy);
  EXPECT_EQ(doc.GetLevel(1).GetActor(0), ActorRecord());
}

TEST(Edits, FillsOfRectanglesAndAreas) {
  // Row 2: a wall block over columns 0..4, one wall hiding an item among them.
  const auto walled = [] {
    return WithCells({{34, 32, 1}, {35, 32, 1}, {36, 150, 1}, {37, 32, 1}, {38, 32, 1}, {51, 32, 1}});
  };
  // The left-click rules over the rectangle 35..53 (rows 2..3, columns 1..2):
  // every cell the pattern, the walls under it gone.
  Document doc = walled();
  EditOutcome outcome = Edits::FillRectangle(doc, 0, Chosen(kSelectPattern, 5), 53, 35, false);
  EXPECT_EQ(outcome.repaint, 3);
  EXPECT_EQ(Cells(doc, {35, 36, 52, 53, 34, 37}), (std::vector<int>{5, 5, 5, 5, 32, 32}));
  EXPECT_EQ(doc.GetLevel(0).GetFloor(36), 5);
  EXPECT_EQ(doc.GetHistory().UndoCount(), 1u);
  doc.Undo();
  EXPECT_EQ(doc.GetLevel(0), walled().GetLevel(0));
  // Into the edge column the left rules store raw; the right rules leave it.
  outcome = Edits::FillRectangle(doc, 0, Chosen(kSelectPattern, 20), 34, 52, false);
  EXPECT_EQ(Cells(doc, {34, 51, 35}), (std::vector<int>{20, 20, 20}));
  doc.Undo();
  // The right-click rules: a floor under every wall that hangs together with
  // cell 37; the wall hiding an item is another value and parts the block.
  outcome = Edits::FloodFill(doc, 0, Chosen(kSelectPattern, 3), 37, true);
  EXPECT_TRUE(outcome.inspect);
  EXPECT_EQ(Cells(doc, {37, 38, 34, 35, 36, 51}, true), (std::vector<int>{3, 3, 1, 1, 1, 1}));
  doc.Undo();
  Edits::FloodFill(doc, 0, Chosen(kSelectPattern, 3), 35, true);  // edges take no right click
  EXPECT_EQ(Cells(doc, {35, 34, 51}, true), (std::vector<int>{3, 1, 1}));
  EXPECT_EQ(doc.GetLevel(0).GetCell(37), 32);
  // The left rules from the edge: the whole connected block, edges raw.
  Document left = walled();
  Edits::FloodFill(left, 0, Chosen(kSelectPattern, 9), 34, false);
  EXPECT_EQ(Cells(left, {34, 35, 51, 36, 37}), (std::vector<int>{9, 9, 9, 150, 32}));  // 37: behind the item
  EXPECT_EQ(Cells(left, {35, 34}, true), (std::vector<int>{9, 1}));
  // The empty floor of a new level is one area of 221 cells.
  Document empty;
  Edits::FloodFill(empty, 0, Chosen(kSelectPattern, 70), 100, false);
  for (int cell = 0; cell < kCellCount; ++cell) ASSERT_EQ(empty.GetLevel(0).GetCell(cell), 70);

  // What changes nothing makes no step; the exit, actors, teleports and
  // cells outside the grid fill nothing.
  Document same = walled();
  Edits::FloodFill(same, 0, Chosen(kSelectPattern, 0), 100, false);  // pattern 0 on pattern 0
  Edits::FillRectangle(same, 0, Chosen(kSelectPattern, 52), 0, 220, true);  // no right-click rule
  EXPECT_FALSE(same.CanUndo());
  for (const Selection& selection : {Chosen(kSelectPattern, 17), Chosen(kSelectPlayer, 1),
                                     Chosen(kSelectEnemy, 2), Chosen(kSelectTeleport, 0)}) {
    EXPECT_FALSE(Edits::FillRectangle(same, 0, selection, 0, 220, false).Ran());
    EXPECT_FALSE(Edits::FloodFill(same, 0, selection, 100, true).Ran());
  }
  EXPECT_FALSE(Edits::FillRectangle(same, 0, Chosen(kSelectPattern, 5), -1, 220, false).Ran());
  EXPECT_FALSE(Edits::FloodFill(same, 0, Chosen(kSelectPattern, 5), 221, false).Ran());
  EXPECT_EQ(same.GetLevel(0), walled().GetLevel(0));
}
