#include "app/recent_files.h"

#include <gtest/gtest.h>

TEST(RecentFiles, NewPathsGoOnTopKnownOnesMoveUp) {
  RecentFileList list;
  const struct Row {  // the path added; where it was found, the count before; the list afterwards
    const char* path;
    int found, count;
    std::vector<std::string> after;
  } rows[] = {{"P", -1, 0, {"P"}}, {"Q", -1, 1, {"Q", "P"}}, {"R", -1, 2, {"R", "Q", "P"}}, {"S", -1, 3, {"S", "R", "Q", "P"}},
              {"T", -1, 4, {"T", "S", "R", "Q"}}, {"R", 2, 4, {"R", "T", "S", "Q"}}, {"R", 0, 4, {"R", "T", "S", "Q"}},
              {"Q", 3, 4, {"Q", "R", "T", "S"}}, {"t", -1, 4, {"t", "Q", "R", "T"}}};  // letter case counts
  for (const Row& r : rows) {
    EXPECT_EQ(list.Find(r.path), r.found) << r.path;
    EXPECT_EQ(list.Add(r.path), r.count) << r.path;
    EXPECT_EQ(std::vector<std::string>(list.recentFiles.begin(), list.recentFiles.begin() + list.recentFileCount), r.after);
  }
}
