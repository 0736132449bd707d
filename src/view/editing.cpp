#include "view/editing.h"

#include <iterator>

#include "app/editor_state.h"
#include "app/host.h"
#include "app/title.h"
#include "view/hit_test.h"
#include "view/layout.h"
#include "view/pointer.h"

namespace {

// Walkable pattern 7 lies under every wall placed with a left click.
constexpr int32_t kFloorUnderWall = 7;

// A wall hiding item i holds i + 128 (first kind) or i + 144 (second kind).
constexpr int32_t kInFirstWall = kCellWall1Item - 16;
constexpr int32_t kInSecondWall = kCellWall2Item - 16;

bool IsWalkable(int32_t v) { return v >= 0 && v < 16; }
bool IsFreeItem(int32_t v) { return v >= 18 && v <= 31; }  // the twelve items and the gem
bool IsWall(int32_t v) { return v == kCellWall1 || v == kCellWall2; }
bool IsSolid(int32_t v) { return v >= kCellSolidFirst && v <= 127; }

// Exits, actors and teleports never go into the top row of the grid.
bool InTopRow(const RegionHit& hit) { return hit.dy < 16; }

void RepaintCanvas(EditorState& state, Host& host) {
  state.repaintFlags = kRepaintCanvas;
  host.Invalidate(nullptr);
}

// The half-width edge columns take the pattern raw: no exit, teleport or floor rule.
void PlaceEdgeCell(EditorState& state, Host& host, const RegionHit& hit) {
  if (state.selectionCategory != kSelectPattern) return;
  Level& level = state.CurrentLevel();
  if (hit.id == kRegionLeftEdge)
    level.SetLeftEdgeCell(hit.Row(), state.selectionValue);
  else
    level.SetRightEdgeCell(hit.Row(), state.selectionValue);
  MarkModified(state, host);
  RepaintCanvas(state, host);
}

void PlacePattern(EditorState& state, Host& host, const RegionHit& hit) {
  const int32_t s = state.selectionValue;
  Level& level = state.CurrentLevel();
  const int cell = CellAt(hit);
  if (s == kCellExit) {
    if (InTopRow(hit)) return;
    // A level has one exit: the old one gives back the pattern it stood on.
    const int oldExit = level.FindExit();
    if (oldExit >= 0) level.PlaceCell(oldExit, level.GetCell(oldExit) & 127);
  }
  level.PlaceCell(cell, s);
  if (IsWalkable(s)) level.SetFloor(cell, s);
  if (IsWall(s)) level.SetFloor(cell, kFloorUnderWall);
  MarkModified(state, host);
  ShowCellInspector(state, host, cell);
  RequestFullRepaint(state, host);
}

// An actor stands on the square under the click: x = 16 x column - 8, y = 16 x row.
int32_t ActorX(const RegionHit& hit) { return (hit.dx & 240) + 8; }
int32_t ActorY(const RegionHit& hit) { return hit.dy & 240; }

void PlacePlayer(EditorState& state, Host& host, const RegionHit& hit) {
  const int32_t image = state.selectionValue;  // up, right, down, left
  if (InTopRow(hit) || image < 0 || image > 3) return;
  state.CurrentLevel().GetActor(0).Set(ActorX(hit), ActorY(hit), 2 * image + 1, 0, 0, 4);
  MarkModified(state, host);
  RepaintCanvas(state, host);
}

void PlaceEnemy(EditorState& state, Host& host, const RegionHit& hit) {
  const int32_t enemy = state.selectionValue;
  if (InTopRow(hit) || enemy < 1 || enemy >= kActorCount) return;
  // Direction, type, AI and speed belong to the enemy dialog and stay.
  state.CurrentLevel().SetActorPosition(enemy, ActorX(hit), ActorY(hit));
  MarkModified(state, host);
  RepaintCanvas(state, host);
}

void PlaceTeleportEnd(EditorState& state, Host& host, const RegionHit& hit) {
  const int32_t end = state.selectionValue;  // 0 start, 1 end
  if (InTopRow(hit) || end < 0 || end > 1 || state.teleportPair < 0 || state.teleportPair > 7)
    return;
  state.CurrentLevel().PlaceCell(CellAt(hit), kCellTeleportFirst + 2 * state.teleportPair + end);
  MarkModified(state, host);
  RepaintCanvas(state, host);
}

using GridAction = void (*)(EditorState&, Host&, const RegionHit&);

// By selectionCategory: pattern, player, enemy, teleport end.
constexpr GridAction kGridActions[] = {PlacePattern, PlacePlayer, PlaceEnemy, PlaceTeleportEnd};

// A right click puts the selected pattern under or into what a cell holds.
// The steps run in this order and each looks at the cell afresh, so a later
// one sees what an earlier one did. Each returns whether it changed the level.

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

}  // namespace

int OnLeftButtonDown(EditorState& state, Host& host, uint32_t /*keys*/, uint32_t position) {
  if (state.canvasReady == 0) return 0;
  const ClientPoint p = UnpackPosition(position);
  const RegionHit hit = HitRegion(state.regionList, state.settings.zoom, p.x, p.y);
  if (hit.id == kRegionLeftEdge || hit.id == kRegionRightEdge) {
    PlaceEdgeCell(state, host, hit);
  } else if (hit.id == kRegionGrid) {
    const int32_t category = state.selectionCategory;
    if (category >= 0 && category < static_cast<int32_t>(std::size(kGridActions)))
      kGridActions[category](state, host, hit);
  } else if (hit.id != 0) {
    OnPanelClick(state, host, hit.id, p.x, p.y);
  }
  return 1;
}

int OnRightButtonDown(EditorState& state, Host& host, uint32_t /*keys*/, uint32_t position) {
  // Only patterns go under or into a cell; a player image, an enemy number or
  // a teleport end read as a pattern would write a walkable pattern by accident.
  if (state.selectionCategory != kSelectPattern) return 1;
  const ClientPoint p = UnpackPosition(position);
  const RegionHit hit = HitRegion(state.regionList, state.settings.zoom, p.x, p.y);
  if (hit.id != kRegionGrid) return 1;
  const int cell = CellAt(hit);
  for (const RightClickStep& step : kRightClickSteps) {
    if (!step.apply(state.CurrentLevel(), cell, state.selectionValue)) continue;
    MarkModified(state, host);
    ShowCellInspector(state, host, cell);
    if (step.repaintAll) RequestFullRepaint(state, host);
  }
  return 1;
}
