#include "app/win32_host_win32.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cstring>

#include "app/commands.h"
#include "app/editor_state.h"
#include "app/recent_files.h"
#include "app/settings_file.h"
#include "dialogs/dialogs_win32.h"
#include "view/layout.h"

namespace {

constexpr int kRecentMenuPosition = 7;  // in front of "E&xit"

UINT MessageFlags(MessageKind kind) {
  switch (kind) {
    case MessageKind::Error: return MB_OK | MB_ICONEXCLAMATION;
    case MessageKind::Information: return MB_OK | MB_ICONINFORMATION;
    case MessageKind::YesNo: return MB_YESNO;
    case MessageKind::YesNoCancel: return MB_YESNOCANCEL;
    default: return MB_OK;
  }
}

// Wine's common dialog takes no path longer than the system's old limit: it
// does nothing with one, without a word. There its OK button is looked at
// first: a path longer than the editor takes is refused with the editor's
// message, and the dialog stays for another name. (Windows gives such a
// path back, and the editor refuses it then; a hook there would cost its
// users the newer dialog.)
WNDPROC fileDialogProc = nullptr;

LRESULT CALLBACK FileDialogOk(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
    char typed[1024] = "";
    char folder[1024] = "";
    HWND name = GetDlgItem(dialog, edt1) ? GetDlgItem(dialog, edt1) : GetDlgItem(dialog, cmb13);
    GetWindowTextA(name, typed, sizeof typed);
    SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
    const std::string text = typed;
    const bool whole = text.find(':') != std::string::npos || text.rfind("\\", 0) == 0;
    const std::string path = whole ? text : std::string(folder) + "\\" + text;
    if (!text.empty() && path.size() > kMaxPathLength) {
      MessageBoxA(dialog, PathTooLongText(path).c_str(), "Error", MB_OK | MB_ICONEXCLAMATION);
      return 0;
    }
  }
  return CallWindowProcA(fileDialogProc, dialog, message, wParam, lParam);
}

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

UINT_PTR CALLBACK FileDialogHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<const OFNOTIFYA*>(lParam)->hdr.code == CDN_INITDONE)
    fileDialogProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(GetParent(hook), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FileDialogOk)));
  return 0;
}

// The common file dialog for Open or Save as; false when cancelled.
bool ChoosePath(HWND owner, HINSTANCE instance, const std::string& initialDirectory,
                std::string& path, bool save, FileKind kind = FileKind::Levels) {
  const bool picture = kind == FileKind::Picture;
  // Room for the longest path the system has, so that a path longer than
  // the editor takes comes back whole and is refused as too long, instead
  // of the dialog failing without a word.
  std::vector<char> file(32768, '\0');
  char title[256] = "";
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.hInstance = instance;
  ofn.lpstrFilter = picture ? "PNG pictures (*.png)\0*.png\0" : "Kraxolan levels (*.kxl)\0*.kxl\0";
  ofn.nFilterIndex = 0;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrFileTitle = title;
  ofn.nMaxFileTitle = 255;
  ofn.lpstrInitialDir = initialDirectory.c_str();
  ofn.lpstrTitle = picture ? "Export picture" : save ? "Save leveldata" : "Load leveldata";
  // The default extension is given without its dot, as the dialog wants it.
  ofn.lpstrDefExt = picture ? "png" : "kxl";
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | (save ? (picture ? OFN_OVERWRITEPROMPT : 0) : OFN_FILEMUSTEXIST);
  if (UnderWine()) {
    ofn.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
    ofn.lpfnHook = FileDialogHook;
  }
  const BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!chosen) return false;
  path = file.data();
  return true;
}

// The program's own clipboard form of an area, registered by name so every
// running editor finds the same one.
UINT AreaClipboardFormat() {
  static const UINT format = RegisterClipboardFormatA("Kraxolan Editor Area");
  return format;
}

// Hands a copy of the bytes to the clipboard, which owns them from then on.
bool PutClipboardBytes(UINT format, const void* bytes, size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  void* target = memory ? GlobalLock(memory) : nullptr;
  if (!target) {
    if (memory) GlobalFree(memory);
    return false;
  }
  memcpy(target, bytes, size);
  GlobalUnlock(memory);
  if (SetClipboardData(format, memory)) return true;
  GlobalFree(memory);
  return false;
}

// Another program may hold the clipboard for a moment: a few tries.
bool OpenClipboardOf(HWND window) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (OpenClipboard(window)) return true;
    Sleep(20);
  }
  return false;
}

