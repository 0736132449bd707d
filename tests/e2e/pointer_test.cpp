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
  std::string line = "start.exe /wait /unix /usr/bin/xdotool " + arguments;
  std::vector<char> buffer(line.begin(), line.end());
  buffer.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &info))
    return false;
  const bool ended = WaitForSingleObject(info.hProcess, 10000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(info.hProcess, 1);
  DWORD code = 1;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return ended && code == 0;
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
