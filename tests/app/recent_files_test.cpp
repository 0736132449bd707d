#include "app/recent_files.h"

#include <gtest/gtest.h>

using Paths = std::vector<std::string>;

// Four paths are kept: a new one goes on top and the oldest drops out; a
// known one moves up.
TEST(RecentFiles, NewPathsGoOnTopKnownOnesMoveUp) {
  RecentFileList list;
  for (const char* path : {"P", "Q", "R", "S", "T"}) list.Add(path);
  EXPECT_EQ(list.Files(), (Paths{"T", "S", "R", "Q"}));
  EXPECT_EQ(list.Add("Q"), 4);
  EXPECT_EQ(list.Files(), (Paths{"Q", "T", "S", "R"}));
}
