#include "app/commands.h"

#include <cstdint>

#include "app/command_line.h"
#include "app/editor_state.h"
#include "app/level_set_io.h"
#include "app/recent_files.h"
#include "app/settings_file.h"
#include "dialogs/check_levels.h"
#include "doc/edits.h"
#include "gfx/png_io.h"
#include "gfx/painter.h"
#include "level/level_file.h"
#include "level/level_transfer.h"
#include "view/area_tool.h"
#include "view/canvas_tool.h"
#include "view/host.h"
#include "view/level_picture.h"
#include "view/selectors.h"
#include "view/title.h"
#include "view/undo.h"

namespace {

constexpr const char* kQuestionCaption = "Kraxolan Editor";

void ShowError(Host& host, const std::string& text) { host.Ask(text, "Error", MessageKind::Error); }

// The question before unsaved work would be lost: asked only while the set is
// modified and the user wants questions; otherwise it counts as No.
Answer AskSaveChanges(EditorState& state, Host& host, const char* text) {
  if (!state.document.Modified() || state.settings.questions == 0) return Answer::No;
  return host.Ask(text, kQuestionCaption, MessageKind::YesNoCancel);
}

// The file dialogs start in the folder of the open file; a name without any
// backslash is passed whole.
std::string InitialDirectory(const std::string& fileName) {
  const size_t slash = fileName.find_last_of('\\');
  return slash == std::string::npos ? fileName : fileName.substr(0, slash);
}

// Save as; true when the set was saved.
bool SaveAsChecked(EditorState& state, Host& host) {
  std::string path;
  if (!host.ChooseSavePath(FileKind::Levels, InitialDirectory(state.document.FileName()), path))
    return false;
  if (RefuseLongPath(host, path)) return false;
  if (!MayOverwrite(state, host, path)) return false;
  if (SaveLevelSet(state, host, path) != 0) {
    ShowError(host, "Couldn't save file!");
    return false;
  }
  ResetEditorState(state, host);
  return true;
}

// Opening a file the user named (Open, a drop, a recent file): on success the
// file becomes the open one and goes to the top of the recent files.
void OpenPath(EditorState& state, Host& host, const std::string& path) {
  if (RefuseLongPath(host, path)) return;
  if (LoadLevelSet(state, path) != 0) {
    ShowError(host, "Couldn't load file!");
    return;
  }
  AddRecentFile(state, host, path);
  ResetEditorState(state, host);
}

// The question of Open, a drop and a recent file: Yes saves under a new name
// and ends the command, No goes on, Cancel ends it. True: go on.
bool MayReplaceLevelSet(EditorState& state, Host& host) {
  switch (AskSaveChanges(state, host, "Save changes?")) {
    case Answer::Yes:
      SaveAsChecked(state, host);
      return false;
    case Answer::Cancel:
      return false;
    default:
      return true;
  }
}

void Save(EditorState& state, Host& host) {
  if (!MayOverwrite(state, host, state.document.FileName())) return;
  if (SaveLevelSet(state, host, state.document.FileName()) != 0)
    ShowError(host, "Couldn't save file!");
}

void ClearLevel(EditorState& state, Host& host) {
  if (state.settings.questions != 0 &&
      host.Ask("Do you really want to clear this level?", "Clear level", MessageKind::YesNo) !=
          Answer::Yes)
    return;
  Edits::ClearLevel(state.document, state.session.currentLevel);
  UpdateTitle(state, host);
  Repaint(state, host, kRepaintAll);
}

void CorrectShadowsCommand(EditorState& state, Host& host) {
  Edits::CorrectShadows(state.document, state.session.currentLevel);
  UpdateTitle(state, host);
  Repaint(state, host, kRepaintAll);
}

// With a selection, the area goes onto the clipboard; without one, the
// level goes into the shared block, as it always did, and onto the
// clipboard as text.
void Copy(EditorState& state, Host& host, LevelTransfer& transfer) {
  if (HasSelection(state)) {
    CopySelection(state, host);
    return;
  }
  transfer.PutTempLevel(state.CurrentLevel());
  CopyLevelAsText(state, host);
}

// An area on the clipboard floats to be placed; otherwise the level in the
// shared block is pasted.
void Paste(EditorState& state, Host& host, LevelTransfer& transfer) {
  if (BeginPasteArea(state, host)) return;
  if (transfer.HasTempLevel() != 1) return;
  Edits::PasteLevel(state.document, state.session.currentLevel, transfer.GetTempLevel());
  Repaint(state, host, kRepaintAll);
  UpdateTitle(state, host);
}

// The canvas as shown, at the current zoom, as a PNG file.
void ExportPicture(EditorState& state, Host& host) {
  std::string path;
  if (!host.ChooseSavePath(FileKind::Picture, InitialDirectory(state.document.FileName()), path)) return;
  if (RefuseLongPath(host, path)) return;
  const Image picture = CanvasPicture(state, RgbFromColorRef(state.windowColour));
  if (!WritePng(*state.files, path, picture)) ShowError(host, "Couldn't save picture!");
}

// With nothing to list, a message instead of an empty dialog.
void CheckLevelsCommand(EditorState& state, Host& host) {
  if (CheckEditorLevels(state).empty())
    host.Ask("No problems found in the ten levels.", "Check levels", MessageKind::Information);
  else
    OpenDialog(state, host, DialogKind::CheckLevels, 0);
}

}  // namespace

