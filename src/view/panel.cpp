#include "view/panel.h"

#include "view/editor.h"
#include "view/hit_test.h"
#include "view/host.h"
#include "view/layout.h"

namespace {

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
    {kRegionEnemy1, HoverText::Fixed, "Enemy 1", kSelectEnemy, 1, 0, 0, true},
    {kRegionEnemy1 + 1, HoverText::Fixed, "Enemy 2", kSelectEnemy, 2, 0, 0, true},
    {kRegionEnemy1 + 2, HoverText::Fixed, "Enemy 3", kSelectEnemy, 3, 0, 0, true},
    {kRegionEnemy1 + 3, HoverText::Fixed, "Enemy 4", kSelectEnemy, 4, 0, 0, true},
    {kRegionEnemy5, HoverText::Fixed, "Enemy 5", kSelectEnemy, 5, 0, 0, true},
    {kRegionTeleport, HoverText::TeleportEnd, nullptr, kSelectTeleport, 0, 1, 0, false},
};

const PanelEntry* FindPanelEntry(int32_t id) {
  for (const PanelEntry& e : kPanel)
    if (e.id == id) return &e;
  return nullptr;
}

}  // namespace

bool PanelHoverText(const RegionHit& hit, Host& host, std::string& text) {
  const PanelEntry* entry = FindPanelEntry(hit.id);
  if (!entry) return false;
  switch (entry->hover) {
    case HoverText::Fixed: text = entry->text; break;
    case HoverText::WalkableHalf:  // tiles 8..15 are the shadowed ones
      text = hit.Column() < 8 ? "Walkable patterns" : "Walkable patterns with shadow";
      break;
    case HoverText::ItemName: text = host.StringResource(hit.Column() + 1); break;
    case HoverText::TeleportEnd: text = hit.Column() == 0 ? "Teleport start" : "Teleport end"; break;
  }
  return true;
}

bool PanelDragSelects(int32_t id) {
  const PanelEntry* entry = FindPanelEntry(id);
  return entry && entry->dragSelects;
}

int OnPanelClick(Editor& editor, Host& host, int32_t id, int x, int y) {
  const PanelEntry* entry = FindPanelEntry(id);
  const RegionHit hit = HitRegion(editor.session.regionList, editor.settings.zoom, x, y);
  if (!entry || hit.id != id) return 1;
  Session& s = editor.session;
  s.selectionCategory = entry->category;
  s.selectionValue = entry->base + entry->columnStep * hit.Column() + entry->rowStep * hit.Row();
  s.repaintFlags = kRepaintPanel;
  host.Invalidate(nullptr);
  return 1;
}
