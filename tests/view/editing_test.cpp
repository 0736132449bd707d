#include "view/editing.h"

#include <gtest/gtest.h>

#include "view/layout.h"
#include "view_harness.h"

namespace {

constexpr int kRow4Col6 = 4 * 17 + 6;

// What an edit left behind besides the level itself.
void ExpectMarkedModified(ViewHarness& h) {
  EXPECT_EQ(h.state.modified, 1);
  EXPECT_EQ(h.host.LastTitle(), "Kraxolan Editor - [set.kxl *]");
}

void ExpectUntouched(ViewHarness& h, const Level& before) {
  EXPECT_EQ(h.level(), before);
  EXPECT_EQ(h.state.modified, 0);
  EXPECT_TRUE(h.host.titles.empty());
  EXPECT_EQ(h.host.fullInvalidations, 0);
  EXPECT_TRUE(h.host.partialInvalidations.empty());
}

}  // namespace

TEST(LeftClick, IgnoredUntilTheCanvasIsReady) {
  ViewHarness h;
  h.state.canvasReady = 0;
  h.Select(kSelectPattern, 9);
  const Level before = h.level();
  EXPECT_EQ(OnLeftButtonDown(h.state, h.host, 1, h.Cell(4, 6)), 0);
  EXPECT_EQ(OnLeftButtonDown(h.state, h.host, 1, h.In(kRegionExit, 3, 3)), 0);
  ExpectUntouched(h, before);
  EXPECT_EQ(h.state.selectionValue, 9);
  EXPECT_EQ(OnLeftButtonDown(h.state, h.host, 1, Pack(400, 10)), 0);
  h.state.canvasReady = 1;
  EXPECT_EQ(OnLeftButtonDown(h.state, h.host, 1, Pack(400, 10)), 1);  // the top strip: nothing
  ExpectUntouched(h, before);
}

TEST(LeftClick, PatternsGoIntoTheCellWithTheirFloor) {
  for (int z : {1, 2}) {
    ViewHarness h(z);
    h.level().cells[40] = 64;
    h.Select(kSelectPattern, 9);
    EXPECT_EQ(OnLeftButtonDown(h.state, h.host, 1, h.CellIndex(40)), 1);
    EXPECT_EQ(h.level().cells[40], 9);
    EXPECT_EQ(h.level().floors[40], 9);
    ExpectMarkedModified(h);
    // The inspector follows the cell, then everything is repainted.
    ASSERT_EQ(h.host.partialInvalidations.size(), 1u);
    EXPECT_EQ(h.host.partialInvalidations[0], InspectorRect(z));
    EXPECT_EQ(h.state.inspectorTiles[0], 9);
    EXPECT_EQ(h.state.repaintFlags, 3);
    EXPECT_EQ(h.host.fullInvalidations, 1);

    // Walls stand on walkable pattern 7.
    for (int wall : {32, 42}) {
      h.level().floors[kRow4Col6] = 3;
      h.Select(kSelectPattern, wall);
      OnLeftButtonDown(h.state, h.host, 1, h.Cell(4, 6));
      EXPECT_EQ(h.level().cells[kRow4Col6], wall);
      EXPECT_EQ(h.level().floors[kRow4Col6], 7);
    }
    // Items, the gem, the destroyable item and solid patterns leave the floor alone,
    // and patterns may go into the top row.
    for (int pattern : {20, 31, 52, 101}) {
      h.level().floors[5] = 4;
      h.Select(kSelectPattern, pattern);
      OnLeftButtonDown(h.state, h.host, 1, h.Cell(0, 5));
      EXPECT_EQ(h.level().cells[5], pattern);
      EXPECT_EQ(h.level().floors[5], 4);
    }
    // Top-left and bottom-right cells of the main grid.
    h.Select(kSelectPattern, 70);
    OnLeftButtonDown(h.state, h.host, 1, h.In(kRegionGrid, 0, 0));
    OnLeftButtonDown(h.state, h.host, 1, h.In(kRegionGrid, 239, 207));
    EXPECT_EQ(h.level().cells[1], 70);
    EXPECT_EQ(h.level().cells[219], 70);
  }
}