std::string PathTooLongText(const std::string& path) {
  return "The path is too long: it has " + std::to_string(path.size()) +
         " characters, and the editor takes paths of at most " + std::to_string(kMaxPathLength) + ".\n\n" + path;
}

bool RefuseLongPath(Host& host, const std::string& path) {
  if (path.size() <= kMaxPathLength) return false;
  ShowError(host, PathTooLongText(path));
  return true;
}

void ResetEditorState(EditorState& state, Host& host) {
  EndStroke(state, host);
  DropArea(state, host);
  Session& s = state.session;
  s.selectMode = false;
  for (int32_t& tile : s.inspectorTiles) tile = -1;
  s.currentLevel = 0;
  s.selectionCategory = kSelectPattern;
  s.selectionValue = 0;
  s.teleportPair = 0;
  s.canvasReady = 0;
  Repaint(state, host, kRepaintAll);
  host.SetSelectorPosition(Selector::Level, 0);
  host.SetSelectorPosition(
      Selector::Graphics,
      static_cast<int16_t>(PatternSetIndexOf(state.document.GetLevel(0).GetPatternSet()) & 0xFFFF));
  host.SetSelectorPosition(Selector::Teleport, 0);
  UpdateTitle(state, host);
}

void SaveAs(EditorState& state, Host& host) { SaveAsChecked(state, host); }

void OpenLevelSet(EditorState& state, Host& host) {
  if (!MayReplaceLevelSet(state, host)) return;
  std::string path;
  if (!host.ChooseOpenPath(InitialDirectory(state.document.FileName()), path)) return;
  OpenPath(state, host, path);
}

void NewLevelSet(EditorState& state, Host& host) {
  switch (AskSaveChanges(state, host, "Save changes?")) {
    case Answer::Yes:
      // The user wanted the work kept: when it was not saved, nothing is cleared.
      if (!SaveAsChecked(state, host)) return;
      break;
    case Answer::Cancel:
      return;
    default:
      break;
  }
  state.document.Replace(LevelSet(), kUntitledName);
  ForgetFileOnDisk(state);
  ResetEditorState(state, host);
}

void ConfirmClose(EditorState& state, Host& host) {
  switch (AskSaveChanges(state, host, "Save Changes?")) {
    case Answer::Yes:
      // Another program's change is not overwritten unasked: No keeps the window.
      if (!MayOverwrite(state, host, state.document.FileName())) return;
      if (SaveLevelSet(state, host, state.document.FileName()) != 0) {
        ShowError(host, "Couldn't save file!");
        return;  // the window stays open with the work in it
      }
      break;
    case Answer::Cancel:
      return;
    default:
      break;
  }
  host.DestroyMainWindow();
}

void OpenDroppedFile(EditorState& state, Host& host, const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  if (!MayReplaceLevelSet(state, host)) return;
  OpenPath(state, host, paths.front());
}

void OpenRecentFile(EditorState& state, Host& host, int index) {
  if (index < 0 || index >= state.recent.recentFileCount) return;
  if (!MayReplaceLevelSet(state, host)) return;
  // Copied: opening reorders the list under the reference.
  const std::string path = state.recent.recentFiles[index];
  OpenPath(state, host, path);
}

