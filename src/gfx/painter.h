// The painter: what drawing the main window and the dialogs' previews needs.
// GDI implements it in the program; a software painter implements it on
// pixels for tests and tools; a recorder counts what a paint did.
#pragma once

#include <string>

#include "gfx/client_rect.h"
#include "gfx/image.h"

// The three raster operations of the sheets: SRCCOPY, SRCAND and SRCPAINT.
enum class RasterOp { Copy, And, Paint };

enum class SheetKind { Pattern, SpriteColour, SpriteMask };

// One sheet of the resource catalogue: a pattern set or a sprite set by its
// index in the catalogue, at normal (zoom 1) or double (zoom 2) size.
struct SheetRef {
  SheetKind kind = SheetKind::Pattern;
  int index = 0;
  int zoom = 1;
  bool operator==(const SheetRef&) const = default;
};

class Painter {
 public:
  virtual ~Painter() = default;

  // Copies the w x h rectangle at (sx, sy) of the sheet to (dx, dy) of the
  // target with the raster operation. A sheet that does not exist or is
  // empty draws nothing; everything is clipped to the sheet and the target.
  virtual void Blit(const SheetRef& sheet, int sx, int sy, int w, int h, int dx, int dy,
                    RasterOp op) = 0;

  // A line one pixel wide from (x0, y0) to (x1, y1), the end point excluded,
  // as GDI's MoveToEx and LineTo draw it.
  virtual void Line(int x0, int y0, int x1, int y1, Rgb colour) = 0;

  // A caption: one line of text at the bottom of the rectangle, on an opaque
  // background of the given colour (DrawText, DT_SINGLELINE | DT_BOTTOM).
  virtual void Caption(const ClientRect& rect, const std::string& text, Rgb background) = 0;

  // Fills the rectangle with the window's own background.
  virtual void FillBackground(const ClientRect& rect) = 0;

  // Until EndOffscreen, drawing goes to a hidden picture of width x height
  // whose pixels map one to one to client coordinates from (0, 0).
  virtual void BeginOffscreen(int width, int height) = 0;
  // Copies `area` of the hidden picture to the same place of the target in
  // one transfer, then drops the picture.
  virtual void EndOffscreen(const ClientRect& area) = 0;
};

// 0x00BBGGRR, the form the registry colour and GDI use, as Rgb.
inline Rgb RgbFromColorRef(uint32_t colour) {
  return {static_cast<uint8_t>(colour & 0xFF), static_cast<uint8_t>((colour >> 8) & 0xFF),
          static_cast<uint8_t>((colour >> 16) & 0xFF)};
}
