// Tile sheets: the catalogue's pictures as bitmaps compatible with the
// display, each made when it is first drawn (start-up makes none: a full
// catalogue holds hundreds) and deleted exactly once.
#pragma once

#include <windows.h>

#include <vector>

#include "gfx/image.h"
#include "gfx/painter.h"

class CataloguePicture;
struct ResourceCatalogue;

class TileSheet {
 public:
  TileSheet() = default;
  // An empty picture gives an empty sheet (no bitmap).
  TileSheet(const Image& image, HDC reference);
  ~TileSheet();
  TileSheet(TileSheet&& other) noexcept;
  TileSheet& operator=(TileSheet&& other) noexcept;
  TileSheet(const TileSheet&) = delete;
  TileSheet& operator=(const TileSheet&) = delete;

  HBITMAP Handle() const { return bitmap_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  void Release();
  HBITMAP bitmap_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// Every sheet of the catalogue, found by the painter's sheet reference.
// The catalogue must outlive the table (or its next Build or Clear).
class SheetTable {
 public:
  void Build(const ResourceCatalogue& catalogue, HDC reference);
  void Clear();
  // nullptr for a sheet that does not exist or is empty. Makes the sheet's
  // bitmap on its first call.
  const TileSheet* Find(const SheetRef& ref) const;

 private:
  struct Slot {
    explicit Slot(const CataloguePicture* picture) : image(picture) {}
    const CataloguePicture* image;
    mutable bool made = false;
    mutable TileSheet sheet;
  };
  const Slot* SlotOf(const SheetRef& ref) const;
  std::vector<Slot> patterns_;  // normal, doubled for each pattern set
  std::vector<Slot> sprites_;   // colour, colourDouble, mask, maskDouble for each sprite set
};
