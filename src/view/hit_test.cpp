#include "view/hit_test.h"

#include <algorithm>

#include "gfx/region_list.h"
#include "level/level.h"
#include "view/layout.h"

namespace {

// What each region really shows, unzoomed, from its top-left corner.
struct DrawnExtent {
  int32_t id, width, height;
};

constexpr DrawnExtent kExtents[] = {
    {kRegionLeftEdge, 8, 16 * kGridRows},   // half of column 0
    {kRegionRightEdge, 8, 16 * kGridRows},  // half of column 16
    {kRegionGrid, 16 * 15, 16 * kGridRows},
    {kRegionWalkable, 16 * 16, 16},
    {kRegionItems, 16 * 12, 16},
    {kRegionExit, 16, 16},
    {kRegionGem, 16, 16},
    {kRegionDestroyable, 16, 16},
    {kRegionWalls, 16 * 2, 16},
    {kRegionSolid, 16 * 16, 16 * 4},
    {kRegionPlayer, 16 * 4, 24},  // actor images are 24 pixels high
    {kRegionEnemy1, 16, 24},
    {kRegionEnemy1 + 1, 16, 24},
    {kRegionEnemy1 + 2, 16, 24},
    {kRegionEnemy1 + 3, 16, 24},
    {kRegionEnemy5, 16, 24},
    {kRegionTeleport, 16 * 2, 16},
};

const DrawnExtent* ExtentOf(int32_t id) {
  for (const DrawnExtent& e : kExtents)
    if (e.id == id) return &e;
  return nullptr;
}

}  // namespace

ClientPoint UnpackPosition(uint32_t position) {
  return {static_cast<int32_t>(position & 0xFFFF), static_cast<int32_t>(position >> 16)};
}

RegionHit HitRegion(const RegionList& regions, int z, int32_t x, int32_t y) {
  if (z < 1) return {};
  const ScreenRegion* region = regions.FindRegionAt(x, y);
  if (!region) return {};
  const DrawnExtent* extent = ExtentOf(region->id);
  if (!extent) return {};
  const int32_t dx = (x - region->left) / z;
  const int32_t dy = (y - region->top) / z;
  if (dx < 0 || dy < 0 || dx >= extent->width || dy >= extent->height) return {};
  return {region->id, dx, dy};
}

bool IsCanvasRegion(int32_t id) {
  return id == kRegionLeftEdge || id == kRegionRightEdge || id == kRegionGrid;
}

int CellAt(const RegionHit& hit) {
  const int rowStart = hit.Row() * kGridColumns;
  switch (hit.id) {
    case kRegionLeftEdge: return rowStart;
    case kRegionRightEdge: return rowStart + kGridColumns - 1;
    case kRegionGrid: return rowStart + hit.Column() + 1;  // the region starts at column 1
    default: return -1;
  }
}

int NearestCell(const RegionList& regions, int z, int32_t x, int32_t y) {
  const ScreenRegion* left = regions.FindRegionById(kRegionLeftEdge);
  const ScreenRegion* grid = regions.FindRegionById(kRegionGrid);
  const ScreenRegion* right = regions.FindRegionById(kRegionRightEdge);
  if (z < 1 || !left || !grid || !right) return -1;
  // The point moved onto the nearest pixel that shows a cell, then hit as a click.
  const int32_t lastY = grid->top + z * 16 * kGridRows - 1;
  const int32_t cy = std::clamp(y, grid->top, lastY);
  const ScreenRegion* region = x < grid->left ? left : x > grid->left + z * 240 - 1 ? right : grid;
  const int32_t width = region == grid ? 240 : 8;
  const int32_t cx = std::clamp(x, region->left, std::min(region->right, region->left + z * width - 1));
  return CellAt(HitRegion(regions, z, cx, cy));
}
