// The level canvas as the screen shows it equals the software painter's
// picture of the same level, pixel for pixel, at both zooms: tiles, the
// halves of the edge columns, hidden items, sprites through their masks and
// the teleport links that GDI draws.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "e2e/driver.h"
#include "gfx/software_painter.h"
#include "gfx/png_io.h"
#include "support/fake_host.h"
#include "view/inspector.h"
#include "view/layout.h"
#include "view/paint.h"
#include "view/paint_area.h"

namespace {

// The software picture of a level of the sample set, drawn from the
// graphics of the test's own program folder.
Image ExpectedCanvas(const ProgramDir& folder, int level, int zoom) {
  return CanvasOf(folder, SampleLevels(folder), level, zoom);
}

// The canvas as the screen shows it, once it shows `expected` or the time is up.
Image ScreenCanvas(const EditorProcess& editor, int zoom, const Image& expected) {
  const auto canvas = [&](const Image& client) {
    return CropImage(client, zoom, zoom + kTopStrip, 256 * zoom, 208 * zoom);
  };
  return canvas(
      editor.CaptureClientWhen([&](const Image& client) { return canvas(client) == expected; }));
}

// The number of pixels that differ; on a difference both pictures are kept
// in the temporary folder for a look.
int DifferingPixels(const Image& screen, const Image& expected, const std::string& name) {
  if (screen.Width() != expected.Width() || screen.Height() != expected.Height()) return -1;
  int differing = 0;
  for (int y = 0; y < screen.Height(); ++y)
    for (int x = 0; x < screen.Width(); ++x) {
      const Rgb a = screen.At(x, y), b = expected.At(x, y);
      if (a.r != b.r || a.g != b.g || a.b != b.b) {
        if (differing < 5)
          std::fprintf(stderr, "%s: (%d, %d) screen %d %d %d, expected %d %d %d\n", name.c_str(), x,
                       y, a.r, a.g, a.b, b.r, b.g, b.b);
        ++differing;
      }
    }
  if (differing > 0) {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    WritePng(std::string(temp) + "kxe2e-" + name + "-screen.png", screen);
    WritePng(std::string(temp) + "kxe2e-" + name + "-expected.png", expected);
  }
  return differing;
}

int CountOf(const Image& image, Rgb colour) {
  int n = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (image.At(x, y) == colour) ++n;
  return n;
}

// Level 1 as opened, levels 2 to 9 by Ctrl+digit (diagonal teleport links
// of several slopes, the other pattern set), level 10 (three links, walls
// hiding items) by the level selector.
void CheckLevels(int zoom) {
  ProgramDir folder;
  if (zoom == 2) {
    IniOptions ini;
    ini.zoom = true;
    PutIni(folder, ini);
  }
  EditorProcess editor(folder, folder.File("sample.kxl"));
  ASSERT_TRUE(editor.WaitForWindow());
  const std::string z = "z" + std::to_string(zoom) + "-level";
  // The white link of teleport pair 1 is part of what is compared.
  const Image first = ExpectedCanvas(folder, 0, zoom);
  ASSERT_GT(CountOf(first, Rgb{255, 255, 255}), 100 * zoom);
  EXPECT_EQ(DifferingPixels(ScreenCanvas(editor, zoom, first), first, z + "1"), 0);

  for (int level = 1; level < 9; ++level) {
    editor.PressKeys({VK_CONTROL, static_cast<WORD>('1' + level)});
    ASSERT_TRUE(WaitUntil([&] { return SelectorPosition(editor, 0) == level; }));
    const Image expected = ExpectedCanvas(folder, level, zoom);
    EXPECT_EQ(DifferingPixels(ScreenCanvas(editor, zoom, expected), expected,
                              z + std::to_string(level + 1)),
              0);
  }

  editor.ScrollSelector(0, 9);
  const Image last = ExpectedCanvas(folder, 9, zoom);
  EXPECT_EQ(DifferingPixels(ScreenCanvas(editor, zoom, last), last, z + "10"), 0);
}

// Hovering over a wall that hides an item shows the wall, the item and the
// floor in the cell inspector, and the canvas stays as it was.
void CheckHover(int zoom) {
  ProgramDir folder;
  IniOptions ini;
  ini.zoom = zoom == 2;
  PutIni(folder, ini);
  EditorProcess editor(folder, folder.File("sample.kxl"));
  ASSERT_TRUE(editor.WaitForWindow());
  constexpr int kRow = 4, kColumn = 7;  // level 1's wall hiding a speed-up
  const int x = (9 + 16 * (kColumn - 1) + 5) * zoom, y = (16 * kRow + 5) * zoom + zoom + kTopStrip;
  editor.MouseMove(x - 16 * zoom, y);  // a plain cell first
  editor.MouseMove(x, y);

  Editor state = EditorWith(folder, SampleLevels(folder));
  LevelPictureOptions options;
  options.zoom = zoom;
  options.wholeWindow = true;
  const Image before = RenderLevelPicture(state, 0, options);
  ASSERT_TRUE(IsWallWithItem(state.document.GetLevel(0).GetCell(kRow * 17 + kColumn)));
  FakeHost host;
  ShowCellInspector(state, host, kRow * 17 + kColumn);
  Image after = before;
  SoftwarePainter painter(state.catalogue, after);
  PaintMainWindow(state, painter);

  const std::string z = "hover-z" + std::to_string(zoom);
  const ClientRect box = InspectorRect(zoom);
  const ClientRect canvas = CanvasRect(zoom);
  const auto part = [&](const Image& image, const ClientRect& r) {
    return CropImage(image, r.left, r.top, r.right - r.left, r.bottom - r.top);
  };
  const Image screen = editor.CaptureClientWhen([&](const Image& shown) {
    return part(shown, box) == part(after, box) && part(shown, canvas) == part(before, canvas);
  });
  ASSERT_FALSE(part(after, box) == part(before, box));  // the inspector shows something
  EXPECT_EQ(DifferingPixels(part(screen, box), part(after, box), z + "-inspector"), 0);
  EXPECT_EQ(DifferingPixels(part(screen, canvas), part(before, canvas), z + "-canvas"), 0);
}

}  // namespace

