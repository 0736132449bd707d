// kxdrive: drives the real kraxed.exe for the end-to-end tests and the
// manuals' screenshots (which are taken from the X display). A command a line on stdin, its words split by tabs;
// an answer a line on stdout: "ok" and its values, or "error" and why, split
// by tabs (tabs and line ends inside a value become spaces). Windows are
// named by their handle as a decimal number, editors by the number `start`
// gave them. Every wait has a time limit; when stdin ends, the editors
// started are ended by their process handles.
//
// Wine on a virtual display without a window manager: keys sent while Wine
// brings its key state in line with the X server's, right after a change of
// focus, are lost (a Ctrl most often), so keys wait until the foreground
// window has been theirs for kFocusSettleMs; message boxes and the common dialogs
// are top-level windows of class "#32770"; a drop handle is the address of
// a DROPFILES block (fixed memory), so a drop is a block written into the
// editor's own memory.
#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "../../res/resource.h"

namespace {

using Words = std::vector<std::string>;

constexpr DWORD kFocusSettleMs = 400;
constexpr DWORD kAnswerMs = 5000;  // a window that takes longer to answer a message hangs

std::vector<PROCESS_INFORMATION> editors;
std::vector<HANDLE> heldObjects;
long pendingCalls = 0;  // messages sent by `send call` and not answered yet
HWND foreground = nullptr;  // as last seen, and since when
DWORD foregroundSince = 0;

// Notes a change of the foreground window (checked before every command).
void SeeForeground() {
  if (GetForegroundWindow() == foreground) return;
  foreground = GetForegroundWindow();
  foregroundSince = GetTickCount();
}

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

HANDLE EditorOf(const std::string& word) {
  const long long index = Number(word);
  if (index < 0 || index >= static_cast<long long>(editors.size())) Fail("no editor " + word);
  return editors[static_cast<size_t>(index)].hProcess;
}

LRESULT SendWithin(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kAnswerMs, &result))
    Fail("window " + Name(window) + " does not answer");
  return static_cast<LRESULT>(result);
}

// The text the system keeps for a window, asking nothing of its program.
std::string CaptionOf(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The visible top-level windows of the process, or the child windows of the
// parent, of the class (any class when it is empty).
std::vector<HWND> WindowsOf(DWORD processId, HWND parent, const std::string& className) {
  std::vector<HWND> found;
  const char* wanted = className.empty() ? nullptr : className.c_str();
  for (HWND window = nullptr; (window = FindWindowExA(parent, window, wanted, nullptr));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (parent || (owner == processId && IsWindowVisible(window))) found.push_back(window);
  }
  return found;
}

RECT ScreenRect(HWND window, const std::string& part) {
  RECT r = {};
  if (part == "window") {
    GetWindowRect(window, &r);
  } else {
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  }
  return r;
}

void AddMenuCommands(HMENU menu, Words& out) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    if (HMENU submenu = GetSubMenu(menu, i)) AddMenuCommands(submenu, out);
    else if (GetMenuItemID(menu, i) != 0) out.push_back(std::to_string(GetMenuItemID(menu, i)));  // 0: a separator
  }
}

// The menu's commands or the accelerators ("flags key command" each) of the
// program file. (Wine lets no other process read the running window's menu.)
Words Resources(const std::string& path, bool menu) {
  HMODULE program = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HMENU commands = LoadMenuA(program, MAKEINTRESOURCEA(IDR_MAINMENU));
  HACCEL table = LoadAcceleratorsA(program, MAKEINTRESOURCEA(IDR_ACCELERATORS));
  if (!commands || !table) Fail("no menu or accelerator table in " + path);
  Words values;
  if (menu) AddMenuCommands(commands, values);
  std::vector<ACCEL> entries(menu ? 0 : static_cast<size_t>(CopyAcceleratorTableA(table, nullptr, 0)));
  CopyAcceleratorTableA(table, entries.data(), static_cast<int>(entries.size()));
  for (const ACCEL& entry : entries)
    values.push_back(std::to_string(entry.fVirt) + " " + std::to_string(entry.key) + " " + std::to_string(entry.cmd));
  DestroyMenu(commands);
  FreeLibrary(program);
  return values;
}

