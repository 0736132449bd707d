#include "app/recovery_win32.h"

#include <shlobj.h>

#include "app/recovery.h"
#include "base/file_layer.h"

namespace {

std::string LockOf(const std::string& recoveryFile) {
  return recoveryFile.substr(0, recoveryFile.size() - std::string(kRecoveryExtension).size()) + ".lock";
}

}  // namespace

RecoveryPlace::~RecoveryPlace() {
  if (lock_ != INVALID_HANDLE_VALUE) CloseHandle(lock_);
}

bool RecoveryPlace::Open(FileLayer& files) {
  char base[MAX_PATH] = "";
  if (SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, base) != S_OK) return false;
  folder_ = std::string(base) + "\\kraxed\\recovery\\";
  if (!files.MakeFolders(folder_)) return false;
  const std::string name = "editor-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(GetTickCount());
  // No sharing: nobody else can open the lock while this process lives, and
  // the system deletes it when the process ends, however it ends.
  lock_ = CreateFileA((folder_ + name + ".lock").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (lock_ == INVALID_HANDLE_VALUE) return false;
  ownFile_ = folder_ + name + kRecoveryExtension;
  return true;
}

bool RecoveryPlace::OwnerRunning(const std::string& recoveryFile) {
  const std::string lock = LockOf(recoveryFile);
  HANDLE probe = CreateFileA(lock.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
  // A lock nobody holds any more: left by a system that went down.
  CloseHandle(probe);
  DeleteFileA(lock.c_str());
  return false;
}
