#include "doc/edits.h"

#include <iterator>
#include <utility>

#include "doc/document.h"
#include "level/areas.h"
#include "level/time_limit.h"

namespace {

// Walkable pattern 7 lies under every wall placed with a left click.
constexpr int32_t kFloorUnderWall = 7;

// A wall hiding item i holds i + 128 (first kind) or i + 144 (second kind).
constexpr int32_t kInFirstWall = kCellWall1Item - 16;
constexpr int32_t kInSecondWall = kCellWall2Item - 16;

int32_t ActorX(int cell) { return ActorXAt(ColumnOf(cell)); }
int32_t ActorY(int cell) { return ActorYAt(RowOf(cell)); }

constexpr EditOutcome kCanvasOnly{false, kRepaintCanvas};
constexpr EditOutcome kInspectAndAll{true, kRepaintAll};

// The half-width edge columns take the pattern raw: no exit, teleport or floor rule.
EditOutcome PlaceEdgeCell(Level& level, const Selection& s, int cell) {
  if (s.selectionCategory != kSelectPattern) return {};
  level.SetCell(cell, s.selectionValue);
  return kCanvasOnly;
}

EditOutcome PlacePattern(Level& level, const Selection& sel, int cell) {
  const int32_t s = sel.selectionValue;
  if (s == kCellExit) {
    if (RowOf(cell) == 0) return {};
    // A level has one exit: the old one gives back the pattern it stood on.
    const int oldExit = level.FindExit();
    if (oldExit >= 0) level.PlaceCell(oldExit, level.GetCell(oldExit) & 127);
  }
  level.PlaceCell(cell, s);
  if (IsWalkable(s)) level.SetFloor(cell, s);
  if (IsWall(s)) level.SetFloor(cell, kFloorUnderWall);
  return kInspectAndAll;
}

EditOutcome PlacePlayer(Level& level, const Selection& sel, int cell) {
  const int32_t image = sel.selectionValue;  // up, right, down, left
  if (RowOf(cell) == 0 || !InRange(image, 0, 3)) return {};
  level.GetActor(0).Set(ActorX(cell), ActorY(cell), 2 * image + 1, 0, 0, 4);
  return kCanvasOnly;
}

EditOutcome PlaceEnemy(Level& level, const Selection& sel, int cell) {
  const int32_t enemy = sel.selectionValue;
  if (RowOf(cell) == 0 || !InRange(enemy, 1, kEnemyCount)) return {};
  // Direction, type, AI and speed belong to the enemy dialog and stay.
  level.SetActorPosition(enemy, ActorX(cell), ActorY(cell));
  return kCanvasOnly;
}

EditOutcome PlaceTeleportEnd(Level& level, const Selection& sel, int cell) {
  const int32_t end = sel.selectionValue;  // 0 start, 1 end
  if (RowOf(cell) == 0 || !InRange(end, 0, 1) || !IsIndex(sel.teleportPair, kTeleportPairs))
    return {};
  level.PlaceCell(cell, kCellTeleportFirst + 2 * sel.teleportPair + end);
  return kCanvasOnly;
}

using GridRule = EditOutcome (*)(Level&, const Selection&, int);

// By selectionCategory: pattern, player, enemy, teleport end.
constexpr GridRule kLeftRules[] = {PlacePattern, PlacePlayer, PlaceEnemy, PlaceTeleportEnd};

// A right click puts the selected pattern under or into what a cell holds.
// The steps run in this order and each looks at the cell afresh, so a later
// one sees what an earlier one did. Each returns whether it applied.

bool HideItemInWall(Level& level, int cell, int32_t s) {
  if (!IsFreeItem(s)) return false;
  const int32_t v = level.GetCell(cell);
  const bool secondKind = v == kCellWall2 || (v >= kCellWall2Item && v < kCellWall2Item + 16);
  level.PlaceCell(cell, s + (secondKind ? kInSecondWall : kInFirstWall));
  return true;
}

bool FloorUnderAnything(Level& level, int cell, int32_t s) {
  if (!IsWalkable(s) || level.GetCell(cell) <= kCellWall1) return false;
  level.SetFloor(cell, s);
  return true;
}

bool FloorUnderItem(Level& level, int cell, int32_t s) {
  if (!IsWalkable(s) || !IsFreeItem(level.GetCell(cell))) return false;
  level.SetFloor(cell, s);
  return true;
}

bool ReplaceWalkable(Level& level, int cell, int32_t s) {
  if (!IsWalkable(s) || !IsWalkable(level.GetCell(cell))) return false;
  level.PlaceCell(cell, s);
  level.SetFloor(cell, s);
  return true;
}

bool ReplaceSolid(Level& level, int cell, int32_t s) {
  if (!IsWalkable(s) || !IsSolid(level.GetCell(cell))) return false;
  level.PlaceCell(cell, s);
  return true;
}

bool BuildWall(Level& level, int cell, int32_t s) {
  if (!IsWall(s)) return false;
  const int32_t v = level.GetCell(cell);
  if (IsFreeItem(v))
    level.PlaceCell(cell, v + (s == kCellWall1 ? kInFirstWall : kInSecondWall));
  else if (IsWalkable(v) || v >= kCellSolidFirst)
    level.PlaceCell(cell, s);
  else
    return false;
  return true;
}

bool FloorUnderWall(Level& level, int cell, int32_t s) {
  const int32_t v = level.GetCell(cell);
  if (!IsWalkable(s) || (!IsWall(v) && v != kCellDestroyable)) return false;
  level.SetFloor(cell, s);
  return true;
}

bool PlaceSolid(Level& level, int cell, int32_t s) {
  if (s < kCellSolidFirst) return false;
  level.PlaceCell(cell, s);
  return true;
}

struct RightClickStep {
  bool (*apply)(Level&, int, int32_t);
  bool repaintAll;  // false: only the inspector follows
};

constexpr RightClickStep kRightClickSteps[] = {
    {HideItemInWall, true}, {FloorUnderAnything, false}, {FloorUnderItem, false},
    {ReplaceWalkable, true}, {ReplaceSolid, true},       {BuildWall, true},
    {FloorUnderWall, true},  {PlaceSolid, true},
};

bool IsCell(int cell) { return IsIndex(cell, kCellCount); }

}  // namespace

