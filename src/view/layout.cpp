#include "view/layout.h"

#include <algorithm>

#include "gfx/region_list.h"

namespace {

// One region at normal size: x values and the parts of y below the strip
// scale with z; the strip's 16 pixels do not.
struct RegionSpec {
  int32_t id, left, top, right, bottom;
};

constexpr RegionSpec kRegions[] = {
    {kRegionLeftEdge, 1, 1, 8, 209},     {kRegionRightEdge, 249, 1, 256, 209},
    {kRegionGrid, 9, 1, 248, 209},       {kRegionWalkable, 259, 1, 515, 16},
    {kRegionItems, 259, 19, 451, 34},    {kRegionExit, 259, 37, 275, 52},
    {kRegionGem, 291, 37, 307, 52},      {kRegionDestroyable, 323, 37, 339, 52},
    {kRegionWalls, 355, 37, 387, 52},    {kRegionSolid, 259, 55, 515, 118},
    {kRegionPlayer, 259, 138, 323, 162}, {kRegionEnemy1, 353, 138, 369, 162},
    {kRegionEnemy1 + 1, 383, 138, 399, 162}, {kRegionEnemy1 + 2, 413, 138, 429, 162},
    {kRegionEnemy1 + 3, 443, 138, 459, 162}, {kRegionEnemy5, 473, 138, 489, 162},
    {kRegionTeleport, 259, 187, 291, 202},
};

}  // namespace

void LayoutRegions(RegionList& regions, int z) {
  for (const RegionSpec& r : kRegions)
    regions.AddRegion(r.left * z, r.top * z + kTopStrip, r.right * z, r.bottom * z + kTopStrip, r.id);
}

int MainWindowWidth(int z) { return 523 * z; }
int MainWindowHeight(int z) { return 209 * z + 81; }

WindowSize MainWindowSize(int z, const WindowChrome& chrome) {
  // The client area the layout needs above the status bar: the documented
  // window less the chrome it was made for.
  const int layoutWidth = MainWindowWidth(z) - 6;
  const int layoutHeight = MainWindowHeight(z) - 44 - 20;
  return {std::max(MainWindowWidth(z), layoutWidth + chrome.frameWidth),
          std::max(MainWindowHeight(z), layoutHeight + chrome.frameHeight + chrome.statusBar)};
}

SelectorPlace LevelSelectorPlace(int z) { return {3 * z, 1}; }
SelectorPlace GraphicsSelectorPlace(int z) { return {259 * z, 1}; }
SelectorPlace TeleportSelectorPlace(int z) { return {259 * z, 185 * z}; }

ClientRect InspectorRect(int z) {
  return {383 * z, 187 * z + kTopStrip, 431 * z, 203 * z + kTopStrip};
}
