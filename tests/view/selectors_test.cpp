#include "view/selectors.h"

#include <gtest/gtest.h>

#include "support/editor_harness.h"
#include "view/pointer.h"

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
