// The last four level-set files opened or saved, most recent first.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kMaxRecentFiles = 4;
constexpr int kRecentFileCommand = 44666;  // entry i has command id 44666 + i

struct RecentFileList {
  std::array<std::string, kMaxRecentFiles> recentFiles;
  int32_t recentFileCount = 0;

  // Position of path among the valid entries (exact, case-sensitive), or -1.
  int Find(const std::string& path) const;
  // Puts path at the top: a new path pushes the others down (the oldest of
  // four drops out), a known one moves up. Returns the count before.
  int Add(const std::string& path);
  // The valid entries, most recent first.
  std::vector<std::string> Files() const {
    return {recentFiles.begin(), recentFiles.begin() + recentFileCount};
  }
};
