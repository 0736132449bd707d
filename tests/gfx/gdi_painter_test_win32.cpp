// The main window painted through GDI a thousand times: every device
// context, bitmap and pen a paint makes is deleted before the paint ends,
// so the live count stays where it was after the first paint, and the
// deleted handles are really gone.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "view/editor.h"
#include "gfx/gdi_objects_win32.h"
#include "gfx/gdi_painter_win32.h"
#include "gfx/gdi_test_target_win32.h"
#include "gfx/software_painter.h"
#include "gfx/tile_sheet_win32.h"
#include "support/test_sheets.h"
#include "view/layout.h"
#include "view/paint.h"

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kStale{250, 0, 250};  // what the "window" held before a paint

// A level that makes every part of the paint work: overlays, the three
// enemy types in all four facings, two complete teleport pairs (two links)
// and a lone end (no link).
void FillLevel(Level& level) {
  level.SetPatternSet(4);  // the catalogue's second pattern set
  level.SetEnemyType(0, 1);
  level.SetEnemyType(1, 2);
  level.SetEnemyType(2, 3);
  for (int i = 0; i < kCellCount; ++i) level.SetCell(i, i % 16);
  level.SetCell(18, 130);
  level.SetCell(19, 150);
  level.SetCell(20, 165);
  level.SetCell(21, kCellGem);
  level.SetCell(40, 80);
  level.SetCell(30, 176);
  level.SetCell(120, 177);
  level.SetCell(44, 182);
  level.SetCell(200, 183);
  level.SetCell(90, 186);
  // Values no tile stands for: an exit and a hidden item in the edge
  // columns, a negative value inside.
  level.SetCell(16, 130);
  level.SetCell(17 * 6, 150);
  level.SetCell(17 * 7 + 5, -1);
  level.GetActor(0).Set(48, 32, 3, 0, 0, 2);
  const int32_t types[] = {24, 48, 72, 24, 48};
  const int32_t facings[] = {1, 3, 5, 7, 5};
  for (int k = 1; k < kActorCount; ++k)
    level.GetActor(k).Set(k == 5 ? 0 : 16 + 32 * k, 16 * (k + 2), facings[k - 1], types[k - 1], 5, 4);
}

struct PaintSetup {
  Editor state;
  SheetTable sheets;

  explicit PaintSetup(HDC reference) {
    state.catalogue = MakeTestCatalogue(2, 4);
    LevelSet levels;
    for (Level& level : levels) FillLevel(level);
    state.document.Replace(levels, "");
    sheets.Build(state.catalogue, reference);
    Vary(0);
  }
  ~PaintSetup() { sheets.Clear(); }

  // Paint number i shows another zoom, selection, pair, inspector and
  // repaint request, so every drawing path runs many times.
  void Vary(int i) {
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
    state.session.selectionValue = state.session.selectionCategory == 0 ? values[i % 8]
                           : state.session.selectionCategory == 2 ? 1 + i % 5
                                                          : i % 4;
    state.session.inspectorTiles[0] = i % 7 == 0 ? -1 : i % 128;
    state.session.inspectorTiles[1] = i % 2 ? -1 : 17;
    state.session.inspectorTiles[2] = i % 3 ? -1 : 42;
    state.session.repaintFlags = i % 10 == 4 ? kRepaintCanvas : i % 10 == 7 ? kRepaintPanel : kRepaintAll;
    state.settings.correctShadow = i % 4 == 1;
  }
};

// The window's background as GdiPainter fills it.
Rgb WindowBackground() { return RgbFromColorRef(GetSysColor(COLOR_SCROLLBAR)); }

// The canvas as the software painter composes it for the same state.
Image SoftwareCanvas(const PaintSetup& setup) {
  Editor state = setup.state;
  const int z = state.settings.zoom;
  Image client(516 * z, 210 * z + 16, kStale);
  SoftwarePainter painter(state.catalogue, client, WindowBackground());
  PaintMainWindow(state, painter);
  return CropImage(client, z, z + 16, 256 * z, 208 * z);
}

Image GdiCanvas(const MemoryTarget& target, const Editor& state) {
  const int z = state.settings.zoom;
  return target.Crop(z, z + 16, 256 * z, 208 * z);
}

}  // namespace

