#include "view/paint_area.h"

#include "view/editor.h"
#include "view/layout.h"
#include "view/paint.h"

namespace {

bool Meet(const ClientRect& a, const ClientRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

ClientRect CanvasRect(int z) {
  return {z, z + kTopStrip, 257 * z, 209 * z + kTopStrip};
}

int PaintMainWindowArea(Editor& state, Painter& painter, const ClientRect& area, bool erased) {
  const int z = state.settings.zoom == 2 ? 2 : 1;
  const int32_t asked = state.session.repaintFlags;
  if (erased) state.session.repaintFlags = kRepaintAll;
  const int32_t held = Meet(area, CanvasRect(z)) ? 0 : (state.session.repaintFlags & kRepaintCanvas);
  state.session.repaintFlags &= ~held;
  const int result = PaintMainWindow(state, painter);
  state.session.repaintFlags |= held;
  if (erased) state.session.repaintFlags = asked;
  return result;
}
