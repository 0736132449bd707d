// The real X pointer and real keys over the real program: xdotool moves,
// drags and clicks on the test's virtual display, the X server tells Wine,
// Wine tells the editor. A stroke of the mouse is one step: Ctrl+Z takes it
// back whole, Ctrl+Y brings it again.
#include <gtest/gtest.h>

#include "e2e/driver.h"

namespace {

// Runs /usr/bin/xdotool with the arguments. Wine's start launches Unix
// programs with /unix; the program inherits the display of the test.
bool Xdotool(const std::string& arguments) {
  return RunProgram("start.exe /wait /unix /usr/bin/xdotool " + arguments, nullptr, 10000) == 0;
}

// The real pointer is parked in the screen's far corner when a test is
// done with it: a pointer left over a window sends it moves of its own.
struct ParkPointerAfterwards {
  ~ParkPointerAfterwards() {
    Xdotool("mousemove " + std::to_string(GetSystemMetrics(SM_CXSCREEN) - 1) + " " +
            std::to_string(GetSystemMetrics(SM_CYSCREEN) - 1));
  }
};

}  // namespace

TEST(RealPointer, AStrokeIsOneStepForUndoAndRedo) {
  ASSERT_TRUE(FileExists("Z:\\usr\\bin\\xdotool")) << "xdotool is missing; scripts/setup.sh installs it";
  const ParkPointerAfterwards park;
  ProgramDir folder;
  const std::string path = CopySample(folder, "work.kxl");
  const std::vector<unsigned char> original = FileBytes(path);
  EditorProcess editor(folder, "\"" + path + "\"");
  ASSERT_TRUE(editor.WaitForWindow());
  const RECT client = editor.ClientRectOnScreen();
  const auto at = [&client](POINT p) {
    return std::to_string(client.left + p.x) + " " + std::to_string(client.top + p.y);
  };

  // Hovering: the status bar names the item from the string table.
  ASSERT_TRUE(Xdotool("mousemove " + at(PatternTile(1, 21))));
  EXPECT_TRUE(WaitUntil([&] { return editor.StatusText() == "Extra time (15 seconds)"; }, 5000))
      << editor.StatusText();

  // Pick the wall, then a real drag along row 7 that is let go outside the
  // window: the capture sees the release.
  std::string drag = "mousemove " + at(PatternTile(1, kCellWall1)) + " sleep 0.2 click 1";
  drag += " sleep 0.2 mousemove " + at(CellPoint(1, 7, 2)) + " sleep 0.2 mousedown 1";
  for (int column = 3; column <= 6; ++column) drag += " sleep 0.2 mousemove " + at(CellPoint(1, 7, column));
  drag += " sleep 0.2 mousemove " + at(POINT{600, 500}) + " sleep 0.2 mouseup 1";
  ASSERT_TRUE(Xdotool(drag));
  LevelSet drawn = SampleLevels(folder);
  for (int column = 2; column <= 6; ++column) {
    drawn[0].PlaceCell(7 * kGridColumns + column, kCellWall1);
    drawn[0].SetFloor(7 * kGridColumns + column, 7);
  }
  ASSERT_TRUE(WaitForTitle(editor, TitleFor(path, true)));
  EXPECT_TRUE(editor.CanvasShows(CanvasOf(folder, drawn, 0), 10000));

  // One Ctrl+Z takes the whole stroke back; saved, the file is as it was.
  // Back over the window, on no region of it: without a window manager the
  // keyboard focus follows the pointer on this display.
  ASSERT_TRUE(Xdotool("mousemove " + at(POINT{120, 8})));
  Sleep(kFocusSettleMs);
  editor.PressKeys({VK_CONTROL, 'Z'});
  ASSERT_TRUE(WaitForTitle(editor, TitleFor(path, false))) << editor.Title();
  EXPECT_TRUE(editor.CanvasShows(CanvasOf(folder, SampleLevels(folder), 0)));
  editor.PressKeys({VK_CONTROL, 'S'});
  ASSERT_TRUE(WaitUntil([&] { return FileBytes(path) == original; }));
  // Ctrl+Y brings it again.
  editor.PressKeys({VK_CONTROL, 'Y'});
  ASSERT_TRUE(WaitForTitle(editor, TitleFor(path, true)));
  ASSERT_TRUE(SaveAndWait(editor, path));
  EXPECT_EQ(FileBytes(path), LevelSetBytes(drawn));
}

TEST(Fills, ShiftDragAndCtrlClickWithTheirKeyStates) {
  ProgramDir folder;
  EditorProcess editor(folder);  // a new set, saved as Untitled.kxl in its folder
  ASSERT_TRUE(editor.WaitForWindow());
  const std::string path = folder.File("Untitled.kxl");
  const auto send = [&editor](UINT message, WPARAM keys, POINT p) {
    SendTo(editor.Window(), message, keys, Point(p.x, p.y));
    editor.WaitIdle();
  };
  const auto pick = [&send](int pattern) {
    send(WM_LBUTTONDOWN, MK_LBUTTON, PatternTile(1, pattern));
    send(WM_LBUTTONUP, 0, PatternTile(1, pattern));
  };
  // A 4 x 3 rectangle of solid 64: rows 3..5, columns 4..7.
  pick(64);
  send(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, CellPoint(1, 3, 4));
  send(WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, CellPoint(1, 4, 6));
  send(WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, CellPoint(1, 5, 7));
  EXPECT_EQ(editor.StatusText(), "Rectangle 4 x 3");
  send(WM_LBUTTONUP, MK_SHIFT, CellPoint(1, 5, 7));
  LevelSet rectangle;
  for (int row = 3; row <= 5; ++row)
    for (int column = 4; column <= 7; ++column) rectangle[0].SetCell(row * kGridColumns + column, 64);
  // Ctrl+click: walkable 2 over the area of pattern 0 around it, edges raw.
  pick(2);
  send(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, CellPoint(1, 9, 9));
  send(WM_LBUTTONUP, MK_CONTROL, CellPoint(1, 9, 9));
  LevelSet flooded = rectangle;
  for (int cell = 0; cell < kCellCount; ++cell) {
    if (flooded[0].GetCell(cell) != 0) continue;
    flooded[0].SetCell(cell, 2);
    if (cell % kGridColumns != 0 && cell % kGridColumns != 16) flooded[0].SetFloor(cell, 2);
  }
  ASSERT_TRUE(SaveAndWait(editor, "Untitled.kxl"));
  EXPECT_EQ(FileBytes(path), LevelSetBytes(flooded));
  // One Ctrl+Z takes the flood back; the rectangle stays.
  editor.PressKeys({VK_CONTROL, 'Z'});
  ASSERT_TRUE(WaitForTitle(editor, TitleFor("Untitled.kxl", true)));
  ASSERT_TRUE(SaveAndWait(editor, "Untitled.kxl"));
  EXPECT_EQ(FileBytes(path), LevelSetBytes(rectangle));
}
