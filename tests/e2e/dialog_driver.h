// Driving the editor's dialogs from outside, as their controls would: a
// combo's choice is set and its CBN_SELCHANGE sent to the dialog, a track
// bar's or up-down's notification likewise, keys pressed into the dialog
// through the system's input. Also the level sets the tests start from and
// compare the saved files with.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "e2e/editor_driver.h"
#include "e2e/level_files.h"
#include "gfx/image.h"
#include "level/level.h"

// A command that opens nothing modal, handled before this returns.
void SendCommand(const EditorProcess& editor, int id);
// Save (Ctrl+S's command) and wait until the title has lost its mark.
bool SaveAndWait(const EditorProcess& editor, const std::string& fileName);

// The sample set copied to a file of the folder; its path.
std::string CopySample(const ProgramDir& folder, const std::string& name);
// A level-set file read with the core; the test fails when it cannot be read.
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
int UpDownPosition(const DialogWindow& dialog, int id);

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
// Creates the key when needed and sets its default value, directly.
void AddRegistryDefault(const std::string& key, const std::string& value);
