#include "e2e/driver.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "gfx/software_painter.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kMainClass = "Kraxolan Editor";


struct Search {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM data) {
  Search* search = reinterpret_cast<Search*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->pid && IsWindowVisible(window)) search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> TopLevelWindows(DWORD pid) {
  Search search{pid, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK CollectChildren(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChildren, reinterpret_cast<LPARAM>(&children));
  return children;
}

LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs = 5000) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result);
  return static_cast<LRESULT>(result);
}

std::string UniqueTempFolder() {
  char base[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, base);
  static int counter = 0;
  char name[64];
  std::snprintf(name, sizeof name, "kxe2e-%lu-%d-%lu", GetCurrentProcessId(), ++counter,
                GetTickCount());
  return std::string(base) + name + "\\";
}

// Deletes a folder (its name ending in a backslash) with everything in it,
// each entry tried once; true when the folder is gone. The standard
// library's remove_all can go round for ever under Wine on a file whose
// deletion is still pending: listed by the folder, unknown to stat.
bool RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + "\\");
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  return RemoveDirectoryA(folder.c_str()) ||
         GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace

std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

ProgramDir::ProgramDir() {
  const char* source = std::getenv("KRAXED_PROGRAM_DIR");
  path_ = UniqueTempFolder();
  fs::create_directories(path_);
  if (!source || !*source) {
    std::fprintf(stderr, "KRAXED_PROGRAM_DIR names no program folder\n");
    return;
  }
  const fs::path from(source);
  for (const auto& entry : fs::recursive_directory_iterator(from)) {
    const fs::path to = fs::path(path_) / fs::relative(entry.path(), from);
    if (entry.is_directory())
      fs::create_directories(to);
    else if (entry.path().filename() != "kraxed.ini")
      fs::copy_file(entry.path(), to, fs::copy_options::overwrite_existing);
  }
}

ProgramDir::~ProgramDir() {
  for (int attempt = 0; attempt < 20 && !RemoveTree(path_); ++attempt)
    Sleep(100);  // a program that just ended may still hold a file
}

EditorProcess::EditorProcess(const ProgramDir& folder, const std::string& arguments, bool quoted,
                             const std::string& workingDirectory) {
  const std::string exe = folder.File("kraxed.exe");
  std::string commandLine = quoted ? "\"" + exe + "\"" : exe;
  if (!arguments.empty()) commandLine += " " + arguments;
  // Every editor opens with the pointer away from it, wherever an earlier
  // test left the pointer.
  ParkRealPointer();
  info_ = StartProgram(exe.c_str(), commandLine,
                       workingDirectory.empty() ? folder.Path() : workingDirectory, nullptr);
}