// Writes the DROPFILES block with the paths into the editor's memory and
// posts WM_DROPFILES with it.
void Drop(DWORD processId, HWND main, const Words& paths) {
  std::vector<char> block(sizeof(DROPFILES), 0);
  reinterpret_cast<DROPFILES*>(block.data())->pFiles = sizeof(DROPFILES);
  for (const std::string& path : paths) block.insert(block.end(), path.c_str(), path.c_str() + path.size() + 1);
  block.push_back('\0');
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
  void* remote = nullptr;
  if (process) remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  const bool written = remote && WriteProcessMemory(process, remote, block.data(), block.size(), nullptr);
  if (process) CloseHandle(process);
  if (!written) Fail("cannot write the drop into the editor");
  PostMessageA(main, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
}

// send WAY WINDOW MESSAGE WPARAM LPARAM: "wait" for the answer and give it,
// "post" it, or "call": sent without waiting (it may open a modal window),
// counted by `pending` until it is answered.
Words Send(const Words& w) {
  HWND window = WindowOf(w[2]);
  const UINT message = static_cast<UINT>(Number(w[3]));
  const WPARAM wParam = static_cast<WPARAM>(Number(w[4]));
  const LPARAM lParam = static_cast<LPARAM>(Number(w[5]));
  if (w[1] == "wait") return {std::to_string(SendWithin(window, message, wParam, lParam))};
  const SENDASYNCPROC answered = [](HWND, UINT, ULONG_PTR, LRESULT) { --pendingCalls; };
  const bool sent = w[1] == "post" ? PostMessageA(window, message, wParam, lParam)
                                   : SendMessageCallbackA(window, message, wParam, lParam, answered, 0);
  if (!sent) Fail("cannot send to window " + w[2]);
  if (w[1] != "post") ++pendingCalls;
  return {};
}

// The window made the foreground window (activated), and given the time
// its keys need.
void BringToFront(HWND window) {
  for (int attempt = 0; attempt < 20 && GetForegroundWindow() != window; ++attempt) {
    SetForegroundWindow(window);
    Sleep(20);
  }
  SeeForeground();
  if (foreground != window) Fail("window " + Name(window) + " does not come to the front");
  if (GetTickCount() - foregroundSince < kFocusSettleMs) Sleep(kFocusSettleMs - (GetTickCount() - foregroundSince));
}

// keys WINDOW VK...: real keys through the system's input to the window
// brought to the front, pressed in order and released in reverse.
Words Keys(const Words& w) {
  BringToFront(WindowOf(w[1]));
  std::vector<INPUT> inputs(2 * (w.size() - 2));
  for (size_t i = 0; i < inputs.size(); ++i) {
    const bool up = i >= inputs.size() / 2;  // released in reverse
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wVk = static_cast<WORD>(Number(w[up ? w.size() - 1 - (i - inputs.size() / 2) : 2 + i]));
    inputs[i].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  return {};
}

struct Command {
  size_t values;  // at least
  std::function<Words(const Words&)> run;
};

const std::map<std::string, Command> kCommands = {
    // start FOLDER QUOTED WORKDIR ARGUMENTS: FOLDER\kraxed.exe with its path
    // quoted as the shell does (1) or bare (0), in WORKDIR (empty: FOLDER).
    {"start", {4, [](const Words& w) -> Words {
       const std::string exe = w[1] + "\\kraxed.exe";
       std::string line = (w[2] == "1" ? "\"" + exe + "\"" : exe) + (w[4].empty() ? "" : " " + w[4]);
       STARTUPINFOA startup = {};
       startup.cb = sizeof startup;
       PROCESS_INFORMATION process = {};
       if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           (w[3].empty() ? w[1] : w[3]).c_str(), &startup, &process))
         Fail("cannot start " + line);
       editors.push_back(process);
       return {std::to_string(editors.size() - 1)};
     }}},
    // windows EDITOR CLASS: its visible top-level windows of the class: handle,
    // caption, enabled (1) or not (0), and a message box's text, for each.
    {"windows", {2, [](const Words& w) -> Words {
       Words values;
       for (HWND window : WindowsOf(GetProcessId(EditorOf(w[1])), nullptr, w[2])) {
         HWND message = GetDlgItem(window, 0xFFFF);
         values.push_back(Name(window));
         values.push_back(CaptionOf(window));
         values.push_back(IsWindowEnabled(window) ? "1" : "0");
         values.push_back(message ? CaptionOf(message) : "");
       }
       return values;
     }}},
    // exited EDITOR MS: the exit code once the editor has ended; nothing while it runs.
    {"exited", {2, [](const Words& w) -> Words {
       DWORD code = 0;
       if (WaitForSingleObject(EditorOf(w[1]), static_cast<DWORD>(Number(w[2]))) != WAIT_OBJECT_0) return {};
       GetExitCodeProcess(EditorOf(w[1]), &code);
       return {std::to_string(code)};
     }}},
    {"kill", {1, [](const Words& w) -> Words {
       TerminateProcess(EditorOf(w[1]), 99);
       WaitForSingleObject(EditorOf(w[1]), kAnswerMs);
       return {};
     }}},
    {"send", {5, Send}},
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
    // text WINDOW [TEXT]: the window's text as it answers WM_GETTEXT, or set.
    {"text", {1, [](const Words& w) -> Words {
       char text[1024] = "";
       if (w.size() > 2) SendWithin(WindowOf(w[1]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w[2].c_str()));
       else SendWithin(WindowOf(w[1]), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
       return {text};
     }}},
    {"item", {2, [](const Words& w) -> Words { return {Name(GetDlgItem(WindowOf(w[1]), Int(w[2])))}; }}},
    // class WINDOW: its class and its control id.
    {"class", {1, [](const Words& w) -> Words {
       char name[64] = "";
       GetClassNameA(WindowOf(w[1]), name, sizeof name);
       return {name, std::to_string(GetDlgCtrlID(WindowOf(w[1])))};
     }}},
    {"children", {2, [](const Words& w) -> Words {
       Words names;
       for (HWND child : WindowsOf(0, WindowOf(w[1]), w[2])) names.push_back(Name(child));
       return names;
     }}},
    // rect WINDOW client|window: left, top, right, bottom on the screen.
    {"rect", {2, [](const Words& w) -> Words {
       const RECT r = ScreenRect(WindowOf(w[1]), w[2]);
       return {std::to_string(r.left), std::to_string(r.top), std::to_string(r.right), std::to_string(r.bottom)};
     }}},
    {"place", {3, [](const Words& w) -> Words {
       SetWindowPos(WindowOf(w[1]), nullptr, Int(w[2]), Int(w[3]), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
       SendWithin(WindowOf(w[1]), WM_NULL);
       return {};
     }}},
    {"keys", {2, Keys}},
    // front WINDOW: another window activated (the editor's own program gets WM_ACTIVATEAPP).
    {"front", {1, [](const Words& w) -> Words {
       BringToFront(WindowOf(w[1]));
       return {};
     }}},
    // registry KEY: the default value of HKEY_CLASSES_ROOT\KEY; nothing when there is no such key.
    {"registry", {1, [](const Words& w) -> Words {
       char value[512] = "";
       LONG size = sizeof value;
       if (RegQueryValueA(HKEY_CLASSES_ROOT, w[1].c_str(), value, &size) != ERROR_SUCCESS) return {};
       return {value};
     }}},
    // drop EDITOR WINDOW PATH...: the files dropped on the main window.
    {"drop", {3, [](const Words& w) -> Words {
       Drop(GetProcessId(EditorOf(w[1])), WindowOf(w[2]), Words(w.begin() + 3, w.end()));
       return {};
     }}},
    // resources EXE menu|accelerators: the program file's menu commands or accelerators.
    {"resources", {2, [](const Words& w) -> Words { return Resources(w[1], w[2] == "menu"); }}},
    // hold [NAME]: a mutex of that name held; the one held before closed.
    {"hold", {0, [](const Words& w) -> Words {
       for (HANDLE object : heldObjects) CloseHandle(object);
       heldObjects.clear();
       if (w.size() > 1) heldObjects.push_back(CreateMutexA(nullptr, FALSE, w[1].c_str()));
       if (w.size() > 1 && !heldObjects.back()) Fail("cannot make the mutex " + w[1]);
       return {};
     }}},
};

// Tabs and line ends would split the answer.
std::string Flat(std::string value) {
  for (char& c : value)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return value;
}

}  // namespace

int main() {
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    Words words(1);
    for (char c : line) {
      if (c == '\t') words.emplace_back();
      else words.back() += c;
    }
    std::string answer = "ok";
    SeeForeground();
    try {
      const auto command = kCommands.find(words[0]);
      if (command == kCommands.end()) Fail("unknown command " + words[0]);
      if (words.size() <= command->second.values) Fail(words[0] + " needs more values");
      for (const std::string& value : command->second.run(words)) answer += "\t" + Flat(value);
    } catch (const std::exception& error) {
      answer = "error\t" + Flat(error.what());
    }
    std::cout << answer << std::endl;
  }
  for (const PROCESS_INFORMATION& editor : editors) {
    TerminateProcess(editor.hProcess, 99);  // fails harmlessly for an editor that has ended
    WaitForSingleObject(editor.hProcess, kAnswerMs);
  }
  return 0;
}