void OpenFirstLevelSet(EditorState& state, Host& host) {
  const std::string first = state.document.FileName();
  if (first == kNoFileMarker) {
    state.document.SetFileName(kUntitledName);
    return;
  }
  if (RefuseLongPath(host, first) || LoadLevelSet(state, first) != 0) {
    if (first.size() <= kMaxPathLength) host.Ask("Loading levelset failed!", first, MessageKind::Info);
    state.document.SetFileName(kUntitledName);
  }
}

void OnBackupTimer(EditorState& state, Host& host) {
  // A back-up is not a save of the user's file: modified, the title and the
  // recent files stay as they are.
  if (state.settings.autosave == 0) return;
  WriteHereOrForUser(
      state, kBackupFileName, state.userBackupFile,
      [&state](const std::string& path) { return WriteLevelSetFile(*state.files, path, state.document.Levels()); },
      state.backupNoticed);
  if (!state.notices.empty()) ShowNotices(state, host);
}

void RunCommand(EditorState& state, Host& host, LevelTransfer& transfer, int id) {
  // Whatever the command, a stroke still under way ends first (a key of a
  // menu or an accelerator pressed while the button is held).
  EndStroke(state, host);
  FinishSelecting(state, host);
  if (id >= kCmdSelectLevel1 && id < kCmdSelectLevel1 + kLevelCount) {
    SelectLevel(state, host, id - kCmdSelectLevel1);
    return;
  }
  if (id >= kRecentFileCommand && id < kRecentFileCommand + kMaxRecentFiles) {
    OpenRecentFile(state, host, id - kRecentFileCommand);
    return;
  }
  switch (id) {
    case kCmdSave: Save(state, host); break;
    case kCmdSaveAs: SaveAs(state, host); break;
    case kCmdClearLevel: ClearLevel(state, host); break;
    case kCmdAbout: host.RunDialog(DialogKind::About, 0); break;
    case kCmdHelp:
      host.Ask("Just read kraxed_manual.pdf or kraxed_tutorial.pdf!", "Help", MessageKind::Info);
      break;
    case kCmdExit: ConfirmClose(state, host); break;
    case kCmdNew: NewLevelSet(state, host); break;
    case kCmdOpen: OpenLevelSet(state, host); break;
    case kCmdLevelSettings:
      OpenDialog(state, host, DialogKind::LevelSettings, state.session.currentLevel);
      break;
    case kCmdEnemySettings: OpenDialog(state, host, DialogKind::EnemySettings, 1); break;
    case kCmdEditorSettings: host.RunDialog(DialogKind::EditorSettings, 0); break;
    case kCmdCorrectShadows: CorrectShadowsCommand(state, host); break;
    case kCmdCopy: Copy(state, host, transfer); break;
    case kCmdCut: CutSelection(state, host); break;
    case kCmdSelectArea: ToggleSelectMode(state, host); break;
    case kCmdSelectAll: SelectWholeGrid(state, host); break;
    case kCmdFlipHorizontally: FlipSelection(state, host, FlipAxis::Horizontal); break;
    case kCmdFlipVertically: FlipSelection(state, host, FlipAxis::Vertical); break;
    case kCmdPaste: Paste(state, host, transfer); break;
    case kCmdSwapLevels: OpenDialog(state, host, DialogKind::SwapLevels, 0); break;
    case kCmdUndo: UndoStep(state, host); break;
    case kCmdRedo: RedoStep(state, host); break;
    case kCmdCheckLevels: CheckLevelsCommand(state, host); break;
    case kCmdExportPicture: ExportPicture(state, host); break;
    default: break;
  }
}

std::vector<CommandState> CommandStates(const EditorState& state) {
  return {{kCmdUndo, state.document.CanUndo()},
          {kCmdRedo, state.document.CanRedo()},
          {kCmdCut, HasSelection(state)},
          {kCmdSelectArea, true, state.session.selectMode},
          {kCmdFlipHorizontally, FlipWouldAct(state, FlipAxis::Horizontal)},
          {kCmdFlipVertically, FlipWouldAct(state, FlipAxis::Vertical)}};
}
