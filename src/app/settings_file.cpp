#include "app/settings_file.h"

#include <utility>
#include <vector>

#include "app/command_line.h"
#include "app/editor_state.h"
#include "app/level_set_io.h"
#include "base/text_file.h"
#include "level/level_file.h"
#include "view/host.h"

namespace {

struct Option {
  const char* key;
  int32_t EditorSettings::*field;
  int32_t onValue;
};

constexpr Option kOptions[] = {
    {"Zoom", &EditorSettings::zoom, 2},
    {"Autosave", &EditorSettings::autosave, 1},
    {"Questions", &EditorSettings::questions, 1},
    {"Load", &EditorSettings::load, 1},
    {"Register", &EditorSettings::registered, 1},
    {"CorrectShadow", &EditorSettings::correctShadow, 1},
};

// Whether the file loads as a level set (without touching the editor's own).
bool Loads(const std::string& path) {
  LevelSet scratch;
  return path.size() <= kMaxPathLength && ReadLevelSetFile(path, scratch).ok;
}

std::string SettingsPath(const EditorState& state) {
  return state.programDirectory + kSettingsFileName;
}

}  // namespace

std::string FormatSettings(const EditorSettings& settings, const RecentFileList& recent) {
  std::string text = "[Kraxolan Editor Settings]\r\n";
  for (const Option& option : kOptions) {
    const int32_t value = settings.*option.field;
    // Zoom is on only at double size; the flags at any non-zero value.
    const bool on = option.onValue == 2 ? value == 2 : value != 0;
    text += std::string(option.key) + " = " + (on ? "TRUE" : "FALSE") + "\r\n";
  }
  for (int i = 0; i < recent.recentFileCount; ++i)
    text += "LoadFile = " + recent.recentFiles[i] + "\r\n";
  text += "\r\n";
  return text;
}

void ParseSettings(const std::string& text, EditorSettings& settings, RecentFileList& recent,
                   const std::function<bool(const std::string&)>& keepRecent) {
  recent.recentFileCount = 0;
  for (const std::string& whole : SplitLines(text)) {
    // A line ends at a zero byte: the paths end up in C strings, and one cut
    // short there would name another file than the one in the list.
    const std::string line = whole.substr(0, whole.find('\0'));
    const size_t blank = line.find(' ');
    if (blank == std::string::npos) continue;
    // key, blank, "=", blank, value, as written
    if (line.size() < blank + 3) continue;
    const std::string key = line.substr(0, blank);
    const std::string value = line.substr(blank + 3);
    if (key == "LoadFile") {
      if (recent.recentFileCount >= kMaxRecentFiles) continue;
      if (keepRecent(value)) recent.recentFiles[recent.recentFileCount++] = value;
      continue;
    }
    for (const Option& option : kOptions)
      if (key == option.key && value == "TRUE") settings.*option.field = option.onValue;
  }
}

void ReadSettings(EditorState& state, Host& host) {
  std::string text;
  // The user's own file stands in when the program's folder holds none.
  if (!ReadTextFile(SettingsPath(state), text) &&
      (state.userSettingsFile.empty() || !ReadTextFile(state.userSettingsFile, text))) {
    state.recent.recentFileCount = 0;
    state.settings.zoom = 1;
    state.settings.load = 0;
    state.settings.autosave = 0;
    state.settings.questions = 1;
    state.settings.correctShadow = 0;
    return;  // written at shutdown
  }
  ParseSettings(text, state.settings, state.recent, [&host](const std::string& path) {
    if (Loads(path)) return true;
    host.Ask(path + " could not be loaded and has been removed from recent file list",
             "Error loading file", MessageKind::Info);
    return false;
  });
  if (state.document.FileName() == kNoFileMarker) {
    if (state.settings.load == 1 && state.recent.recentFileCount > 0)
      state.document.SetFileName(state.recent.recentFiles[0]);
  } else if (Loads(state.document.FileName())) {
    // A command-line set that does not load is reported when it is opened;
    // it takes no place in the recent files.
    AddRecentFile(state, host, state.document.FileName());
  }
  WriteSettings(state);
}

bool WriteHereOrForUser(EditorState& state, const std::string& path, const std::string& user,
                        const std::function<bool(const std::string&)>& write, bool& noticed) {
  if (write(path)) return true;
  // An installed program's folder, or the current folder it starts in, is
  // the system's: the user's own folder then.
  const bool kept = !user.empty() && state.files->MakeFolders(DirectoryOf(user)) && write(user);
  if (!noticed)
    state.notices.push_back(kept ? path + " cannot be written: it is kept in " + user
                                 : "Neither " + path + " nor " + user + " can be written");
  noticed = true;
  return kept;
}

void WriteSettings(EditorState& state) {
  const std::string text = FormatSettings(state.settings, state.recent);
  const std::vector<uint8_t> bytes(text.begin(), text.end());
  WriteHereOrForUser(
      state, SettingsPath(state), state.userSettingsFile,
      [&state, &bytes](const std::string& path) { return WriteFileSafely(*state.files, path, {bytes}); },
      state.settingsNoticed);
}

void ShowNotices(EditorState& state, Host& host) {
  std::string text;
  for (const std::string& notice : state.notices) text += (text.empty() ? "" : "; ") + notice;
  state.notices.clear();
  host.SetStatusText(text);
}