EditorProcess::~EditorProcess() {
  if (info_.hProcess) {
    if (Running()) Kill();
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
}

bool EditorProcess::WaitForWindow(DWORD timeoutMs) {
  if (!info_.hProcess) return false;
  WaitUntil([this] {
    for (HWND w : TopLevelWindows(info_.dwProcessId))
      if (ClassOf(w) == kMainClass && TextOf(w).rfind("Kraxolan Editor - [", 0) == 0) window_ = w;
    return window_ || !Running();
  }, timeoutMs);
  if (window_) {
    shownAt_ = GetTickCount();
    WaitIdle();
  } else if (!Running()) {
    std::fprintf(stderr, "the editor ended before its window showed (exit code 0x%lx)\n", ExitCode());
  } else {
    std::fprintf(stderr, "no editor window within %lu ms\n", timeoutMs);
  }
  return window_ != nullptr;
}

std::string EditorProcess::Title() const { return TextOf(window_); }

std::string EditorProcess::StatusText() const {
  HWND status = FindWindowExA(window_, nullptr, "msctls_statusbar32", nullptr);
  if (!status) return "<no status bar>";
  char text[512] = "";
  SendWithin(status, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

RECT EditorProcess::WindowRect() const {
  RECT r = {};
  GetWindowRect(window_, &r);
  return r;
}

RECT EditorProcess::ClientRectOnScreen() const {
  RECT r = {};
  GetClientRect(window_, &r);
  POINT origin = {0, 0};
  ClientToScreen(window_, &origin);
  OffsetRect(&r, origin.x, origin.y);
  return r;
}

bool EditorProcess::WaitIdle(DWORD timeoutMs) const {
  if (!window_) return false;
  // A paint pending after the last change is done before anything else is
  // sent: the editor ignores the mouse until a paint has completed.
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result);
  UpdateWindow(window_);
  return SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

void EditorProcess::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
  PostMessageA(window_, message, wParam, lParam);
}

void EditorProcess::Command(int id) const {
  Post(WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void EditorProcess::MouseMove(int x, int y, WPARAM keys) const {
  SendWithin(window_, WM_MOUSEMOVE, keys, Point(x, y));
  WaitIdle();
}

void EditorProcess::LeftClick(int x, int y) const {
  SendWithin(window_, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
  SendWithin(window_, WM_LBUTTONUP, 0, Point(x, y));
  WaitIdle();
}

void EditorProcess::RightClick(int x, int y) const {
  SendWithin(window_, WM_RBUTTONDOWN, MK_RBUTTON, Point(x, y));
  SendWithin(window_, WM_RBUTTONUP, 0, Point(x, y));
  WaitIdle();
}

void EditorProcess::DoubleClick(int x, int y) const {
  SendWithin(window_, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
  SendWithin(window_, WM_LBUTTONUP, 0, Point(x, y));
  // The double click may open a modal dialog: post it, do not wait on it.
  Post(WM_LBUTTONDBLCLK, MK_LBUTTON, Point(x, y));
  Post(WM_LBUTTONUP, 0, Point(x, y));
}

void EditorProcess::Drag(const std::vector<POINT>& points) const {
  if (points.empty()) return;
  SendWithin(window_, WM_LBUTTONDOWN, MK_LBUTTON, Point(points[0].x, points[0].y));
  WaitIdle();
  for (size_t i = 1; i < points.size(); ++i) {
    SendWithin(window_, WM_MOUSEMOVE, MK_LBUTTON, Point(points[i].x, points[i].y));
    WaitIdle();
  }
  SendWithin(window_, WM_LBUTTONUP, 0, Point(points.back().x, points.back().y));
  WaitIdle();
}

void EditorProcess::KeyUp(UINT virtualKey) const {
  SendWithin(window_, WM_KEYUP, virtualKey, 0xC0000001);
  WaitIdle();
}

void EditorProcess::PressKeys(const std::vector<WORD>& keys) const {
  // A window that has just appeared has just taken the focus.
  const DWORD shownFor = GetTickCount() - shownAt_;
  if (shownFor < kFocusSettleMs) Sleep(kFocusSettleMs - shownFor);
  BringToFrontForKeys(window_);
  SendKeys(keys);
}

HWND EditorProcess::Selector(int index) const {
  std::vector<HWND> selectors;
  for (HWND child : Children(window_))
    if (ClassOf(child) == "msctls_updown32") selectors.push_back(child);
  // Level at the top left, graphics at the top right, teleport lower down.
  std::sort(selectors.begin(), selectors.end(), [](HWND a, HWND b) {
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
  });
  return index >= 0 && index < static_cast<int>(selectors.size()) ? selectors[index] : nullptr;
}

void EditorProcess::ScrollSelector(int index, int position) const {
  HWND selector = Selector(index);
  if (!selector) return;
  SendWithin(selector, UDM_SETPOS32, 0, position);
  SendWithin(window_, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position),
             reinterpret_cast<LPARAM>(selector));
  WaitIdle();
}

DialogWindow EditorProcess::WaitForDialog(DWORD timeoutMs, const std::string& caption) const {
  DialogWindow dialog;
  WaitUntil([&] {
    for (HWND w : TopLevelWindows(info_.dwProcessId))
      if (w != window_ && ClassOf(w) == "#32770" && (caption.empty() || TextOf(w) == caption)) {
        dialog.window = w;
        dialog.caption = TextOf(w);
        if (HWND message = GetDlgItem(w, 0xFFFF)) dialog.text = TextOf(message);
        return true;
      }
    return !Running();
  }, timeoutMs);
  return dialog;
}

void EditorProcess::Press(const DialogWindow& dialog, int buttonId) const {
  if (!dialog.window) return;
  PostMessageA(dialog.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog.window, buttonId)));
  WaitUntil([&] { return !IsOpen(dialog); });
  WaitIdle();
}

bool EditorProcess::ChooseFile(const std::string& path, DWORD timeoutMs) const {
  const DialogWindow dialog = WaitForDialog(timeoutMs);
  if (!dialog) return false;
  // The file name box: an edit (edt1) or the combo box of the explorer-style
  // dialog (cmb13).
  HWND name = GetDlgItem(dialog.window, 0x480);
  if (!name) name = GetDlgItem(dialog.window, 0x47C);
  if (!name) return false;
  SendWithin(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  Press(dialog, IDOK);
  return !IsWindow(dialog.window) || !IsWindowVisible(dialog.window);
}

std::vector<HWND> EditorProcess::OtherWindows() const {
  std::vector<HWND> others;
  for (HWND w : TopLevelWindows(info_.dwProcessId))
    if (w != window_) others.push_back(w);
  return others;
}

Image EditorProcess::CaptureClient() const {
  const RECT r = ClientRectOnScreen();
  return CaptureScreen(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

Image EditorProcess::CaptureClientWhen(const std::function<bool(const Image&)>& ready,
                                       DWORD timeoutMs) const {
  WaitIdle();
  return CaptureUntil([this] { return CaptureClient(); }, ready, timeoutMs);
}

Image EditorProcess::CaptureCanvasWhen(const std::function<bool(const Image&)>& ready,
                                       DWORD timeoutMs) const {
  const auto canvas = [](const Image& client) { return CropImage(client, 1, 17, 256, 208); };
  return canvas(CaptureClientWhen([&](const Image& client) { return ready(canvas(client)); },
                                  timeoutMs));
}

bool EditorProcess::CanvasShows(const Image& expected, DWORD timeoutMs) const {
  return CaptureCanvasWhen([&](const Image& canvas) { return canvas == expected; }, timeoutMs) ==
         expected;
}

bool EditorProcess::WaitForExit(DWORD timeoutMs) const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

bool EditorProcess::Running() const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD EditorProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (info_.hProcess) GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

void EditorProcess::Kill() {
  if (!info_.hProcess) return;
  TerminateProcess(info_.hProcess, 99);
  WaitForSingleObject(info_.hProcess, 5000);
}

std::vector<unsigned char> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void PutFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void PutText(const std::string& path, const std::string& text) {
  PutFile(path, std::vector<unsigned char>(text.begin(), text.end()));
}

std::string FileText(const std::string& path) {
  const std::vector<unsigned char> bytes = FileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(20);
  }
}

bool WaitForTitle(const EditorProcess& editor, const std::string& title, DWORD timeoutMs) {
  return WaitUntil([&] { return editor.Title() == title; }, timeoutMs);
}

int SelectorPosition(const EditorProcess& editor, int index) {
  HWND selector = editor.Selector(index);
  if (!selector) return -1;
  // Without a buddy window UDM_GETPOS reports an error in its high word;
  // UDM_GETPOS32 with no error flag asked for gives the position alone.
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(selector, UDM_GETPOS32, 0, 0, SMTO_NORMAL, 5000, &result)) return -1;
  return static_cast<int>(static_cast<LRESULT>(result));
}

bool DropFiles(const EditorProcess& editor, const std::vector<std::string>& paths) {
  std::vector<char> block(sizeof(DROPFILES), 0);
  DROPFILES header = {};
  header.pFiles = sizeof(DROPFILES);
  header.fWide = FALSE;
  std::memcpy(block.data(), &header, sizeof header);
  for (const std::string& path : paths) {
    block.insert(block.end(), path.begin(), path.end());
    block.push_back('\0');
  }
  block.push_back('\0');
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, editor.ProcessId());
  if (!process) return false;
  void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE,
                                PAGE_READWRITE);
  SIZE_T written = 0;
  const bool ok = remote && WriteProcessMemory(process, remote, block.data(), block.size(), &written) &&
                  written == block.size();
  CloseHandle(process);
  if (!ok) return false;
  editor.Post(WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
  return true;
}

bool AnswerBox(const EditorProcess& editor, const std::string& caption, const std::string& text,
               int buttonId, DWORD timeoutMs) {
  const DialogWindow box = editor.WaitForDialog(timeoutMs, caption);
  if (!box || box.text != text) {
    std::fprintf(stderr, "expected box \"%s\" / \"%s\", found \"%s\" / \"%s\"\n", caption.c_str(),
                 text.c_str(), box.caption.c_str(), box.text.c_str());
    return false;
  }
  editor.Press(box, buttonId);
  return true;
}

void SendKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT down = {};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = key;
    inputs.push_back(down);
  }
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
    INPUT up = {};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = *it;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(up);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool BringToFrontForKeys(HWND window) {
  if (GetForegroundWindow() == window) return true;
  for (int attempt = 0; attempt < 20 && GetForegroundWindow() != window; ++attempt) {
    SetForegroundWindow(window);
    Sleep(20);
  }
  Sleep(kFocusSettleMs);
  return GetForegroundWindow() == window;
}

void MoveRealPointer(int x, int y) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT move = {};
  move.type = INPUT_MOUSE;
  move.mi.dx = static_cast<LONG>((static_cast<long long>(x) * 65536 + 32768) / width);
  move.mi.dy = static_cast<LONG>((static_cast<long long>(y) * 65536 + 32768) / height);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &move, sizeof move);
}

