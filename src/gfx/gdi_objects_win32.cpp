#include "gfx/gdi_objects_win32.h"

void GdiObjectLedger::Created(GdiObjectKind kind, const void* handle) {
  if (!handle) return;
  ++created_[Slot(kind)];
}

void GdiObjectLedger::Deleted(GdiObjectKind kind, const void* handle) {
  if (!handle) return;
  ++deleted_[Slot(kind)];
}

int64_t GdiObjectLedger::LiveTotal() const {
  int64_t live = 0;
  for (int k = 0; k < kGdiObjectKinds; ++k) live += created_[k] - deleted_[k];
  return live;
}

GdiObjectLedger& PainterGdiObjects() {
  static GdiObjectLedger ledger;
  return ledger;
}

GdiObjectLedger& SheetGdiObjects() {
  static GdiObjectLedger ledger;
  return ledger;
}
