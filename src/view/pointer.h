// The mouse messages of the main window: what lies under the pointer goes
// to the canvas tool (grid edits), the side panel (selection, status texts)
// or the cell inspector.
#pragma once

#include <cstdint>

class Host;
struct Editor;

// The key state of a mouse message (wParam): only the left button alone drags.
constexpr uint32_t kKeyLeftButton = 0x0001;  // MK_LBUTTON
constexpr uint32_t kKeyShift = 0x0004;       // MK_SHIFT
constexpr uint32_t kKeyControl = 0x0008;     // MK_CONTROL

// WM_LBUTTONDOWN. position is the lParam: x in the low 16 bits, y in the
// high 16 bits. With a pattern other than the exit selected, Shift on the
// canvas starts a rectangle and Ctrl fills the clicked cell's area. 0 while
// the canvas is not ready (nothing happens then), else 1.
int OnLeftButtonDown(Editor& editor, Host& host, uint32_t keys, uint32_t position);
// WM_LBUTTONUP: the stroke ends (a rectangle is filled). Returns 0.
int OnLeftButtonUp(Editor& editor, Host& host);
// WM_CAPTURECHANGED: the stroke ends (a rectangle is dropped). Returns 0.
int OnCaptureLost(Editor& editor, Host& host);
// WM_RBUTTONDOWN; a click acts on the grid columns 1..15 only. With Shift it
// starts a rectangle, with Ctrl a flood fill, by the right-click rules. Returns 1.
int OnRightButtonDown(Editor& editor, Host& host, uint32_t keys, uint32_t position);
// WM_RBUTTONUP: a rectangle of the right button is filled. Returns 0.
int OnRightButtonUp(Editor& editor, Host& host);
// WM_MOUSEMOVE (keys = wParam, position = lParam). 1 when the move dragged
// (an edit or a selection), else 0.
int OnCanvasMouseMove(Editor& editor, Host& host, uint32_t keys, uint32_t position);
// WM_LBUTTONDBLCLK: on an enemy image, opens the enemy dialog for it; in
// select mode, on the canvas, a press like any other. Returns 1.
int OnCanvasDoubleClick(Editor& editor, Host& host, uint32_t position);
