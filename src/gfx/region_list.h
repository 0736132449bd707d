// The named rectangles of the main window. The same list places drawings
// (where does the grid start?) and answers hit tests (what is under the
// pointer?). Edges are inclusive; of two overlapping regions the one added
// last wins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct ScreenRegion {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;   // inclusive
  int32_t bottom = 0;  // inclusive
  int32_t id = 0;      // 1002..1039 in use; 0 is never a region

  bool Contains(int32_t x, int32_t y) const {
    return left <= x && x <= right && top <= y && y <= bottom;
  }
};

class RegionList {
 public:
  void AddRegion(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t id);
  const ScreenRegion* FindRegionAt(int32_t x, int32_t y) const;
  const ScreenRegion* FindRegionById(int32_t id) const;
  int32_t RegionIdAt(int32_t x, int32_t y) const;
  void Clear() { regions_.clear(); }
  bool Empty() const { return regions_.empty(); }
  size_t Size() const { return regions_.size(); }

 private:
  std::vector<ScreenRegion> regions_;  // in the order added; searched from the back
};
