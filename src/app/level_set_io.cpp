#include "app/level_set_io.h"

#include "app/editor_state.h"
#include "app/host.h"
#include "app/title.h"
#include "level/level_file.h"

int LoadLevelSet(EditorState& state, const std::string& path) {
  if (!ReadLevelSetFile(path, state.levels).ok) return 1;
  state.modified = 0;
  return 0;
}

int SaveLevelSet(EditorState& state, Host& host, const std::string& path) {
  if (!WriteLevelSetFile(*state.files, path, state.levels)) return 1;
  state.modified = 0;
  UpdateTitle(state, host);
  if (state.recent.Find(path) < 0) AddRecentFile(state, host, path);
  return 0;
}

int WriteBackup(EditorState& state, const std::string& path) {
  return WriteLevelSetFile(*state.files, path, state.levels) ? 0 : 1;
}

void AddRecentFile(EditorState& state, Host& host, const std::string& path) {
  const int before = state.recent.Add(path);
  host.RebuildRecentMenu(before, state.recent);
}
