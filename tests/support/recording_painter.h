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

  // Blit
  SheetRef sheet;
  int sx = 0, sy = 0, w = 0, h = 0, dx = 0, dy = 0;
  RasterOp op = RasterOp::Copy;
  // Line
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  Rgb colour;
  // Caption, FillBackground, EndOffscreen (area); BeginOffscreen uses w and h
  ClientRect rect;
  std::string text;
  Rgb background;
};

class RecordingPainter : public Painter {
 public:
  void Blit(const SheetRef& sheet, int sx, int sy, int w, int h, int dx, int dy,
            RasterOp op) override {
    PaintCall call = Start(PaintCall::Kind::Blit);
    call.sheet = sheet;
    call.sx = sx;
    call.sy = sy;
    call.w = w;
    call.h = h;
    call.dx = dx;
    call.dy = dy;
    call.op = op;
    calls.push_back(call);
  }
  void Line(int x0, int y0, int x1, int y1, Rgb colour) override {
    PaintCall call = Start(PaintCall::Kind::Line);
    call.x0 = x0;
    call.y0 = y0;
    call.x1 = x1;
    call.y1 = y1;
    call.colour = colour;
    calls.push_back(call);
  }
  void Caption(const ClientRect& rect, const std::string& text, Rgb background) override {
    PaintCall call = Start(PaintCall::Kind::Caption);
    call.rect = rect;
    call.text = text;
    call.background = background;
    calls.push_back(call);
  }
  void FillBackground(const ClientRect& rect) override {
    PaintCall call = Start(PaintCall::Kind::FillBackground);
    call.rect = rect;
    calls.push_back(call);
  }
  void BeginOffscreen(int width, int height) override {
    PaintCall call = Start(PaintCall::Kind::BeginOffscreen);
    call.w = width;
    call.h = height;
    calls.push_back(call);
    offscreen_ = true;
  }
  void EndOffscreen(const ClientRect& area) override {
    offscreen_ = false;
    PaintCall call = Start(PaintCall::Kind::EndOffscreen);
    call.rect = area;
    calls.push_back(call);
  }

  std::vector<PaintCall> Of(PaintCall::Kind kind) const {
    std::vector<PaintCall> out;
    for (const PaintCall& call : calls)
      if (call.kind == kind) out.push_back(call);
    return out;
  }
  // Blits of one kind of sheet, on screen or off screen.
  std::vector<PaintCall> Blits(SheetKind kind, bool offscreen) const {
    std::vector<PaintCall> out;
    for (const PaintCall& call : calls)
      if (call.kind == PaintCall::Kind::Blit && call.sheet.kind == kind &&
          call.offscreen == offscreen)
        out.push_back(call);
    return out;
  }
  std::vector<std::string> CaptionTexts() const {
    std::vector<std::string> out;
    for (const PaintCall& call : Of(PaintCall::Kind::Caption)) out.push_back(call.text);
    return out;
  }
  // Every sheet copy in order, without the other calls.
  std::vector<RecordedBlit> BlitList() const {
    std::vector<RecordedBlit> out;
    for (const PaintCall& c : Of(PaintCall::Kind::Blit))
      out.push_back({c.sheet, c.sx, c.sy, c.w, c.h, c.dx, c.dy, c.op});
    return out;
  }
  int NonBlitCalls() const {
    return static_cast<int>(calls.size() - Of(PaintCall::Kind::Blit).size());
  }
  void Clear() { calls.clear(); }

  std::vector<PaintCall> calls;

 private:
  PaintCall Start(PaintCall::Kind kind) const {
    PaintCall call;
    call.kind = kind;
    call.offscreen = offscreen_;
    return call;
  }
  bool offscreen_ = false;
};
