// Grid editing with the mouse: a left click (and every move while the left
// button alone is held) puts the selection onto the level; a right click puts
// a pattern under or into what a cell already holds.
#pragma once

#include <cstdint>

class Host;
struct EditorState;

// WM_LBUTTONDOWN, and the forwarded drag moves (keys 1). position is the
// lParam: x in the low 16 bits, y in the high 16 bits. 0 while the canvas
// is not ready (nothing happens then), else 1.
int OnLeftButtonDown(EditorState& state, Host& host, uint32_t keys, uint32_t position);

// WM_RBUTTONDOWN; acts on the grid columns 1..15 only. Returns 1.
int OnRightButtonDown(EditorState& state, Host& host, uint32_t keys, uint32_t position);
