// kxdrive: drives the real kraxed.exe for the end-to-end tests and the
// manuals' screenshots. One command a line on stdin, its words split by
// tabs; one answer a line on stdout: "ok" and its values, or "error" and
// why, split by tabs (a tab, line end or backslash inside a value escaped
// with a backslash). Windows are named by their handle as a decimal number,
// editors by the number `start` gave them.
//
// What Wine on a virtual display without a window manager taught us:
// - keys sent while Wine brings its key state in line with the X server's,
//   right after a change of focus, are lost (a Ctrl most often): keys wait
//   until the focus has been on their window for kFocusSettleMs;
// - a window that opens under the real pointer is sent a move at a moment
//   of the system's choosing, which overwrites the status text: the pointer
//   is parked in the screen's far corner before an editor starts;
// - message boxes and the common dialogs are top-level windows of class
//   "#32770";
// - a drop handle is the address of a DROPFILES block (fixed memory): a
//   drop is a block written into the editor's own memory.
// Every wait has a time limit. When stdin ends, the editors started are
// ended by their process handles.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "../../res/resource.h"
#include "gfx/png_io.h"

namespace {

using Words = std::vector<std::string>;

constexpr DWORD kFocusSettleMs = 400;
constexpr DWORD kAnswerMs = 5000;  // a window that takes longer to answer a message hangs

std::vector<PROCESS_INFORMATION> editors;
std::vector<HANDLE> heldObjects;
long pendingCalls = 0;  // messages sent by `call` and not answered yet

[[noreturn]] void Fail(const std::string& why) { throw std::runtime_error(why); }

long long Number(const std::string& word) {
  char* end = nullptr;
  const long long value = std::strtoll(word.c_str(), &end, 0);
  if (word.empty() || *end) Fail("not a number: " + word);
  return value;
}

int Int(const std::string& word) { return static_cast<int>(Number(word)); }
HWND WindowOf(const std::string& word) { return reinterpret_cast<HWND>(static_cast<intptr_t>(Number(word))); }
std::string Name(HWND window) { return std::to_string(reinterpret_cast<intptr_t>(window)); }

const PROCESS_INFORMATION& EditorOf(const std::string& word) {
  const long long index = Number(word);
  if (index < 0 || index >= static_cast<long long>(editors.size())) Fail("no editor " + word);
  return editors[static_cast<size_t>(index)];
}

bool Running(const PROCESS_INFORMATION& editor) { return WaitForSingleObject(editor.hProcess, 0) == WAIT_TIMEOUT; }

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  for (const DWORD start = GetTickCount();; Sleep(10)) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
  }
}

LRESULT SendWithin(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kAnswerMs, &result))
    Fail("window " + Name(window) + " does not answer");
  return static_cast<LRESULT>(result);
}

std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[1024] = "";
  SendWithin(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

// Top-level windows of the process (its visible ones), or child windows of
// the parent, whose class is `className`.
std::vector<HWND> WindowsOf(DWORD processId, HWND parent, const std::string& className) {
  struct Search {
    DWORD processId;
    std::string className;
    std::vector<HWND> found;
  } search{processId, className, {}};
  const WNDENUMPROC collect = [](HWND window, LPARAM data) -> BOOL {
    Search& s = *reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if ((s.processId == 0 || (owner == s.processId && IsWindowVisible(window))) && ClassOf(window) == s.className)
      s.found.push_back(window);
    return TRUE;
  };
  if (parent) EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&search));
  else EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void MovePointer(int x, int y) {
  INPUT move = {};
  move.type = INPUT_MOUSE;
  move.mi.dx = static_cast<LONG>((x * 65536LL + 32768) / GetSystemMetrics(SM_CXSCREEN));
  move.mi.dy = static_cast<LONG>((y * 65536LL + 32768) / GetSystemMetrics(SM_CYSCREEN));
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &move, sizeof move);
}

void BringToFront(HWND window) {
  if (GetForegroundWindow() == window) return;
  for (int attempt = 0; attempt < 20 && GetForegroundWindow() != window; ++attempt) {
    SetForegroundWindow(window);
    Sleep(20);
  }
  Sleep(kFocusSettleMs);
  if (GetForegroundWindow() != window) Fail("window " + Name(window) + " does not come to the front");
}

RECT ScreenRect(HWND window, bool client) {
  RECT r = {};
  if (!client) {
    GetWindowRect(window, &r);
    return r;
  }
  GetClientRect(window, &r);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  OffsetRect(&r, origin.x, origin.y);
  return r;
}

Image CaptureScreen(const RECT& r) {
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) Fail("nothing to capture");
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, previous);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<RGBQUAD> pixels(static_cast<size_t>(width) * height);
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  Image image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const RGBQUAD& p = pixels[static_cast<size_t>(y) * width + x];
      image.At(x, y) = {p.rgbRed, p.rgbGreen, p.rgbBlue};
    }
  return image;
}