// The clipboard's block of that format, no more than the block holds.
std::vector<uint8_t> ClipboardBytes(UINT format) {
  HANDLE memory = GetClipboardData(format);
  const void* source = memory ? GlobalLock(memory) : nullptr;
  if (!source) return {};
  const uint8_t* bytes = static_cast<const uint8_t*>(source);
  std::vector<uint8_t> copy(bytes, bytes + GlobalSize(memory));
  GlobalUnlock(memory);
  return copy;
}

}  // namespace

void Win32Host::Invalidate(const ClientRect* area) {
  if (!windows_.mainWindow) return;
  if (!area) {
    InvalidateRect(windows_.mainWindow, nullptr, FALSE);
    return;
  }
  RECT r = {area->left, area->top, area->right, area->bottom};
  InvalidateRect(windows_.mainWindow, &r, FALSE);
}

void Win32Host::SetStatusText(const std::string& text) { windows_.statusBar.SetStatusText(text); }

void Win32Host::SetTitle(const std::string& text) {
  if (windows_.mainWindow) SetWindowTextA(windows_.mainWindow, text.c_str());
}

Answer Win32Host::Ask(const std::string& text, const std::string& caption, MessageKind kind) {
  // Once the window is shown it owns every box: it takes no input behind
  // one, so a second close cannot stack a second question. Before, boxes
  // stand alone.
  HWND owner = windows_.mainWindow && IsWindowVisible(windows_.mainWindow) ? windows_.mainWindow : nullptr;
  switch (MessageBoxA(owner, text.c_str(), caption.c_str(), MessageFlags(kind))) {
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    case IDCANCEL: return Answer::Cancel;
    default: return Answer::Ok;
  }
}

HWND Win32Host::SelectorWindow(Selector selector) const {
  switch (selector) {
    case Selector::Level: return windows_.levelSelector;
    case Selector::Graphics: return windows_.graphicsSelector;
    default: return windows_.teleportSelector;
  }
}

void Win32Host::SetSelectorPosition(Selector selector, int position) {
  HWND window = SelectorWindow(selector);
  if (window) SendMessageA(window, UDM_SETPOS, 0, MAKELPARAM(position & 0xFFFF, 0));
}

void Win32Host::ApplyWindowZoom(int zoom) {
  const SelectorPlace places[] = {LevelSelectorPlace(zoom), GraphicsSelectorPlace(zoom),
                                  TeleportSelectorPlace(zoom)};
  const HWND selectors[] = {windows_.levelSelector, windows_.graphicsSelector,
                            windows_.teleportSelector};
  for (int i = 0; i < 3; ++i)
    if (selectors[i])
      MoveWindow(selectors[i], places[i].x, places[i].y, kSelectorWidth, kSelectorHeight, FALSE);
  // The window keeps its place on the screen and takes the new size.
  RECT frame = {};
  GetWindowRect(windows_.mainWindow, &frame);
  const WindowSize size = MainWindowSize(zoom, Chrome());
  MoveWindow(windows_.mainWindow, frame.left, frame.top, size.width, size.height, TRUE);
}

WindowChrome Win32Host::Chrome() const {
  // A top-level window has a caption whatever its style says.
  const DWORD style = static_cast<DWORD>(GetWindowLongA(windows_.mainWindow, GWL_STYLE)) | WS_CAPTION;
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, style, TRUE, static_cast<DWORD>(GetWindowLongA(windows_.mainWindow, GWL_EXSTYLE)));
  RECT status = {0, 0, 0, 0};
  if (windows_.statusBar.Handle()) GetWindowRect(windows_.statusBar.Handle(), &status);
  return {frame.right - frame.left, frame.bottom - frame.top, status.bottom - status.top};
}

