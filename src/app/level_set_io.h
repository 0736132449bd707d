// Opening and saving the editor's level set, with what follows a success:
// the modified flag, the title and the recent-file list.
#pragma once

#include <string>

class Host;
struct EditorState;

// Reads the file into a fresh document named path: unmodified, with an empty
// history. 0 on success, 1 when the file cannot be opened or read or has a
// length other than 2670 or 3770 bytes; the document is untouched then.
// Title, recent files, current level and selection are the caller's
// business.
int LoadLevelSet(EditorState& state, const std::string& path);

// Saves the ten levels to path without ever destroying the previous file.
// 0 on success: the document is named path and unmodified, the title
// refreshed and the path put in the recent-file list when it is not one of
// its entries yet. 1 on failure, with nothing changed.
int SaveLevelSet(EditorState& state, Host& host, const std::string& path);


// Files changed by another program. The editor remembers the open file's
// stamp at every load and save; a file gone counts as unchanged (Save
// writes it again).
// A new set, or one recovered without a file: no file on disk is its own.
void ForgetFileOnDisk(EditorState& state);
// The window became active: a changed file is reloaded at once when the set
// is unmodified, or after asking when it is modified; either way as one
// step, so Undo brings back what was shown. A file that cannot be loaded is
// not, and the status bar says so; a change declined is not asked about
// again until the file changes again.
void CheckFileOnDisk(EditorState& state, Host& host);
// Before Save overwrites the open file: true unless it changed on disk and
// the user says not to overwrite it.
bool MayOverwrite(EditorState& state, Host& host, const std::string& path);

// Puts path at the top of the recent-file list and rebuilds the menu entries.
void AddRecentFile(EditorState& state, Host& host, const std::string& path);
