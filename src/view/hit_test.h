// Where a mouse position lands: which screen region and where inside it, in
// unzoomed pixels.
//
// A region's rectangle includes its right and bottom coordinates, so most
// reach one pixel past what is drawn in them: the palette rows one column
// past their last tile, the canvas one line past grid row 12. A position
// there lies on no tile, no cell and no palette entry, so it counts as no
// hit at all.
#pragma once

#include <cstdint>

class RegionList;

struct ClientPoint {
  int32_t x = 0;
  int32_t y = 0;
};

// A mouse message's lParam: x in the low 16 bits, y in the high 16 bits.
ClientPoint UnpackPosition(uint32_t position);

struct RegionHit {
  int32_t id = 0;  // 0: nothing usable under the pointer
  int32_t dx = 0;  // offset from the region's left edge, unzoomed, never negative
  int32_t dy = 0;  // offset from the region's top edge, unzoomed, never negative

  int32_t Column() const { return dx / 16; }  // the 16-pixel tile across
  int32_t Row() const { return dy / 16; }     // the 16-pixel tile down
};

// The region under (x, y) at zoom z, limited to the part of it that is drawn.
RegionHit HitRegion(const RegionList& regions, int z, int32_t x, int32_t y);

// The three canvas regions: grid column 0, column 16, columns 1..15.
bool IsCanvasRegion(int32_t id);

// The grid cell (0..220) under a canvas hit; -1 for any other hit.
int CellAt(const RegionHit& hit);

// The cell nearest to (x, y) at zoom z, wherever the point lies: a point
// beside the canvas takes the cell at its border. -1 without a layout.
int NearestCell(const RegionList& regions, int z, int32_t x, int32_t y);
