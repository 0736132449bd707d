// What hovering over the grid costs: 1000 mouse moves across the cells of a
// level, each followed by the paint the window gets for what the move
// invalidated, as the main window procedure handles them (WM_MOUSEMOVE to
// OnCanvasMouseMove, WM_PAINT to the paint with the update area the window
// system hands over: the bounding box of everything invalidated since the
// last paint). The counters say how many paints composed the canvas off
// screen and how many only redrew the cell inspector.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "support/recording_painter.h"
#include "view/editor.h"
#include "view/host.h"
#include "view/layout.h"
#include "view/paint_area.h"
#include "view/pointer.h"
#include "quiet_host.h"

namespace {

// The window system's side: invalidations gather into one update area.
class UpdateAreaHost : public QuietHost {
 public:
  void Invalidate(const ClientRect* area) override {
    const ClientRect whole{0, 0, 1 << 15, 1 << 15};
    const ClientRect r = area ? *area : whole;
    if (area) ++partialInvalidations; else ++fullInvalidations;
    if (!pending) {
      update = r;
      pending = true;
    } else {
      update = {std::min(update.left, r.left), std::min(update.top, r.top),
                std::max(update.right, r.right), std::max(update.bottom, r.bottom)};
    }
  }

  bool pending = false;
  ClientRect update;
  long long partialInvalidations = 0, fullInvalidations = 0;
};

// The WM_PAINT of the main window for its update area.
void Paint(Editor& state, Painter& painter, const ClientRect& area) {
  PaintMainWindowArea(state, painter, area);
}

bool Meets(const ClientRect& a, const ClientRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Sheets of the right sizes, so the paint draws what it draws in the program.
ResourceCatalogue PlainCatalogue() {
  ResourceCatalogue catalogue;
  PatternSet patterns;
  patterns.normal = Image(256, 128);
  patterns.doubled = Image(512, 256);
  catalogue.patternSets.push_back(patterns);
  for (int i = 0; i < 4; ++i) {
    SpriteSet sprites;
    sprites.colour = sprites.mask = Image(256, 24);
    sprites.colourDouble = sprites.maskDouble = Image(512, 48);
    catalogue.spriteSets.push_back(sprites);
  }
  return catalogue;
}

void HoverOverGrid(benchmark::State& bench) {
  const int zoom = static_cast<int>(bench.range(0));
  Editor state;
  state.catalogue = PlainCatalogue();
  state.settings.zoom = zoom;
  LayoutRegions(state.session.regionList, zoom);
  LevelSet levels;
  for (int i = 0; i < kCellCount; ++i) levels[0].SetCell(i, i % 128);
  levels[0].SetActorPosition(0, 24, 16);  // the player, drawn through its mask
  state.document.Replace(levels, "");
  UpdateAreaHost host;
  RecordingPainter painter;
  // The first paint after opening: everything, then the pointer is let in.
  host.Invalidate(nullptr);
  Paint(state, painter, host.update);
  host.pending = false;

  const ClientRect canvas{zoom, zoom + kTopStrip, 257 * zoom, 209 * zoom + kTopStrip};
  long long moves = 0, paints = 0, compositions = 0, canvasBlits = 0, paintsOnCanvas = 0;
  host.partialInvalidations = host.fullInvalidations = 0;
  for (auto _ : bench) {
    for (int n = 0; n < 1000; ++n) {
      // Along the rows of the grid's middle columns, a new cell each move.
      const int cell = n % (15 * 13);
      const int x = (9 + 16 * (cell % 15) + 5) * zoom;
      const int y = (16 * (cell / 15) + 5) * zoom + kTopStrip;
      OnCanvasMouseMove(state, host, 0, static_cast<uint32_t>(x | (y << 16)));
      ++moves;
      if (!host.pending) continue;
      painter.Clear();
      Paint(state, painter, host.update);
      if (Meets(host.update, canvas)) ++paintsOnCanvas;
      host.pending = false;
      ++paints;
      compositions += static_cast<long long>(painter.Of(PaintCall::Kind::BeginOffscreen).size());
      for (const PaintCall& call : painter.calls)
        if (call.kind == PaintCall::Kind::Blit && call.offscreen) ++canvasBlits;
    }
  }
  const double per1000 = 1000.0 / static_cast<double>(moves);
  bench.counters["paints"] = static_cast<double>(paints) * per1000;
  bench.counters["canvasCompositions"] = static_cast<double>(compositions) * per1000;
  bench.counters["offscreenBlits"] = static_cast<double>(canvasBlits) * per1000;
  bench.counters["inspectorInvalidations"] = static_cast<double>(host.partialInvalidations) * per1000;
  bench.counters["fullInvalidations"] = static_cast<double>(host.fullInvalidations) * per1000;
  bench.counters["updatesReachingCanvas"] = static_cast<double>(paintsOnCanvas) * per1000;
}

}  // namespace

// Counters are per 1000 moves.
BENCHMARK(HoverOverGrid)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
