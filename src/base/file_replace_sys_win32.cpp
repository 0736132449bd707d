#include <windows.h>

#include "base/file_layer.h"

// The C runtime's rename() refuses an existing target on Windows; MoveFileEx
// replaces it in one step.
bool ReplaceFileAtomically(const std::string& source, const std::string& target) {
  return MoveFileExA(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
