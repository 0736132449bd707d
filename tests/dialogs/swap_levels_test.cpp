#include "dialogs/swap_levels.h"

#include <gtest/gtest.h>

#include "app/editor_state.h"
#include "support/fake_host.h"

namespace {

// Levels that differ in every part: settings, grids, actors and time.
LevelSet DistinctLevels() {
  LevelSet levels;
  for (int i = 0; i < kLevelCount; ++i) {
    Level& level = levels[i];
    level.goal = i % 4;
    level.patternSet = 3 + i;
    level.music = i;
    level.enemyTypes[1] = i + 1;
    level.cells[i * 7] = 64 + i;
    level.floors[220 - i] = i;
    level.actors[0].Set(8 + 16 * i, 16, 3, 0, 0, 4);
    level.actors[5].speed = 8;
    level.time[0] = static_cast<char>('1' + i % 9);
  }
  return levels;
}

}  // namespace

TEST(SwapLevels, WholeLevelsChangePlaces) {
  EditorState state;
  FakeHost host;
  state.currentFileName = "set.kxl";
  state.levels = DistinctLevels();
  const LevelSet original = state.levels;

  EXPECT_TRUE(SwapLevels(state, host, 2, 7));
  EXPECT_EQ(state.levels[2], original[7]);
  EXPECT_EQ(state.levels[7], original[2]);
  for (int i : {0, 1, 3, 4, 5, 6, 8, 9}) EXPECT_EQ(state.levels[i], original[i]) << i;
  EXPECT_EQ(state.modified, 1);
  EXPECT_EQ(host.LastTitle(), "Kraxolan Editor - [set.kxl *]");
  EXPECT_EQ(host.fullInvalidations, 1);
  EXPECT_EQ(state.repaintFlags, kRepaintAll);
  EXPECT_TRUE(host.selectorPositions.empty());  // the current level was not involved

  // The same choices again restore the order; the set stays modified.
  EXPECT_TRUE(SwapLevels(state, host, 2, 7));
  EXPECT_EQ(state.levels, original);
  EXPECT_EQ(state.modified, 1);
}

TEST(SwapLevels, CurrentLevelAndOddChoices) {
  EditorState state;
  FakeHost host;
  state.levels = DistinctLevels();
  const LevelSet original = state.levels;
  state.currentLevel = 2;

  // Level 3 current: level 8's former contents now show as level 3, and the
  // graphics selector follows their pattern set.
  EXPECT_TRUE(SwapLevels(state, host, 7, 2));
  EXPECT_EQ(state.currentLevel, 2);
  EXPECT_EQ(state.CurrentLevel(), original[7]);
  ASSERT_EQ(host.selectorPositions.size(), 1u);
  EXPECT_EQ(host.selectorPositions[0], std::make_pair(Selector::Graphics, 7));

  // A level with itself: nothing changes, but it counts as a change.
  state.levels = original;
  state.modified = 0;
  EXPECT_TRUE(SwapLevels(state, host, 0, 0));
  EXPECT_EQ(state.levels, original);
  EXPECT_EQ(state.modified, 1);

  // Indexes outside 0..9 are refused.
  state.modified = 0;
  const int invalidations = host.fullInvalidations;
  EXPECT_FALSE(SwapLevels(state, host, -1, 3));
  EXPECT_FALSE(SwapLevels(state, host, 3, 10));
  EXPECT_EQ(state.levels, original);
  EXPECT_EQ(state.modified, 0);
  EXPECT_EQ(host.fullInvalidations, invalidations);
}
