#include "app/level_set_io.h"

#include "app/editor_state.h"
#include "level/level_file.h"
#include "doc/edits.h"
#include "view/canvas_tool.h"
#include "view/host.h"
#include "view/selectors.h"
#include "view/title.h"

namespace {

void RememberFileOnDisk(EditorState& state, const std::string& path) {
  state.fileOnDisk = state.files->Stamp(path);
  state.fileOnDiskPath = FullPathOf(path);
  state.declinedOnDisk = {};
  state.hasFile = true;
}

}  // namespace

int LoadLevelSet(EditorState& state, const std::string& path) {
  LevelSet levels;
  if (!ReadLevelSetFile(path, levels).ok) return 1;
  state.document.Replace(levels, path);
  RememberFileOnDisk(state, path);
  return 0;
}

int SaveLevelSet(EditorState& state, Host& host, const std::string& path) {
  if (!WriteLevelSetFile(*state.files, path, state.document.Levels())) return 1;
  state.document.MarkSaved(path);
  RememberFileOnDisk(state, path);
  UpdateTitle(state, host);
  if (state.recent.Find(path) < 0) AddRecentFile(state, host, path);
  return 0;
}

void ForgetFileOnDisk(EditorState& state) {
  state.fileOnDisk = {};
  state.fileOnDiskPath.clear();
  state.declinedOnDisk = {};
  state.hasFile = false;
}

namespace {

// Whether `path` leads to the file this editor last loaded or saved, and it
// changed since. Another file under the same relative name (the current
// folder moved) is not that file; a file gone has not changed.
bool ChangedOnDiskAt(EditorState& state, const std::string& path) {
  if (!state.fileOnDisk.exists || FullPathOf(path) != state.fileOnDiskPath) return false;
  const FileStamp now = state.files->Stamp(path);
  return now.exists && !(now == state.fileOnDisk);
}

}  // namespace

void CheckFileOnDisk(EditorState& state, Host& host) {
  const std::string name = state.document.FileName();
  if (!ChangedOnDiskAt(state, name)) return;
  const FileStamp now = state.files->Stamp(name);
  if (now == state.declinedOnDisk) return;
  state.declinedOnDisk = now;
  LevelSet levels;
  if (!ReadLevelSetFile(name, levels).ok) {
    host.SetStatusText(name + " was changed by another program and cannot be loaded");
    return;
  }
  if (state.document.Modified() &&
      host.Ask(name + " was changed by another program. Reload it? Your changes can be brought back with Undo.",
               kProgramTitle, MessageKind::YesNo) != Answer::Yes)
    return;
  EndStroke(state, host);
  Edits::ReplaceLevels(state.document, levels, state.session.currentLevel);
  state.document.MarkSaved(name);
  RememberFileOnDisk(state, name);
  ShowLevelPatternSet(state, host);
  Repaint(state, host, kRepaintAll);
  UpdateTitle(state, host);
  host.SetStatusText(name + " was changed by another program and was reloaded");
}

bool MayOverwrite(EditorState& state, Host& host, const std::string& path) {
  if (!ChangedOnDiskAt(state, path)) return true;
  return host.Ask(path + " was changed by another program. Overwrite it?", kProgramTitle, MessageKind::YesNo) ==
         Answer::Yes;
}

void AddRecentFile(EditorState& state, Host& host, const std::string& path) {
  const int before = state.recent.Add(path);
  host.RebuildRecentMenu(before, state.recent.Files());
}
