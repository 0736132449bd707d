#include <cstdio>

#include "level/file_layer.h"

// rename() replaces an existing target in one step on POSIX systems.
bool ReplaceFileAtomically(const std::string& source, const std::string& target) {
  return std::rename(ToNativePath(source).c_str(), ToNativePath(target).c_str()) == 0;
}
