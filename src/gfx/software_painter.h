// A painter on pixels: draws into an Image that stands for the main window's
// client area, from the pictures of a resource catalogue. Tests read its
// pixels; the tools write them out as PNG.
//
// Where GDI has no exact counterpart here:
// - Captions are not rendered, because the Windows font is not available:
//   the pixels are left as they are. Filling the rectangle would be wrong: DrawText
//   fills only the character cells, and the caption rectangles overlap
//   ("Teleport %d" and "Pattern order" share a line).
// - A hidden picture starts black, as a fresh compatible bitmap does.
#pragma once

#include <string>

#include "gfx/painter.h"

struct ResourceCatalogue;

// COLOR_SCROLLBAR of the standard colour scheme, the window class's brush.
constexpr Rgb kDefaultWindowBackground{212, 208, 200};

class SoftwarePainter : public Painter {
 public:
  // The catalogue and the target must outlive the painter.
  SoftwarePainter(const ResourceCatalogue& catalogue, Image& target,
                  Rgb windowBackground = kDefaultWindowBackground);

  void Blit(const SheetRef& sheet, int sx, int sy, int w, int h, int dx, int dy,
            RasterOp op) override;
  // Bresenham with GDI's tie rule: where the ideal line passes exactly half
  // way between two pixels, the one with the smaller minor coordinate is
  // set, whichever way the line runs. So a line and its reverse set the same
  // pixels apart from their end points, as GDI's cosmetic pens do.
  void Line(int x0, int y0, int x1, int y1, Rgb colour) override;
  void Caption(const ClientRect& rect, const std::string& text, Rgb background) override;
  void FillBackground(const ClientRect& rect) override;
  // A second BeginOffscreen before EndOffscreen starts a new hidden picture;
  // EndOffscreen without one does nothing.
  void BeginOffscreen(int width, int height) override;
  void EndOffscreen(const ClientRect& area) override;

 private:
  Image& Surface() { return offscreenActive_ ? offscreen_ : target_; }

  const ResourceCatalogue& catalogue_;
  Image& target_;
  Rgb background_;
  Image offscreen_;
  bool offscreenActive_ = false;
};

// The w x h part of the picture at (left, top), clipped to the picture; what
// lies outside it stays black.
Image CropImage(const Image& image, int left, int top, int width, int height);
