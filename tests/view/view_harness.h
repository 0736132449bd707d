// A fresh editor state laid out for one zoom, ready for input, with a fake
// host; and the positions a mouse message carries.
#pragma once

#include <cstdint>

#include "app/editor_state.h"
#include "gfx/region_list.h"
#include "support/fake_host.h"
#include "view/layout.h"

// lParam of a mouse message: x in the low word, y in the high word.
inline uint32_t Pack(int x, int y) {
  return (static_cast<uint32_t>(x) & 0xFFFF) | (static_cast<uint32_t>(y) & 0xFFFF) << 16;
}

struct ViewHarness {
  EditorState state;
  FakeHost host;
  int z;

  explicit ViewHarness(int zoom = 1) : z(zoom) {
    state.settings.zoom = zoom;
    LayoutRegions(state.regionList, zoom);
    state.canvasReady = 1;
    state.currentFileName = "set.kxl";
    state.repaintFlags = 0;
  }

  Level& level() { return state.CurrentLevel(); }

  // The point (dx, dy) unzoomed pixels from the top-left corner of a region.
  uint32_t In(int32_t id, int dx, int dy) const {
    const ScreenRegion* r = state.regionList.FindRegionById(id);
    return Pack(r->left + dx * z, r->top + dy * z);
  }

  // A point inside grid cell (row, column), column 0..16, off the cell's corner.
  uint32_t Cell(int row, int column, int offset = 5) const {
    if (column == 0) return In(kRegionLeftEdge, offset % 8, 16 * row + offset);
    if (column == 16) return In(kRegionRightEdge, offset % 8, 16 * row + offset);
    return In(kRegionGrid, 16 * (column - 1) + offset, 16 * row + offset);
  }
  uint32_t CellIndex(int cell) const { return Cell(cell / 17, cell % 17); }

  void Select(int32_t category, int32_t value) {
    state.selectionCategory = category;
    state.selectionValue = value;
  }
};
