// A painter that only records what it is asked to draw, in order, so tests
// can check what a paint drew, where, and whether it went off screen.
#pragma once

#include <string>
#include <vector>

#include "gfx/painter.h"

// One sheet copy as the dialogs' previews check it.
struct RecordedBlit {
  SheetRef sheet;
  int sx, sy, w, h, dx, dy;
  RasterOp op;
  bool operator==(const RecordedBlit&) const = default;
};

struct PaintCall {
  enum class Kind { Blit, Line, Caption, FillBackground, BeginOffscreen, EndOffscreen };
  Kind kind = Kind::Blit;
  bool offscreen = false;  // made between BeginOffscreen and EndOffscreen
  SheetRef sheet{};        // Blit
  int sx = 0, sy = 0, w = 0, h = 0, dx = 0, dy = 0;  // Blit; w, h also BeginOffscreen
  RasterOp op = RasterOp::Copy;
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // Line
  Rgb colour{};                        // Line; Caption's background
  ClientRect rect{};                   // Caption, FillBackground, EndOffscreen
  std::string text{};                  // Caption
};

class RecordingPainter : public Painter {
 public:
  using Kind = PaintCall::Kind;

  void Blit(const SheetRef& sheet, int sx, int sy, int w, int h, int dx, int dy, RasterOp op) override {
    Add({.kind = Kind::Blit, .sheet = sheet, .sx = sx, .sy = sy, .w = w, .h = h, .dx = dx, .dy = dy, .op = op});
  }
  void Line(int x0, int y0, int x1, int y1, Rgb colour) override {
    Add({.kind = Kind::Line, .x0 = x0, .y0 = y0, .x1 = x1, .y1 = y1, .colour = colour});
  }
  void Caption(const ClientRect& rect, const std::string& text, Rgb background) override {
    Add({.kind = Kind::Caption, .colour = background, .rect = rect, .text = text});
  }
  void FillBackground(const ClientRect& rect) override { Add({.kind = Kind::FillBackground, .rect = rect}); }
  void BeginOffscreen(int width, int height) override {
    Add({.kind = Kind::BeginOffscreen, .w = width, .h = height});
    offscreen_ = true;
  }
  void EndOffscreen(const ClientRect& area) override {
    offscreen_ = false;
    Add({.kind = Kind::EndOffscreen, .rect = area});
  }

  std::vector<PaintCall> Of(PaintCall::Kind kind) const {
    std::vector<PaintCall> out;
    for (const PaintCall& c : calls)
      if (c.kind == kind) out.push_back(c);
    return out;
  }
  // Sheet copies in order, of every kind of sheet or of one, on screen or off.
  std::vector<RecordedBlit> BlitList() const { return BlitsOf(nullptr, nullptr); }
  std::vector<RecordedBlit> Blits(SheetKind kind, bool offscreen) const { return BlitsOf(&kind, &offscreen); }
  void Clear() { calls.clear(); }

  std::vector<PaintCall> calls;

 private:
  void Add(PaintCall call) {
    call.offscreen = offscreen_;
    calls.push_back(call);
  }
  std::vector<RecordedBlit> BlitsOf(const SheetKind* kind, const bool* offscreen) const {
    std::vector<RecordedBlit> out;
    for (const PaintCall& c : Of(PaintCall::Kind::Blit))
      if ((!kind || c.sheet.kind == *kind) && (!offscreen || c.offscreen == *offscreen))
        out.push_back({c.sheet, c.sx, c.sy, c.w, c.h, c.dx, c.dy, c.op});
    return out;
  }
  bool offscreen_ = false;
};