TEST(CanvasPixels, NormalSizeMatchesTheSoftwarePainter) { CheckLevels(1); }

TEST(CanvasPixels, DoubleSizeMatchesTheSoftwarePainterAndSoDoesTheInspector) {
  CheckLevels(2);
  CheckHover(2);
}

// "Double size" in the Editor settings: the window grows where it stands,
// and the canvas is drawn at double size there.
TEST(CanvasPixels, DoubleSizeFromTheSettingsKeepsTheWindowInPlace) {
  ProgramDir folder;
  EditorProcess editor(folder, folder.File("sample.kxl"));
  ASSERT_TRUE(editor.WaitForWindow());
  SetWindowPos(editor.Window(), nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { return editor.WindowRect().left == 120; }));
  const RECT before = editor.WindowRect();

  editor.Command(40018);
  const DialogWindow settings = editor.WaitForDialog(10000, "Editor settings");
  ASSERT_TRUE(settings);
  SendMessageA(GetDlgItem(settings.window, 1030), BM_SETCHECK, BST_CHECKED, 0);  // Double size
  editor.Press(settings, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return editor.WindowRect().right - editor.WindowRect().left == 1046; }));
  const RECT after = editor.WindowRect();
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.bottom - after.top, 499);
  const Image expected = ExpectedCanvas(folder, 0, 2);
  EXPECT_EQ(DifferingPixels(ScreenCanvas(editor, 2, expected), expected, "settings-z2"), 0);
}

// Export picture: the canvas as the screen shows it, written as PNG.
TEST(CanvasPixels, ExportPictureWritesWhatTheCanvasShows) {
  ProgramDir folder;
  EditorProcess editor(folder, folder.File("sample.kxl"));
  ASSERT_TRUE(editor.WaitForWindow());
  SendCommand(editor, 40026);  // level 5
  const Image expected = ExpectedCanvas(folder, 4, 1);
  const Image shown = ScreenCanvas(editor, 1, expected);
  const std::string path = folder.File("level5.png");
  editor.Command(40053);
  ASSERT_TRUE(editor.WaitForDialog(15000, "Export picture"));
  ASSERT_TRUE(editor.ChooseFile(path));
  ASSERT_TRUE(WaitUntil([&] { return FileExists(path); }));
  editor.WaitIdle();
  Image written;
  ASSERT_TRUE(ReadPng(path, written, nullptr));
  EXPECT_EQ(DifferingPixels(written, shown, "export"), 0);
}
