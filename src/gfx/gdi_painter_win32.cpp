#include "gfx/gdi_painter_win32.h"

#include <algorithm>

#include "gfx/gdi_objects_win32.h"
#include "gfx/tile_sheet_win32.h"

namespace {

DWORD RopCode(RasterOp op) {
  switch (op) {
    case RasterOp::And: return SRCAND;
    case RasterOp::Paint: return SRCPAINT;
    default: return SRCCOPY;
  }
}

COLORREF ToColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

// Every object the painter makes goes through these, so the ledger knows
// what is alive.
HDC MakeDc(HDC compatible) {
  HDC dc = CreateCompatibleDC(compatible);
  PainterGdiObjects().Created(GdiObjectKind::Dc, dc);
  return dc;
}

void DropDc(HDC dc) {
  if (dc && DeleteDC(dc)) PainterGdiObjects().Deleted(GdiObjectKind::Dc, dc);
}

void DropObject(GdiObjectKind kind, HGDIOBJ object) {
  if (object && DeleteObject(object)) PainterGdiObjects().Deleted(kind, object);
}

}  // namespace

GdiPainter::GdiPainter(HDC target, const SheetTable& sheets) : target_(target), sheets_(sheets) {
  source_ = MakeDc(target);
}

GdiPainter::~GdiPainter() {
  DropOffscreen();
  if (source_) {
    if (sourceDefault_) SelectObject(source_, sourceDefault_);
    DropDc(source_);
  }
}

void GdiPainter::Blit(const SheetRef& ref, int sx, int sy, int w, int h, int dx, int dy,
                      RasterOp op) {
  const TileSheet* sheet = sheets_.Find(ref);
  if (!sheet || !source_) return;
  // Never read outside the sheet: clip the source rectangle, moving the
  // destination with it.
  if (sx < 0) { dx -= sx; w += sx; sx = 0; }
  if (sy < 0) { dy -= sy; h += sy; sy = 0; }
  w = std::min(w, sheet->Width() - sx);
  h = std::min(h, sheet->Height() - sy);
  if (w <= 0 || h <= 0) return;
  HGDIOBJ previous = SelectObject(source_, sheet->Handle());
  if (!sourceDefault_) sourceDefault_ = previous;
  BitBlt(Current(), dx, dy, w, h, source_, sx, sy, RopCode(op));
}

void GdiPainter::Line(int x0, int y0, int x1, int y1, Rgb colour) {
  HPEN pen = CreatePen(PS_SOLID, 1, ToColorRef(colour));
  if (!pen) return;
  PainterGdiObjects().Created(GdiObjectKind::Pen, pen);
  HGDIOBJ previous = SelectObject(Current(), pen);
  MoveToEx(Current(), x0, y0, nullptr);
  LineTo(Current(), x1, y1);
  SelectObject(Current(), previous);
  DropObject(GdiObjectKind::Pen, pen);
}

void GdiPainter::Caption(const ClientRect& rect, const std::string& text, Rgb background) {
  RECT r = {rect.left, rect.top, rect.right, rect.bottom};
  SetBkMode(Current(), OPAQUE);
  SetBkColor(Current(), ToColorRef(background));
  // The captions' strips are fixed in pixels; at a higher DPI the window's
  // font outgrows them and would lose its top. A font that fits stands in.
  const int height = rect.bottom - rect.top;
  TEXTMETRICA metrics = {};
  HFONT fitting = nullptr;
  if (GetTextMetricsA(Current(), &metrics) && metrics.tmHeight > height + 1) {
    fitting = CreateFontA(-(height - 4), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
    PainterGdiObjects().Created(GdiObjectKind::Font, fitting);
  }
  HGDIOBJ previous = fitting ? SelectObject(Current(), fitting) : nullptr;
  DrawTextA(Current(), text.c_str(), -1, &r, DT_SINGLELINE | DT_BOTTOM);
  if (!fitting) return;
  SelectObject(Current(), previous);
  DropObject(GdiObjectKind::Font, fitting);
}

void GdiPainter::FillBackground(const ClientRect& rect) {
  RECT r = {rect.left, rect.top, rect.right, rect.bottom};
  FillRect(Current(), &r, GetSysColorBrush(COLOR_SCROLLBAR));
}

void GdiPainter::BeginOffscreen(int width, int height) {
  DropOffscreen();
  offscreen_ = MakeDc(target_);
  offscreenBitmap_ = CreateCompatibleBitmap(target_, width, height);
  PainterGdiObjects().Created(GdiObjectKind::Bitmap, offscreenBitmap_);
  if (!offscreen_ || !offscreenBitmap_) {
    DropOffscreen();
    return;  // drawing then goes straight to the target
  }
  offscreenDefault_ = SelectObject(offscreen_, offscreenBitmap_);
}

void GdiPainter::EndOffscreen(const ClientRect& area) {
  if (offscreen_)
    BitBlt(target_, area.left, area.top, area.right - area.left, area.bottom - area.top, offscreen_,
           area.left, area.top, SRCCOPY);
  DropOffscreen();
}

void GdiPainter::DropOffscreen() {
  if (offscreen_) {
    if (offscreenDefault_) SelectObject(offscreen_, offscreenDefault_);
    DropDc(offscreen_);
  }
  DropObject(GdiObjectKind::Bitmap, offscreenBitmap_);
  offscreen_ = nullptr;
  offscreenBitmap_ = nullptr;
  offscreenDefault_ = nullptr;
}