TEST(LeftClick, TheExitMovesAndNeverGoesIntoRowZero) {
  ViewHarness h;
  h.level().cells[30] = 133;  // the exit on pattern 5
  h.level().cells[52] = 2;  // row 3, column 1
  h.level().floors[52] = 6;
  h.Select(kSelectPattern, 17);
  OnLeftButtonDown(h.state, h.host, 1, h.CellIndex(52));
  EXPECT_EQ(h.level().cells[30], 5);
  EXPECT_EQ(h.level().cells[52], 130);
  EXPECT_EQ(h.level().floors[52], 6);
  ExpectMarkedModified(h);
  EXPECT_EQ(h.state.inspectorTiles[0], 17);
  EXPECT_EQ(h.state.inspectorTiles[1], 2);

  // Onto anything but a walkable pattern: the exit on pattern 0.
  h.level().cells[60] = 64;
  OnLeftButtonDown(h.state, h.host, 1, h.CellIndex(60));
  EXPECT_EQ(h.level().cells[60], 128);
  EXPECT_EQ(h.level().cells[52], 2);
  // Clicking the exit's own cell keeps it there, on its pattern.
  h.level().cells[60] = 140;
  OnLeftButtonDown(h.state, h.host, 1, h.CellIndex(60));
  EXPECT_EQ(h.level().cells[60], 140);
  // A level without an exit just gets one.
  ViewHarness fresh;
  fresh.Select(kSelectPattern, 17);
  OnLeftButtonDown(fresh.state, fresh.host, 1, fresh.CellIndex(100));
  EXPECT_EQ(fresh.level().cells[100], 128);
  EXPECT_EQ(fresh.level().FindExit(), 100);

  // Row 0: nothing at all, not even the old exit moves.
  ViewHarness top;
  top.level().cells[30] = 133;
  top.Select(kSelectPattern, 17);
  const Level before = top.level();
  EXPECT_EQ(OnLeftButtonDown(top.state, top.host, 1, top.Cell(0, 8)), 1);
  EXPECT_EQ(OnLeftButtonDown(top.state, top.host, 1, top.In(kRegionGrid, 100, 15)), 1);
  ExpectUntouched(top, before);
  OnLeftButtonDown(top.state, top.host, 1, top.In(kRegionGrid, 100, 16));  // row 1
  EXPECT_EQ(top.level().cells[17 + 7], 128);
  EXPECT_EQ(top.level().cells[30], 5);
}

TEST(LeftClick, EdgeColumnsStorePatternsRaw) {
  for (int z : {1, 2}) {
    ViewHarness h(z);
    h.level().floors[68] = 3;
    h.Select(kSelectPattern, 20);
    OnLeftButtonDown(h.state, h.host, 1, h.Cell(4, 0));
    EXPECT_EQ(h.level().cells[68], 20);
    EXPECT_EQ(h.level().floors[68], 3);
    ExpectMarkedModified(h);
    EXPECT_EQ(h.state.repaintFlags, 1);
    EXPECT_EQ(h.host.fullInvalidations, 1);
    EXPECT_TRUE(h.host.partialInvalidations.empty());  // no inspection at the edges

    // The exit and walls go in unchanged, even into row 0, and leave other exits alone.
    h.level().cells[30] = 133;
    h.Select(kSelectPattern, 17);
    OnLeftButtonDown(h.state, h.host, 1, h.Cell(4, 16));
    OnLeftButtonDown(h.state, h.host, 1, h.Cell(0, 0));
    EXPECT_EQ(h.level().cells[84], 17);
    EXPECT_EQ(h.level().cells[0], 17);
    EXPECT_EQ(h.level().cells[30], 133);
    h.Select(kSelectPattern, 42);
    OnLeftButtonDown(h.state, h.host, 1, h.Cell(12, 16));
    EXPECT_EQ(h.level().cells[220], 42);
    EXPECT_EQ(h.level().floors[220], 0);

    // Any other selection does nothing at the edges.
    for (int category : {kSelectPlayer, kSelectEnemy, kSelectTeleport}) {
      ViewHarness other(z);
      other.Select(category, 1);
      const Level before = other.level();
      EXPECT_EQ(OnLeftButtonDown(other.state, other.host, 1, other.Cell(4, 0)), 1);
      EXPECT_EQ(OnLeftButtonDown(other.state, other.host, 1, other.Cell(4, 16)), 1);
      ExpectUntouched(other, before);
    }
  }
}

