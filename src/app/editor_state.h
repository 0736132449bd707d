// The program-wide state: the editor (document, session, options,
// catalogue) and what only the application keeps: the recent files, the
// program's folder and the file layer saves go through. The shell owns the
// one instance; every core operation takes it by reference, so each test
// builds a fresh one.
#pragma once

#include <string>
#include <vector>

#include "app/recent_files.h"
#include "base/file_layer.h"
#include "view/editor.h"

struct EditorState : Editor {
  RecentFileList recent;
  std::string programDirectory;
  FileLayer* files = &SystemFileLayer();  // where saves go; tests inject failures here
  // The open file as this editor last loaded or saved it (not there: none
  // yet), the full path it had then (a relative name may lead elsewhere once
  // the current folder moves), and a change on disk the user chose not to
  // reload.
  FileStamp fileOnDisk;
  std::string fileOnDiskPath;
  FileStamp declinedOnDisk;
  // The set belongs to a file of its own: opened, saved, or recovered as
  // such (a new set does not, until it is saved).
  bool hasFile = false;
  // Where the settings and the back-up go when the program's folder or the
  // current folder cannot be written (%APPDATA%\kraxed\kraxed.ini,
  // %LOCALAPPDATA%\kraxed\backup.kxl); empty: nowhere else.
  std::string userSettingsFile;
  std::string userBackupFile;
  // What could not be written where it belongs, each said once in the
  // status bar as soon as there is one.
  std::vector<std::string> notices;
  bool settingsNoticed = false;
  bool backupNoticed = false;
};
