// The host on the real main window: invalidation, status bar, title,
// message boxes, selectors, the common file dialogs, the dialogs, the
// recent-file entries of the File menu, the clipboard and the pointer.
#pragma once

#include <windows.h>

#include "view/host.h"
#include "view/layout.h"
#include "app/status_bar_win32.h"

class SheetTable;
struct EditorState;

// The windows the shell creates at start-up.
struct ShellWindows {
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;
  StatusBar statusBar;
  HWND levelSelector = nullptr;
  HWND graphicsSelector = nullptr;
  HWND teleportSelector = nullptr;
};

class Win32Host : public Host {
 public:
  Win32Host(ShellWindows& windows, EditorState& state, const SheetTable& sheets)
      : windows_(windows), state_(state), sheets_(sheets) {}

  void Invalidate(const ClientRect* area) override;
  void SetStatusText(const std::string& text) override;
  void SetTitle(const std::string& text) override;
  Answer Ask(const std::string& text, const std::string& caption, MessageKind kind) override;
  void SetSelectorPosition(Selector selector, int position) override;
  void ApplyWindowZoom(int zoom) override;
  bool ChooseOpenPath(const std::string& initialDirectory, std::string& path) override;
  bool ChooseSavePath(FileKind kind, const std::string& initialDirectory,
                      std::string& path) override;
  void RunDialog(DialogKind dialog, int param) override;
  void RebuildRecentMenu(int oldCount, const std::vector<std::string>& files) override;
  void CaptureMouse() override;
  void ReleaseMouse() override;
  std::string StringResource(int id) override;
  void DestroyMainWindow() override;
  bool PutClipboard(const std::vector<uint8_t>& area, const std::string& text) override;
  bool GetClipboard(std::vector<uint8_t>& area, std::string& text) override;
  bool PointerPosition(int& x, int& y) override;
  // The window made just large enough for the layout, the status bar and
  // the system's frame (a higher DPI makes caption, menu and status bar taller).
  void FitWindow();

 private:
  HWND SelectorWindow(Selector selector) const;
  WindowChrome Chrome() const;

  ShellWindows& windows_;
  EditorState& state_;
  const SheetTable& sheets_;
};
