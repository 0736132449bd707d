// The arrow keys of the real program move the selection over the palette:
// the white frame moves in the window's pixels, and a click afterwards
// places what the keys chose. Delete takes the selected enemy off the level.
#include <gtest/gtest.h>

#include "e2e/editing_support.h"

namespace {

constexpr Rgb kWhite{255, 255, 255};

// Every pixel of the box's outer ring is white: the selection frame.
bool Framed(const Image& client, const SelectionBox& box) {
  for (int x = box.x; x < box.x + box.width; ++x)
    for (int y : {box.y, box.y + box.height - 1})
      if (!client.Contains(x, y) || !(client.At(x, y) == kWhite)) return false;
  for (int y = box.y; y < box.y + box.height; ++y)
    for (int x : {box.x, box.x + box.width - 1})
      if (!client.Contains(x, y) || !(client.At(x, y) == kWhite)) return false;
  return true;
}

// Presses a key and checks that the frame stands on `now` and no longer on `before`.
class FrameWatcher {
 public:
  FrameWatcher(EditorProcess& editor, SelectionBox start) : editor_(editor), current_(start) {}

  void Key(UINT key, SelectionBox now, int line) {
    editor_.KeyUp(key);
    Check(now, line);
  }
  void Check(SelectionBox now, int line) {
    const bool moved = now.x != current_.x || now.y != current_.y;
    const SelectionBox before = current_;
    const Image client = editor_.CaptureClientWhen(
        [&](const Image& i) { return Framed(i, now) && !(moved && Framed(i, before)); });
    EXPECT_TRUE(Framed(client, now)) << "no frame at " << now.x << "," << now.y << " (line " << line << ")";
    if (moved) {
      EXPECT_FALSE(Framed(client, before))
          << "frame left at " << before.x << "," << before.y << " (line " << line << ")";
    }
    current_ = now;
  }

 private:
  EditorProcess& editor_;
  SelectionBox current_;
};

}  // namespace

TEST(EditingKeyboard, ArrowsWalkThePaletteAndClicksPlaceTheChoice) {
  EditingSession session;
  ASSERT_TRUE(session.Ready());
  EditorProcess& editor = session.Editor();
  const int z = 1;
  LevelSet expected = session.Initial();
  Level& level = expected[0];
  FrameWatcher frame(editor, PatternBox(z, 0));
  frame.Check(PatternBox(z, 0), __LINE__);

  frame.Key(VK_LEFT, PatternBox(z, 15), __LINE__);  // the walkable row wraps
  frame.Key(VK_RIGHT, PatternBox(z, 0), __LINE__);
  frame.Key(VK_DOWN, PatternBox(z, 18), __LINE__);
  frame.Key(VK_LEFT, PatternBox(z, 29), __LINE__);  // the item row wraps
  frame.Key(VK_DOWN, PatternBox(z, 42), __LINE__);
  frame.Key(VK_RIGHT, PatternBox(z, 17), __LINE__);  // the third row is a ring
  frame.Key(VK_LEFT, PatternBox(z, 42), __LINE__);
  frame.Key(VK_LEFT, PatternBox(z, 32), __LINE__);
  frame.Key(VK_UP, PatternBox(z, 24), __LINE__);
  frame.Key(VK_RIGHT, PatternBox(z, 25), __LINE__);
  frame.Key(VK_UP, PatternBox(z, 7), __LINE__);
  frame.Key(VK_UP, PatternBox(z, 7), __LINE__);  // nothing above the walkable row
  // A key held down repeats its key-down messages; only the release moves.
  for (int repeat = 0; repeat < 4; ++repeat) editor.Post(WM_KEYDOWN, VK_RIGHT, repeat ? 0x40000001 : 1);
  ASSERT_TRUE(WaitForPostedMessages(editor));
  frame.Check(PatternBox(z, 7), __LINE__);
  frame.Key(VK_RIGHT, PatternBox(z, 8), __LINE__);
  frame.Key(VK_LEFT, PatternBox(z, 7), __LINE__);
  session.ClickCell(2, 2);
  level.PlaceCell(CellIndex(2, 2), 7);
  level.SetFloor(CellIndex(2, 2), 7);

  frame.Key(VK_DOWN, PatternBox(z, 25), __LINE__);
  frame.Key(VK_DOWN, PatternBox(z, 42), __LINE__);
  frame.Key(VK_DOWN, PatternBox(z, 71), __LINE__);
  for (int value : {87, 103, 119, 119}) frame.Key(VK_DOWN, PatternBox(z, value), __LINE__);
  for (int value : {120, 121, 122, 123, 124, 125, 126, 127, 112})
    frame.Key(VK_RIGHT, PatternBox(z, value), __LINE__);
  frame.Key(VK_LEFT, PatternBox(z, 127), __LINE__);
  session.ClickCell(3, 3);
  level.PlaceCell(CellIndex(3, 3), 127);

  for (int value : {111, 95, 79, 42}) frame.Key(VK_UP, PatternBox(z, value), __LINE__);
  frame.Key(VK_LEFT, PatternBox(z, 32), __LINE__);
  frame.Key(VK_LEFT, PatternBox(z, 52), __LINE__);
  frame.Key(VK_DOWN, PatternBox(z, 68), __LINE__);
  frame.Key(VK_UP, PatternBox(z, 52), __LINE__);
  session.ClickCell(4, 4);
  level.PlaceCell(CellIndex(4, 4), 52);
  frame.Key(VK_LEFT, PatternBox(z, 31), __LINE__);
  frame.Key(VK_DOWN, PatternBox(z, 66), __LINE__);
  session.ClickCell(4, 5);
  level.PlaceCell(CellIndex(4, 5), 66);
  frame.Key(VK_UP, PatternBox(z, 31), __LINE__);
  frame.Key(VK_UP, PatternBox(z, 20), __LINE__);
  session.ClickCell(4, 6);
  level.PlaceCell(CellIndex(4, 6), 20);

  // The player's four images and the five enemies form one ring.
  editor.LeftClick(PlayerImage(z, 3).x, PlayerImage(z, 3).y);
  frame.Check(PlayerBox(z, 3), __LINE__);
  frame.Key(VK_RIGHT, EnemyBox(z, 1), __LINE__);
  session.ClickCell(5, 5);
  level.SetActorPosition(1, 16 * 5 - 8, 16 * 5);
  frame.Key(VK_LEFT, PlayerBox(z, 3), __LINE__);
  for (int image : {2, 1, 0}) frame.Key(VK_LEFT, PlayerBox(z, image), __LINE__);
  frame.Key(VK_LEFT, EnemyBox(z, 5), __LINE__);
  frame.Key(VK_UP, EnemyBox(z, 5), __LINE__);  // up and down only move patterns
  frame.Key(VK_DOWN, EnemyBox(z, 5), __LINE__);
  session.ClickCell(6, 6);
  level.SetActorPosition(5, 16 * 6 - 8, 16 * 6);
  frame.Key(VK_RIGHT, PlayerBox(z, 0), __LINE__);
  session.ClickCell(7, 7);
  level.GetActor(0).Set(16 * 7 - 8, 16 * 7, 1, 0, 0, 4);

  // The two teleport ends: no wrap.
  editor.LeftClick(TeleportTile(z, 0).x, TeleportTile(z, 0).y);
  frame.Check(TeleportBox(z, 0), __LINE__);
  frame.Key(VK_LEFT, TeleportBox(z, 0), __LINE__);
  frame.Key(VK_RIGHT, TeleportBox(z, 1), __LINE__);
  frame.Key(VK_RIGHT, TeleportBox(z, 1), __LINE__);
  session.ClickCell(8, 8);
  level.PlaceCell(CellIndex(8, 8), 177);

  ASSERT_TRUE(session.SaveAs("keys.kxl"));
  EXPECT_TRUE(SavedSetIs(session.Folder().File("keys.kxl"), expected));
}

