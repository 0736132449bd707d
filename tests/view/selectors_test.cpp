#include "view/selectors.h"

#include <gtest/gtest.h>

#include "view/editing.h"
#include "view/layout.h"
#include "view_harness.h"

namespace {

void AddPatternSets(EditorState& state, int count) {
  for (int i = 0; i < count; ++i) state.catalogue.patternSets.push_back(PatternSet{{}, {}, "set"});
}

}  // namespace

TEST(LevelSelector, ShowsTheLevelAndItsPatternSet) {
  ViewHarness h;
  h.state.levels[3].patternSet = 7;
  EXPECT_EQ(OnSelectorScroll(h.state, h.host, Selector::Level, 3), 1);
  EXPECT_EQ(h.state.currentLevel, 3);
  ASSERT_EQ(h.host.selectorPositions.size(), 1u);
  EXPECT_EQ(h.host.selectorPositions[0], std::make_pair(Selector::Graphics, 4));
  EXPECT_EQ(h.host.LastStatus(), "Level 4");
  EXPECT_EQ(h.state.repaintFlags, 3);
  EXPECT_EQ(h.host.fullInvalidations, 1);
  EXPECT_EQ(h.state.modified, 0);
  // The second notification of the same click changes nothing more.
  OnSelectorScroll(h.state, h.host, Selector::Level, 3);
  EXPECT_EQ(h.state.currentLevel, 3);
  EXPECT_EQ(h.host.selectorPositions.back(), std::make_pair(Selector::Graphics, 4));
  // The selector takes a 16-bit position.
  h.state.levels[9].patternSet = 2;
  OnSelectorScroll(h.state, h.host, Selector::Level, 9);
  EXPECT_EQ(h.host.selectorPositions.back(), std::make_pair(Selector::Graphics, 0xFFFF));
  EXPECT_EQ(h.host.LastStatus(), "Level 10");
  // Positions that are no level are refused.
  ViewHarness bad;
  for (int p : {-1, 10, 32767, -32768}) OnSelectorScroll(bad.state, bad.host, Selector::Level, p);
  EXPECT_EQ(bad.state.currentLevel, 0);
  EXPECT_TRUE(bad.host.selectorPositions.empty());
  EXPECT_TRUE(bad.host.statusTexts.empty());
  EXPECT_EQ(bad.host.fullInvalidations, 0);
}

TEST(GraphicsSelector, ChangesThePatternSetOfTheCurrentLevel) {
  ViewHarness h;
  AddPatternSets(h.state, 4);
  h.state.currentLevel = 2;
  EXPECT_EQ(h.level().patternSet, 3);
  EXPECT_EQ(OnSelectorScroll(h.state, h.host, Selector::Graphics, 2), 1);
  EXPECT_EQ(h.state.levels[2].patternSet, 5);
  EXPECT_EQ(h.state.levels[1].patternSet, 3);
  EXPECT_EQ(h.state.modified, 1);
  EXPECT_EQ(h.host.LastTitle(), "Kraxolan Editor - [set.kxl *]");
  EXPECT_EQ(h.state.repaintFlags, 3);
  EXPECT_EQ(h.host.fullInvalidations, 1);
  OnSelectorScroll(h.state, h.host, Selector::Graphics, 3);
  EXPECT_EQ(h.state.levels[2].patternSet, 6);
  // Past the catalogue, or with no pattern set at all, nothing happens.
  for (int p : {4, -1, 100}) OnSelectorScroll(h.state, h.host, Selector::Graphics, p);
  EXPECT_EQ(h.state.levels[2].patternSet, 6);
  ViewHarness empty;
  OnSelectorScroll(empty.state, empty.host, Selector::Graphics, 0);
  EXPECT_EQ(empty.level().patternSet, 3);
  EXPECT_EQ(empty.state.modified, 0);
  EXPECT_TRUE(empty.host.titles.empty());
  EXPECT_EQ(empty.host.fullInvalidations, 0);
}

