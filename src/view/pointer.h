// What the pointer does outside grid editing: status texts, the cell
// inspector, palette selection, dragging forwarded to grid editing, and the
// double click that opens the enemy dialog.
#pragma once

#include <cstdint>

class Host;
struct EditorState;

// WM_MOUSEMOVE (keys = wParam, position = lParam). 0, or the result of
// OnLeftButtonDown when the move is forwarded as a drag.
int OnCanvasMouseMove(EditorState& state, Host& host, uint32_t keys, uint32_t position);

// A left click on a side-panel region: sets the selection. Returns 1.
int OnPanelClick(EditorState& state, Host& host, int32_t id, int x, int y);

// WM_LBUTTONDBLCLK: on an enemy image, opens the enemy dialog for it. Returns 1.
int OnCanvasDoubleClick(EditorState& state, Host& host, uint32_t position);

// Fills the inspector from cell `cell` (0..220) of the current level
// (correcting shadows first when that setting is on) and invalidates only
// the inspector's box.
void ShowCellInspector(EditorState& state, Host& host, int cell);
