// The file system where the core runs natively (the tools and the tests).
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "base/file_layer.h"

// rename() replaces an existing target in one step on POSIX systems. It
// needs write permission on the folder only, so a write-protected target is
// refused here first: saving over it must fail as opening it for writing
// would (and as replacing it does on Windows). The new file takes the old
// one's permissions, which a fresh file would not have.
bool ReplaceFileAtomically(const std::string& source, const std::string& target) {
  const std::string to = ToNativePath(target);
  const std::string from = ToNativePath(source);
  struct stat old = {};
  if (stat(to.c_str(), &old) == 0) {
    if (access(to.c_str(), W_OK) != 0) {
      errno = EACCES;
      return false;
    }
    chmod(from.c_str(), old.st_mode & 07777);
  }
  return std::rename(from.c_str(), to.c_str()) == 0;
}

FileStamp StampOfFile(const std::string& path) {
  struct stat s = {};
  if (stat(ToNativePath(path).c_str(), &s) != 0 || !S_ISREG(s.st_mode)) return {};
  const long long ticks = static_cast<long long>(s.st_mtim.tv_sec) * 10000000 + s.st_mtim.tv_nsec / 100;
  return {true, static_cast<long long>(s.st_size), ticks};
}

std::vector<std::string> NamesInFolder(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(ToNativePath(folder).c_str());
  if (!dir) return names;
  while (const dirent* entry = readdir(dir)) names.push_back(entry->d_name);
  closedir(dir);
  return names;
}

bool MakeOneFolder(const std::string& folder) {
  const std::string path = ToNativePath(folder);
  struct stat s = {};
  return mkdir(path.c_str(), 0777) == 0 || (stat(path.c_str(), &s) == 0 && S_ISDIR(s.st_mode));
}

std::string FullPathOf(const std::string& path) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(ToNativePath(path), error);
  return error ? std::string() : full.lexically_normal().string();
}