TEST(TeleportSelector, ChoosesThePair) {
  ViewHarness h;
  EXPECT_EQ(OnSelectorScroll(h.state, h.host, Selector::Teleport, 7), 1);
  EXPECT_EQ(h.state.teleportPair, 7);
  EXPECT_EQ(h.state.repaintFlags, 3);
  EXPECT_EQ(h.host.fullInvalidations, 1);
  EXPECT_EQ(h.state.modified, 0);
  OnSelectorScroll(h.state, h.host, Selector::Teleport, 0);
  EXPECT_EQ(h.state.teleportPair, 0);
  for (int p : {8, -1}) OnSelectorScroll(h.state, h.host, Selector::Teleport, p);
  EXPECT_EQ(h.state.teleportPair, 0);
  EXPECT_EQ(h.host.fullInvalidations, 2);
}

TEST(SelectLevel, MovesBothSelectorsButNotTheStatus) {
  ViewHarness h;
  h.state.levels[9].patternSet = 5;
  SelectLevel(h.state, h.host, 9);
  EXPECT_EQ(h.state.currentLevel, 9);
  ASSERT_EQ(h.host.selectorPositions.size(), 2u);
  EXPECT_EQ(h.host.selectorPositions[0], std::make_pair(Selector::Level, 9));
  EXPECT_EQ(h.host.selectorPositions[1], std::make_pair(Selector::Graphics, 2));
  EXPECT_EQ(h.state.repaintFlags, 3);
  EXPECT_EQ(h.host.fullInvalidations, 1);
  EXPECT_TRUE(h.host.statusTexts.empty());
  SelectLevel(h.state, h.host, 0);
  EXPECT_EQ(h.state.currentLevel, 0);
  EXPECT_EQ(h.host.selectorPositions[3], std::make_pair(Selector::Graphics, 0));
  for (int n : {-1, 10}) SelectLevel(h.state, h.host, n);
  EXPECT_EQ(h.state.currentLevel, 0);
  EXPECT_EQ(h.host.selectorPositions.size(), 4u);
}

TEST(ApplyZoom, RelaysTheWindowForTheNewSize) {
  ViewHarness h;
  ApplyZoom(h.state, h.host, 2);
  EXPECT_EQ(h.state.settings.zoom, 2);
  EXPECT_EQ(h.state.regionList.Size(), 17u);
  const ScreenRegion* teleport = h.state.regionList.FindRegionById(kRegionTeleport);
  ASSERT_NE(teleport, nullptr);
  EXPECT_EQ(teleport->left, 518);
  EXPECT_EQ(teleport->right, 582);
  EXPECT_EQ(teleport->top, 390);
  EXPECT_EQ(teleport->bottom, 420);
  EXPECT_EQ(h.host.zooms, std::vector<int>{2});
  EXPECT_EQ(h.state.repaintFlags, 3);
  EXPECT_EQ(h.state.layoutChanged, 1);
  EXPECT_EQ(h.host.fullInvalidations, 1);
  // Clicks now land where the double-size window shows the gem.
  h.Select(kSelectPattern, 5);
  OnLeftButtonDown(h.state, h.host, 1, Pack(600, 100));
  EXPECT_EQ(h.state.selectionValue, 31);
  ApplyZoom(h.state, h.host, 1);
  EXPECT_EQ(h.state.regionList.FindRegionById(kRegionTeleport)->left, 259);
  EXPECT_EQ(h.state.regionList.Size(), 17u);
  EXPECT_EQ(h.host.zooms, (std::vector<int>{2, 1}));
  // Only 1 and 2 exist.
  h.state.layoutChanged = 0;
  for (int z : {0, 3, -2}) ApplyZoom(h.state, h.host, z);
  EXPECT_EQ(h.state.settings.zoom, 1);
  EXPECT_EQ(h.host.zooms.size(), 2u);
  EXPECT_EQ(h.state.layoutChanged, 0);
}
