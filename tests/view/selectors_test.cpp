#include "view/selectors.h"

#include <gtest/gtest.h>

#include "support/editor_harness.h"
#include "view/pointer.h"

// Four pattern sets; level 4 on set 4, which the catalogue does not have.
TEST(Selectors, TheLevelSelectorShowsALevelAndTheGraphicsSelectorItsPatternSet) {
  Harness h;
  for (int i = 0; i < 4; ++i) h.state.catalogue.patternSets.push_back(PatternSet{{}, {}, "set"});
  h.Open([](LevelSet& levels) { levels[3].SetPatternSet(PatternSetValueOf(4)); });
  EXPECT_EQ(OnSelectorScroll(h.state, h.host, Selector::Level, 3), 1);
  EXPECT_EQ(h.state.session.currentLevel, 3);
  EXPECT_EQ(h.host.selectorPositions.back(), std::make_pair(Selector::Graphics, 4));
  EXPECT_EQ(h.host.LastStatus(), "Level 4");
  EXPECT_EQ(h.state.session.repaintFlags, kRepaintAll);
  // A pattern set of the catalogue, in a step of its own.
  OnSelectorScroll(h.state, h.host, Selector::Graphics, 2);
  OnSelectorScroll(h.state, h.host, Selector::Graphics, 4);
  EXPECT_EQ(h.level(3).GetPatternSet(), PatternSetValueOf(2));
  EXPECT_EQ(h.host.LastTitle(), "Kraxolan Editor - [set.kxl *]");
  EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 1u);
}

TEST(Selectors, ZoomLaysOutTheRegionsAndTheWindowAgain) {
  Harness h;
  ApplyZoom(h.state, h.host, 2);
  EXPECT_EQ(h.state.session.regionList.Size(), 17u);  // laid out anew, not added to
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
}