TEST(EditingKeyboard, FrameAtDoubleSizeAndDeleteRemovesTheSelectedEnemy) {
  EditingSession session({.doubleSize = true, .sampleSet = true});
  ASSERT_TRUE(session.Ready());
  EditorProcess& editor = session.Editor();
  const int z = 2;
  LevelSet expected = session.Initial();
  Level& level = expected[0];
  ASSERT_TRUE(level.GetActor(1).IsPlaced());
  ASSERT_FALSE(level.GetActor(4).IsPlaced());

  FrameWatcher frame(editor, PatternBox(z, 0));
  frame.Check(PatternBox(z, 0), __LINE__);
  frame.Key(VK_DOWN, PatternBox(z, 18), __LINE__);
  frame.Key(VK_DOWN, PatternBox(z, 17), __LINE__);
  frame.Key(VK_DOWN, PatternBox(z, 64), __LINE__);
  frame.Key(VK_RIGHT, PatternBox(z, 65), __LINE__);
  frame.Key(VK_DOWN, PatternBox(z, 81), __LINE__);
  session.ClickCell(2, 3);
  level.PlaceCell(CellIndex(2, 3), 81);

  editor.LeftClick(EnemyImage(z, 3).x, EnemyImage(z, 3).y);
  frame.Check(EnemyBox(z, 3), __LINE__);
  frame.Key(VK_RIGHT, EnemyBox(z, 4), __LINE__);
  session.ClickCell(7, 12);
  level.SetActorPosition(4, 16 * 12 - 8, 16 * 7);
  ASSERT_TRUE(session.SaveAs("placed.kxl"));
  EXPECT_TRUE(SavedSetIs(session.Folder().File("placed.kxl"), expected));
  const std::string saved = "Kraxolan Editor - [" + session.Folder().File("placed.kxl") + "]";
  EXPECT_EQ(editor.Title(), saved);

  // Save as starts the selection anew: choose enemy 4 again and delete it.
  editor.LeftClick(EnemyImage(z, 4).x, EnemyImage(z, 4).y);
  frame.Check(EnemyBox(z, 4), __LINE__);
  editor.KeyUp(VK_DELETE);
  level.SetActorPosition(4, 0, 0);
  EXPECT_EQ(editor.Title(), "Kraxolan Editor - [" + session.Folder().File("placed.kxl") + " *]");
  editor.KeyUp(VK_DELETE);  // nothing left to delete
  editor.LeftClick(EnemyImage(z, 1).x, EnemyImage(z, 1).y);
  editor.KeyUp(VK_LEFT);  // player image 3: the player is never deleted
  editor.KeyUp(VK_DELETE);
  editor.LeftClick(PatternTile(z, 5).x, PatternTile(z, 5).y);
  editor.KeyUp(VK_DELETE);

  editor.Command(40004);  // Save
  ASSERT_TRUE(WaitForPostedMessages(editor));
  EXPECT_EQ(editor.Title(), saved);
  EXPECT_TRUE(SavedSetIs(session.Folder().File("placed.kxl"), expected));
}
