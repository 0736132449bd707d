#include "view/paint_area.h"

#include <gtest/gtest.h>

#include "app/editor_state.h"
#include "support/recording_painter.h"
#include "support/test_sheets.h"
#include "view/layout.h"

namespace {

using Kind = PaintCall::Kind;

struct Painted {
  int compositions;
  int inspectorBlits;
  int32_t flagsAfter;
};

// One paint of level 1 with the given request and update area.
Painted PaintFor(int zoom, int32_t flags, const ClientRect& area) {
  EditorState state;
  state.catalogue = MakeTestCatalogue(1, 4);
  state.settings.zoom = zoom;
  LayoutRegions(state.regionList, zoom);
  for (int32_t& tile : state.inspectorTiles) tile = 5;
  state.repaintFlags = flags;
  RecordingPainter painter;
  EXPECT_EQ(PaintMainWindowArea(state, painter, area), 1);
  EXPECT_EQ(state.canvasReady, 1);
  int inspector = 0;
  const ClientRect box = InspectorRect(zoom);
  for (const PaintCall& call : painter.Of(Kind::Blit))
    if (!call.offscreen && call.dx >= box.left && call.dy == box.top) ++inspector;
  return {static_cast<int>(painter.Of(Kind::BeginOffscreen).size()), inspector, state.repaintFlags};
}

}  // namespace

TEST(PaintArea, TheCanvasIsComposedOnlyWhenTheUpdateAreaReachesIt) {
  for (int z : {1, 2}) {
    SCOPED_TRACE(z);
    EXPECT_EQ(CanvasRect(z), (ClientRect{z, z + 16, 257 * z, 209 * z + 16}));
    // A hover: the inspector's box alone, with the canvas asked for.
    const Painted hover = PaintFor(z, kRepaintCanvas, InspectorRect(z));
    EXPECT_EQ(hover.compositions, 0);
    EXPECT_EQ(hover.inspectorBlits, 3);
    EXPECT_EQ(hover.flagsAfter, kRepaintCanvas);  // still asked for later
    // The whole window, and areas touching the canvas's outermost pixels.
    EXPECT_EQ(PaintFor(z, kRepaintCanvas, {0, 0, 2000, 2000}).compositions, 1);
    const ClientRect c = CanvasRect(z);
    EXPECT_EQ(PaintFor(z, kRepaintAll, {c.right - 1, c.bottom - 1, c.right, c.bottom}).compositions, 1);
    EXPECT_EQ(PaintFor(z, kRepaintCanvas, {0, 0, c.left + 1, c.top + 1}).compositions, 1);
    // Just beside it: nothing of the canvas can show.
    EXPECT_EQ(PaintFor(z, kRepaintAll, {c.right, c.top, c.right + 50, c.bottom}).compositions, 0);
    EXPECT_EQ(PaintFor(z, kRepaintCanvas, {0, 0, 600 * z, c.top}).compositions, 0);
    // Without the request an area on the canvas composes nothing either.
    const Painted panel = PaintFor(z, kRepaintPanel, {0, 0, 2000, 2000});
    EXPECT_EQ(panel.compositions, 0);
    EXPECT_EQ(panel.flagsAfter, kRepaintPanel);
  }
}