EditOutcome Edits::ApplyLeft(Document& document, int level, const Selection& selection, int cell) {
  if (!IsCell(cell)) return {};
  EditOutcome outcome;
  const bool edge = IsEdgeColumn(ColumnOf(cell));
  const int32_t category = selection.selectionCategory;
  if (!edge && !IsIndex(category, static_cast<int>(std::size(kLeftRules)))) return {};
  document.Change(
      level,
      [&](Level& l) {
        outcome = edge ? PlaceEdgeCell(l, selection, cell) : kLeftRules[category](l, selection, cell);
      },
      level);
  return outcome;
}

EditOutcome Edits::ApplyRight(Document& document, int level, const Selection& selection, int cell) {
  // Only patterns go under or into a cell; a player image, an enemy number or
  // a teleport end read as a pattern would write a walkable pattern by accident.
  if (!IsCell(cell) || IsEdgeColumn(ColumnOf(cell)) ||
      selection.selectionCategory != kSelectPattern)
    return {};
  EditOutcome outcome;
  document.Change(
      level,
      [&](Level& l) {
        for (const RightClickStep& step : kRightClickSteps) {
          if (!step.apply(l, cell, selection.selectionValue)) continue;
          outcome.inspect = true;
          if (step.repaintAll) outcome.repaint = kRepaintAll;
        }
      },
      level);
  return outcome;
}

bool Edits::Fills(const Selection& selection) {
  return selection.selectionCategory == kSelectPattern && selection.selectionValue != kCellExit;
}

EditOutcome Edits::FillCells(Document& document, int level, const Selection& selection,
                             const std::vector<int>& cells, bool right) {
  EditOutcome outcome;
  if (!Fills(selection)) return outcome;
  const bool ownStep = !document.StepOpen();
  if (ownStep) document.OpenStep(level);
  for (int cell : cells) {
    const EditOutcome one = right ? ApplyRight(document, level, selection, cell)
                                  : ApplyLeft(document, level, selection, cell);
    outcome.inspect = outcome.inspect || one.inspect;
    outcome.repaint |= one.repaint;
  }
  if (ownStep) document.CloseStep();
  return outcome;
}

EditOutcome Edits::FillRectangle(Document& document, int level, const Selection& selection,
                                 int first, int last, bool right) {
  return FillCells(document, level, selection, RectangleCells(first, last), right);
}

EditOutcome Edits::FloodFill(Document& document, int level, const Selection& selection, int cell,
                             bool right) {
  if (!IsIndex(level, kLevelCount) || !IsIndex(cell, kCellCount)) return {};
  const Level& l = document.GetLevel(level);
  const int32_t value = l.GetCell(cell);
  // The area is found first: filling changes the values it was found by.
  const std::vector<int> area = ConnectedCells(cell, [&l, value](int c) { return l.GetCell(c) == value; });
  return FillCells(document, level, selection, area, right);
}

