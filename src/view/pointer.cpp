#include "view/pointer.h"

#include <limits>
#include <string>

#include "app/editor_state.h"
#include "app/host.h"
#include "view/editing.h"
#include "view/hit_test.h"
#include "view/layout.h"

namespace {

// Only the left button alone drags; with Shift, Ctrl or another button held
// the pointer just shows what is under it.
constexpr uint32_t kDragKeys = 1;

enum class HoverText { Fixed, WalkableHalf, ItemName, TeleportEnd };

// One side-panel region: what hovering shows and what a click selects. The
// value selected is base + columnStep x tile column + rowStep x tile row.
struct PanelEntry {
  int32_t id;
  HoverText hover;
  const char* text;  // for HoverText::Fixed
  int32_t category;
  int32_t base, columnStep, rowStep;
  bool dragSelects;  // a drag with the left button keeps selecting here
};

constexpr PanelEntry kPanel[] = {
    {kRegionWalkable, HoverText::WalkableHalf, nullptr, kSelectPattern, 0, 1, 0, true},
    {kRegionItems, HoverText::ItemName, nullptr, kSelectPattern, 18, 1, 0, true},
    {kRegionExit, HoverText::Fixed, "Exit", kSelectPattern, 17, 0, 0, true},
    {kRegionGem, HoverText::Fixed, "Gem", kSelectPattern, 31, 0, 0, true},
    {kRegionDestroyable, HoverText::Fixed, "Destroyable item", kSelectPattern, 52, 0, 0, true},
    {kRegionWalls, HoverText::Fixed, "Explodable walls", kSelectPattern, 32, 10, 0, true},
    {kRegionSolid, HoverText::Fixed, "Solid patterns", kSelectPattern, 64, 1, 16, true},
    {kRegionPlayer, HoverText::Fixed, "Player", kSelectPlayer, 0, 1, 0, true},
    {1018, HoverText::Fixed, "Enemy 1", kSelectEnemy, 1, 0, 0, true},
    {1019, HoverText::Fixed, "Enemy 2", kSelectEnemy, 2, 0, 0, true},
    {1020, HoverText::Fixed, "Enemy 3", kSelectEnemy, 3, 0, 0, true},
    {1021, HoverText::Fixed, "Enemy 4", kSelectEnemy, 4, 0, 0, true},
    {1022, HoverText::Fixed, "Enemy 5", kSelectEnemy, 5, 0, 0, true},
    {kRegionTeleport, HoverText::TeleportEnd, nullptr, kSelectTeleport, 0, 1, 0, false},
};

const PanelEntry* FindPanelEntry(int32_t id) {
  for (const PanelEntry& e : kPanel)
    if (e.id == id) return &e;
  return nullptr;
}

std::string PanelHoverText(const PanelEntry& entry, const RegionHit& hit, Host& host) {
  switch (entry.hover) {
    case HoverText::Fixed: return entry.text;
    case HoverText::WalkableHalf:  // tiles 8..15 are the shadowed ones
      return hit.Column() < 8 ? "Walkable patterns" : "Walkable patterns with shadow";
    case HoverText::ItemName: return host.StringResource(hit.Column() + 1);
    case HoverText::TeleportEnd: return hit.Column() == 0 ? "Teleport start" : "Teleport end";
  }
  return {};
}

std::string LevelText(int32_t level) { return "Level " + std::to_string(level + 1); }

int HoverCanvas(EditorState& state, Host& host, uint32_t keys, uint32_t position,
                const RegionHit& hit) {
  const int cell = CellAt(hit);
  if (hit.id == kRegionGrid) ShowCellInspector(state, host, cell);
  host.SetStatusText(LevelText(state.currentLevel));
  if (keys == kDragKeys) return OnLeftButtonDown(state, host, kDragKeys, position);
  if (hit.id != kRegionGrid) ShowCellInspector(state, host, cell);
  return 0;
}

// What the inspector shows in one slot for a cell value p with floor f.
enum class Slot { Empty, Cell, Floor, Tile };
struct SlotRule {
  Slot source;
  int32_t value;  // Cell: subtracted from p; Tile: the tile number
};
struct InspectorRule {
  int32_t lowest, highest;  // cell values the rule covers
  SlotRule slots[3];
};

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

constexpr InspectorRule kInspectorRules[] = {
    {kMin, 16, {{Slot::Cell, 0}, {Slot::Empty, 0}, {Slot::Empty, 0}}},     // walkable
    {17, 63, {{Slot::Cell, 0}, {Slot::Floor, 0}, {Slot::Empty, 0}}},       // on a floor
    {64, 127, {{Slot::Cell, 0}, {Slot::Empty, 0}, {Slot::Empty, 0}}},      // solid
    {128, 143, {{Slot::Tile, 17}, {Slot::Cell, 128}, {Slot::Empty, 0}}},   // exit on floor
    {144, 159, {{Slot::Tile, 32}, {Slot::Cell, 128}, {Slot::Floor, 0}}},   // wall 32 + item
    {160, 175, {{Slot::Tile, 42}, {Slot::Cell, 144}, {Slot::Floor, 0}}},   // wall 42 + item
    {176, kMax, {{Slot::Tile, 16}, {Slot::Empty, 0}, {Slot::Empty, 0}}},   // teleport end
};

int32_t SlotTile(const SlotRule& rule, int32_t p, int32_t f) {
  switch (rule.source) {
    case Slot::Cell: return p - rule.value;
    case Slot::Floor: return f;
    case Slot::Tile: return rule.value;
    case Slot::Empty: break;
  }
  return -1;
}

}  // namespace

