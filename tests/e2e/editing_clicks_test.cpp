// Left clicks on the canvas of the real program: patterns with their floors,
// walls on floor 7, the single exit, the player, enemies and teleport ends,
// the raw edge columns and the top row that takes no exit, actor or
// teleport. Each test saves the set and compares its bytes with the set it
// built with the level operations themselves.
#include <gtest/gtest.h>

#include "e2e/editing_support.h"

namespace {

// A left click with the exit selected: the level's one exit moves.
void MoveExit(Level& level, int cell) {
  const int old = level.FindExit();
  if (old >= 0) level.PlaceCell(old, level.GetCell(old) & 127);
  level.PlaceCell(cell, kCellExit);
}

void PlaceWalkable(Level& level, int cell, int pattern) {
  level.PlaceCell(cell, pattern);
  level.SetFloor(cell, pattern);
}

void PlaceWall(Level& level, int cell, int wall) {
  level.PlaceCell(cell, wall);
  level.SetFloor(cell, 7);
}

}  // namespace

TEST(EditingClicks, PatternsFloorsAndEdgeColumnsOnANewSet) {
  EditingSession session;
  ASSERT_TRUE(session.Ready());
  EditorProcess& editor = session.Editor();
  LevelSet expected = session.Initial();
  Level& level = expected[0];

  session.SelectPattern(101);  // solid block row 2, column 5
  session.ClickCell(2, 6);
  level.PlaceCell(CellIndex(2, 6), 101);
  EXPECT_EQ(editor.Title(), "Kraxolan Editor - [Untitled.kxl *]");

  session.SelectPattern(9);  // a walkable pattern on the solid one: cell and floor
  session.ClickCell(2, 6);
  session.ClickCell(0, 3);  // patterns may go into the top row
  PlaceWalkable(level, CellIndex(2, 6), 9);
  PlaceWalkable(level, CellIndex(0, 3), 9);

  session.SelectPattern(kCellWall2);
  session.ClickCell(5, 5);
  PlaceWall(level, CellIndex(5, 5), kCellWall2);
  session.SelectPattern(kCellWall1);
  session.ClickCell(5, 6);
  PlaceWall(level, CellIndex(5, 6), kCellWall1);

  // Items, the gem and the destroyable item leave the floor as it was.
  session.SelectPattern(5);
  session.ClickCell(6, 2);
  PlaceWalkable(level, CellIndex(6, 2), 5);
  for (int value : {21, kCellGem, kCellDestroyable}) {
    session.SelectPattern(value);
    session.ClickCell(6, 2);
    level.PlaceCell(CellIndex(6, 2), value);
    session.ClickCell(7, value % 13 + 1);
    level.PlaceCell(CellIndex(7, value % 13 + 1), value);
  }

  // The half-width edge columns store the value raw, the exit and items too.
  session.SelectPattern(20);
  session.ClickCell(4, 0);
  level.SetLeftEdgeCell(4, 20);
  session.SelectPattern(kCellExit);
  session.ClickCell(6, 16);
  level.SetRightEdgeCell(6, kCellExit);
  session.SelectPattern(127);
  session.ClickCell(12, 0);
  session.ClickCell(0, 16);
  level.SetLeftEdgeCell(12, 127);
  level.SetRightEdgeCell(0, 127);

  ASSERT_TRUE(session.SaveAs("patterns.kxl"));
  EXPECT_EQ(editor.Title(), "Kraxolan Editor - [" + session.Folder().File("patterns.kxl") + "]");
  EXPECT_TRUE(SavedSetIs(session.Folder().File("patterns.kxl"), expected));
}

