#include "app/level_set_io.h"

#include "app/editor_state.h"
#include "level/level_file.h"
#include "view/host.h"
#include "view/title.h"

int LoadLevelSet(EditorState& state, const std::string& path) {
  LevelSet levels;
  if (!ReadLevelSetFile(path, levels).ok) return 1;
  state.document.Replace(levels, path);
  return 0;
}

int SaveLevelSet(EditorState& state, Host& host, const std::string& path) {
  if (!WriteLevelSetFile(*state.files, path, state.document.Levels())) return 1;
  state.document.MarkSaved(path);
  UpdateTitle(state, host);
  if (state.recent.Find(path) < 0) AddRecentFile(state, host, path);
  return 0;
}

int WriteBackup(EditorState& state, const std::string& path) {
  return WriteLevelSetFile(*state.files, path, state.document.Levels()) ? 0 : 1;
}

void AddRecentFile(EditorState& state, Host& host, const std::string& path) {
  const int before = state.recent.Add(path);
  host.RebuildRecentMenu(before, state.recent.Files());
}
