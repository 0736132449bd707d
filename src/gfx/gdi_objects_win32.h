// Tallies of the GDI objects (device contexts, bitmaps, pens, fonts) that the
// painter and the tile sheets make and delete. A paint that forgot one pen
// would use up the process's GDI handles after some hours of editing, and
// the system's own count (GetGuiResources) reads 0 under Wine, so the code
// that makes the objects counts them itself. Always on: two additions per
// object. One thread only, as the whole program.
#pragma once

#include <cstdint>

enum class GdiObjectKind { Dc, Bitmap, Pen, Font };
constexpr int kGdiObjectKinds = 4;

class GdiObjectLedger {
 public:
  // Called with a handle once it exists and once DeleteDC or DeleteObject
  // reported success; a null handle or a failed deletion counts nothing.
  void Created(GdiObjectKind kind, const void* handle);
  void Deleted(GdiObjectKind kind, const void* handle);

  int64_t CreatedCount(GdiObjectKind kind) const { return created_[Slot(kind)]; }
  int64_t DeletedCount(GdiObjectKind kind) const { return deleted_[Slot(kind)]; }
  int64_t Live(GdiObjectKind kind) const { return CreatedCount(kind) - DeletedCount(kind); }
  int64_t LiveTotal() const;

 private:
  static int Slot(GdiObjectKind kind) { return static_cast<int>(kind); }
  int64_t created_[kGdiObjectKinds] = {};
  int64_t deleted_[kGdiObjectKinds] = {};
};

// The objects of GdiPainter (its source and off-screen contexts, the
// off-screen bitmap, the pens of its lines, the fonts of its captions) and
// those of the tile sheets.
GdiObjectLedger& PainterGdiObjects();
GdiObjectLedger& SheetGdiObjects();
