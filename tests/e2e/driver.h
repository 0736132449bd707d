// Drives the real kraxed.exe as a user would, through window messages: it
// starts the program in a fresh program folder, finds its window, sends
// clicks, keys and commands, reads the title and the status bar, answers
// message boxes, file dialogs and the editor's own dialogs, and looks at the
// window's pixels. Also the level sets the tests start from and the
// pictures the screen is compared with, made with the core.
//
// Every wait has a time limit; a program still running when its driver goes
// away is ended by its process handle.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "gfx/image.h"
#include "gfx/resource_catalogue.h"
#include "level/level.h"
#include "level/level_file.h"
#include "view/editor.h"
#include "view/level_picture.h"

// A fresh copy of the program folder (kraxed.exe, resources.ini, levelgfx\,
// enemygfx\, sample.kxl) in a temporary folder of its own; no kraxed.ini
// unless a test writes one. The template folder comes from the environment
// variable KRAXED_PROGRAM_DIR.
class ProgramDir {
 public:
  ProgramDir();
  ~ProgramDir();
  ProgramDir(const ProgramDir&) = delete;
  ProgramDir& operator=(const ProgramDir&) = delete;

  // The folder with its trailing backslash.
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// A message box or dialog window of the program.
struct DialogWindow {
  HWND window = nullptr;
  std::string caption;
  std::string text;  // the message of a message box (its static text)
  explicit operator bool() const { return window != nullptr; }
};

class EditorProcess {
 public:
  // Starts `<folder>kraxed.exe` with the given arguments. quoted: the program
  // path in double quotes (as the shell starts it) or bare.
  EditorProcess(const ProgramDir& folder, const std::string& arguments = "", bool quoted = true,
                const std::string& workingDirectory = "");
  ~EditorProcess();
  EditorProcess(const EditorProcess&) = delete;
  EditorProcess& operator=(const EditorProcess&) = delete;

  // Waits until the main window is shown and start-up is over.
  bool WaitForWindow(DWORD timeoutMs = 30000);
  HWND Window() const { return window_; }
  DWORD ProcessId() const { return info_.dwProcessId; }

  std::string Title() const;
  std::string StatusText() const;
  RECT WindowRect() const;
  RECT ClientRectOnScreen() const;

  // Waits until the program has handled everything sent so far and waits
  // for input again (or the time is up).
  bool WaitIdle(DWORD timeoutMs = 10000) const;

  void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void Command(int id) const;  // a menu command or accelerator
  void MouseMove(int x, int y, WPARAM keys = 0) const;
  void LeftClick(int x, int y) const;
  void RightClick(int x, int y) const;
  void DoubleClick(int x, int y) const;
  // A left-button drag along the points (a press, moves with MK_LBUTTON, a release).
  void Drag(const std::vector<POINT>& points) const;
  void KeyUp(UINT virtualKey) const;
  // Keys pressed and released through the system's input, to the main
  // window brought to the front (so the accelerators see the modifier keys).
  void PressKeys(const std::vector<WORD>& keys) const;
  // A selector's arrow: a WM_HSCROLL as the up-down control sends it.
  HWND Selector(int index) const;  // 0 level, 1 graphics, 2 teleport (by position)
  void ScrollSelector(int index, int position) const;

  // The first visible dialog or message box of the process, within the time.
  DialogWindow WaitForDialog(DWORD timeoutMs = 10000, const std::string& caption = "") const;
  // Presses a button of a dialog or message box (IDOK, IDYES, IDNO, IDCANCEL).
  void Press(const DialogWindow& dialog, int buttonId) const;
  // Fills in a common file dialog with a path and confirms it.
  bool ChooseFile(const std::string& path, DWORD timeoutMs = 15000) const;
  // Every visible top-level window of the process but the main window.
  std::vector<HWND> OtherWindows() const;

