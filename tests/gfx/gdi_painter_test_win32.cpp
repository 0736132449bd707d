// The main window painted through GDI a thousand times draws what the
// software painter draws, and every device context, bitmap and pen a paint
// makes is deleted again.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "gfx/gdi_objects_win32.h"
#include "gfx/gdi_painter_win32.h"
#include "gfx/software_painter.h"
#include "gfx/tile_sheet_win32.h"
#include "support/test_sheets.h"
#include "view/editor.h"
#include "view/layout.h"
#include "view/paint.h"

namespace {

constexpr Rgb kStale{250, 0, 250};  // what the "window" held before a paint

// A 24-bit picture in a memory device context, standing for the window.
class MemoryTarget {
 public:
  MemoryTarget(int width, int height) : width_(width), height_(height), stride_((width * 3 + 3) & ~3) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<unsigned char*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
  }
  ~MemoryTarget() {
    DeleteObject(SelectObject(dc_, previous_));
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }
  void Fill(Rgb c) {
    GdiFlush();
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) std::copy_n(std::begin({c.b, c.g, c.r}), 3, Pixel(x, y));
  }
  Image Crop(int left, int top, int width, int height) {
    GdiFlush();
    Image image(width, height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const unsigned char* p = Pixel(left + x, top + y);
        image.At(x, y) = {p[2], p[1], p[0]};
      }
    return image;
  }

 private:
  unsigned char* Pixel(int x, int y) { return bits_ + static_cast<size_t>(stride_) * y + 3 * x; }
  int width_;
  int height_;
  int stride_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
  unsigned char* bits_;
};

// Overlays, three enemy types in four facings, two teleport pairs and a lone
// end; an exit and a hidden item in the edge columns and a negative value.
void FillLevel(Level& level) {
  level.SetPatternSet(4);
  for (int i = 0; i < 3; ++i) level.SetEnemyType(i, i + 1);
  for (int i = 0; i < kCellCount; ++i) level.SetCell(i, i % 16);
  const int cells[][2] = {{18, 130}, {19, 150}, {20, 165}, {21, kCellGem}, {40, 80}, {30, 176}, {120, 177},
                          {44, 182}, {200, 183}, {90, 186}, {16, 130}, {17 * 6, 150}, {17 * 7 + 5, -1}};
  for (const auto& [cell, value] : cells) level.SetCell(cell, value);
  level.GetActor(0).Set(48, 32, 3, 0, 0, 2);
  const int32_t types[] = {24, 48, 72, 24, 48};
  const int32_t facings[] = {1, 3, 5, 7, 5};
  for (int k = 1; k < kActorCount; ++k)
    level.GetActor(k).Set(k == 5 ? 0 : 16 + 32 * k, 16 * (k + 2), facings[k - 1], types[k - 1], 5, 4);
}

// Paint number i shows another zoom, selection, pair, inspector and repaint request.
void Vary(Editor& state, int i) {
  const int z = i % 3 == 2 ? 2 : 1;
  if (z != state.settings.zoom || state.session.regionList.Empty()) {
    state.settings.zoom = z;
    state.session.regionList.Clear();
    LayoutRegions(state.session.regionList, z);
  }
  state.session.currentLevel = i % kLevelCount;
  state.session.teleportPair = i % 8;
  state.session.selectionCategory = i % 5;  // 4 selects nothing
  const int32_t values[] = {i % 16, 18 + i % 12, 17, 31, 52, 32, 42, 64 + i % 64};
  state.session.selectionValue = i % 5 == 0 ? values[i % 8] : i % 5 == 2 ? 1 + i % 5 : i % 4;
  state.session.inspectorTiles[0] = i % 7 == 0 ? -1 : i % 128;
  state.session.inspectorTiles[1] = i % 2 ? -1 : 17;
  state.session.inspectorTiles[2] = i % 3 ? -1 : 42;
  state.session.repaintFlags = i % 10 == 4 ? kRepaintCanvas : i % 10 == 7 ? kRepaintPanel : kRepaintAll;
  state.settings.correctShadow = i % 4 == 1;
}

}  // namespace

TEST(GdiPainter, AThousandPaintsMatchTheSoftwarePainterAndLeaveNoObjectBehind) {
  MemoryTarget target(MainWindowWidth(2), MainWindowHeight(2));
  Editor state;
  state.catalogue = MakeTestCatalogue(2, 4);
  LevelSet levels;
  for (Level& level : levels) FillLevel(level);
  state.document.Replace(levels, "");
  SheetTable sheets;
  sheets.Build(state.catalogue, target.Dc());
  const Rgb background = RgbFromColorRef(GetSysColor(COLOR_SCROLLBAR));
  GdiObjectLedger& ledger = PainterGdiObjects();
  for (int i = 0; i <= 1000; ++i) {
    Vary(state, i);
    const int z = state.settings.zoom;
    Image client(516 * z, 210 * z + 16, kStale);
    {
      SoftwarePainter software(state.catalogue, client, background);
      Editor copy = state;
      PaintMainWindow(copy, software);
    }
    target.Fill(kStale);
    {
      GdiPainter painter(target.Dc(), sheets);
      PaintMainWindow(state, painter);
    }
    const Image canvas = target.Crop(z, z + 16, 256 * z, 208 * z);
    ASSERT_TRUE(canvas == CropImage(client, z, z + 16, 256 * z, 208 * z)) << "paint " << i << " differs";
    ASSERT_EQ(ledger.LiveTotal(), 0) << "paint " << i;
  }
  EXPECT_GT(ledger.CreatedCount(GdiObjectKind::Dc), 1000);
}