void ParkRealPointer() {
  MoveRealPointer(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

Image CaptureScreen(int left, int top, int width, int height) {
  if (width <= 0 || height <= 0) return Image();
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
  SelectObject(memory, previous);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const int stride = (width * 3 + 3) & ~3;
  std::vector<BYTE> rows(static_cast<size_t>(stride) * height);
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), rows.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  Image image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const BYTE* p = rows.data() + static_cast<size_t>(stride) * y + 3 * x;
      image.At(x, y) = {p[2], p[1], p[0]};
    }
  return image;
}

Image CaptureUntil(const std::function<Image()>& capture,
                   const std::function<bool(const Image&)>& ready, DWORD timeoutMs) {
  Image picture;
  WaitUntil([&] {
    picture = capture();
    return !ready || ready(picture);
  }, timeoutMs);
  return picture;
}

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result);
  return static_cast<LRESULT>(result);
}

void SendCommand(const EditorProcess& editor, int id) {
  SendTo(editor.Window(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
  editor.WaitIdle();
}

bool SaveAndWait(const EditorProcess& editor, const std::string& fileName) {
  editor.Command(40004);
  return WaitForTitle(editor, TitleFor(fileName, false));
}

std::string CopySample(const ProgramDir& folder, const std::string& name) {
  const std::string path = folder.File(name);
  PutFile(path, FileBytes(folder.File("sample.kxl")));
  return path;
}

LevelSet ReadSet(const std::string& path) {
  LevelSet levels;
  const LevelSetReadResult read = ReadLevelSetFile(path, levels);
  if (!read.ok) std::fprintf(stderr, "%s: %s\n", path.c_str(), read.reason.c_str());
  return levels;
}

DialogWindow OpenDialogByCommand(const EditorProcess& editor, int command,
                                 const std::string& caption) {
  editor.Command(command);
  return editor.WaitForDialog(10000, caption);
}

bool IsOpen(const DialogWindow& dialog) {
  return dialog.window && IsWindow(dialog.window) && IsWindowVisible(dialog.window);
}

bool CloseByCloseBox(const DialogWindow& dialog) {
  if (!IsOpen(dialog)) return false;
  PostMessageA(dialog.window, WM_SYSCOMMAND, SC_CLOSE, 0);
  return WaitUntil([&] { return !IsOpen(dialog); });
}

bool StaysOpen(const DialogWindow& dialog, DWORD ms) {
  Sleep(ms);
  SendTo(dialog.window, WM_NULL);
  return IsOpen(dialog);
}

HWND Control(const DialogWindow& dialog, int id) { return GetDlgItem(dialog.window, id); }

std::string ControlText(const DialogWindow& dialog, int id) {
  char text[256] = "";
  SendTo(Control(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

void PickComboEntry(const DialogWindow& dialog, int id, int index) {
  HWND combo = Control(dialog, id);
  SendTo(combo, CB_SETCURSEL, static_cast<WPARAM>(index));
  SendTo(dialog.window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

bool Checked(const DialogWindow& dialog, int id) {
  return SendTo(Control(dialog, id), BM_GETCHECK) == BST_CHECKED;
}

int ComboChoice(const DialogWindow& dialog, int id) {
  return static_cast<int>(SendTo(Control(dialog, id), CB_GETCURSEL));
}

int ComboCount(const DialogWindow& dialog, int id) {
  return static_cast<int>(SendTo(Control(dialog, id), CB_GETCOUNT));
}

std::string ComboChoiceText(const DialogWindow& dialog, int id) {
  // A drop-down list's text is its chosen entry. (Asking for an entry's
  // text by index does not cross processes whole under Wine.)
  return ControlText(dialog, id);
}

void TrackBarNotify(const DialogWindow& dialog, int id, int code, int position) {
  SendTo(dialog.window, WM_HSCROLL, MAKEWPARAM(code, position),
         reinterpret_cast<LPARAM>(Control(dialog, id)));
}

int TrackBarPosition(const DialogWindow& dialog, int id) {
  return static_cast<int>(SendTo(Control(dialog, id), TBM_GETPOS));
}

void TrackBarDragTo(const DialogWindow& dialog, int id, int position) {
  SendTo(Control(dialog, id), TBM_SETPOS, TRUE, position);
  TrackBarNotify(dialog, id, TB_THUMBTRACK, position);
  TrackBarNotify(dialog, id, TB_THUMBPOSITION, position);
  TrackBarNotify(dialog, id, TB_ENDTRACK, position);
}

void ClickUpDownArrow(const DialogWindow& dialog, int id, bool right) {
  HWND updown = Control(dialog, id);
  RECT r = {};
  GetClientRect(updown, &r);
  const int x = right ? r.right * 3 / 4 : r.right / 4;
  const int y = r.bottom / 2;
  SendTo(updown, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
  SendTo(updown, WM_LBUTTONUP, 0, Point(x, y));
}

void FocusControl(const DialogWindow& dialog, int id) {
  SendTo(dialog.window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(dialog, id)), TRUE);
}

void PressKeysIn(const DialogWindow& dialog, const std::vector<WORD>& keys) {
  BringToFrontForKeys(dialog.window);
  SendKeys(keys);
  // Input goes through the system's queue: give the dialog's loop time to take it.
  Sleep(300);
  if (IsWindow(dialog.window)) SendTo(dialog.window, WM_NULL);
}

Image CaptureWindowClient(HWND window, const std::function<bool(const Image&)>& ready,
                          DWORD timeoutMs) {
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  SendTo(window, WM_NULL);
  Sleep(200);
  SendTo(window, WM_NULL);
  const auto capture = [window] {
    RECT r = {};
    GetClientRect(window, &r);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    return CaptureScreen(origin.x, origin.y, r.right, r.bottom);
  };
  return CaptureUntil(capture, ready, timeoutMs);
}

void MoveWindowTo(HWND window, int x, int y) {
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendTo(window, WM_NULL);
}

PROCESS_INFORMATION StartProgram(const char* program, const std::string& commandLine,
                                 const std::string& workingDirectory, HANDLE output) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (output) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  }
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program, line.data(), nullptr, nullptr, output != nullptr,
                      output ? CREATE_NO_WINDOW : 0, nullptr,
                      workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup, &process)) {
    std::fprintf(stderr, "cannot start %s (error %lu)\n", commandLine.c_str(), GetLastError());
    return {};
  }
  return process;
}

DWORD RunProgram(const std::string& commandLine, std::string* output, DWORD timeoutMs) {
  // The output goes to a file: a program that hangs cannot block a pipe read.
  char folder[MAX_PATH] = "", name[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "kxe", 0, name);
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE out = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
  if (out == INVALID_HANDLE_VALUE) return 0xFFFFFFFF;
  const PROCESS_INFORMATION process = StartProgram(nullptr, commandLine, "", out);
  CloseHandle(out);
  DWORD code = 0xFFFFFFFF;
  if (process.hProcess) {
    if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
      TerminateProcess(process.hProcess, 0xFFFFFFFF);
      WaitForSingleObject(process.hProcess, 5000);
    }
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  if (output) *output = FileText(name);
  DeleteFileA(name);
  return code;
}

namespace {

DWORD RunReg(const std::string& arguments, std::string* output) {
  return RunProgram("C:\\windows\\system32\\reg.exe " + arguments, output, 20000);
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

RegistryQuery QueryRegistryDefault(const std::string& key) {
  RegistryQuery query;
  query.exists = RunReg("query " + Quoted(key) + " /ve", &query.output) == 0;
  const size_t type = query.output.find("REG_SZ");
  if (query.exists && type != std::string::npos) {
    size_t start = query.output.find_first_not_of(' ', type + 6);
    if (start == std::string::npos) start = query.output.size();
    const size_t end = query.output.find_first_of("\r\n", start);
    query.value = query.output.substr(start, end == std::string::npos ? end : end - start);
  }
  return query;
}

namespace {

// "HKCR\\x" or "HKCU\\x": the root and the path below it.
HKEY SplitRoot(const std::string& key, std::string& below) {
  const size_t slash = key.find('\\');
  below = slash == std::string::npos ? "" : key.substr(slash + 1);
  const std::string root = key.substr(0, slash);
  if (root == "HKCR") return HKEY_CLASSES_ROOT;
  if (root == "HKCU") return HKEY_CURRENT_USER;
  return nullptr;
}

}  // namespace

bool RegistryKeyExists(const std::string& key) {
  std::string below;
  HKEY root = SplitRoot(key, below);
  HKEY opened = nullptr;
  if (!root || RegOpenKeyExA(root, below.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
    return false;
  RegCloseKey(opened);
  return true;
}

void DeleteRegistryKey(const std::string& key) {
  std::string below;
  HKEY root = SplitRoot(key, below);
  if (root && !below.empty()) RegDeleteTreeA(root, below.c_str());
  // RegDeleteTree leaves the key itself when it had no subkeys on some systems.
  if (root && !below.empty()) RegDeleteKeyA(root, below.c_str());
}

namespace {

constexpr int kStrip = 16;  // the top strip does not scale

POINT At(int x, int y) { return POINT{x, y}; }

}  // namespace

POINT CellPoint(int z, int row, int column) {
  const int y = z + kStrip + 16 * z * row + 8 * z;
  if (column == 0) return At(z + 4 * z, y);
  if (column == 16) return At(249 * z + 4 * z, y);
  return At(9 * z + 16 * z * (column - 1) + 8 * z, y);
}

POINT PatternTile(int z, int value) {
  // The tile's top-left corner at normal size, below the strip.
  int x = 259, y = 1;
  if (value >= 18 && value <= 29) x += 16 * (value - 18), y = 19;
  else if (value >= 0 && value <= 15) x += 16 * value;
  else if (value >= 64 && value <= 127) x += 16 * (value % 16), y = 55 + 16 * (value / 16 - 4);
  else {
    y = 37;
    x = value == kCellGem ? 291 : value == kCellDestroyable ? 323 : value == kCellWall1 ? 355
        : value == kCellWall2 ? 371 : 259;
  }
  return At((x + 8) * z, (y + 8) * z + kStrip);
}
