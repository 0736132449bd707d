// What the status bar of the real program says while the pointer moves over
// the window: the name of every palette region, "Level N" over the canvas,
// nothing elsewhere, and nothing past the last tile of a palette row.
#include <gtest/gtest.h>

#include "e2e/editing_support.h"

namespace {

struct Hover {
  int x, y;
  const char* text;
};

void ExpectHovers(EditorProcess& editor, std::initializer_list<Hover> hovers) {
  for (const Hover& h : hovers) {
    editor.MouseMove(h.x, h.y);
    EXPECT_EQ(editor.StatusText(), h.text) << "at " << h.x << "," << h.y;
  }
}

const char* const kItemNames[] = {
    "Speed up",  "More bombs", "Bigger bombs", "Extra time (15 seconds)", "Extra life",       "No bombs",
    "Extra time (one minute)", "Less time",    "Mini bombs",              "Speed down", "Reverse controls",
    "Invisibility"};

}  // namespace

TEST(EditingHover, StatusTextOfEveryRegionAtNormalSize) {
  EditingSession session;
  ASSERT_TRUE(session.Ready());
  EditorProcess& editor = session.Editor();
  const int z = 1;

  ExpectHovers(editor, {
      {259, 17, "Walkable patterns"},  {386, 20, "Walkable patterns"},
      {387, 20, "Walkable patterns with shadow"}, {514, 32, "Walkable patterns with shadow"},
      {515, 20, ""},  // one column past tile 15
      {259, 53, "Exit"}, {274, 68, "Exit"}, {291, 60, "Gem"}, {323, 60, "Destroyable item"},
      {355, 60, "Explodable walls"}, {386, 68, "Explodable walls"}, {387, 60, ""},
      {259, 71, "Solid patterns"}, {514, 134, "Solid patterns"}, {515, 100, ""},
      {259, 154, "Player"}, {322, 177, "Player"}, {323, 160, ""},
      {259, 203, "Teleport start"}, {274, 210, "Teleport start"}, {275, 210, "Teleport end"},
      {290, 218, "Teleport end"}, {291, 210, ""},
      {1, 17, "Level 1"}, {8, 100, "Level 1"}, {9, 17, "Level 1"}, {248, 224, "Level 1"},
      {249, 100, "Level 1"}, {256, 224, "Level 1"}, {100, 225, ""},
      {257, 100, ""}, {340, 60, ""}, {100, 8, ""}, {300, 190, ""}, {372, 160, ""}, {500, 215, ""},
  });
  for (int i = 0; i < 12; ++i) {
    const POINT p = ItemTile(z, i);
    editor.MouseMove(p.x, p.y);
    EXPECT_EQ(editor.StatusText(), kItemNames[i]) << "item tile " << i;
  }
  ExpectHovers(editor, {{450, 50, "Invisibility"}, {451, 40, ""}});
  for (int k = 1; k <= 5; ++k) {
    const POINT p = EnemyImage(z, k);
    editor.MouseMove(p.x, p.y);
    EXPECT_EQ(editor.StatusText(), "Enemy " + std::to_string(k));
    editor.MouseMove(p.x + 8, p.y);  // the last pixel column of the image
    EXPECT_EQ(editor.StatusText(), "");
  }

  // The canvas names the level shown.
  editor.ScrollSelector(0, 2);
  ExpectHovers(editor, {{300, 190, ""}, {100, 100, "Level 3"}, {4, 30, "Level 3"}, {252, 30, "Level 3"}});
  editor.ScrollSelector(0, 9);
  ExpectHovers(editor, {{300, 190, ""}, {200, 200, "Level 10"}});

  // A click one column past a palette row's last tile selects nothing:
  // pattern 3 stays selected and is what the next click places.
  editor.ScrollSelector(0, 0);
  session.SelectPattern(3);
  for (POINT p : {POINT{515, 20}, POINT{451, 40}, POINT{387, 60}, POINT{515, 100}, POINT{323, 160},
                  POINT{369, 160}, POINT{291, 210}})
    editor.LeftClick(p.x, p.y);
  session.ClickCell(5, 5);
  LevelSet expected = session.Initial();
  expected[0].PlaceCell(CellIndex(5, 5), 3);
  expected[0].SetFloor(CellIndex(5, 5), 3);
  ASSERT_TRUE(session.SaveAs("hover.kxl"));
  EXPECT_TRUE(SavedSetIs(session.Folder().File("hover.kxl"), expected));
}

TEST(EditingHover, StatusTextAtDoubleSize) {
  EditingSession session({.doubleSize = true});
  ASSERT_TRUE(session.Ready());
  EditorProcess& editor = session.Editor();
  const int z = 2;
  ExpectHovers(editor, {
      {773, 40, "Walkable patterns"}, {774, 40, "Walkable patterns with shadow"},
      {1029, 48, "Walkable patterns with shadow"}, {1030, 40, ""},
      {549, 100, "Exit"}, {600, 100, "Gem"}, {660, 100, "Destroyable item"}, {773, 119, "Explodable walls"},
      {774, 100, ""}, {1029, 251, "Solid patterns"}, {1030, 200, ""},
      {581, 410, "Teleport end"}, {549, 410, "Teleport start"}, {582, 410, ""},
      {2, 18, "Level 1"}, {500, 433, "Level 1"}, {511, 433, "Level 1"}, {500, 434, ""}, {300, 8, ""},
  });
  const POINT item = ItemTile(z, 3);
  editor.MouseMove(item.x, item.y);
  EXPECT_EQ(editor.StatusText(), "Extra time (15 seconds)");
  const POINT player = PlayerImage(z, 3);
  editor.MouseMove(player.x, player.y);
  EXPECT_EQ(editor.StatusText(), "Player");
  const POINT enemy = EnemyImage(z, 5);
  editor.MouseMove(enemy.x, enemy.y);
  EXPECT_EQ(editor.StatusText(), "Enemy 5");
}
