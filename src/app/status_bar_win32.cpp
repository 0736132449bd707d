#include "app/status_bar_win32.h"

#include <commctrl.h>

StatusBar::~StatusBar() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool StatusBar::Create(HWND parent, int id) {
  window_ = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", parent, static_cast<UINT>(id));
  return window_ != nullptr;
}

void StatusBar::SetStatusText(const std::string& text) {
  if (window_) SendMessageA(window_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void StatusBar::Resize(WPARAM wParam, LPARAM lParam) {
  if (window_) SendMessageA(window_, WM_SIZE, wParam, lParam);
}
