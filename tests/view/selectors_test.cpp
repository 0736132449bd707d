#include "view/selectors.h"

#include <gtest/gtest.h>

#include "support/editor_harness.h"
#include "view/pointer.h"
#include "view/undo.h"

namespace {

// Four pattern sets; level 4 on set 4, level 10 on a set whose index is -1.
void OpenFourSets(Harness& h) {
  for (int i = 0; i < 4; ++i) h.state.catalogue.patternSets.push_back(PatternSet{{}, {}, "set"});
  h.Open([](LevelSet& levels) {
    levels[3].SetPatternSet(PatternSetValueOf(4));
    levels[9].SetPatternSet(PatternSetValueOf(-1));
  });
}

}  // namespace

TEST(Selectors, TheLevelSelectorShowsALevel) {
  Harness h;
  OpenFourSets(h);
  EXPECT_EQ(OnSelectorScroll(h.state, h.host, Selector::Level, 3), 1);
  EXPECT_EQ(h.state.session.currentLevel, 3);
  EXPECT_EQ(h.host.selectorPositions.back(), std::make_pair(Selector::Graphics, 4));
  EXPECT_EQ(h.host.LastStatus(), "Level 4");
  EXPECT_EQ(h.state.session.repaintFlags, kRepaintAll);
  OnSelectorScroll(h.state, h.host, Selector::Level, 9);  // the control takes a 16-bit position
  EXPECT_EQ(h.host.selectorPositions.back(), std::make_pair(Selector::Graphics, 0xFFFF));
  const size_t positions = h.host.selectorPositions.size();
  for (int p : {-1, kLevelCount}) OnSelectorScroll(h.state, h.host, Selector::Level, p);
  EXPECT_EQ(h.state.session.currentLevel, 9);
  EXPECT_EQ(h.host.selectorPositions.size(), positions);
  SelectLevel(h.state, h.host, 2);
  EXPECT_EQ(h.host.selectorPositions[positions], std::make_pair(Selector::Level, 2));
}

TEST(Selectors, TheGraphicsSelectorChangesThePatternSetInAStep) {
  Harness h;
  OpenFourSets(h);
  SelectLevel(h.state, h.host, 2);
  OnSelectorScroll(h.state, h.host, Selector::Graphics, 2);
  EXPECT_EQ(h.level(2).GetPatternSet(), PatternSetValueOf(2));
  EXPECT_EQ(h.host.LastTitle(), "Kraxolan Editor - [set.kxl *]");
  for (int p : {4, -1}) OnSelectorScroll(h.state, h.host, Selector::Graphics, p);
  EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 1u);
  UndoStep(h.state, h.host);
  EXPECT_EQ(h.level(2).GetPatternSet(), PatternSetValueOf(0));
  EXPECT_EQ(h.host.selectorPositions.back(), std::make_pair(Selector::Graphics, 0));
}

TEST(Selectors, TheTeleportSelectorPicksAPair) {
  Harness h;
  EXPECT_EQ(OnSelectorScroll(h.state, h.host, Selector::Teleport, 7), 1);
  for (int p : {kTeleportPairs, -1}) OnSelectorScroll(h.state, h.host, Selector::Teleport, p);
  EXPECT_EQ(h.state.session.teleportPair, 7);
}

TEST(Selectors, ZoomLaysOutTheRegionsAndTheWindowAgain) {
  Harness h;
  ApplyZoom(h.state, h.host, 2);
  const ScreenRegion* teleport = h.state.session.regionList.FindRegionById(kRegionTeleport);
  ASSERT_NE(teleport, nullptr);
  EXPECT_EQ(teleport->left, 518);  // a region at zoom 2, written out once
  EXPECT_EQ(teleport->top, 390);
  EXPECT_EQ(teleport->right, 582);
  EXPECT_EQ(teleport->bottom, 420);
  EXPECT_EQ(h.state.session.regionList.Size(), 17u);
  EXPECT_EQ(h.host.zooms, std::vector<int>{2});
  EXPECT_EQ(h.state.session.layoutChanged, 1);
  OnLeftButtonDown(h.state, h.host, kKeyLeftButton, Pack(600, 100));  // where the double-size window shows the gem
  EXPECT_EQ(h.state.session.selectionValue, kCellGem);
  ApplyZoom(h.state, h.host, 1);
  h.state.session.layoutChanged = 0;
  for (int z : {0, 3, -2}) ApplyZoom(h.state, h.host, z);
  EXPECT_EQ(h.state.settings.zoom, 1);
  EXPECT_EQ(h.host.zooms, (std::vector<int>{2, 1}));
  EXPECT_EQ(h.state.session.layoutChanged, 0);
  EXPECT_EQ(MainWindowWidth(2), 1046);
  EXPECT_EQ(MainWindowHeight(2), 499);
}
