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

// Writes the level set to path without touching the editor's state: a
// back-up is not a save of the user's file.
int WriteBackup(EditorState& state, const std::string& path);

// Puts path at the top of the recent-file list and rebuilds the menu entries.
void AddRecentFile(EditorState& state, Host& host, const std::string& path);