TEST(EditingClicks, ExitActorsAndTeleportsOnANewSet) {
  EditingSession session;
  ASSERT_TRUE(session.Ready());
  EditorProcess& editor = session.Editor();
  LevelSet expected = session.Initial();
  Level& level = expected[0];
  const int z = 1;

  // A click with the exit, an actor or a teleport end in the top row does nothing.
  session.SelectPattern(kCellExit);
  session.ClickCell(0, 4);
  editor.LeftClick(PlayerImage(z, 2).x, PlayerImage(z, 2).y);
  session.ClickCell(0, 5);
  editor.LeftClick(EnemyImage(z, 3).x, EnemyImage(z, 3).y);
  session.ClickCell(0, 6);
  editor.LeftClick(TeleportTile(z, 1).x, TeleportTile(z, 1).y);
  session.ClickCell(0, 7);
  EXPECT_EQ(editor.Title(), "Kraxolan Editor - [Untitled.kxl]");

  // The exit lands on the walkable pattern of its cell, on 0 over anything
  // else, and gives the old cell its pattern back when it moves.
  session.SelectPattern(kCellExit);
  session.ClickCell(2, 2);
  MoveExit(level, CellIndex(2, 2));
  session.SelectPattern(5);
  session.ClickCell(3, 3);
  PlaceWalkable(level, CellIndex(3, 3), 5);
  session.SelectPattern(64);
  session.ClickCell(4, 4);
  level.PlaceCell(CellIndex(4, 4), 64);
  session.SelectPattern(kCellExit);
  session.ClickCell(3, 3);
  MoveExit(level, CellIndex(3, 3));
  EXPECT_EQ(level.GetCell(CellIndex(3, 3)), 133);
  session.ClickCell(4, 4);
  MoveExit(level, CellIndex(4, 4));

  // The player faces the way of the image chosen: down at dx 37, dy 85.
  editor.LeftClick(PlayerImage(z, 2).x, PlayerImage(z, 2).y);
  POINT p = GridOffsetPoint(z, 37, 85);
  editor.LeftClick(p.x, p.y);
  level.GetActor(0).Set(40, 80, 5, 0, 0, 4);
  p = GridOffsetPoint(z, 100, 10);  // dy 10 is the top row
  editor.LeftClick(p.x, p.y);

  editor.LeftClick(EnemyImage(z, 3).x, EnemyImage(z, 3).y);
  session.ClickCell(9, 12);
  level.SetActorPosition(3, 16 * 12 - 8, 16 * 9);

  // Teleport ends of pair 1 and, with the selector moved, of pair 3; each
  // end exists once, the floors stay.
  editor.LeftClick(TeleportTile(z, 1).x, TeleportTile(z, 1).y);
  session.ClickCell(5, 8);
  session.ClickCell(6, 9);
  level.PlaceCell(CellIndex(5, 8), 177);
  level.PlaceCell(CellIndex(6, 9), 177);
  editor.ScrollSelector(2, 2);
  session.ClickCell(10, 3);
  level.PlaceCell(CellIndex(10, 3), 181);
  editor.LeftClick(TeleportTile(z, 0).x, TeleportTile(z, 0).y);
  session.ClickCell(11, 14);
  level.PlaceCell(CellIndex(11, 14), 180);
  EXPECT_EQ(level.GetCell(CellIndex(5, 8)), 0);

  ASSERT_TRUE(session.SaveAs("actors.kxl"));
  EXPECT_TRUE(SavedSetIs(session.Folder().File("actors.kxl"), expected));
}

TEST(EditingClicks, DoubleSizeOnTheSampleSet) {
  EditingSession session({.doubleSize = true, .sampleSet = true});
  ASSERT_TRUE(session.Ready());
  EditorProcess& editor = session.Editor();
  ASSERT_EQ(editor.WindowRect().right - editor.WindowRect().left, 1046);
  const int z = 2;
  LevelSet expected = session.Initial();
  Level& level = expected[0];
  ASSERT_GE(level.FindExit(), 0);
  const ActorRecord enemy2 = level.GetActor(2);
  ASSERT_TRUE(enemy2.IsPlaced());

  session.SelectPattern(11);
  session.ClickCell(3, 3);
  session.ClickCell(0, 9);
  PlaceWalkable(level, CellIndex(3, 3), 11);
  PlaceWalkable(level, CellIndex(0, 9), 11);
  session.SelectPattern(kCellWall1);
  session.ClickCell(7, 14);
  PlaceWall(level, CellIndex(7, 14), kCellWall1);

  session.SelectPattern(kCellExit);
  session.ClickCell(0, 12);  // refused: the old exit stays
  session.ClickCell(9, 5);
  MoveExit(level, CellIndex(9, 5));
  session.ClickCell(8, 16);  // the edge column takes it raw, the exit stays
  level.SetRightEdgeCell(8, kCellExit);
  session.SelectPattern(70);
  session.ClickCell(7, 0);
  level.SetLeftEdgeCell(7, 70);

  editor.LeftClick(PlayerImage(z, 1).x, PlayerImage(z, 1).y);
  session.ClickCell(0, 6);
  session.ClickCell(10, 4);
  level.GetActor(0).Set(16 * 4 - 8, 160, 3, 0, 0, 4);

  // The enemy moves and keeps its facing, type, AI type and speed.
  editor.LeftClick(EnemyImage(z, 2).x, EnemyImage(z, 2).y);
  session.ClickCell(0, 7);
  session.ClickCell(2, 13);
  level.SetActorPosition(2, 16 * 13 - 8, 32);

  editor.LeftClick(TeleportTile(z, 1).x, TeleportTile(z, 1).y);
  session.ClickCell(0, 8);
  session.ClickCell(5, 1);
  level.PlaceCell(CellIndex(5, 1), 177);

  ASSERT_TRUE(session.SaveAs("double.kxl"));
  EXPECT_TRUE(SavedSetIs(session.Folder().File("double.kxl"), expected));
  EXPECT_EQ(expected[0].GetActor(2).direction, enemy2.direction);
  EXPECT_NE(session.Initial()[0].cells[CellIndex(11, 2)], 0);  // the end that moved away
  EXPECT_EQ(expected[0].cells[CellIndex(11, 2)], 0);
}

