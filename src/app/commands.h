// The commands of the main window (menu and accelerators) and the file
// operations behind them, with the save question that guards unsaved work.
#pragma once

#include <string>
#include <vector>

class Host;
class LevelTransfer;
struct EditorState;

// Command ids of menu 101 and accelerator table 103.
constexpr int kCmdSave = 40004;
constexpr int kCmdSaveAs = 40005;
constexpr int kCmdClearLevel = 40008;
constexpr int kCmdAbout = 40009;
constexpr int kCmdHelp = 40010;
constexpr int kCmdExit = 40011;
constexpr int kCmdNew = 40012;
constexpr int kCmdOpen = 40013;
constexpr int kCmdLevelSettings = 40014;
constexpr int kCmdEnemySettings = 40017;
constexpr int kCmdEditorSettings = 40018;
constexpr int kCmdCorrectShadows = 40019;
constexpr int kCmdCopy = 40020;
constexpr int kCmdPaste = 40021;
constexpr int kCmdSelectLevel1 = 40022;  // ..40031 for Ctrl+1..Ctrl+0
constexpr int kCmdSwapLevels = 40043;
constexpr int kCmdUndo = 40050;
constexpr int kCmdRedo = 40051;
constexpr int kCmdCheckLevels = 40052;
constexpr int kCmdExportPicture = 40053;
constexpr int kCmdSelectArea = 40060;
constexpr int kCmdSelectAll = 40061;
constexpr int kCmdCut = 40062;
constexpr int kCmdFlipHorizontally = 40063;
constexpr int kCmdFlipVertically = 40064;

constexpr const char* kBackupFileName = "backup.kxl";

// A path longer than the editor takes is refused with a message that says
// so and gives the limit: true when it was.
bool RefuseLongPath(Host& host, const std::string& path);
std::string PathTooLongText(const std::string& path);

// Puts the editing state back to its start after the open level set was
// replaced or saved under a new name.
void ResetEditorState(EditorState& state, Host& host);

// WM_COMMAND: runs the command with this id; unknown ids are ignored.
void RunCommand(EditorState& state, Host& host, LevelTransfer& transfer, int id);

// The menu items that are greyed while they would do nothing, and the one
// that is checked while its mode is on.
struct CommandState {
  int id;
  bool enabled;
  bool checked = false;
};
std::vector<CommandState> CommandStates(const EditorState& state);

void SaveAs(EditorState& state, Host& host);
void OpenLevelSet(EditorState& state, Host& host);
void NewLevelSet(EditorState& state, Host& host);
// WM_CLOSE and Exit: asks about unsaved work, then lets the window go.
void ConfirmClose(EditorState& state, Host& host);
// WM_DROPFILES: the first path of the drop is opened.
void OpenDroppedFile(EditorState& state, Host& host, const std::vector<std::string>& paths);
void OpenRecentFile(EditorState& state, Host& host, int index);
// Start-up: the command line's set, or the most recent one when the
// settings ask for it. A set that does not load (or whose path is too long)
// is reported and the editor starts untitled.
void OpenFirstLevelSet(EditorState& state, Host& host);
// WM_TIMER of the 15-minute back-up timer.
void OnBackupTimer(EditorState& state, Host& host);