bool Edits::ChangeEnemy(Document& document, int level, int enemy,
                        const std::function<void(ActorRecord&)>& change) {
  if (!InRange(enemy, 1, kEnemyCount)) return false;
  return document.Change(level, [&](Level& l) { change(l.GetActor(enemy)); }, level);
}

bool Edits::RemoveEnemy(Document& document, int level, int enemy) {
  return ChangeEnemy(document, level, enemy, [](ActorRecord& a) { a.SetPosition(0, 0); });
}

bool Edits::ClearLevel(Document& document, int level) {
  return document.Change(level, [](Level& l) { l.ClearKeepPatternSet(); }, level);
}

bool Edits::ClearArea(Document& document, int level, const CellRect& rect) {
  return document.Change(level, [&rect](Level& l) { ::ClearArea(l, rect); }, level);
}

AreaOutcome Edits::PlaceArea(Document& document, int level, const LevelArea& area, int column,
                             int row) {
  AreaOutcome outcome;
  outcome.changed = document.Change(
      level,
      [&](Level& l) {
        const PlaceResult result = ::PlaceArea(l, area, column, row);
        outcome.refusal = result.refusal;
        outcome.enemiesLeftOut = result.enemiesLeftOut;
      },
      level);
  return outcome;
}

AreaOutcome Edits::FlipArea(Document& document, int level, const CellRect& rect, FlipAxis axis) {
  AreaOutcome outcome;
  outcome.changed = document.Change(
      level, [&](Level& l) { outcome.refusal = ::FlipArea(l, rect, axis); }, level);
  return outcome;
}

bool Edits::CorrectShadows(Document& document, int level) {
  return document.Change(level, [](Level& l) { l.CorrectShadows(); }, level);
}

bool Edits::PasteLevel(Document& document, int level, const Level& pasted) {
  return document.Change(level, [&pasted](Level& l) { l = pasted; }, level);
}

bool Edits::ReplaceLevels(Document& document, const LevelSet& levels, int shown) {
  document.OpenStep(shown);
  bool changed = false;
  for (int i = 0; i < kLevelCount; ++i) changed = PasteLevel(document, i, levels[i]) || changed;
  document.CloseStep();
  return changed;
}

bool Edits::SwapLevels(Document& document, int a, int b, int shown) {
  if (!IsIndex(a, kLevelCount) || !IsIndex(b, kLevelCount) || a == b) return false;
  const bool ownStep = !document.StepOpen();
  if (ownStep) document.OpenStep(shown);
  const Level first = document.GetLevel(a);
  const Level second = document.GetLevel(b);
  bool changed = document.Change(a, [&second](Level& l) { l = second; }, shown);
  changed = document.Change(b, [&first](Level& l) { l = first; }, shown) || changed;
  if (ownStep) document.CloseStep();
  return changed;
}

bool Edits::SetPatternSet(Document& document, int level, int32_t value) {
  return document.Change(level, [value](Level& l) { l.SetPatternSet(value); }, level);
}

bool Edits::SetGoal(Document& document, int level, int32_t goal) {
  return document.Change(level, [goal](Level& l) { l.SetGoal(goal); }, level);
}

bool Edits::SetMusic(Document& document, int level, int32_t music) {
  return document.Change(level, [music](Level& l) { l.SetMusic(music); }, level);
}

bool Edits::SetEnemyType(Document& document, int level, int slot, int32_t spriteSet) {
  return document.Change(level, [=](Level& l) { l.SetEnemyType(slot, spriteSet); }, level);
}

bool Edits::SetTimeLimit(Document& document, int level, int seconds) {
  return document.Change(level, [seconds](Level& l) { WriteTimeLimit(l.GetTime(), seconds); },
                         level);
}

bool Edits::SetEnemySpeed(Document& document, int level, int enemy, int32_t speed) {
  return ChangeEnemy(document, level, enemy, [speed](ActorRecord& a) { a.SetSpeed(speed); });
}

bool Edits::SetEnemyDirection(Document& document, int level, int enemy, int32_t direction) {
  return ChangeEnemy(document, level, enemy,
                     [direction](ActorRecord& a) { a.SetDirection(direction); });
}

bool Edits::SetEnemyAiType(Document& document, int level, int enemy, int32_t aiType) {
  return ChangeEnemy(document, level, enemy, [aiType](ActorRecord& a) { a.SetAiType(aiType); });
}

bool Edits::SetEnemyTypeCode(Document& document, int level, int enemy, int32_t typeCode) {
  return ChangeEnemy(document, level, enemy,
                     [typeCode](ActorRecord& a) { a.SetTypeCode(typeCode); });
}
