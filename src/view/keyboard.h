// The arrow keys move the selection over the palette; Delete clears a
// selected area or, without one, removes the selected enemy from the level;
// Esc drops a rectangle being dragged out, a floating paste, or the area
// selection with its mode. Acts on key release.
#pragma once

#include <cstdint>

class Host;
struct Editor;

constexpr uint32_t kKeyEscape = 27, kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40, kKeyDelete = 46;

// WM_KEYUP with the virtual-key code. 1 for Delete, 0 for every other key.
int OnKeyUp(Editor& editor, Host& host, uint32_t key, uint32_t lParam);
