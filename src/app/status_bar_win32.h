#pragma once

#include <windows.h>

#include <string>

// The status window along the bottom of the main window: one text part.
class StatusBar {
 public:
  StatusBar() = default;
  ~StatusBar();
  StatusBar(const StatusBar&) = delete;
  StatusBar& operator=(const StatusBar&) = delete;

  bool Create(HWND parent, int id);
  void SetStatusText(const std::string& text);
  // Lets the status window lay itself out again along the bottom edge.
  void Resize(WPARAM wParam, LPARAM lParam);
  HWND Handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};
