// Where this editor keeps its recovery file on Windows: the folder
// %LOCALAPPDATA%\kraxed\recovery\, a file named for this process, and a lock
// beside it that this process holds open for its whole life. Another
// editor's recovery file is offered back only once its lock is gone, which
// the system sees to however that editor ended; a process id used again by
// another program cannot look like it.
#pragma once

#include <windows.h>

#include <string>

class FileLayer;

class RecoveryPlace {
 public:
  RecoveryPlace() = default;
  ~RecoveryPlace();
  RecoveryPlace(const RecoveryPlace&) = delete;
  RecoveryPlace& operator=(const RecoveryPlace&) = delete;

  // Makes the folder when it is missing and takes this editor's lock; false
  // when there is no such folder or it cannot be written.
  bool Open(FileLayer& files);
  const std::string& Folder() const { return folder_; }
  // This editor's recovery file; empty when Open failed.
  const std::string& OwnFile() const { return ownFile_; }
  // Whether the editor that wrote this recovery file still runs.
  static bool OwnerRunning(const std::string& recoveryFile);

 private:
  std::string folder_;
  std::string ownFile_;
  HANDLE lock_ = INVALID_HANDLE_VALUE;
};
