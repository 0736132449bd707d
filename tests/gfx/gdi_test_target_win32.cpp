#include "gfx/gdi_test_target_win32.h"

MemoryTarget::MemoryTarget(int width, int height)
    : width_(width), height_(height), stride_((width * 3 + 3) & ~3) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows from the top down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<unsigned char*>(bits);
  if (dc_ && bitmap_) previous_ = SelectObject(dc_, bitmap_);
}

MemoryTarget::~MemoryTarget() {
  if (dc_ && previous_) SelectObject(dc_, previous_);
  if (bitmap_) DeleteObject(bitmap_);
  if (dc_) DeleteDC(dc_);
}

void MemoryTarget::Fill(Rgb colour) {
  GdiFlush();
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      unsigned char* p = bits_ + static_cast<size_t>(stride_) * y + 3 * x;
      p[0] = colour.b;
      p[1] = colour.g;
      p[2] = colour.r;
    }
}

Image MemoryTarget::Crop(int left, int top, int width, int height) const {
  GdiFlush();
  Image image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = bits_ + static_cast<size_t>(stride_) * (top + y) + 3 * (left + x);
      image.At(x, y) = {p[2], p[1], p[0]};
    }
  return image;
}

HandleWatch::HandleWatch(GdiObjectLedger& ledger) : ledger_(ledger) {
  ledger_.Observe(&HandleWatch::Note, this);
}

HandleWatch::~HandleWatch() { ledger_.Observe(nullptr, nullptr); }

void HandleWatch::Note(void* self, GdiObjectKind kind, const void* handle, bool made) {
  HandleWatch* watch = static_cast<HandleWatch*>(self);
  (made ? watch->created : watch->deleted).push_back({kind, handle});
}

DWORD ObjectTypeOf(const void* handle) {
  return GetObjectType(reinterpret_cast<HGDIOBJ>(const_cast<void*>(handle)));
}
