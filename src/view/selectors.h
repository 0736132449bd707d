// The three selectors of the main window (level, pattern set of the level,
// teleport pair), the level shortcuts Ctrl+1..Ctrl+0 and the zoom.
#pragma once

#include "view/host.h"

struct Editor;

// WM_HSCROLL from a selector: p is the new position (the high word of
// wParam read as a signed 16-bit number). Returns 1.
int OnSelectorScroll(Editor& editor, Host& host, Selector selector, int p);

// Ctrl+1..Ctrl+9 and Ctrl+0: makes level n (0..9) current.
void SelectLevel(Editor& editor, Host& host, int n);

// The graphics selector stands on the current level's pattern set.
void ShowLevelPatternSet(const Editor& editor, Host& host);

// Switches to zoom z (1 or 2): rebuilds the regions, resizes the window in
// place (through the host) and asks for a full repaint with a new panel.
void ApplyZoom(Editor& editor, Host& host, int z);
