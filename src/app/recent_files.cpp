#include "app/recent_files.h"

int RecentFileList::Find(const std::string& path) const {
  for (int i = 0; i < recentFileCount; ++i)
    if (recentFiles[i] == path) return i;
  return -1;
}

int RecentFileList::Add(const std::string& path) {
  const int before = recentFileCount;
  int from = Find(path);
  if (from < 0) {
    if (recentFileCount < kMaxRecentFiles) ++recentFileCount;
    from = recentFileCount - 1;  // the last place is overwritten
  }
  for (int i = from; i > 0; --i) recentFiles[i] = recentFiles[i - 1];
  recentFiles[0] = path;
  return before;
}
