// The painter on GDI: draws into a device context (the window's, during a
// paint) from the tile sheets, composing off screen where asked.
#pragma once

#include <windows.h>

#include "gfx/painter.h"

class SheetTable;

class GdiPainter : public Painter {
 public:
  GdiPainter(HDC target, const SheetTable& sheets);
  ~GdiPainter() override;
  GdiPainter(const GdiPainter&) = delete;
  GdiPainter& operator=(const GdiPainter&) = delete;

  void Blit(const SheetRef& sheet, int sx, int sy, int w, int h, int dx, int dy,
            RasterOp op) override;
  void Line(int x0, int y0, int x1, int y1, Rgb colour) override;
  void Caption(const ClientRect& rect, const std::string& text, Rgb background) override;
  void FillBackground(const ClientRect& rect) override;
  void BeginOffscreen(int width, int height) override;
  void EndOffscreen(const ClientRect& area) override;

 private:
  HDC Current() const { return offscreen_ ? offscreen_ : target_; }
  void DropOffscreen();

  HDC target_;
  const SheetTable& sheets_;
  HDC source_ = nullptr;        // memory context the sheets are selected into
  HGDIOBJ sourceDefault_ = nullptr;
  HDC offscreen_ = nullptr;
  HBITMAP offscreenBitmap_ = nullptr;
  HGDIOBJ offscreenDefault_ = nullptr;
};
