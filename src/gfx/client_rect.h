#pragma once

// A rectangle of the main window's client area; right and bottom exclusive,
// as the window system invalidates and fills.
struct ClientRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const ClientRect&) const = default;
};
