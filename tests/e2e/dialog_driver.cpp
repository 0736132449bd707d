#include "e2e/dialog_driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>


#include "level/level_file.h"

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
  EXPECT_TRUE(read.ok) << path << ": " << read.reason;
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

int UpDownPosition(const DialogWindow& dialog, int id) {
  return static_cast<short>(LOWORD(SendTo(Control(dialog, id), UDM_GETPOS)));
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

namespace {

// Runs reg.exe of the Wine prefix with the arguments; its exit code and output.
DWORD RunReg(const std::string& arguments, std::string* output) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return 0xFFFFFFFF;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  std::string line = "C:\\windows\\system32\\reg.exe " + arguments;
  std::vector<char> commandLine(line.begin(), line.end());
  commandLine.push_back('\0');
  PROCESS_INFORMATION process = {};
  const BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                      CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
  CloseHandle(writeEnd);
  DWORD code = 0xFFFFFFFF;
  std::string text;
  if (started) {
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    WaitForSingleObject(process.hProcess, 20000);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  CloseHandle(readEnd);
  if (output) *output = text;
  return code;
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

void AddRegistryDefault(const std::string& key, const std::string& value) {
  std::string below;
  HKEY root = SplitRoot(key, below);
  HKEY created = nullptr;
  if (!root || RegCreateKeyExA(root, below.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                               &created, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(created, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(created);
}
