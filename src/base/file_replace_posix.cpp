#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "base/file_layer.h"

// rename() replaces an existing target in one step on POSIX systems. It
// needs write permission on the folder only, so a write-protected target is
// refused here first: saving over it must fail as opening it for writing
// would (and as replacing it does on Windows).
bool ReplaceFileAtomically(const std::string& source, const std::string& target) {
  const std::string to = ToNativePath(target);
  if (access(to.c_str(), F_OK) == 0 && access(to.c_str(), W_OK) != 0) {
    errno = EACCES;
    return false;
  }
  return std::rename(ToNativePath(source).c_str(), to.c_str()) == 0;
}