void Win32Host::FitWindow() {
  const WindowSize size = MainWindowSize(state_.settings.zoom, Chrome());
  SetWindowPos(windows_.mainWindow, nullptr, 0, 0, size.width, size.height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32Host::ChooseOpenPath(const std::string& initialDirectory, std::string& path) {
  return ChoosePath(windows_.mainWindow, windows_.instance, initialDirectory, path, false);
}

bool Win32Host::ChooseSavePath(FileKind kind, const std::string& initialDirectory,
                               std::string& path) {
  return ChoosePath(windows_.mainWindow, windows_.instance, initialDirectory, path, true, kind);
}

void Win32Host::RunDialog(DialogKind dialog, int param) {
  EditorState& state = state_;
  const DialogContext context{windows_.instance, windows_.mainWindow, state_, *this, sheets_,
                              state_.programDirectory, [&state] { WriteSettings(state); }};
  RunDialogWin32(context, dialog, param);
}

void Win32Host::RebuildRecentMenu(int oldCount, const std::vector<std::string>& files) {
  HMENU menu = windows_.mainWindow ? GetMenu(windows_.mainWindow) : nullptr;
  HMENU file = menu ? GetSubMenu(menu, 0) : nullptr;
  if (!file) return;  // before the window exists only the list changes
  for (int i = 0; i < oldCount; ++i) DeleteMenu(file, kRecentMenuPosition, MF_BYPOSITION);
  auto insert = [file](int position, int id, const char* text) {
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_TYPE;
    item.fType = text ? MFT_STRING : MFT_SEPARATOR;
    item.wID = static_cast<UINT>(id);
    item.dwTypeData = const_cast<char*>(text);
    InsertMenuItemA(file, static_cast<UINT>(position), TRUE, &item);
  };
  const int count = static_cast<int>(files.size());
  for (int i = 0; i < count; ++i)
    insert(kRecentMenuPosition + i, kRecentFileCommand + i, files[i].c_str());
  if (oldCount == 0 && count > 0) insert(kRecentMenuPosition + count, kRecentFileCommand + count, nullptr);
}

void Win32Host::CaptureMouse() {
  if (windows_.mainWindow) SetCapture(windows_.mainWindow);
}

void Win32Host::ReleaseMouse() {
  if (GetCapture() == windows_.mainWindow) ReleaseCapture();
}

std::string Win32Host::StringResource(int id) {
  char text[100] = "";
  LoadStringA(windows_.instance, static_cast<UINT>(id), text, 99);
  return text;
}

void Win32Host::DestroyMainWindow() {
  if (windows_.mainWindow) DefWindowProcA(windows_.mainWindow, WM_CLOSE, 0, 0);
}

bool Win32Host::PutClipboard(const std::vector<uint8_t>& area, const std::string& text) {
  if (!OpenClipboardOf(windows_.mainWindow)) return false;
  EmptyClipboard();
  // Text on the clipboard has Windows line ends, so any editor shows its lines.
  std::string windowsText;
  for (char c : text) windowsText += c == '\n' ? std::string("\r\n") : std::string(1, c);
  bool ok = PutClipboardBytes(CF_TEXT, windowsText.c_str(), windowsText.size() + 1);
  if (!area.empty()) {
    // The block may come back larger than it was given: its length goes first.
    std::vector<uint8_t> block(4);
    for (int i = 0; i < 4; ++i) block[i] = static_cast<uint8_t>(area.size() >> (8 * i));
    block.insert(block.end(), area.begin(), area.end());
    ok = PutClipboardBytes(AreaClipboardFormat(), block.data(), block.size()) && ok;
  }
  CloseClipboard();
  return ok;
}

bool Win32Host::GetClipboard(std::vector<uint8_t>& area, std::string& text) {
  area.clear();
  text.clear();
  if (!OpenClipboardOf(windows_.mainWindow)) return false;
  if (IsClipboardFormatAvailable(AreaClipboardFormat())) {
    const std::vector<uint8_t> block = ClipboardBytes(AreaClipboardFormat());
    size_t length = 0;
    for (int i = 0; i < 4 && block.size() >= 4; ++i) length |= static_cast<size_t>(block[i]) << (8 * i);
    // A block too short for what it says is damaged: an empty area stands
    // for it, which the paste reports.
    area = block.size() >= 4 && length <= block.size() - 4
               ? std::vector<uint8_t>(block.begin() + 4, block.begin() + 4 + static_cast<long>(length))
               : std::vector<uint8_t>{0};
  } else if (IsClipboardFormatAvailable(CF_TEXT)) {
    const std::vector<uint8_t> block = ClipboardBytes(CF_TEXT);
    text.assign(block.begin(), std::find(block.begin(), block.end(), 0));
  }
  CloseClipboard();
  return true;
}

bool Win32Host::PointerPosition(int& x, int& y) {
  POINT p = {};
  if (!windows_.mainWindow || !GetCursorPos(&p) || !ScreenToClient(windows_.mainWindow, &p)) return false;
  x = p.x;
  y = p.y;
  return true;
}
