// Shadow correction: a walkable cell (or an exit on one) directly below a
// wall-like cell shows the shadowed twin of its pattern (bit 3 set), every
// other walkable cell the plain one. Both layers of the cell below follow the
// cell value above, so a floor revealed by a blast is shadowed correctly too.
#include "level/level.h"

namespace {

bool CastsShadow(uint32_t a) {
  return (a >= 32 && a <= 79 && a != 52) || (a >= 144 && a <= 175);
}

bool ReceivesShadow(uint32_t b) { return b < 16 || (b >= 128 && b <= 143); }

int32_t Shade(int32_t value, bool shadowed) {
  // Clearing bits 5 and 6 as well as 3 changes nothing for the values that
  // receive shadows; only bit 3 ever moves.
  return shadowed ? (value | 8) : (value & 0x97);
}

}  // namespace

void Level::CorrectShadows() {
  for (int i = kGridColumns; i < kCellCount; ++i) CorrectShadowOf(i);
}

void Level::CorrectShadowOf(int index) {
  if (!IsIndex(index, kCellCount) || index < kGridColumns) return;
  const bool shadowed = CastsShadow(static_cast<uint32_t>(cells_[index - kGridColumns]));
  if (ReceivesShadow(static_cast<uint32_t>(cells_[index])))
    cells_[index] = Shade(cells_[index], shadowed);
  if (ReceivesShadow(static_cast<uint32_t>(floors_[index])))
    floors_[index] = Shade(floors_[index], shadowed);
}
