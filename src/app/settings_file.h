// kraxed.ini: the editor's options and its recent-file list, one
// "Key = value" line each, CR LF line ends, beside the program.
#pragma once

#include <functional>
#include <string>

#include "view/editor_settings.h"
#include "app/recent_files.h"

class Host;
struct EditorState;

constexpr const char* kSettingsFileName = "kraxed.ini";

// The text WriteSettings puts into the file.
std::string FormatSettings(const EditorSettings& settings, const RecentFileList& recent);

// Applies the text of a settings file: a value of exactly "TRUE" switches an
// option on, anything else leaves it; each "LoadFile" path is offered to
// keepRecent, which says whether it stays in the list (at most four do).
// A line ends at a zero byte.
void ParseSettings(const std::string& text, EditorSettings& settings, RecentFileList& recent,
                   const std::function<bool(const std::string&)>& keepRecent);

// Start-up: reads the file (the user's own one when the program's folder
// holds none; the defaults when there is neither), tests
// each remembered file by loading it into a scratch level set (the editor's
// own levels stay as they are), drops the ones that fail with a message, and
// decides which file to open first; then rewrites the file. The document's
// file name holds the command line's path or the no-file marker, and
// afterwards the file to open first (still the marker when there is none).
void ReadSettings(EditorState& state, Host& host);

// Rewrites the file from the current values. Where the program's folder
// cannot be written, the user's own settings file is written instead; the
// first failure leaves a notice for the status bar.
void WriteSettings(EditorState& state);

// Writes a file to `path` (by `write`), or where that cannot be written, to
// `user` (an empty name: nowhere else). The first time that is needed, a
// notice for the status bar says so (`noticed` remembers). True when written.
bool WriteHereOrForUser(EditorState& state, const std::string& path, const std::string& user,
                        const std::function<bool(const std::string&)>& write, bool& noticed);

// Says the notices left for the status bar, all at once.
void ShowNotices(EditorState& state, Host& host);