  // The client area's pixels as the screen shows them.
  Image CaptureClient() const;
  // The screen lags behind the program's drawing by a moment (Wine copies a
  // window's picture to the display when the program goes idle, which may be
  // after the driver's messages are answered): captures the client area
  // until `ready` holds for the picture or the time is up, and returns the
  // last picture, on which the caller makes its checks.
  Image CaptureClientWhen(const std::function<bool(const Image&)>& ready,
                          DWORD timeoutMs = 3000) const;
  // The canvas at normal size, captured the same way.
  Image CaptureCanvasWhen(const std::function<bool(const Image&)>& ready,
                          DWORD timeoutMs = 3000) const;
  // Whether the canvas at normal size shows `expected` within the time.
  bool CanvasShows(const Image& expected, DWORD timeoutMs = 3000) const;

  bool WaitForExit(DWORD timeoutMs = 20000) const;
  bool Running() const;
  DWORD ExitCode() const;
  // Ends the program at once (by its handle).
  void Kill();

 private:
  PROCESS_INFORMATION info_ = {};
  HWND window_ = nullptr;
  DWORD shownAt_ = 0;  // when WaitForWindow found the window
};

// Reads a file's bytes; empty when it cannot be read.
std::vector<unsigned char> FileBytes(const std::string& path);
bool FileExists(const std::string& path);
void PutFile(const std::string& path, const std::vector<unsigned char>& bytes);
void PutText(const std::string& path, const std::string& text);
std::string FileText(const std::string& path);

// Packs client coordinates as mouse messages carry them.
inline LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

// Polls the condition until it holds or the time is up; true when it held.
// Posted commands and keys are handled after any sent message, so their
// effects are waited for, not assumed.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
bool WaitForTitle(const EditorProcess& editor, const std::string& title, DWORD timeoutMs = 10000);

// The position a selector holds (0 level, 1 graphics, 2 teleport); -1 when
// there is no such selector.
int SelectorPosition(const EditorProcess& editor, int index);

// Drops the files on the main window as the shell does: a DROPFILES block
// with the ANSI path list is made in the editor's own memory (fixed memory:
// the drop handle is the block's address) and WM_DROPFILES posted with it.
bool DropFiles(const EditorProcess& editor, const std::vector<std::string>& paths);

// A message box with the given caption and text, answered with the button;
// false (and nothing pressed) when it did not come or said something else.
bool AnswerBox(const EditorProcess& editor, const std::string& caption, const std::string& text,
               int buttonId, DWORD timeoutMs = 10000);

// A window's class name, and its text as the system keeps it (the caption of
// a top-level window).
std::string ClassOf(HWND window);
std::string TextOf(HWND window);

// Keys pressed in order and released in reverse through the system's input,
// to whatever window has the focus.
void SendKeys(const std::vector<WORD>& keys);
// How long keys wait after the focus came to a window. A change of focus
// makes Wine bring its key state in line with the X server's, which knows
// nothing of keys sent as input: a Ctrl sent while that happens is lost.
constexpr DWORD kFocusSettleMs = 400;
// Brings a window to the front for keys; after a change of focus, waits
// kFocusSettleMs. False when the window does not come to the front.
bool BringToFrontForKeys(HWND window);
// The real pointer moved to a point of the screen through the system's input,
// as a user's mouse moves it: the window under it gets the move.
void MoveRealPointer(int x, int y);
// The real pointer moved to the screen's far corner, where no window of the
// editor stands. A window that opens under the pointer is sent a move of its
// own at a moment of the system's choosing, which would overwrite the status
// text a test has just brought about.
void ParkRealPointer();
// A rectangle of the screen as it shows now.
Image CaptureScreen(int left, int top, int width, int height);
// Takes pictures with `capture` until `ready` holds for one (no `ready`: the
// first) or the time is up, and returns the last.
Image CaptureUntil(const std::function<Image()>& capture,
                   const std::function<bool(const Image&)>& ready, DWORD timeoutMs);

// A command that opens nothing modal, handled before this returns.
void SendCommand(const EditorProcess& editor, int id);
// Save (Ctrl+S's command) and wait until the title has lost its mark.
bool SaveAndWait(const EditorProcess& editor, const std::string& fileName);

// The sample set copied to a file of the folder; its path.
std::string CopySample(const ProgramDir& folder, const std::string& name);
// A level-set file read with the core; a file that cannot be read is
// reported on stderr and gives the default levels, which no test expects.
LevelSet ReadSet(const std::string& path);

// Opens a dialog by a posted command and waits for it by its caption.
DialogWindow OpenDialogByCommand(const EditorProcess& editor, int command,
                                 const std::string& caption);
// Closes a dialog through its close box (SC_CLOSE); true when it went away.
bool CloseByCloseBox(const DialogWindow& dialog);
// True while the dialog window still exists and is shown.
bool IsOpen(const DialogWindow& dialog);
// True when the dialog is still open after the given time.
bool StaysOpen(const DialogWindow& dialog, DWORD ms = 400);

HWND Control(const DialogWindow& dialog, int id);
std::string ControlText(const DialogWindow& dialog, int id);
LRESULT SendTo(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// A drop-down list: chooses the entry as the user's pick does (the choice
// first, then CBN_SELCHANGE with the combo's handle to the dialog).
void PickComboEntry(const DialogWindow& dialog, int id, int index);
int ComboChoice(const DialogWindow& dialog, int id);
bool Checked(const DialogWindow& dialog, int id);  // a check box
int ComboCount(const DialogWindow& dialog, int id);
// The text of the chosen entry.
std::string ComboChoiceText(const DialogWindow& dialog, int id);

// A track bar notification (TB_PAGEDOWN ...) to the dialog with the bar's handle.
void TrackBarNotify(const DialogWindow& dialog, int id, int code, int position = 0);
int TrackBarPosition(const DialogWindow& dialog, int id);
// The bar's thumb dragged to a position: the control moves, then reports.
void TrackBarDragTo(const DialogWindow& dialog, int id, int position);

// A click on the right (or left) arrow of a horizontal up-down control.
void ClickUpDownArrow(const DialogWindow& dialog, int id, bool right);

// Moves the keyboard focus inside the dialog to the control.
void FocusControl(const DialogWindow& dialog, int id);
// Real keys (SendInput) to the dialog, made the foreground window first;
// waits until the dialog has handled them.
void PressKeysIn(const DialogWindow& dialog, const std::vector<WORD>& keys);

// The client area of any window as the screen shows it (brought to the top
// first); captured again until `ready` holds for it or the time is up, as the
// screen lags behind the program's drawing by a moment.
Image CaptureWindowClient(HWND window, const std::function<bool(const Image&)>& ready = nullptr,
                          DWORD timeoutMs = 3000);

// Starts a program (the command line's first word when `program` is null)
// in the folder (empty: this one); with `output`, without a window and its
// standard handles going there. Empty, and said on stderr, when it cannot.
PROCESS_INFORMATION StartProgram(const char* program, const std::string& commandLine,
                                 const std::string& workingDirectory, HANDLE output);
// Runs a command line without a window, within the time (then ends it): its
// exit code (0xFFFFFFFF when it did not start or finish), and its output.
DWORD RunProgram(const std::string& commandLine, std::string* output = nullptr,
                 DWORD timeoutMs = 20000);

// Moves a top-level window so that two editors' windows do not overlap.
void MoveWindowTo(HWND window, int x, int y);

// The default output of `reg query <key> /ve` under the Wine prefix: the
// key's default value, or nothing when the key does not exist.
struct RegistryQuery {
  bool exists = false;
  std::string value;
  std::string output;
};
RegistryQuery QueryRegistryDefault(const std::string& key);
// Whether the key (HKCR\\... or HKCU\\...) exists, asked directly.
bool RegistryKeyExists(const std::string& key);
// Removes the key with everything below it; a missing key is no failure.
void DeleteRegistryKey(const std::string& key);

// The ten levels of the folder's sample.kxl.
inline LevelSet SampleLevels(const ProgramDir& folder) {
  LevelSet levels;
  ReadLevelSetFile(folder.File("sample.kxl"), levels);
  return levels;
}

// The folder's graphics as the editor reads them at start-up; a sheet it
// cannot read stays empty, as it does in the editor.
inline ResourceCatalogue CatalogueOf(const ProgramDir& folder) {
  ResourceCatalogue catalogue;
  LoadResourceCatalogue(catalogue, folder.Path(), [](const std::string&) {});
  return catalogue;
}

// An editor with the folder's graphics and these levels: what the level
// pictures the editor should show are painted from.
inline Editor EditorWith(const ProgramDir& folder, const LevelSet& levels) {
  Editor editor;
  editor.catalogue = CatalogueOf(folder);
  editor.document.Replace(levels, "");
  return editor;
}

// The canvas as the editor paints level `index` of the levels at zoom z.
inline Image CanvasOf(const ProgramDir& folder, const LevelSet& levels, int index, int z = 1) {
  Editor editor = EditorWith(folder, levels);
  LevelPictureOptions options;
  options.zoom = z;
  return RenderLevelPicture(editor, index, options);
}

inline std::vector<unsigned char> LevelSetBytes(const LevelSet& levels) {
  const std::vector<uint8_t> bytes = EncodeLevelSet(levels);
  return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

inline void PutLevelSet(const std::string& path, const LevelSet& levels) {
  PutFile(path, LevelSetBytes(levels));
}

// The sample set with level 1 drawn from another pattern set, so two files
// can be told apart by the graphics selector.
inline LevelSet SampleWithFirstPatternSet(const ProgramDir& folder, int selectorPosition) {
  LevelSet levels = SampleLevels(folder);
  levels[0].SetPatternSet(PatternSetValueOf(selectorPosition));
  return levels;
}

// kraxed.ini as the editor writes it: the options in their order, then the
// recent files.
struct IniOptions {
  bool zoom = false, autosave = false, questions = false, load = false;
  bool registered = false, correctShadow = false;
  std::vector<std::string> recent;
};

inline std::string IniText(const IniOptions& o) {
  auto flag = [](bool on) { return on ? "TRUE\r\n" : "FALSE\r\n"; };
  std::string text = "[Kraxolan Editor Settings]\r\n";
  text += std::string("Zoom = ") + flag(o.zoom);
  text += std::string("Autosave = ") + flag(o.autosave);
  text += std::string("Questions = ") + flag(o.questions);
  text += std::string("Load = ") + flag(o.load);
  text += std::string("Register = ") + flag(o.registered);
  text += std::string("CorrectShadow = ") + flag(o.correctShadow);
  for (const std::string& path : o.recent) text += "LoadFile = " + path + "\r\n";
  return text + "\r\n";
}

inline void PutIni(const ProgramDir& folder, const IniOptions& options) {
  PutText(folder.File("kraxed.ini"), IniText(options));
}

inline std::string TitleFor(const std::string& path, bool modified = false) {
  return "Kraxolan Editor - [" + path + (modified ? " *" : "") + "]";
}

// A folder of its own inside the program folder (a working directory or a
// place for level sets), with its trailing backslash.
inline std::string MakeFolder(const ProgramDir& folder, const std::string& name) {
  const std::string path = folder.File(name);
  CreateDirectoryA(path.c_str(), nullptr);
  return path + "\\";
}

// Where things lie in the client area at zoom z: the centre of grid cell
// (row 0..12, column 0..16, the edge columns half wide) and of the palette
// tile of a pattern value (0..15, 17, 18..29, 31, 32, 42, 52, 64..127).
POINT CellPoint(int z, int row, int column);
POINT PatternTile(int z, int value);
