// The cell inspector: three tiles beside the palette that show what a cell
// is made of (the tile, what it hides or stands on, the floor beneath).
#pragma once

class Host;
struct Editor;

// Fills the inspector from cell `cell` (0..220) of the current level
// (correcting shadows first when that setting is on) and invalidates only
// the inspector's box. Any other cell changes nothing.
void ShowCellInspector(Editor& editor, Host& host, int cell);