TEST(LeftClick, PlacesThePlayerFacingTheChosenImage) {
  for (int z : {1, 2}) {
    ViewHarness h(z);
    h.Select(kSelectPlayer, 2);
    OnLeftButtonDown(h.state, h.host, 1, h.In(kRegionGrid, 37, 85));
    EXPECT_EQ(h.level().actors[0], (ActorRecord{40, 80, 5, 0, 0, 4}));
    ExpectMarkedModified(h);
    EXPECT_EQ(h.state.repaintFlags, 1);
    EXPECT_EQ(h.host.fullInvalidations, 1);
    EXPECT_TRUE(h.host.partialInvalidations.empty());
    // Each image its direction; the corners of the grid give columns 1 and 15, rows 1 and 12.
    const int directions[] = {1, 3, 5, 7};
    for (int image = 0; image < 4; ++image) {
      h.Select(kSelectPlayer, image);
      OnLeftButtonDown(h.state, h.host, 1, h.In(kRegionGrid, 239, 207));
      EXPECT_EQ(h.level().actors[0], (ActorRecord{232, 192, directions[image], 0, 0, 4}));
    }
    OnLeftButtonDown(h.state, h.host, 1, h.In(kRegionGrid, 0, 16));
    EXPECT_EQ(h.level().actors[0].x, 8);
    EXPECT_EQ(h.level().actors[0].y, 16);

    // Row 0 is never used for actors.
    ViewHarness top(z);
    top.Select(kSelectPlayer, 2);
    const Level before = top.level();
    OnLeftButtonDown(top.state, top.host, 1, top.In(kRegionGrid, 37, 10));
    OnLeftButtonDown(top.state, top.host, 1, top.In(kRegionGrid, 37, 15));
    ExpectUntouched(top, before);
  }
  // A selection that names no player image places nothing.
  ViewHarness h;
  h.Select(kSelectPlayer, 4);
  const Level before = h.level();
  OnLeftButtonDown(h.state, h.host, 1, h.Cell(5, 5));
  ExpectUntouched(h, before);
}

TEST(LeftClick, MovesAnEnemyKeepingItsSettings) {
  ViewHarness h;
  h.level().actors[3] = ActorRecord{104, 48, 7, 48, 6, 8};
  h.Select(kSelectEnemy, 3);
  OnLeftButtonDown(h.state, h.host, 1, h.Cell(6, 2));
  EXPECT_EQ(h.level().actors[3], (ActorRecord{24, 96, 7, 48, 6, 8}));
  ExpectMarkedModified(h);
  EXPECT_EQ(h.state.repaintFlags, 1);
  for (int i : {0, 1, 2, 4, 5}) EXPECT_EQ(h.level().actors[i], ActorRecord{}) << i;
  // An unplaced enemy is placed the same way.
  h.Select(kSelectEnemy, 5);
  OnLeftButtonDown(h.state, h.host, 1, h.Cell(12, 15));
  EXPECT_EQ(h.level().actors[5], (ActorRecord{232, 192, 5, 24, 5, 2}));

  for (int value : {0, 6, -1}) {
    ViewHarness bad;
    bad.Select(kSelectEnemy, value);
    const Level before = bad.level();
    OnLeftButtonDown(bad.state, bad.host, 1, bad.Cell(6, 2));
    ExpectUntouched(bad, before);
  }
  ViewHarness top;
  top.Select(kSelectEnemy, 1);
  const Level before = top.level();
  OnLeftButtonDown(top.state, top.host, 1, top.Cell(0, 2));
  ExpectUntouched(top, before);
}

