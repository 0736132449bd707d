// The file system on Windows.
#include <windows.h>

#include "base/file_layer.h"

namespace {

// FILETIME counts 100-nanosecond ticks from 1601; the stamps count from 1970.
constexpr long long kTicksFrom1601To1970 = 116444736000000000LL;

}  // namespace

// The C runtime's rename() refuses an existing target on Windows; MoveFileEx
// replaces it in one step. The new file's access rights are those of its
// folder, which the file replaced had too, unless someone set its own.
bool ReplaceFileAtomically(const std::string& source, const std::string& target) {
  return MoveFileExA(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

FileStamp StampOfFile(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return {};
  const long long size = static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
  const long long time =
      static_cast<long long>(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
  return {true, size, time - kTicksFrom1601To1970};
}

std::vector<std::string> NamesInFolder(const std::string& folder) {
  std::vector<std::string> names;
  const std::string pattern = folder + (folder.empty() || folder.back() == '\\' ? "*" : "\\*");
  WIN32_FIND_DATAA found = {};
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

bool MakeOneFolder(const std::string& folder) {
  if (CreateDirectoryA(folder.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FullPathOf(const std::string& path) {
  char full[MAX_PATH] = "";
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return length > 0 && length < sizeof full ? std::string(full) : std::string();
}
