#include "app/recent_files.h"

#include <gtest/gtest.h>

#include <algorithm>

using Paths = std::vector<std::string>;

TEST(RecentFiles, NewPathsGoOnTopKnownOnesMoveUp) {
  const struct Row {  // the list, the path added; where it was found, the count before, the list afterwards
    Paths before;
    const char* path;
    int found;
    int count;
    Paths after;
  } rows[] = {
      {{"R", "Q", "P"}, "S", -1, 3, {"S", "R", "Q", "P"}},
      {{"S", "R", "Q", "P"}, "T", -1, 4, {"T", "S", "R", "Q"}},  // the oldest drops out
      {{"R", "T", "S", "Q"}, "Q", 3, 4, {"Q", "R", "T", "S"}},
      {{"Q", "R", "T", "S"}, "t", -1, 4, {"t", "Q", "R", "T"}},  // letter case counts
  };
  for (const Row& r : rows) {
    RecentFileList list;
    std::copy(r.before.begin(), r.before.end(), list.recentFiles.begin());
    list.recentFileCount = static_cast<int32_t>(r.before.size());
    EXPECT_EQ(list.Find(r.path), r.found) << r.path;
    EXPECT_EQ(list.Add(r.path), r.count) << r.path;
    EXPECT_EQ(list.Files(), r.after) << r.path;
  }
}