TEST(EditingClicks, DragsPaintMoveTheExitAndSelectInThePalette) {
  for (bool doubleSize : {false, true}) {
    SCOPED_TRACE(doubleSize ? "zoom 2" : "zoom 1");
    EditingSession session({.doubleSize = doubleSize});
    ASSERT_TRUE(session.Ready());
    EditorProcess& editor = session.Editor();
    const int z = session.Zoom();
    LevelSet expected = session.Initial();
    Level& level = expected[0];

    // Pattern 6 dragged along row 3 from the left edge column to the right one.
    session.SelectPattern(6);
    std::vector<POINT> path;
    for (int column = 0; column <= 16; ++column) path.push_back(CellPoint(z, 3, column));
    editor.Drag(path);
    level.SetLeftEdgeCell(3, 6);
    level.SetRightEdgeCell(3, 6);
    for (int column = 1; column <= 15; ++column) PlaceWalkable(level, CellIndex(3, column), 6);

    // The exit follows the mouse down column 5 and stays where it is let go.
    session.SelectPattern(kCellExit);
    editor.Drag({CellPoint(z, 1, 5), CellPoint(z, 2, 5), CellPoint(z, 3, 5), CellPoint(z, 4, 5)});
    for (int row = 1; row <= 4; ++row) MoveExit(level, CellIndex(row, 5));

    // A teleport end and the player follow the mouse as well; the top row
    // takes neither.
    editor.LeftClick(TeleportTile(z, 1).x, TeleportTile(z, 1).y);
    editor.Drag({CellPoint(z, 0, 2), CellPoint(z, 10, 2), CellPoint(z, 10, 3), CellPoint(z, 11, 3)});
    for (int i : {CellIndex(10, 2), CellIndex(10, 3), CellIndex(11, 3)}) level.PlaceCell(i, 177);
    editor.LeftClick(PlayerImage(z, 3).x, PlayerImage(z, 3).y);
    editor.Drag({CellPoint(z, 1, 10), CellPoint(z, 2, 11), CellPoint(z, 0, 12)});
    level.GetActor(0).Set(16 * 11 - 8, 32, 7, 0, 0, 4);

    // With Shift held as well nothing is placed.
    session.SelectPattern(64);
    POINT p = CellPoint(z, 8, 8);
    editor.MouseMove(p.x, p.y, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(editor.StatusText(), "Level 1");

    // A drag over the walkable row keeps selecting: the last tile passed wins.
    editor.Drag({WalkableTile(z, 1), WalkableTile(z, 2), WalkableTile(z, 12)});
    session.ClickCell(9, 9);
    PlaceWalkable(level, CellIndex(9, 9), 12);

    ASSERT_TRUE(session.SaveAs("drag.kxl"));
    EXPECT_TRUE(SavedSetIs(session.Folder().File("drag.kxl"), expected));
  }
}

TEST(EditingClicks, IgnoredAfterNewUntilTheFirstPaint) {
  EditingSession session({.sampleSet = true});
  ASSERT_TRUE(session.Ready());
  EditorProcess& editor = session.Editor();
  const int z = 1;
  editor.MouseMove(340, 60);
  ASSERT_EQ(editor.StatusText(), "");

  // Posted behind New, the left button and the drag arrive before the paint
  // that New asks for, which only comes once the queue is empty: both are
  // dropped.
  // The editor is held while they are posted, so they queue up together.
  const POINT cell = CellPoint(z, 3, 3);
  {
    HeldThread held(editor);
    ASSERT_TRUE(held.Held());
    editor.Command(40012);  // New
    editor.Post(WM_LBUTTONDOWN, MK_LBUTTON, Point(cell.x, cell.y));
    editor.Post(WM_MOUSEMOVE, MK_LBUTTON, Point(cell.x + 16, cell.y));
    editor.Post(WM_LBUTTONUP, 0, Point(cell.x + 16, cell.y));
  }
  ASSERT_TRUE(WaitForPostedMessages(editor));
  EXPECT_EQ(editor.Title(), "Kraxolan Editor - [Untitled.kxl]");
  EXPECT_EQ(editor.StatusText(), "");

  // Once painted, the same click places pattern 0 (selected by New).
  session.ClickCell(3, 3);
  EXPECT_EQ(editor.Title(), "Kraxolan Editor - [Untitled.kxl *]");
  EXPECT_EQ(editor.StatusText(), "");  // a click alone does not touch the status bar
  LevelSet expected;  // a new set
  expected[0].PlaceCell(CellIndex(3, 3), 0);
  expected[0].SetFloor(CellIndex(3, 3), 0);
  ASSERT_TRUE(session.SaveAs("new.kxl"));
  EXPECT_TRUE(SavedSetIs(session.Folder().File("new.kxl"), expected));
}