int OnCanvasMouseMove(EditorState& state, Host& host, uint32_t keys, uint32_t position) {
  if (state.canvasReady == 0) return 0;
  for (int32_t& tile : state.inspectorTiles) tile = -1;
  const ClientPoint p = UnpackPosition(position);
  const RegionHit hit = HitRegion(state.regionList, state.settings.zoom, p.x, p.y);
  if (IsCanvasRegion(hit.id)) return HoverCanvas(state, host, keys, position, hit);
  const PanelEntry* entry = FindPanelEntry(hit.id);
  if (!entry) {
    host.SetStatusText("");
    return 0;
  }
  host.SetStatusText(PanelHoverText(*entry, hit, host));
  if (keys == kDragKeys && entry->dragSelects)
    return OnLeftButtonDown(state, host, kDragKeys, position);
  return 0;
}

int OnPanelClick(EditorState& state, Host& host, int32_t id, int x, int y) {
  const PanelEntry* entry = FindPanelEntry(id);
  const RegionHit hit = HitRegion(state.regionList, state.settings.zoom, x, y);
  if (!entry || hit.id != id) return 1;
  state.selectionCategory = entry->category;
  state.selectionValue = entry->base + entry->columnStep * hit.Column() + entry->rowStep * hit.Row();
  state.repaintFlags = kRepaintPanel;
  host.Invalidate(nullptr);
  return 1;
}

int OnCanvasDoubleClick(EditorState& state, Host& host, uint32_t position) {
  const ClientPoint p = UnpackPosition(position);
  const RegionHit hit = HitRegion(state.regionList, state.settings.zoom, p.x, p.y);
  if (hit.id >= kRegionEnemy1 && hit.id <= kRegionEnemy5) {
    state.repaintFlags = kRepaintAll;
    host.RunDialog(DialogKind::EnemySettings, hit.id - kRegionEnemy1 + 1);
  }
  return 1;
}

void ShowCellInspector(EditorState& state, Host& host, int cell) {
  if (cell < 0 || cell >= kCellCount) return;
  Level& level = state.CurrentLevel();
  if (state.settings.correctShadow) level.CorrectShadows();
  const int32_t p = level.GetCell(cell);
  const int32_t f = level.GetFloor(cell);
  for (const InspectorRule& rule : kInspectorRules) {
    if (p < rule.lowest || p > rule.highest) continue;
    for (int k = 0; k < 3; ++k) state.inspectorTiles[k] = SlotTile(rule.slots[k], p, f);
    break;
  }
  state.repaintFlags = kRepaintCanvas;
  const ClientRect box = InspectorRect(state.settings.zoom);
  host.Invalidate(&box);
}
