#include "gfx/tile_sheet_win32.h"

#include <utility>

#include "gfx/gdi_objects_win32.h"
#include "gfx/resource_catalogue.h"

TileSheet::TileSheet(const Image& image, HDC reference) {
  if (image.Empty()) return;
  const int w = image.Width(), h = image.Height();
  HBITMAP bitmap = CreateCompatibleBitmap(reference, w, h);
  if (!bitmap) return;
  SheetGdiObjects().Created(GdiObjectKind::Bitmap, bitmap);
  // 24-bit rows, blue green red, each row padded to four bytes; a negative
  // height makes the rows run from the top down, as the picture's do.
  const int stride = (w * 3 + 3) & ~3;
  std::vector<BYTE> rows(static_cast<size_t>(stride) * h, 0);
  for (int y = 0; y < h; ++y) {
    BYTE* row = rows.data() + static_cast<size_t>(stride) * y;
    for (int x = 0; x < w; ++x) {
      const Rgb& p = image.At(x, y);
      row[3 * x] = p.b;
      row[3 * x + 1] = p.g;
      row[3 * x + 2] = p.r;
    }
  }
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  if (SetDIBits(reference, bitmap, 0, static_cast<UINT>(h), rows.data(), &info, DIB_RGB_COLORS) == 0) {
    if (DeleteObject(bitmap)) SheetGdiObjects().Deleted(GdiObjectKind::Bitmap, bitmap);
    return;
  }
  bitmap_ = bitmap;
  width_ = w;
  height_ = h;
}

TileSheet::~TileSheet() { Release(); }

TileSheet::TileSheet(TileSheet&& other) noexcept
    : bitmap_(std::exchange(other.bitmap_, nullptr)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)) {}

TileSheet& TileSheet::operator=(TileSheet&& other) noexcept {
  if (this != &other) {
    Release();
    bitmap_ = std::exchange(other.bitmap_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
  }
  return *this;
}

void TileSheet::Release() {
  if (bitmap_ && DeleteObject(bitmap_)) SheetGdiObjects().Deleted(GdiObjectKind::Bitmap, bitmap_);
  bitmap_ = nullptr;
}

void SheetTable::Build(const ResourceCatalogue& catalogue, HDC) {
  Clear();
  for (const PatternSet& set : catalogue.patternSets)
    for (const CataloguePicture* image : {&set.normal, &set.doubled}) patterns_.emplace_back(image);
  for (const SpriteSet& set : catalogue.spriteSets)
    for (const CataloguePicture* image : {&set.colour, &set.colourDouble, &set.mask, &set.maskDouble})
      sprites_.emplace_back(image);
}

void SheetTable::Clear() {
  patterns_.clear();
  sprites_.clear();
}

const SheetTable::Slot* SheetTable::SlotOf(const SheetRef& ref) const {
  if (ref.index < 0) return nullptr;
  const size_t doubled = ref.zoom == 2 ? 1 : 0;
  const size_t i = static_cast<size_t>(ref.index);
  switch (ref.kind) {
    case SheetKind::Pattern: return i < patterns_.size() / 2 ? &patterns_[2 * i + doubled] : nullptr;
    case SheetKind::SpriteColour: return i < sprites_.size() / 4 ? &sprites_[4 * i + doubled] : nullptr;
    case SheetKind::SpriteMask: return i < sprites_.size() / 4 ? &sprites_[4 * i + 2 + doubled] : nullptr;
  }
  return nullptr;
}

const TileSheet* SheetTable::Find(const SheetRef& ref) const {
  const Slot* slot = SlotOf(ref);
  if (!slot) return nullptr;
  if (!slot->made) {
    slot->made = true;
    HDC screen = GetDC(nullptr);
    if (screen) {
      slot->sheet = TileSheet(slot->image->Get(), screen);
      ReleaseDC(nullptr, screen);
    }
  }
  return slot->sheet.Handle() ? &slot->sheet : nullptr;
}
