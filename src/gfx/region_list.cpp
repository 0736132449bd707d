#include "gfx/region_list.h"

void RegionList::AddRegion(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t id) {
  regions_.push_back({left, top, right, bottom, id});
}

const ScreenRegion* RegionList::FindRegionAt(int32_t x, int32_t y) const {
  for (auto it = regions_.rbegin(); it != regions_.rend(); ++it)
    if (it->Contains(x, y)) return &*it;
  return nullptr;
}

const ScreenRegion* RegionList::FindRegionById(int32_t id) const {
  for (auto it = regions_.rbegin(); it != regions_.rend(); ++it)
    if (it->id == id) return &*it;
  return nullptr;
}

int32_t RegionList::RegionIdAt(int32_t x, int32_t y) const {
  const ScreenRegion* region = FindRegionAt(x, y);
  return region ? region->id : 0;
}