void AddMenuItems(HMENU menu, Words& out) {
  for (int i = 0, count = GetMenuItemCount(menu); i < count; ++i) {
    char text[256] = "";
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE;
    item.dwTypeData = text;
    item.cch = sizeof text;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item)) Fail("cannot read the menu");
    if (item.hSubMenu) {
      AddMenuItems(item.hSubMenu, out);
    } else if (!(item.fType & MFT_SEPARATOR)) {
      out.push_back(std::to_string(item.wID));
      out.push_back(text);
    }
  }
}

HMODULE ProgramResources(const std::string& path) {
  HMODULE program = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!program) Fail("cannot read " + path);
  return program;
}

// The default value of a key (HKCR\... or HKCU\...): "1" and the value, or "0".
Words RegistryDefault(const std::string& key) {
  const size_t slash = key.find('\\');
  const std::string root = key.substr(0, slash);
  HKEY opened = nullptr;
  if (slash == std::string::npos || (root != "HKCR" && root != "HKCU") ||
      RegOpenKeyExA(root == "HKCR" ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER, key.substr(slash + 1).c_str(),
                    0, KEY_READ, &opened) != ERROR_SUCCESS)
    return {"0"};
  char value[512] = "";
  DWORD size = sizeof value - 1;
  RegQueryValueExA(opened, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(opened);
  return {"1", value};
}

// Writes the DROPFILES block with the ANSI paths into the editor's memory
// and posts WM_DROPFILES with it.
void Drop(const PROCESS_INFORMATION& editor, HWND main, const Words& paths) {
  std::vector<char> block(sizeof(DROPFILES), 0);
  reinterpret_cast<DROPFILES*>(block.data())->pFiles = sizeof(DROPFILES);
  for (const std::string& path : paths) block.insert(block.end(), path.c_str(), path.c_str() + path.size() + 1);
  block.push_back('\0');
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, editor.dwProcessId);
  void* remote = nullptr;
  if (process) remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  const bool written = remote && WriteProcessMemory(process, remote, block.data(), block.size(), nullptr);
  if (process) CloseHandle(process);
  if (!written) Fail("cannot write the drop into the editor");
  PostMessageA(main, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
}

struct Message {
  HWND window;
  UINT id;
  WPARAM wParam;
  LPARAM lParam;
};

Message MessageOf(const Words& w) {
  return {WindowOf(w[1]), static_cast<UINT>(Number(w[2])), static_cast<WPARAM>(Number(w[3])),
          static_cast<LPARAM>(Number(w[4]))};
}

// Each command: the values it needs at least, and what it does.
struct Command {
  size_t values;
  std::function<Words(const Words&)> run;
};

const std::map<std::string, Command> kCommands = {
    // start FOLDER QUOTED WORKDIR ARGUMENTS: FOLDER\kraxed.exe with its path
    // quoted as the shell does (1) or bare (0), in WORKDIR (empty: FOLDER).
    {"start", {4, [](const Words& w) -> Words {
       const std::string exe = w[1] + "\\kraxed.exe";
       std::string line = (w[2] == "1" ? "\"" + exe + "\"" : exe) + (w[4].empty() ? "" : " " + w[4]);
       MovePointer(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
       STARTUPINFOA startup = {};
       startup.cb = sizeof startup;
       PROCESS_INFORMATION process = {};
       if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           (w[3].empty() ? w[1] : w[3]).c_str(), &startup, &process))
         Fail("cannot start " + line);
       editors.push_back(process);
       return {std::to_string(editors.size() - 1)};
     }}},
    // window EDITOR MS: the main window, once shown and start-up is over.
    {"window", {2, [](const Words& w) -> Words {
       const PROCESS_INFORMATION& editor = EditorOf(w[1]);
       HWND main = nullptr;
       WaitUntil([&] {
         for (HWND window : WindowsOf(editor.dwProcessId, nullptr, "Kraxolan Editor"))
           if (TextOf(window).starts_with("Kraxolan Editor - [")) main = window;
         return main || !Running(editor);
       }, static_cast<DWORD>(Number(w[2])));
       if (!main) Fail(Running(editor) ? "no main window in time" : "the editor has ended");
       return {Name(main)};
     }}},
    // exited EDITOR MS: the exit code once the editor has ended, or nothing
    // while it still runs then.
    {"exited", {2, [](const Words& w) -> Words {
       const PROCESS_INFORMATION& editor = EditorOf(w[1]);
       if (WaitForSingleObject(editor.hProcess, static_cast<DWORD>(Number(w[2]))) != WAIT_OBJECT_0) return {};
       DWORD code = 0;
       GetExitCodeProcess(editor.hProcess, &code);
       return {std::to_string(code)};
     }}},
    {"kill", {1, [](const Words& w) -> Words {
       TerminateProcess(EditorOf(w[1]).hProcess, 99);
       WaitForSingleObject(EditorOf(w[1]).hProcess, kAnswerMs);
       return {};
     }}},
    {"send", {4, [](const Words& w) -> Words {
       const Message m = MessageOf(w);
       return {std::to_string(SendWithin(m.window, m.id, m.wParam, m.lParam))};
     }}},
    {"post", {4, [](const Words& w) -> Words {
       const Message m = MessageOf(w);
       if (!PostMessageA(m.window, m.id, m.wParam, m.lParam)) Fail("cannot post to window " + w[1]);
       return {};
     }}},
    // call: sent without waiting for the answer (it may open a modal
    // dialog); `pending` counts the calls not answered yet.
    {"call", {4, [](const Words& w) -> Words {
       const Message m = MessageOf(w);
       const SENDASYNCPROC answered = [](HWND, UINT, ULONG_PTR, LRESULT) { --pendingCalls; };
       if (!SendMessageCallbackA(m.window, m.id, m.wParam, m.lParam, answered, 0))
         Fail("cannot send to window " + w[1]);
       ++pendingCalls;
       return {};
     }}},
    {"pending", {0, [](const Words&) -> Words {
       MSG message;
       while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
       return {std::to_string(pendingCalls)};
     }}},
    // idle WINDOW: everything sent before is handled and a pending paint is
    // done (the editor ignores the mouse until a paint has completed).
    {"idle", {1, [](const Words& w) -> Words {
       SendWithin(WindowOf(w[1]), WM_NULL);
       UpdateWindow(WindowOf(w[1]));
       SendWithin(WindowOf(w[1]), WM_NULL);
       return {};
     }}},
    {"text", {1, [](const Words& w) -> Words {
       return {TextOf(WindowOf(w[1]))};
     }}},
    {"settext", {2, [](const Words& w) -> Words {
       SendWithin(WindowOf(w[1]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w[2].c_str()));
       return {};
     }}},
    {"alive", {1, [](const Words& w) -> Words {
       return {IsWindow(WindowOf(w[1])) && IsWindowVisible(WindowOf(w[1])) ? "1" : "0"};
     }}},
    {"item", {2, [](const Words& w) -> Words {
       return {Name(GetDlgItem(WindowOf(w[1]), Int(w[2])))};
     }}},
    // children WINDOW CLASS: its child windows of the class, top to bottom,
    // then left to right.
    {"children", {2, [](const Words& w) -> Words {
       std::vector<HWND> found = WindowsOf(0, WindowOf(w[1]), w[2]);
       const auto place = [](HWND window) {
         const RECT r = ScreenRect(window, false);
         return std::pair(r.top, r.left);
       };
       std::sort(found.begin(), found.end(), [&](HWND a, HWND b) { return place(a) < place(b); });
       Words names;
       for (HWND child : found) names.push_back(Name(child));
       return names;
     }}},
    // rect WINDOW client|window: left, top, right, bottom on the screen.
    {"rect", {2, [](const Words& w) -> Words {
       const RECT r = ScreenRect(WindowOf(w[1]), w[2] == "client");
       return {std::to_string(r.left), std::to_string(r.top), std::to_string(r.right), std::to_string(r.bottom)};
     }}},
    {"place", {3, [](const Words& w) -> Words {
       SetWindowPos(WindowOf(w[1]), nullptr, Int(w[2]), Int(w[3]), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
       SendWithin(WindowOf(w[1]), WM_NULL);
       return {};
     }}},
    // dialog EDITOR CAPTION MS: a message box or dialog of the editor (any
    // caption when empty; an enabled one before one under a box): its
    // handle, caption and message text, or nothing when none came in time.
    {"dialog", {3, [](const Words& w) -> Words {
       const PROCESS_INFORMATION& editor = EditorOf(w[1]);
       HWND found = nullptr;
       WaitUntil([&] {
         for (HWND window : WindowsOf(editor.dwProcessId, nullptr, "#32770"))
           if ((w[2].empty() || TextOf(window) == w[2]) && (!found || IsWindowEnabled(window))) found = window;
         return found || !Running(editor);
       }, static_cast<DWORD>(Number(w[3])));
       if (!found) return {};
       HWND message = GetDlgItem(found, 0xFFFF);  // a message box's text
       return {Name(found), TextOf(found), message ? TextOf(message) : ""};
     }}},
    // keys WINDOW VK...: real keys through the system's input to the window
    // brought to the front, pressed in order and released in reverse.
    {"keys", {2, [](const Words& w) -> Words {
       BringToFront(WindowOf(w[1]));
       std::vector<INPUT> inputs;
       for (size_t i = 2; i < w.size(); ++i) {
         inputs.push_back({});
         inputs.back().type = INPUT_KEYBOARD;
         inputs.back().ki.wVk = static_cast<WORD>(Number(w[i]));
       }
       for (size_t i = inputs.size(); i-- > 0;) {
         inputs.push_back(inputs[i]);
         inputs.back().ki.dwFlags = KEYEVENTF_KEYUP;
       }
       SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
       return {};
     }}},
    // pointer X Y: the real pointer moved to a point of the screen.
    {"pointer", {2, [](const Words& w) -> Words {
       MovePointer(Int(w[1]), Int(w[2]));
       return {};
     }}},
    // shot WINDOW client|window PATH: the client area or the whole window as
    // the screen shows it, as PNG.
    {"shot", {3, [](const Words& w) -> Words {
       SetWindowPos(WindowOf(w[1]), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
       if (!WritePng(w[3], CaptureScreen(ScreenRect(WindowOf(w[1]), w[2] == "client")))) Fail("cannot write " + w[3]);
       return {};
     }}},
    // registry KEY: whether the key exists, and its default value.
    {"registry", {1, [](const Words& w) -> Words {
       return RegistryDefault(w[1]);
     }}},
    // drop EDITOR WINDOW PATH...: the files dropped on the main window.
    {"drop", {3, [](const Words& w) -> Words {
       Drop(EditorOf(w[1]), WindowOf(w[2]), Words(w.begin() + 3, w.end()));
       return {};
     }}},
    // menu EXE: every command of the program's menu: id, text. (Wine does not
    // let another process read the running window's menu.)
    {"menu", {1, [](const Words& w) -> Words {
       HMODULE program = ProgramResources(w[1]);
       HMENU menu = LoadMenuA(program, MAKEINTRESOURCEA(IDR_MAINMENU));
       Words items;
       if (menu) AddMenuItems(menu, items);
       FreeLibrary(program);
       if (!menu) Fail("no menu in " + w[1]);
       DestroyMenu(menu);
       return items;
     }}},
    // accelerators EXE: the program's accelerator table: flags, key, command.
    {"accelerators", {1, [](const Words& w) -> Words {
       HMODULE program = ProgramResources(w[1]);
       HACCEL table = LoadAcceleratorsA(program, MAKEINTRESOURCEA(IDR_ACCELERATORS));
       std::vector<ACCEL> entries(table ? static_cast<size_t>(CopyAcceleratorTableA(table, nullptr, 0)) : 0);
       CopyAcceleratorTableA(table, entries.data(), static_cast<int>(entries.size()));
       FreeLibrary(program);
       if (!table) Fail("no accelerator table in " + w[1]);
       Words values;
       for (const ACCEL& entry : entries) {
         values.push_back(std::to_string(entry.fVirt));
         values.push_back(std::to_string(entry.key));
         values.push_back(std::to_string(entry.cmd));
       }
       return values;
     }}},
    // hold NAME: a mutex of that name held until `hold` without a name.
    {"hold", {0, [](const Words& w) -> Words {
       for (HANDLE object : heldObjects) CloseHandle(object);
       heldObjects.clear();
       if (w.size() > 1) heldObjects.push_back(CreateMutexA(nullptr, FALSE, w[1].c_str()));
       if (w.size() > 1 && !heldObjects.back()) Fail("cannot make the mutex " + w[1]);
       return {};
     }}},
};

Words Split(const std::string& line) {
  Words words(1);
  for (char c : line) {
    if (c == '\t') words.emplace_back();
    else words.back() += c;
  }
  return words;
}

std::string Escaped(const std::string& value) {
  std::string out;
  for (char c : value) {
    const char* escape = c == '\\' ? "\\\\" : c == '\t' ? "\\t" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : nullptr;
    if (escape) out += escape;
    else out += c;
  }
  return out;
}

}  // namespace

int main() {
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const Words words = Split(line);
    std::string answer = "ok";
    try {
      const auto command = kCommands.find(words[0]);
      if (command == kCommands.end()) Fail("unknown command " + words[0]);
      if (words.size() <= command->second.values) Fail(words[0] + " needs more values");
      for (const std::string& value : command->second.run(words)) answer += "\t" + Escaped(value);
    } catch (const std::exception& error) {
      answer = "error\t" + Escaped(error.what());
    }
    std::cout << answer << std::endl;
  }
  for (const PROCESS_INFORMATION& editor : editors) {
    if (Running(editor)) TerminateProcess(editor.hProcess, 99);
    WaitForSingleObject(editor.hProcess, kAnswerMs);
  }
  return 0;
}
