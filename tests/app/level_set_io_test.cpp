#include "app/level_set_io.h"

#include <gtest/gtest.h>

#include "app/editor_state.h"
#include "level/level_file.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

TEST(LevelSetIo, SaveClearsModifiedAndRecordsTheFileOnce) {
  TempDir dir;
  EditorState state;
  FakeHost host;
  const std::string path = dir.Path("set.kxl");
  state.currentFileName = path;
  state.modified = 1;
  state.levels[2].goal = 1;
  ASSERT_EQ(SaveLevelSet(state, host, path), 0);
  EXPECT_EQ(state.modified, 0);
  EXPECT_EQ(host.LastTitle(), "Kraxolan Editor - [" + path + "]");
  EXPECT_EQ(state.recent.recentFileCount, 1);
  EXPECT_EQ(state.recent.recentFiles[0], path);
  EXPECT_EQ(host.menuRebuilds, 1);
  EXPECT_EQ(ReadBytes(path), EncodeLevelSet(state.levels));

  ASSERT_EQ(SaveLevelSet(state, host, path), 0);
  EXPECT_EQ(state.recent.recentFileCount, 1);
  EXPECT_EQ(host.menuRebuilds, 1);
}

TEST(LevelSetIo, SavingUnderAnotherLetterCaseIsAnotherEntry) {
  TempDir dir;
  EditorState state;
  FakeHost host;
  state.recent.Add(dir.Path("SET.kxl"));
  ASSERT_EQ(SaveLevelSet(state, host, dir.Path("set.kxl")), 0);
  EXPECT_EQ(state.recent.recentFileCount, 2);
  EXPECT_EQ(state.recent.recentFiles[0], dir.Path("set.kxl"));
}

TEST(LevelSetIo, LoadTouchesNothingOnFailure) {
  TempDir dir;
  EditorState state;
  state.modified = 1;
  state.levels[4].music = 5;
  const LevelSet before = state.levels;
  WriteBytes(dir.Path("short.kxl"), std::vector<uint8_t>(3769, 0));
  EXPECT_EQ(LoadLevelSet(state, dir.Path("short.kxl")), 1);
  EXPECT_EQ(LoadLevelSet(state, dir.Path("missing.kxl")), 1);
  EXPECT_EQ(state.levels, before);
  EXPECT_EQ(state.modified, 1);

  LevelSet other;
  other[9].goal = 2;
  WriteBytes(dir.Path("good.kxl"), EncodeLevelSet(other));
  EXPECT_EQ(LoadLevelSet(state, dir.Path("good.kxl")), 0);
  EXPECT_EQ(state.levels, other);
  EXPECT_EQ(state.modified, 0);
}

TEST(LevelSetIo, BackupLeavesTheEditorStateAlone) {
  TempDir dir;
  EditorState state;
  FakeHost host;
  state.modified = 1;
  state.levels[1].goal = 1;
  ASSERT_EQ(WriteBackup(state, dir.Path("backup.kxl")), 0);
  EXPECT_EQ(state.modified, 1);
  EXPECT_EQ(state.recent.recentFileCount, 0);
  EXPECT_EQ(ReadBytes(dir.Path("backup.kxl")), EncodeLevelSet(state.levels));
  EXPECT_EQ(WriteBackup(state, dir.Path("missing/backup.kxl")), 1);
}
