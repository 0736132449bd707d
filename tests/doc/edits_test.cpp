#include "doc/edits.h"

#include <gtest/gtest.h>

#include <vector>

#include "doc/document.h"

namespace {

constexpr int32_t kNoCategory = 4;

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
      {"no exit in row 0", {{30, 133, 5}}, Pattern(kCellExit), 8, {{30, 133, 5}, {8, 0, 0}}, kNone},
      {"the left edge raw", {{68, 5, 2}}, Pattern(kCellExit), 68, {{68, kCellExit, 2}}, kCanvas},
      {"the edges take patterns only", {{68, 5, 2}}, Chosen(kSelectPlayer, 1), 68, {{68, 5, 2}}, kNone},
      {"the end of pair 2 moves", {{30, 181, 0}}, Chosen(kSelectTeleport, 1, 2), 40, {{30, 0, 0}, {40, 181, 0}}, kCanvas},
      {"teleport start of pair 7", {}, Chosen(kSelectTeleport, 0, 7), 40, {{40, 190, 0}}, kCanvas},
      {"the start of pair 0 moves", {{30, 176, 0}}, Chosen(kSelectTeleport, 0, 0), 40, {{30, 0, 0}, {40, 176, 0}}, kCanvas},
      {"no teleport in row 0", {}, Chosen(kSelectTeleport, 0, 0), 3, {{3, 0, 0}}, kNone},
      {"no pair 8", {}, Chosen(kSelectTeleport, 0, 8), 40, {{40, 0, 0}}, kNone},
      {"no end 2", {}, Chosen(kSelectTeleport, 2, 0), 40, {{40, 0, 0}}, kNone},
      {"no such category", {}, Chosen(kNoCategory, 5), 40, {{40, 0, 0}}, kNone},
      {"the player not in row 0", {}, Chosen(kSelectPlayer, 1), 5, {}, kNone},
      {"an enemy not in row 0", {}, Chosen(kSelectEnemy, 2), 8, {}, kNone},
      {"no enemy 6", {}, Chosen(kSelectEnemy, 6), 40, {}, kNone},
      {"nothing past the last cell", {}, Pattern(9), kCellCount, {}, kNone},
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

TEST(Edits, LevelOperationsAreSteps) {
  LevelSet levels;
  levels[2].SetGoal(2);
  levels[2].SetPatternSet(7);
  levels[5].SetMusic(4);
  Document doc;
  doc.Replace(levels, "");
  // Swap: both levels in one step.
  EXPECT_TRUE(Edits::SwapLevels(doc, 2, 5, 2));
  EXPECT_EQ(doc.GetLevel(5), levels[2]);
  EXPECT_EQ(doc.GetLevel(2), levels[5]);
  EXPECT_EQ(doc.Undo(), 2);
  EXPECT_EQ(doc.Levels(), levels);
  EXPECT_FALSE(Edits::SwapLevels(doc, 3, 3, 3));
  EXPECT_FALSE(Edits::SwapLevels(doc, 3, 10, 3));
  // Clear keeps only the pattern set.
  EXPECT_TRUE(Edits::ClearLevel(doc, 2));
  Level cleared;
  cleared.SetPatternSet(7);
  EXPECT_EQ(doc.GetLevel(2), cleared);
}
