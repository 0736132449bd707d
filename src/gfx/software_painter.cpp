#include "gfx/software_painter.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "gfx/sheet_lookup.h"

namespace {

// A span of offsets [first, last) along one axis of a transfer.
struct Span {
  int64_t first, last;
};

// Narrows the offsets 0..length so that start + offset stays inside 0..limit.
void ClipSpan(Span& span, int64_t start, int64_t limit) {
  span.first = std::max(span.first, -start);
  span.last = std::min(span.last, limit - start);
}

Rgb Combine(Rgb dst, Rgb src, RasterOp op) {
  switch (op) {
    case RasterOp::Copy:
      return src;
    case RasterOp::And:
      return {static_cast<uint8_t>(dst.r & src.r), static_cast<uint8_t>(dst.g & src.g),
              static_cast<uint8_t>(dst.b & src.b)};
    case RasterOp::Paint:
      return {static_cast<uint8_t>(dst.r | src.r), static_cast<uint8_t>(dst.g | src.g),
              static_cast<uint8_t>(dst.b | src.b)};
  }
  return dst;
}

// Copies the w x h rectangle at (sx, sy) of source to (dx, dy) of target,
// clipped to both pictures.
void Transfer(const Image& source, int64_t sx, int64_t sy, int64_t w, int64_t h, Image& target,
              int64_t dx, int64_t dy, RasterOp op) {
  Span xs{0, w}, ys{0, h};
  ClipSpan(xs, sx, source.Width());
  ClipSpan(xs, dx, target.Width());
  ClipSpan(ys, sy, source.Height());
  ClipSpan(ys, dy, target.Height());
  for (int64_t j = ys.first; j < ys.last; ++j)
    for (int64_t i = xs.first; i < xs.last; ++i) {
      Rgb& out = target.At(static_cast<int>(dx + i), static_cast<int>(dy + j));
      out = Combine(out, source.At(static_cast<int>(sx + i), static_cast<int>(sy + j)), op);
    }
}

void Plot(Image& image, int64_t x, int64_t y, Rgb colour) {
  if (x >= 0 && y >= 0 && x < image.Width() && y < image.Height())
    image.At(static_cast<int>(x), static_cast<int>(y)) = colour;
}

}  // namespace

SoftwarePainter::SoftwarePainter(const ResourceCatalogue& catalogue, Image& target,
                                 Rgb windowBackground)
    : catalogue_(catalogue), target_(target), background_(windowBackground) {}

void SoftwarePainter::Blit(const SheetRef& sheet, int sx, int sy, int w, int h, int dx, int dy,
                           RasterOp op) {
  const Image* source = FindSheet(catalogue_, sheet);
  if (source == nullptr) return;
  Transfer(*source, sx, sy, w, h, Surface(), dx, dy, op);
}

void SoftwarePainter::Line(int x0, int y0, int x1, int y1, Rgb colour) {
  const int64_t dx = static_cast<int64_t>(x1) - x0;
  const int64_t dy = static_cast<int64_t>(y1) - y0;
  const int64_t adx = std::llabs(dx), ady = std::llabs(dy);
  const bool xMajor = adx > ady;
  const int64_t major = xMajor ? adx : ady;
  const int64_t minor = xMajor ? ady : adx;
  const int64_t stepX = dx < 0 ? -1 : 1;
  const int64_t stepY = dy < 0 ? -1 : 1;
  // The error term is zero exactly at a tie. Moving along the major axis
  // towards a smaller minor coordinate, the tie is resolved by stepping, so
  // both directions of a line pick the same pixel.
  const bool minorDecreases = xMajor ? dy < 0 : dx < 0;
  const int64_t bias = minorDecreases ? 1 : 0;
  int64_t error = 2 * minor - major;
  int64_t x = x0, y = y0;
  Image& surface = Surface();
  for (int64_t n = 0; n < major; ++n) {
    Plot(surface, x, y, colour);
    if (error + bias > 0) {
      if (xMajor)
        y += stepY;
      else
        x += stepX;
      error -= 2 * major;
    }
    error += 2 * minor;
    if (xMajor)
      x += stepX;
    else
      y += stepY;
  }
}

void SoftwarePainter::Caption(const ClientRect&, const std::string&, Rgb) {}

void SoftwarePainter::FillBackground(const ClientRect& rect) {
  Image& surface = Surface();
  const int left = std::max(rect.left, 0), top = std::max(rect.top, 0);
  const int right = std::min(rect.right, surface.Width());
  const int bottom = std::min(rect.bottom, surface.Height());
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) surface.At(x, y) = background_;
}

void SoftwarePainter::BeginOffscreen(int width, int height) {
  offscreen_ = Image(width, height);
  offscreenActive_ = true;
}

void SoftwarePainter::EndOffscreen(const ClientRect& area) {
  if (!offscreenActive_) return;
  Transfer(offscreen_, area.left, area.top, static_cast<int64_t>(area.right) - area.left,
           static_cast<int64_t>(area.bottom) - area.top, target_, area.left, area.top,
           RasterOp::Copy);
  offscreen_ = Image();
  offscreenActive_ = false;
}

Image CropImage(const Image& image, int left, int top, int width, int height) {
  Image out(width, height);
  Transfer(image, left, top, width, height, out, 0, 0, RasterOp::Copy);
  return out;
}