TEST(GdiPainter, AThousandPaintsOfTheMainWindowLeaveNoDeviceContextBitmapOrPenBehind) {
  MemoryTarget target(MainWindowWidth(2), MainWindowHeight(2));
  ASSERT_TRUE(target.Ok());
  PaintSetup setup(target.Dc());
  GdiObjectLedger& ledger = PainterGdiObjects();
  HandleWatch watch(ledger);

  // The first paint draws what the software painter draws.
  target.Fill(kStale);
  const Image expected = SoftwareCanvas(setup);
  {
    GdiPainter painter(target.Dc(), setup.sheets);
    EXPECT_EQ(PaintMainWindow(setup.state, painter), 1);
  }
  const Image first = GdiCanvas(target, setup.state);
  EXPECT_TRUE(first == expected) << "the GDI canvas differs from the software one";
  // Cells no tile stands for show the background, not the off-screen
  // picture's first contents. (Canvas coordinates: column 16 starts at 248,
  // column 0's half at 0, column j at 8 + 16 (j - 1); row r at 16 r.)
  EXPECT_EQ(first.At(250, 4), WindowBackground());
  EXPECT_EQ(first.At(2, 16 * 6 + 4), WindowBackground());
  EXPECT_EQ(first.At(8 + 16 * 4 + 4, 16 * 7 + 4), WindowBackground());
  // The selection frame (pattern 0) is white on the palette.
  EXPECT_EQ(target.Crop(259, 17, 1, 1).At(0, 0), kWhite);
  EXPECT_GE(ledger.CreatedCount(GdiObjectKind::Dc), 2);      // source and canvas
  EXPECT_GE(ledger.CreatedCount(GdiObjectKind::Bitmap), 1);  // the canvas
  EXPECT_GE(ledger.CreatedCount(GdiObjectKind::Pen), 6);     // two links, four sides
  int64_t liveAfterFirst[kGdiObjectKinds];
  for (int k = 0; k < kGdiObjectKinds; ++k)
    liveAfterFirst[k] = ledger.Live(static_cast<GdiObjectKind>(k));
  EXPECT_EQ(ledger.LiveTotal(), 0);

  int64_t madeInLoop = 0;
  for (int i = 1; i <= 1000; ++i) {
    setup.Vary(i);
    watch.Forget();
    {
      GdiPainter painter(target.Dc(), setup.sheets);
      PaintMainWindow(setup.state, painter);
    }
    madeInLoop += static_cast<int64_t>(watch.created.size());
    // Each object the paint made was deleted once, and is gone.
    std::vector<HandleWatch::Entry> made = watch.created, gone = watch.deleted;
    std::sort(made.begin(), made.end());
    std::sort(gone.begin(), gone.end());
    ASSERT_EQ(made, gone) << "paint " << i;
    ASSERT_TRUE(std::adjacent_find(gone.begin(), gone.end()) == gone.end()) << "paint " << i;
    for (const HandleWatch::Entry& entry : gone)
      ASSERT_EQ(ObjectTypeOf(entry.second), 0u) << "paint " << i << ": object still exists";
  }
  EXPECT_GT(madeInLoop, 3000);
  for (int k = 0; k < kGdiObjectKinds; ++k) {
    const GdiObjectKind kind = static_cast<GdiObjectKind>(k);
    EXPECT_EQ(ledger.Live(kind), liveAfterFirst[k]) << "kind " << k;
    EXPECT_EQ(ledger.CreatedCount(kind), ledger.DeletedCount(kind)) << "kind " << k;
  }

  // After all that the same state still paints the same canvas.
  setup.Vary(0);
  target.Fill(kStale);
  {
    GdiPainter painter(target.Dc(), setup.sheets);
    PaintMainWindow(setup.state, painter);
  }
  EXPECT_TRUE(GdiCanvas(target, setup.state) == first);
}

TEST(GdiPainter, AnOffscreenPictureLeftOpenOrBegunTwiceIsStillDeleted) {
  MemoryTarget target(64, 64);
  ASSERT_TRUE(target.Ok());
  SheetTable sheets;
  GdiObjectLedger& ledger = PainterGdiObjects();
  HandleWatch watch(ledger);
  const int64_t liveBefore = ledger.LiveTotal();
  {
    GdiPainter painter(target.Dc(), sheets);
    painter.BeginOffscreen(32, 32);
    painter.BeginOffscreen(16, 16);  // drops the first picture
    painter.Line(0, 0, 10, 10, kWhite);
    // No EndOffscreen: the painter's end drops the picture.
  }
  EXPECT_EQ(ledger.LiveTotal(), liveBefore);
  // The source context, two off-screen contexts with their bitmaps, a pen.
  EXPECT_EQ(watch.created.size(), 6u);
  EXPECT_EQ(watch.deleted.size(), 6u);
  for (const HandleWatch::Entry& entry : watch.deleted) EXPECT_EQ(ObjectTypeOf(entry.second), 0u);
}
