// What the GDI tests draw into and watch with: a 24-bit picture selected
// into a memory device context, standing for the window, and a record of
// every object a ledger saw made and deleted.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "gfx/gdi_objects_win32.h"
#include "gfx/image.h"

class MemoryTarget {
 public:
  MemoryTarget(int width, int height);
  ~MemoryTarget();
  MemoryTarget(const MemoryTarget&) = delete;
  MemoryTarget& operator=(const MemoryTarget&) = delete;

  bool Ok() const { return dc_ && bitmap_; }
  HDC Dc() const { return dc_; }
  void Fill(Rgb colour);
  // The pixels of the rectangle at (left, top).
  Image Crop(int left, int top, int width, int height) const;

 private:
  int width_, height_, stride_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  unsigned char* bits_ = nullptr;
};

// Records each creation and deletion a ledger reports while it lives.
class HandleWatch {
 public:
  using Entry = std::pair<GdiObjectKind, const void*>;
  explicit HandleWatch(GdiObjectLedger& ledger);
  ~HandleWatch();
  HandleWatch(const HandleWatch&) = delete;
  HandleWatch& operator=(const HandleWatch&) = delete;

  std::vector<Entry> created, deleted;
  void Forget() {
    created.clear();
    deleted.clear();
  }

 private:
  static void Note(void* self, GdiObjectKind kind, const void* handle, bool made);
  GdiObjectLedger& ledger_;
};

// GetObjectType of a handle the ledger recorded: 0 once it is really gone.
DWORD ObjectTypeOf(const void* handle);
