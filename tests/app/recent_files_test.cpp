#include "app/recent_files.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Entries(const RecentFileList& list) {
  return {list.recentFiles.begin(), list.recentFiles.begin() + list.recentFileCount};
}

}  // namespace

TEST(RecentFiles, NewPathsGoOnTopAndTheOldestDropsOut) {
  RecentFileList list;
  EXPECT_EQ(list.Add("P"), 0);
  EXPECT_EQ(list.Add("Q"), 1);
  for (const char* p : {"R", "S", "T"}) list.Add(p);
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"T", "S", "R", "Q"}));
  EXPECT_EQ(list.Add("U"), 4);
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"U", "T", "S", "R"}));
}

TEST(RecentFiles, KnownPathsMoveUp) {
  RecentFileList list;
  for (const char* p : {"Q", "R", "S", "T"}) list.Add(p);
  list.Add("R");
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"R", "T", "S", "Q"}));
  list.Add("R");
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"R", "T", "S", "Q"}));
  list.Add("Q");
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"Q", "R", "T", "S"}));
  EXPECT_EQ(list.Find("T"), 2);
  EXPECT_EQ(list.Find("t"), -1);  // letter case counts
  list.Add("t");
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"t", "Q", "R", "T"}));
}
