// Right clicks on the canvas of the real program: a pattern goes under or
// into what a cell holds. The cells are first built with left clicks, then
// right-clicked; the saved bytes must show the documented result of each
// row of the right-click table.
#include <gtest/gtest.h>

#include "e2e/editing_support.h"

namespace {

struct Prepared {
  int row, column;
};

}  // namespace

TEST(EditingRightClicks, ItemsWallsFloorsAndSolids) {
  for (bool doubleSize : {false, true}) {
    SCOPED_TRACE(doubleSize ? "zoom 2" : "zoom 1");
    EditingSession session({.doubleSize = doubleSize});
    ASSERT_TRUE(session.Ready());
    LevelSet expected = session.Initial();
    Level& level = expected[0];
    // Left clicks first: the cells the right clicks then work on.
    auto place = [&](int value, std::initializer_list<Prepared> cells) {
      session.SelectPattern(value);
      for (const Prepared& c : cells) {
        session.ClickCell(c.row, c.column);
        const int i = CellIndex(c.row, c.column);
        level.PlaceCell(i, value);
        if (value < 16) level.SetFloor(i, value);
        if (value == kCellWall1 || value == kCellWall2) level.SetFloor(i, 7);
      }
    };
    place(5, {{2, 2}, {3, 3}});
    place(kCellWall2, {{2, 4}, {4, 4}});
    place(kCellWall1, {{2, 6}});
    place(25, {{3, 6}, {3, 7}, {3, 8}});
    place(kCellDestroyable, {{4, 6}, {4, 7}});
    place(90, {{5, 2}, {5, 3}, {5, 4}});
    place(kCellGem, {{6, 2}});
    session.SelectPattern(kCellExit);
    session.ClickCell(6, 3);
    level.PlaceCell(CellIndex(6, 3), kCellExit);

    // Item or gem into a wall: the second kind in a wall 42, the first kind elsewhere.
    session.SelectPattern(22);
    session.RightClickCell(2, 4);  // 42 -> 166
    session.RightClickCell(2, 2);  // 5 -> 150
    session.RightClickCell(5, 2);  // solid 90 -> 150
    session.SelectPattern(kCellGem);
    session.RightClickCell(2, 4);  // 166 -> 175, still the second kind
    level.PlaceCell(CellIndex(2, 4), 22 + 144);
    level.PlaceCell(CellIndex(2, 2), 22 + 128);
    level.PlaceCell(CellIndex(5, 2), 22 + 128);
    level.PlaceCell(CellIndex(2, 4), kCellGem + 144);
    session.SelectPattern(19);
    session.RightClickCell(2, 2);  // 150 -> 147, the new item replaces the hidden one
    level.PlaceCell(CellIndex(2, 2), 19 + 128);

    // A wall over a free item hides it; over walkable or solid it replaces
    // the cell and keeps the floor; over a wall or destroyable item nothing.
    session.SelectPattern(kCellWall1);
    session.RightClickCell(3, 6);  // item 25 -> 153
    session.RightClickCell(3, 3);  // walkable 5 -> 32, floor 5 stays
    session.RightClickCell(4, 6);  // destroyable item: nothing
    session.RightClickCell(4, 4);  // wall 42: nothing
    level.PlaceCell(CellIndex(3, 6), 25 + 128);
    level.PlaceCell(CellIndex(3, 3), kCellWall1);
    session.SelectPattern(kCellWall2);
    session.RightClickCell(3, 7);  // item 25 -> 169
    session.RightClickCell(5, 3);  // solid 90 -> 42
    level.PlaceCell(CellIndex(3, 7), 25 + 144);
    level.PlaceCell(CellIndex(5, 3), kCellWall2);

    // A walkable pattern under walls, items, the gem, the exit and walls with
    // items; over a walkable or solid cell it becomes cell and floor.
    session.SelectPattern(3);
    for (Prepared c : {Prepared{2, 6}, {3, 8}, {4, 7}, {6, 2}, {6, 3}, {2, 4}, {3, 6}, {3, 3}}) {
      session.RightClickCell(c.row, c.column);
      level.SetFloor(CellIndex(c.row, c.column), 3);
    }
    session.RightClickCell(5, 4);  // solid 90
    session.RightClickCell(7, 7);  // walkable 0
    for (Prepared c : {Prepared{5, 4}, {7, 7}}) {
      level.PlaceCell(CellIndex(c.row, c.column), 3);
      level.SetFloor(CellIndex(c.row, c.column), 3);
    }

    // A solid pattern replaces whatever the cell holds; the exit and the
    // destroyable item change nothing.
    session.SelectPattern(120);
    session.RightClickCell(4, 7);
    level.PlaceCell(CellIndex(4, 7), 120);
    session.SelectPattern(kCellExit);
    session.RightClickCell(8, 8);
    session.RightClickCell(6, 2);
    session.SelectPattern(kCellDestroyable);
    session.RightClickCell(8, 9);
    session.RightClickCell(3, 8);

    // Right clicks on the half-width edge columns do nothing.
    session.SelectPattern(64);
    session.RightClickCell(4, 0);
    session.RightClickCell(4, 16);

    ASSERT_TRUE(session.SaveAs("right.kxl"));
    EXPECT_TRUE(SavedSetIs(session.Folder().File("right.kxl"), expected));
  }
}

TEST(EditingRightClicks, NothingWithAnActorOrTeleportSelectedOrBelowTheGrid) {
  EditingSession session({.sampleSet = true});
  ASSERT_TRUE(session.Ready());
  EditorProcess& editor = session.Editor();
  const int z = 1;
  const LevelSet expected = session.Initial();

  // Read as patterns these would write walkable patterns 0..5 into floors
  // and cells; they are no patterns, so nothing happens.
  const POINT actors[] = {PlayerImage(z, 0), PlayerImage(z, 3), EnemyImage(z, 1), EnemyImage(z, 5),
                          TeleportTile(z, 0), TeleportTile(z, 1)};
  for (const POINT& tile : actors) {
    editor.LeftClick(tile.x, tile.y);
    for (Prepared c : {Prepared{1, 4}, {1, 5}, {6, 8}, {0, 0}, {2, 2}}) session.RightClickCell(c.row, c.column);
  }
  EXPECT_EQ(editor.Title(), "Kraxolan Editor - [" + session.Folder().File("sample.kxl") + "]");

  // The last pixel line of the canvas lies below grid row 12: no cell there.
  session.SelectPattern(3);
  for (int x : {1, 5, 8, 9, 100, 248, 249, 256}) {
    editor.LeftClick(x, 225);
    editor.RightClick(x, 225);
  }
  editor.MouseMove(100, 225, MK_LBUTTON);
  EXPECT_EQ(editor.StatusText(), "");
  editor.MouseMove(100, 224, 0);
  EXPECT_EQ(editor.StatusText(), "Level 1");
  EXPECT_EQ(editor.Title(), "Kraxolan Editor - [" + session.Folder().File("sample.kxl") + "]");

  ASSERT_TRUE(session.SaveAs("unchanged.kxl"));
  EXPECT_TRUE(SavedSetIs(session.Folder().File("unchanged.kxl"), expected));
}