TEST(LeftClick, TeleportEndsExistOnce) {
  ViewHarness h;
  h.state.teleportPair = 2;
  h.level().cells[100] = 181;
  h.level().cells[40] = 64;
  h.level().floors[40] = 9;
  h.Select(kSelectTeleport, 1);
  OnLeftButtonDown(h.state, h.host, 1, h.CellIndex(40));
  EXPECT_EQ(h.level().cells[40], 181);
  EXPECT_EQ(h.level().floors[40], 9);
  EXPECT_EQ(h.level().cells[100], 0);
  ExpectMarkedModified(h);
  EXPECT_EQ(h.state.repaintFlags, 1);
  h.Select(kSelectTeleport, 0);
  OnLeftButtonDown(h.state, h.host, 1, h.CellIndex(41));
  EXPECT_EQ(h.level().cells[41], 180);
  EXPECT_EQ(h.level().cells[40], 181);
  h.state.teleportPair = 7;
  h.Select(kSelectTeleport, 1);
  OnLeftButtonDown(h.state, h.host, 1, h.CellIndex(42));
  EXPECT_EQ(h.level().cells[42], 191);

  // Not in row 0, and never a value outside the teleport ends.
  ViewHarness top;
  top.Select(kSelectTeleport, 0);
  Level before = top.level();
  OnLeftButtonDown(top.state, top.host, 1, top.Cell(0, 4));
  ExpectUntouched(top, before);
  top.state.teleportPair = 8;
  OnLeftButtonDown(top.state, top.host, 1, top.Cell(3, 4));
  top.state.teleportPair = 0;
  top.Select(kSelectTeleport, 2);
  OnLeftButtonDown(top.state, top.host, 1, top.Cell(3, 4));
  top.Select(7, 0);  // no such category
  OnLeftButtonDown(top.state, top.host, 1, top.Cell(3, 4));
  ExpectUntouched(top, before);
}

TEST(LeftClick, TheLineBelowRowTwelveIsNoCell) {
  for (int z : {1, 2}) {
    for (int category : {kSelectPattern, kSelectPlayer, kSelectEnemy, kSelectTeleport}) {
      ViewHarness h(z);
      h.Select(category, 1);
      const Level before = h.level();
      for (int32_t id : {kRegionLeftEdge, kRegionRightEdge, kRegionGrid}) {
        const ScreenRegion* r = h.state.regionList.FindRegionById(id);
        EXPECT_EQ(OnLeftButtonDown(h.state, h.host, 1, Pack(r->left, r->bottom)), 1);
        EXPECT_EQ(OnLeftButtonDown(h.state, h.host, 1, Pack(r->right, r->bottom)), 1);
      }
      // Between the canvas regions and left of them.
      OnLeftButtonDown(h.state, h.host, 1, Pack(0, 100 * z));
      OnLeftButtonDown(h.state, h.host, 1, Pack(257 * z, 100 * z));
      ExpectUntouched(h, before);
    }
  }
}

TEST(LeftClick, AutomaticShadowsFollowAtOnce) {
  ViewHarness h;
  h.state.settings.correctShadow = 1;
  h.level().cells[5 * 17 + 4] = 3;
  h.level().floors[5 * 17 + 4] = 3;
  h.Select(kSelectPattern, 32);
  OnLeftButtonDown(h.state, h.host, 1, h.Cell(4, 4));
  EXPECT_EQ(h.level().cells[5 * 17 + 4], 11);
  EXPECT_EQ(h.level().floors[5 * 17 + 4], 11);
  EXPECT_EQ(h.state.modified, 1);  // by the click itself
  // Without the setting the cell below keeps its plain pattern.
  ViewHarness off;
  off.level().cells[5 * 17 + 4] = 3;
  off.Select(kSelectPattern, 32);
  OnLeftButtonDown(off.state, off.host, 1, off.Cell(4, 4));
  EXPECT_EQ(off.level().cells[5 * 17 + 4], 3);
}

TEST(LeftClick, EditsOnlyTheCurrentLevel) {
  ViewHarness h;
  h.state.currentLevel = 6;
  h.Select(kSelectPattern, 12);
  OnLeftButtonDown(h.state, h.host, 1, h.CellIndex(77));
  EXPECT_EQ(h.state.levels[6].cells[77], 12);
  for (int i = 0; i < kLevelCount; ++i)
    if (i != 6) {
      EXPECT_EQ(h.state.levels[i], Level{}) << i;
    }
}
