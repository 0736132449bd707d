#include "view/selectors.h"

#include <gtest/gtest.h>

#include "support/editor_harness.h"
#include "support/recording_painter.h"
#include "support/test_sheets.h"
#include "view/paint_area.h"
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
  for (int p : {-1, kLevelCount, 32767}) OnSelectorScroll(h.state, h.host, Selector::Level, p);
  EXPECT_EQ(h.state.session.currentLevel, 9);
  EXPECT_EQ(h.host.selectorPositions.size(), positions);
  SelectLevel(h.state, h.host, 2);
  EXPECT_EQ(h.host.selectorPositions[positions], std::make_pair(Selector::Level, 2));
  EXPECT_FALSE(h.modified());
}

TEST(Selectors, TheGraphicsSelectorChangesThePatternSetInAStep) {
  Harness h;
  OpenFourSets(h);
  SelectLevel(h.state, h.host, 2);
  OnSelectorScroll(h.state, h.host, Selector::Graphics, 2);
  EXPECT_EQ(h.level(2).GetPatternSet(), PatternSetValueOf(2));
  EXPECT_EQ(h.host.LastTitle(), "Kraxolan Editor - [set.kxl *]");
  for (int p : {4, -1}) OnSelectorScroll(h.state, h.host, Selector::Graphics, p);
  OnSelectorScroll(h.state, h.host, Selector::Graphics, 2);  // the same again: no step
  EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 1u);
  UndoStep(h.state, h.host);
  EXPECT_EQ(h.level(2).GetPatternSet(), PatternSetValueOf(0));
  EXPECT_EQ(h.host.selectorPositions.back(), std::make_pair(Selector::Graphics, 0));
  EXPECT_FALSE(h.modified());
}

TEST(Selectors, TheTeleportSelectorPicksAPair) {
  Harness h;
  EXPECT_EQ(OnSelectorScroll(h.state, h.host, Selector::Teleport, 7), 1);
  for (int p : {kTeleportPairs, -1}) OnSelectorScroll(h.state, h.host, Selector::Teleport, p);
  EXPECT_EQ(h.state.session.teleportPair, 7);
  EXPECT_FALSE(h.modified());
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
  EXPECT_EQ(MainWindowWidth(1), 523);
  EXPECT_EQ(MainWindowHeight(1), 290);
  EXPECT_EQ(MainWindowWidth(2), 1046);
  EXPECT_EQ(MainWindowHeight(2), 499);
}

TEST(PaintArea, TheCanvasIsComposedOnlyWhenTheUpdateAreaReachesIt) {
  constexpr size_t kInspector = 3;
  constexpr size_t kInspectorAndPalette = 13;
  for (int z : {1, 2}) {
    const ClientRect c{z, z + kTopStrip, 257 * z, 209 * z + kTopStrip};
    const ClientRect everything{0, 0, 2000, 2000};
    EXPECT_EQ(CanvasRect(z), c);
    const struct Row {
      const char* what;
      int32_t flags;
      ClientRect area;
      bool erased;
      size_t compositions, patternBlits;  // the canvas composed; tiles drawn on screen
    } rows[] = {
        {"the inspector", kRepaintCanvas, InspectorRect(z), false, 0, kInspector},
        {"everything", kRepaintCanvas, everything, false, 1, kInspector},
        {"the last pixel", kRepaintAll, {c.right - 1, c.bottom - 1, c.right, c.bottom}, false, 1, kInspectorAndPalette},
        {"the first pixel", kRepaintCanvas, {0, 0, c.left + 1, c.top + 1}, false, 1, kInspector},
        {"touching it on the right", kRepaintAll, {c.right, c.top, c.right + 50, c.bottom}, false, 0, kInspectorAndPalette},
        {"touching it above", kRepaintCanvas, {0, 0, 600 * z, c.top}, false, 0, kInspector},
        {"touching it on the left", kRepaintCanvas, {0, c.top, c.left, c.bottom}, false, 0, kInspector},
        {"touching it below", kRepaintCanvas, {c.left, c.bottom, c.right, c.bottom + 9}, false, 0, kInspector},
        {"the panel", kRepaintPanel, everything, false, 0, kInspectorAndPalette},
        {"the panel, erased", kRepaintPanel, everything, true, 1, kInspectorAndPalette},
        {"the canvas, erased", kRepaintCanvas, everything, true, 1, kInspectorAndPalette},
    };
    for (const Row& r : rows) {
      Editor editor;
      editor.catalogue = MakeTestCatalogue(1, 4);
      editor.settings.zoom = z;
      LayoutRegions(editor.session.regionList, z);
      editor.session.repaintFlags = r.flags;
      RecordingPainter painter;
      PaintMainWindowArea(editor, painter, r.area, r.erased);
      EXPECT_EQ(editor.session.repaintFlags, r.flags) << r.what;  // a request not met stays
      EXPECT_EQ(painter.Of(PaintCall::Kind::BeginOffscreen).size(), r.compositions) << r.what << " z " << z;
      EXPECT_EQ(painter.Blits(SheetKind::Pattern, false).size(), r.patternBlits) << r.what << " z " << z;
    }
  }
}
