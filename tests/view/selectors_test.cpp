#include "view/selectors.h"

#include <gtest/gtest.h>

#include "support/editor_harness.h"
#include "support/recording_painter.h"
#include "support/test_sheets.h"
#include "view/paint_area.h"
#include "view/pointer.h"
#include "view/undo.h"

TEST(Selectors, LevelGraphicsAndTeleport) {
  Harness h;
  for (int i = 0; i < 4; ++i) h.state.catalogue.patternSets.push_back(PatternSet{{}, {}, "set"});
  h.Open([](LevelSet& levels) {
    levels[3].SetPatternSet(7);
    levels[9].SetPatternSet(2);
  });
  EXPECT_EQ(OnSelectorScroll(h.state, h.host, Selector::Level, 3), 1);
  EXPECT_EQ(h.state.session.currentLevel, 3);
  EXPECT_EQ(h.host.selectorPositions.back(), std::make_pair(Selector::Graphics, 4));
  EXPECT_EQ(h.host.LastStatus(), "Level 4");
  EXPECT_EQ(h.state.session.repaintFlags, 3);
  OnSelectorScroll(h.state, h.host, Selector::Level, 9);  // a 16-bit position
  EXPECT_EQ(h.host.selectorPositions.back(), std::make_pair(Selector::Graphics, 0xFFFF));
  const size_t positions = h.host.selectorPositions.size();
  for (int p : {-1, 10, 32767}) OnSelectorScroll(h.state, h.host, Selector::Level, p);
  EXPECT_EQ(h.state.session.currentLevel, 9);
  EXPECT_EQ(h.host.selectorPositions.size(), positions);
  EXPECT_FALSE(h.modified());

  // The graphics selector changes the current level's pattern set: a step.
  SelectLevel(h.state, h.host, 2);
  EXPECT_EQ(h.host.selectorPositions[positions], std::make_pair(Selector::Level, 2));
  OnSelectorScroll(h.state, h.host, Selector::Graphics, 2);
  EXPECT_EQ(h.level(2).GetPatternSet(), 5);
  EXPECT_EQ(h.host.LastTitle(), "Kraxolan Editor - [set.kxl *]");
  for (int p : {4, -1}) OnSelectorScroll(h.state, h.host, Selector::Graphics, p);
  OnSelectorScroll(h.state, h.host, Selector::Graphics, 2);  // the same again: no step
  EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 1u);
  UndoStep(h.state, h.host);
  EXPECT_EQ(h.level(2).GetPatternSet(), 3);
  EXPECT_EQ(h.host.selectorPositions.back(), std::make_pair(Selector::Graphics, 0));
  EXPECT_FALSE(h.modified());

  EXPECT_EQ(OnSelectorScroll(h.state, h.host, Selector::Teleport, 7), 1);
  for (int p : {8, -1}) OnSelectorScroll(h.state, h.host, Selector::Teleport, p);
  EXPECT_EQ(h.state.session.teleportPair, 7);
  EXPECT_FALSE(h.modified());
}

TEST(Selectors, ZoomRelaysTheRegionsAndTheWindow) {
  Harness h;
  ApplyZoom(h.state, h.host, 2);
  const ScreenRegion* teleport = h.state.session.regionList.FindRegionById(kRegionTeleport);
  ASSERT_NE(teleport, nullptr);
  EXPECT_EQ((std::vector<int>{teleport->left, teleport->top, teleport->right, teleport->bottom}),
            (std::vector<int>{518, 390, 582, 420}));
  EXPECT_EQ(h.state.session.regionList.Size(), 17u);
  EXPECT_EQ(h.host.zooms, std::vector<int>{2});
  EXPECT_EQ(h.state.session.layoutChanged, 1);
  // Clicks now land where the double-size window shows the gem.
  OnLeftButtonDown(h.state, h.host, kKeyLeftButton, Pack(600, 100));
  EXPECT_EQ(h.state.session.selectionValue, 31);
  ApplyZoom(h.state, h.host, 1);
  h.state.session.layoutChanged = 0;
  for (int z : {0, 3, -2}) ApplyZoom(h.state, h.host, z);
  EXPECT_EQ(h.state.settings.zoom, 1);
  EXPECT_EQ(h.host.zooms, (std::vector<int>{2, 1}));
  EXPECT_EQ(h.state.session.layoutChanged, 0);
  EXPECT_EQ(MainWindowWidth(1) * 1000 + MainWindowHeight(1), 523290);
  EXPECT_EQ(MainWindowWidth(2) * 1000 + MainWindowHeight(2), 1046499);
}

TEST(PaintArea, TheCanvasIsComposedOnlyWhenTheUpdateAreaReachesIt) {
  const auto compositions = [](int z, int32_t flags, const ClientRect& area, bool erased = false,
                               size_t* calls = nullptr) {
    Editor editor;
    editor.catalogue = MakeTestCatalogue(1, 4);
    editor.settings.zoom = z;
    LayoutRegions(editor.session.regionList, z);
    editor.session.repaintFlags = flags;
    RecordingPainter painter;
    PaintMainWindowArea(editor, painter, area, erased);
    EXPECT_EQ(editor.session.repaintFlags, flags);  // a request not met stays
    if (calls) *calls = painter.calls.size();
    return painter.Of(PaintCall::Kind::BeginOffscreen).size();
  };
  for (int z : {1, 2}) {
    const ClientRect c{z, z + 16, 257 * z, 209 * z + 16};
    EXPECT_EQ(CanvasRect(z), c);
    EXPECT_EQ(compositions(z, kRepaintCanvas, InspectorRect(z)), 0u);
    EXPECT_EQ(compositions(z, kRepaintCanvas, {0, 0, 2000, 2000}), 1u);
    EXPECT_EQ(compositions(z, kRepaintAll, {c.right - 1, c.bottom - 1, c.right, c.bottom}), 1u);
    EXPECT_EQ(compositions(z, kRepaintCanvas, {0, 0, c.left + 1, c.top + 1}), 1u);
    EXPECT_EQ(compositions(z, kRepaintAll, {c.right, c.top, c.right + 50, c.bottom}), 0u);
    EXPECT_EQ(compositions(z, kRepaintCanvas, {0, 0, 600 * z, c.top}), 0u);  // touching: above,
    EXPECT_EQ(compositions(z, kRepaintCanvas, {0, c.top, c.left, c.bottom}), 0u);  // left,
    EXPECT_EQ(compositions(z, kRepaintCanvas, {c.left, c.bottom, c.right, c.bottom + 9}), 0u);  // below
    EXPECT_EQ(compositions(z, kRepaintPanel, {0, 0, 2000, 2000}), 0u);
    // An area the window system erased is drawn whole, palette and canvas.
    size_t canvasOnly = 0, erased = 0;
    EXPECT_EQ(compositions(z, kRepaintPanel, {0, 0, 2000, 2000}, true), 1u);
    compositions(z, kRepaintCanvas, {0, 0, 2000, 2000}, false, &canvasOnly);
    compositions(z, kRepaintCanvas, {0, 0, 2000, 2000}, true, &erased);
    EXPECT_GT(erased, canvasOnly);  // the palette and the actors besides
  }
}
