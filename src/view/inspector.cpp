#include "view/inspector.h"

#include <limits>

#include "view/editor.h"
#include "view/host.h"
#include "view/layout.h"

namespace {

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

void ShowCellInspector(Editor& editor, Host& host, int cell) {
  if (!IsIndex(cell, kCellCount)) return;
  Session& session = editor.session;
  if (editor.settings.correctShadow) editor.document.CorrectShadowsQuietly(session.currentLevel);
  const Level& level = editor.CurrentLevel();
  const int32_t p = level.GetCell(cell);
  const int32_t f = level.GetFloor(cell);
  for (const InspectorRule& rule : kInspectorRules) {
    if (p < rule.lowest || p > rule.highest) continue;
    for (int k = 0; k < 3; ++k) session.inspectorTiles[k] = SlotTile(rule.slots[k], p, f);
    break;
  }
  session.repaintFlags = kRepaintCanvas;
  const ClientRect box = InspectorRect(editor.settings.zoom);
  host.Invalidate(&box);
}
