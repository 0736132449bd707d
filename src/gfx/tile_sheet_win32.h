// Tile sheets: the catalogue's pictures as bitmaps compatible with the
// display, made once at start-up and deleted exactly once at shutdown.
#pragma once

#include <windows.h>

#include <vector>

#include "gfx/image.h"
#include "gfx/painter.h"

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
class SheetTable {
 public:
  void Build(const ResourceCatalogue& catalogue, HDC reference);
  void Clear();
  // nullptr for a sheet that does not exist or is empty.
  const TileSheet* Find(const SheetRef& ref) const;

 private:
  struct PatternSheets {
    TileSheet normal, doubled;
  };
  struct SpriteSheets {
    TileSheet colour, colourDouble, mask, maskDouble;
  };
  std::vector<PatternSheets> patterns_;
  std::vector<SpriteSheets> sprites_;
};
