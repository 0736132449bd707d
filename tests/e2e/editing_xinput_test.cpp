// The real X pointer over the real program: xdotool moves and clicks on the
// test's virtual display, the X server tells Wine, Wine tells the editor.
// Nothing here sends the editor a window message of its own.
#include <gtest/gtest.h>

#include <functional>

#include "e2e/editing_support.h"
#include "gfx/resource_catalogue.h"

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
  if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                      &startup, &info))
    return false;
  const bool ended = WaitForSingleObject(info.hProcess, 10000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(info.hProcess, 1);
  DWORD code = 1;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return ended && code == 0;
}

// Waits for a condition that the X events bring about, within the time.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 5000) {
  const DWORD start = GetTickCount();
  do {
    if (condition()) return true;
    Sleep(50);
  } while (GetTickCount() - start < timeoutMs);
  return condition();
}

bool Framed(const Image& client, const SelectionBox& box) {
  const Rgb white{255, 255, 255};
  for (int x = box.x; x < box.x + box.width; ++x)
    if (!client.Contains(x, box.y) || !(client.At(x, box.y) == white)) return false;
  for (int y = box.y; y < box.y + box.height; ++y)
    if (!client.Contains(box.x, y) || !(client.At(box.x, y) == white)) return false;
  return true;
}

class RealPointer {
 public:
  explicit RealPointer(EditorProcess& editor) : editor_(editor) {}
  // xdotool argument text for the screen position of client point p.
  std::string At(POINT p) const {
    const RECT client = editor_.ClientRectOnScreen();
    return std::to_string(client.left + p.x) + " " + std::to_string(client.top + p.y);
  }
  bool MoveTo(POINT p) const { return Xdotool("mousemove " + At(p)); }
  bool Click(POINT p) const { return Xdotool("mousemove " + At(p) + " sleep 0.2 click 1"); }

 private:
  EditorProcess& editor_;
};

// The real pointer is parked in the screen's far corner when a test is
// done with it, away from every editor window: a pointer left over a window
// sends it moves of its own and would disturb the tests that follow.
struct ParkPointerAfterwards {
  ~ParkPointerAfterwards() {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    Xdotool("mousemove " + std::to_string(width - 1) + " " + std::to_string(height - 1));
  }
};

}  // namespace

TEST(EditingRealPointer, XdotoolPicksFromThePaletteAndPaintsTheGrid) {
  ASSERT_TRUE(FileExists("Z:\\usr\\bin\\xdotool")) << "xdotool is missing; scripts/setup.sh installs it";
  const ParkPointerAfterwards park;
  EditingSession session;
  ASSERT_TRUE(session.Ready());
  EditorProcess& editor = session.Editor();
  const int z = 1;
  const RealPointer pointer(editor);
  LevelSet expected = session.Initial();
  Level& level = expected[0];
  ResourceCatalogue catalogue;
  LoadResourceCatalogue(catalogue, session.Folder().Path(),
                        [](const std::string& path) { ADD_FAILURE() << "cannot read " << path; });
  ASSERT_FALSE(catalogue.patternSets.empty());

  // Hovering with the real pointer: the status bar follows.
  ASSERT_TRUE(pointer.MoveTo(ItemTile(z, 3)));
  EXPECT_TRUE(WaitFor([&] { return editor.StatusText() == "Extra time (15 seconds)"; }))
      << editor.StatusText();
  ASSERT_TRUE(pointer.MoveTo(WalkableTile(z, 12)));
  EXPECT_TRUE(WaitFor([&] { return editor.StatusText() == "Walkable patterns with shadow"; }))
      << editor.StatusText();

  // A real click on walkable pattern 4 selects it: the frame moves there.
  ASSERT_TRUE(pointer.Click(WalkableTile(z, 4)));
  EXPECT_TRUE(WaitFor([&] { return Framed(editor.CaptureClient(), PatternBox(z, 4)); }));

  // A real click on a cell places it.
  ASSERT_TRUE(pointer.Click(CellPoint(z, 5, 5)));
  EXPECT_TRUE(WaitFor([&] { return editor.Title() == "Kraxolan Editor - [Untitled.kxl *]"; }))
      << editor.Title();
  EXPECT_EQ(editor.StatusText(), "Level 1");
  level.PlaceCell(CellIndex(5, 5), 4);
  level.SetFloor(CellIndex(5, 5), 4);

  // A real drag along row 7 paints each cell the pointer stops on.
  std::string drag = "mousemove " + pointer.At(CellPoint(z, 7, 2)) + " sleep 0.2 mousedown 1";
  for (int column = 3; column <= 6; ++column)
    drag += " sleep 0.2 mousemove " + pointer.At(CellPoint(z, 7, column));
  drag += " sleep 0.2 mouseup 1";
  ASSERT_TRUE(Xdotool(drag));
  // The editor takes the X events in its own time: wait until the canvas
  // shows pattern 4 in every cell of the drag.
  const Image& sheet = catalogue.patternSets.at(0).normal;
  auto painted = [&] {
    const Image client = editor.CaptureClient();
    for (int column = 2; column <= 6; ++column) {
      const POINT corner = CellPoint(z, 7, column);
      for (int dy = 0; dy < 16; ++dy)
        for (int dx = 0; dx < 16; ++dx)
          if (!client.Contains(corner.x - 8 + dx, corner.y - 8 + dy) ||
              !(client.At(corner.x - 8 + dx, corner.y - 8 + dy) == sheet.At(16 * 4 + dx, dy)))
            return false;
    }
    return true;
  };
  EXPECT_TRUE(WaitFor(painted, 10000));
  for (int column = 2; column <= 6; ++column) {
    level.PlaceCell(CellIndex(7, column), 4);
    level.SetFloor(CellIndex(7, column), 4);
  }
  // The pointer leaves the window for a spot where it hovers nothing, so
  // nothing it does after this changes the set.
  ASSERT_TRUE(pointer.MoveTo(POINT{340, 60}));
  EXPECT_TRUE(WaitFor([&] { return editor.StatusText().empty(); })) << editor.StatusText();
  editor.WaitIdle();

  ASSERT_TRUE(session.SaveAs("pointer.kxl"));
  EXPECT_TRUE(SavedSetIs(session.Folder().File("pointer.kxl"), expected));
}
