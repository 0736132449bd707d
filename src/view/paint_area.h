// Painting for the area the window system asks to be painted. The cell
// inspector's refresh asks for the canvas with only the inspector's box
// invalid; composing the whole canvas off screen for a paint that is then
// clipped away entirely would cost every mouse move over the grid a full
// canvas.
#pragma once

#include "gfx/client_rect.h"

class Painter;
struct Editor;

// The canvas on the window at zoom z: (z, z + 16), 256z x 208z.
ClientRect CanvasRect(int z);

// PaintMainWindow for a paint whose update area is `area` (the bounding box
// of what is invalid): the canvas is composed only when the area reaches
// it. A canvas request that is not met stays in repaintFlags for a later
// paint that reaches the canvas (the window uncovered, say). When the window
// system erased the area first (`erased`), everything in it is drawn again,
// whatever the last repaint request asked for; the request stays as it was.
int PaintMainWindowArea(Editor& state, Painter& painter, const ClientRect& area, bool erased = false);
