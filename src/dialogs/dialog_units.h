// Dialogs are laid out in dialog units, which follow the dialog's font and
// the screen's DPI. What the dialogs draw themselves (the previews) is
// placed the same way, so it moves with the controls around it.
#pragma once

// A dialog's base units: the pixels of 4 x 8 dialog units. The dialogs'
// own font, MS Sans Serif 8 at 96 DPI, gives 6 x 13.
struct DialogBase {
  int x = 6;
  int y = 13;
};

struct DialogPoint {
  int x = 0;
  int y = 0;
  bool operator==(const DialogPoint&) const = default;
};

// A place given in pixels of the dialog at its own font, in the dialog
// with these base units (rounded to the nearest pixel).
inline DialogPoint PlaceInDialog(int x, int y, DialogBase base) {
  const DialogBase own;
  return {(2 * x * base.x + own.x) / (2 * own.x), (2 * y * base.y + own.y) / (2 * own.y)};
}
