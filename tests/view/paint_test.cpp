#include "view/paint.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "view/editor.h"
#include "gfx/software_painter.h"
#include "support/recording_painter.h"
#include "support/test_sheets.h"
#include "view/layout.h"

namespace {

constexpr Rgb kBackground = kDefaultWindowBackground;
constexpr Rgb kStale{250, 0, 250};  // what the window showed before the paint
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGrey{136, 136, 136};
constexpr Rgb kBlack{0, 0, 0};

using Pixels = std::set<std::pair<int, int>>;
using Kind = PaintCall::Kind;

Pixels PixelsOf(const Image& image, Rgb colour) {
  Pixels out;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (image.At(x, y) == colour) out.insert({x, y});
  return out;
}

// Every pixel of the rectangle holds `colour`.
bool AllOf(const Image& image, ClientRect rect, Rgb colour) {
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x)
      if (image.At(x, y) != colour) return false;
  return true;
}

// The pixels of a one-pixel frame whose outermost pixels are the box's.
Pixels Ring(int left, int top, int width, int height) {
  Pixels out;
  for (int x = left; x < left + width; ++x) {
    out.insert({x, top});
    out.insert({x, top + height - 1});
  }
  for (int y = top; y < top + height; ++y) {
    out.insert({left, y});
    out.insert({left + width - 1, y});
  }
  return out;
}

// An editor with a synthetic catalogue, laid out for zoom z. The test sets
// up `levels`; every paint opens them first.
struct Canvas {
  struct Point {
    int x, y;
  };
  Editor state;
  LevelSet levels;

  explicit Canvas(int zoom = 1, int patternSets = 3, int spriteSets = 4) {
    state.catalogue = MakeTestCatalogue(patternSets, spriteSets);
    state.settings.zoom = zoom;
    LayoutRegions(state.session.regionList, zoom);
    for (int32_t& tile : state.session.inspectorTiles) tile = -1;
  }
  int z() const { return state.settings.zoom; }
  Level& level() { return levels[state.session.currentLevel]; }
  const Level& painted() const { return state.document.GetLevel(state.session.currentLevel); }

  Image Paint(Rgb before = kStale) {
    Image client(516 * z(), 210 * z() + 16, before);
    SoftwarePainter painter(state.catalogue, client, kBackground);
    Draw(painter);
    return client;
  }
  RecordingPainter Record() {
    RecordingPainter painter;
    Draw(painter);
    return painter;
  }
  int Draw(Painter& painter) {
    state.document.Replace(levels, "");
    return PaintMainWindow(state, painter);
  }
  // A pixel inside one quarter of a cell of the canvas.
  Point CellPoint(int cell, bool lower, bool right) const {
    const int column = cell % 17, row = cell / 17;
    const int left = column == 0 ? z() : 9 * z() + 16 * z() * (column - 1);
    const int quarter = column == 0 || column == 16 ? 2 * z() : 4 * z();
    return {left + (right ? 2 * quarter : 0) + quarter,
            z() + 16 + 16 * z() * row + (lower ? 12 : 4) * z()};
  }
  TilePixel CellPixel(const Image& image, int cell, bool lower, bool right) const {
    const Point p = CellPoint(cell, lower, right);
    return DecodeTilePixel(image.At(p.x, p.y));
  }
};

ClientRect CanvasRect(int z) { return {z, z + 16, 257 * z, 209 * z + 16}; }

}  // namespace

TEST(Paint, RepaintFlagsSteerWhatIsRedrawn) {
  for (int z : {1, 2}) {
    Canvas editor(z);
    editor.state.session.inspectorTiles[0] = 5;
    editor.state.session.inspectorTiles[1] = 6;
    editor.state.session.inspectorTiles[2] = 7;

    // Canvas only: captions and inspector, the canvas off screen; neither
    // palette nor actor images nor the selection frame.
    editor.state.session.repaintFlags = kRepaintCanvas;
    RecordingPainter canvas = editor.Record();
    EXPECT_EQ(editor.state.session.repaintFlags, kRepaintCanvas);  // read, not cleared
    EXPECT_TRUE(canvas.Blits(SheetKind::SpriteColour, false).empty());
    EXPECT_TRUE(canvas.Blits(SheetKind::SpriteMask, false).empty());
    const std::vector<PaintCall> onScreen = canvas.Blits(SheetKind::Pattern, false);
    ASSERT_EQ(onScreen.size(), 3u);
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(onScreen[k].dx, (383 + 16 * k) * z);
      EXPECT_EQ(onScreen[k].dy, 187 * z + 16);
      EXPECT_EQ(onScreen[k].sx, 16 * z * (5 + k));
      EXPECT_EQ(onScreen[k].w, 16 * z);
    }
    EXPECT_EQ(canvas.CaptionTexts().size(), 7u);
    for (const PaintCall& line : canvas.Of(Kind::Line)) EXPECT_TRUE(line.offscreen);
    ASSERT_EQ(canvas.Of(Kind::BeginOffscreen).size(), 1u);
    EXPECT_EQ(canvas.Of(Kind::BeginOffscreen)[0].w, 258 * z);
    EXPECT_EQ(canvas.Of(Kind::BeginOffscreen)[0].h, 209 * z + 16);
    ASSERT_EQ(canvas.Of(Kind::EndOffscreen).size(), 1u);
    EXPECT_EQ(canvas.Of(Kind::EndOffscreen)[0].rect, CanvasRect(z));
    EXPECT_EQ(canvas.Blits(SheetKind::Pattern, true).size(), 221u);  // one per cell

    // Side panel only: palette, images, frame; no canvas.
    editor.state.session.repaintFlags = kRepaintPanel;
    RecordingPainter panel = editor.Record();
    EXPECT_TRUE(panel.Of(Kind::BeginOffscreen).empty());
    EXPECT_TRUE(panel.Of(Kind::EndOffscreen).empty());
    EXPECT_EQ(panel.Blits(SheetKind::Pattern, false).size(), 3u + 10u);
    EXPECT_EQ(panel.Blits(SheetKind::SpriteColour, false).size(), 9u);
    EXPECT_EQ(panel.Of(Kind::Line).size(), 4u);
    EXPECT_EQ(panel.CaptionTexts().size(), 7u);

    editor.state.session.repaintFlags = kRepaintAll;
    RecordingPainter both = editor.Record();
    EXPECT_EQ(both.Of(Kind::EndOffscreen).size(), 1u);
    EXPECT_EQ(both.Blits(SheetKind::Pattern, false).size(), 13u);
    EXPECT_EQ(both.Blits(SheetKind::SpriteColour, false).size(), 9u);

    // On pixels: with flags 1 the panel keeps whatever it showed before.
    editor.state.session.repaintFlags = kRepaintCanvas;
    const Image pixels = editor.Paint();
    EXPECT_TRUE(AllOf(pixels, {259 * z, z + 16, 515 * z, 119 * z + 16}, kStale));   // palette
    EXPECT_TRUE(AllOf(pixels, {259 * z, 138 * z + 16, 489 * z, 162 * z + 16}, kStale));
    EXPECT_EQ(editor.CellPixel(pixels, 20, false, false).tile, 0);
    EXPECT_EQ(DecodeTilePixel(pixels.At(390 * z, 190 * z + 16)).tile, 5);  // inspector
    EXPECT_EQ(PixelsOf(pixels, kWhite), Pixels{});
  }
}

TEST(Paint, CaptionsTextsAndRectangles) {
  for (int z : {1, 2}) {
    Canvas editor(z);
    editor.state.session.currentLevel = 3;
    editor.state.session.teleportPair = 7;
    editor.state.activeBorderColour = 0x00336699;
    editor.level().SetPatternSet(5);
    editor.state.session.repaintFlags = kRepaintCanvas;
    const std::vector<PaintCall> captions = editor.Record().Of(Kind::Caption);
    const std::vector<std::pair<std::string, ClientRect>> expected = {
        {"Level 4  ", {z == 1 ? 42 : 44, 2, 240 * z, 17}},
        {std::string(63, ' '), {z == 1 ? 296 : 556, 2, 500 * z, 17}},
        {"Set 2", {z == 1 ? 296 : 556, 2, 500 * z, 17}},
        {"Teleport 8", {z == 1 ? 296 : 556, 185 * z, 500 * z, 185 * z + 15}},
        {"Pattern order", {383 * z, 185 * z, 500 * z, 185 * z + 15}},
        {"Player", {z == 1 ? 260 : 518, 138 * z, 500 * z, 138 * z + 15}},
        {"Enemies", {353 * z, 138 * z, 500 * z, 138 * z + 15}},
    };
    ASSERT_EQ(captions.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(captions[i].text, expected[i].first);
      EXPECT_EQ(captions[i].rect, expected[i].second) << expected[i].first;
      EXPECT_EQ(captions[i].background, (Rgb{0x99, 0x66, 0x33}));
    }
  }

  // The blanks come before every name, so a long name leaves no rest behind
  // a short one.
  Canvas editor;
  editor.state.catalogue.patternSets[0].name = "A rather long pattern-set name";
  editor.state.catalogue.patternSets[1].name = "B";
  editor.level().SetPatternSet(3);
  editor.levels[1].SetPatternSet(4);
  RecordingPainter painter;
  editor.Draw(painter);
  editor.state.session.currentLevel = 1;
  editor.Draw(painter);
  const std::vector<std::string> texts = painter.CaptionTexts();
  ASSERT_EQ(texts.size(), 14u);
  EXPECT_EQ(texts[1], std::string(63, ' '));
  EXPECT_EQ(texts[2], "A rather long pattern-set name");
  EXPECT_EQ(texts[7], "Level 2  ");
  EXPECT_EQ(texts[8], std::string(63, ' '));
  EXPECT_EQ(texts[9], "B");
}

TEST(Paint, CellValuesPickTilesAndOverlays) {
  for (int z : {1, 2}) {
    Canvas editor(z);
    Level& level = editor.level();
    level.SetPatternSet(4);  // catalogue set 1
    const int row = 2 * 17;
    level.SetCell(row + 3, 130);
    level.SetCell(row + 4, 150);
    level.SetCell(row + 5, 165);
    level.SetCell(row + 6, 180);
    level.SetCell(row + 7, 45);
    level.SetCell(row + 8, 127);
    level.SetCell(row + 9, 17);
    level.SetCell(row + 10, 143);
    level.SetCell(row + 11, 191);
    level.SetCell(row + 0, 37);   // left edge: right half of tile 37
    level.SetCell(row + 16, 38);  // right edge: left half of tile 38
    const Image image = editor.Paint();

    struct Expect {
      int cell;
      bool lower;
      int tile;
      bool tileLower;
    };
    const Expect expects[] = {
        {row + 3, false, 2, false},  {row + 3, true, 17, true},   // exit's lower half
        {row + 4, false, 32, false}, {row + 4, true, 22, true},   // wall's upper half
        {row + 5, false, 42, false}, {row + 5, true, 21, true},
        {row + 6, false, 16, false}, {row + 6, true, 16, true},
        {row + 7, false, 45, false}, {row + 8, true, 127, true},
        {row + 9, true, 17, true},   {row + 10, false, 15, false},
        {row + 10, true, 17, true},  {row + 11, false, 16, false},
        {row + 1, true, 0, true},
    };
    for (const Expect& e : expects)
      for (bool right : {false, true}) {
        const TilePixel pixel = editor.CellPixel(image, e.cell, e.lower, right);
        EXPECT_EQ(pixel.set, 1);
        EXPECT_EQ(pixel.tile, e.tile) << "cell " << e.cell << " z " << z;
        EXPECT_EQ(pixel.lower, e.tileLower) << "cell " << e.cell;
        EXPECT_EQ(pixel.right, right);
      }
    // The edge strips are half tiles: column 0 the right half, column 16 the left.
    const TilePixel leftEdge = editor.CellPixel(image, row, true, false);
    EXPECT_EQ(leftEdge.tile, 37);
    EXPECT_TRUE(leftEdge.right);
    EXPECT_EQ(editor.CellPixel(image, row, true, true).tile, 37);
    const TilePixel rightEdge = editor.CellPixel(image, row + 16, false, true);
    EXPECT_EQ(rightEdge.tile, 38);
    EXPECT_FALSE(rightEdge.right);
    // Strips of exactly 8z: column 0 starts at z, column 16 ends at 257z.
    EXPECT_EQ(DecodeTilePixel(image.At(z, z + 16 + 32 * z)).tile, 37);
    EXPECT_EQ(DecodeTilePixel(image.At(257 * z - 1, z + 16 + 32 * z)).tile, 38);
    EXPECT_EQ(image.At(257 * z, z + 16 + 32 * z), kStale);
    EXPECT_EQ(image.At(z - 1, z + 16 + 32 * z), kStale);
  }
}

TEST(Paint, TeleportLinksJoinBothEndsOfEachPair) {
  for (int z : {1, 2}) {
    const auto linkPoint = [z](int i) {
      return std::pair{(16 * (i % 17) + 3) * z, 16 * z * (i / 17 + 1) + (z == 1 ? 8 : 0)};
    };
    Canvas editor(z);
    Level& level = editor.level();
    level.SetCell(40, 180);  // start of pair 2
    level.SetCell(100, 181);
    level.SetCell(20, 176);  // pair 0
    level.SetCell(150, 177);
    level.SetCell(60, 183);  // only the end of pair 3
    editor.state.session.teleportPair = 2;
    editor.state.session.repaintFlags = kRepaintCanvas;

    RecordingPainter links = editor.Record();
    const std::vector<PaintCall> lines = links.Of(Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(std::pair(lines[0].x0, lines[0].y0), linkPoint(20));
    EXPECT_EQ(std::pair(lines[0].x1, lines[0].y1), linkPoint(150));
    EXPECT_EQ(lines[0].colour, kGrey);
    EXPECT_EQ(std::pair(lines[1].x0, lines[1].y0), linkPoint(40));
    EXPECT_EQ(std::pair(lines[1].x1, lines[1].y1), linkPoint(100));
    EXPECT_EQ(lines[1].colour, kWhite);
    EXPECT_TRUE(lines[0].offscreen && lines[1].offscreen);

    // On pixels: the line starts at the start's link point, over tile 16.
    const Image image = editor.Paint();
    const auto [sx, sy] = linkPoint(40);
    EXPECT_EQ(image.At(sx, sy), kWhite);
    const auto [gx, gy] = linkPoint(20);
    EXPECT_EQ(image.At(gx, gy), kGrey);
    EXPECT_EQ(editor.CellPixel(image, 40, true, true).tile, 16);

    editor.state.session.teleportPair = 0;
    const std::vector<PaintCall> swapped = editor.Record().Of(Kind::Line);
    ASSERT_EQ(swapped.size(), 2u);
    EXPECT_EQ(swapped[0].colour, kWhite);
    EXPECT_EQ(swapped[1].colour, kGrey);

    // A value found twice counts at its highest cell.
    level.SetCell(120, 181);
    const std::vector<PaintCall> highest = editor.Record().Of(Kind::Line);
    ASSERT_EQ(highest.size(), 2u);
    EXPECT_EQ(std::pair(highest[1].x1, highest[1].y1), linkPoint(120));

    // One end alone draws nothing.
    level.SetCell(100, 0);
  level.SetCell(120, 0);
    level.SetCell(150, 0);
    EXPECT_TRUE(editor.Record().Of(Kind::Line).empty());
  }
}

TEST(Paint, ActorsOnCanvasAndInThePanel) {
  for (int z : {1, 2}) {
    Canvas editor(z);
    Level& level = editor.level();
    for (int i = 0; i < kCellCount; ++i) level.SetCell(i, 20);
    level.GetActor(0).Set(40, 64, 3, 0, 0, 2);     // the player at column 3, row 4, facing right
    level.GetActor(1).Set(72, 96, 7, 48, 5, 2);    // enemy type 2 at column 5, row 6, facing left
    level.GetActor(2).Set(0, 0, 5, 72, 5, 2);      // not placed
    const Image image = editor.Paint();
    const int left = 9 * z, top = z + 16;

    // The player: transparent upper third shows the tile, the rest its colour.
    const int px = left + 32 * z, py = top + 56 * z;
    EXPECT_EQ(DecodeTilePixel(image.At(px + 2 * z, py + 2 * z)).tile, 20);
    EXPECT_EQ(image.At(px + 2 * z, py + 10 * z), SpriteColourAt(0, 64));
    EXPECT_EQ(image.At(px + 16 * z - 1, py + 24 * z - 1), SpriteColourAt(0, 64));
    EXPECT_EQ(DecodeTilePixel(image.At(px + 16 * z, py + 10 * z)).tile, 20);
    // Enemy 1 draws with the level's sprite set for type 2 (set 2), frame left.
    const int ex = left + 64 * z, ey = top + 88 * z;
    EXPECT_EQ(image.At(ex + 5 * z, ey + 20 * z), SpriteColourAt(2, 144));
    EXPECT_EQ(DecodeTilePixel(image.At(ex + 5 * z, ey + 7 * z)).tile, 20);

    // Enemy 2 is not on the canvas: only two actors blit off screen.
    editor.state.session.repaintFlags = kRepaintCanvas;
    RecordingPainter calls = editor.Record();
    const std::vector<PaintCall> masks = calls.Blits(SheetKind::SpriteMask, true);
    const std::vector<PaintCall> colours = calls.Blits(SheetKind::SpriteColour, true);
    ASSERT_EQ(masks.size(), 2u);
    ASSERT_EQ(colours.size(), 2u);
    EXPECT_EQ(masks[0].op, RasterOp::And);
    EXPECT_EQ(colours[0].op, RasterOp::Paint);
    EXPECT_EQ(masks[1].sheet, (SheetRef{SheetKind::SpriteMask, 2, z}));
    EXPECT_EQ(masks[1].sx, 144 * z);

    // The panel: the player's four frames, then every enemy from its record,
    // placed or not, copied on black.
    const int panelY = 138 * z + 16;
    for (int f = 0; f < 4; ++f) {
      const int x = (259 + 16 * f) * z;
      EXPECT_EQ(image.At(x + z, panelY + z), kBlack);
      EXPECT_EQ(image.At(x + 15 * z, panelY + 23 * z), SpriteColourAt(0, 64 * f));
    }
    const Rgb enemies[] = {SpriteColourAt(2, 144), SpriteColourAt(3, 96), SpriteColourAt(1, 96),
                           SpriteColourAt(1, 96), SpriteColourAt(1, 96)};
    for (int k = 1; k <= 5; ++k) {
      const int x = (353 + 30 * (k - 1)) * z;
      EXPECT_EQ(image.At(x, panelY + 12 * z), enemies[k - 1]) << "enemy " << k;
      EXPECT_EQ(image.At(x + 16 * z, panelY + 12 * z), kStale);
    }
  }
}

TEST(Paint, CellInspectorSlots) {
  for (int z : {1, 2}) {
    Canvas editor(z);
    editor.state.session.inspectorTiles[0] = 31;
    editor.state.session.inspectorTiles[1] = -1;
    editor.state.session.inspectorTiles[2] = 77;
    editor.state.session.repaintFlags = kRepaintCanvas;
    Image image = editor.Paint();
    const int y = 187 * z + 16;
    EXPECT_EQ(DecodeTilePixel(image.At(383 * z, y)).tile, 31);
    EXPECT_EQ(DecodeTilePixel(image.At(399 * z - 1, y + 16 * z - 1)).tile, 31);
    EXPECT_TRUE(AllOf(image, {399 * z, y, 415 * z, y + 16 * z}, kBackground));
    EXPECT_EQ(DecodeTilePixel(image.At(415 * z, y)).tile, 77);
    EXPECT_EQ(image.At(431 * z, y), kStale);

    // A tile number beyond the sheet blanks its slot too.
    editor.state.session.inspectorTiles[0] = 128;
    editor.state.session.inspectorTiles[2] = INT_MIN;
    image = editor.Paint();
    EXPECT_TRUE(AllOf(image, {383 * z, y, 431 * z, y + 16 * z}, kBackground));
  }
}

TEST(Paint, PaletteAtBothZooms) {
  for (int z : {1, 2}) {
    Canvas editor(z);
    editor.state.session.repaintFlags = kRepaintPanel;
    editor.state.session.selectionCategory = -1;  // no frame over the tiles
    const Image image = editor.Paint();
    // (normal-size x of the cell, y below the strip, tile)
    std::vector<std::tuple<int, int, int>> cells;
    for (int t = 0; t < 16; ++t) cells.push_back({259 + 16 * t, 1, t});
    for (int t = 18; t <= 29; ++t) cells.push_back({259 + 16 * (t - 18), 19, t});
    cells.push_back({259, 37, 17});
    cells.push_back({291, 37, 31});
    cells.push_back({323, 37, 52});
    cells.push_back({355, 37, 32});
    cells.push_back({371, 37, 42});
    for (int t = 64; t < 128; ++t) cells.push_back({259 + 16 * (t % 16), 55 + 16 * (t / 16 - 4), t});
    cells.push_back({259, 187, 16});
    cells.push_back({275, 187, 16});
    for (const auto& [x, y, tile] : cells) {
      const TilePixel first = DecodeTilePixel(image.At(x * z, y * z + 16));
      const TilePixel last = DecodeTilePixel(image.At((x + 16) * z - 1, (y + 16) * z + 15));
      EXPECT_EQ(first.tile, tile) << x << "," << y << " z " << z;
      EXPECT_FALSE(first.lower || first.right);
      EXPECT_EQ(last.tile, tile);
      EXPECT_TRUE(last.lower && last.right);
    }
    // Gaps between the parts stay as they were.
    EXPECT_EQ(image.At(275 * z, 37 * z + 16), kStale);
    EXPECT_EQ(image.At(259 * z, 35 * z + 16), kStale);
    EXPECT_EQ(image.At(451 * z, 19 * z + 16), kStale);
  }
}

TEST(Paint, LayoutChangeCanvasReadyAndShadows) {
  Canvas editor;
  editor.state.session.repaintFlags = kRepaintCanvas;
  editor.state.session.layoutChanged = 1;
  RecordingPainter calls = editor.Record();
  EXPECT_EQ(editor.state.session.repaintFlags, kRepaintAll);
  EXPECT_EQ(editor.state.session.layoutChanged, 0);
  EXPECT_EQ(calls.Blits(SheetKind::Pattern, false).size(), 10u);  // the palette came along
  EXPECT_EQ(calls.Of(Kind::EndOffscreen).size(), 1u);

  // A request that holds the panel bit keeps it.
  editor.state.session.repaintFlags = kRepaintAll;
  editor.state.session.layoutChanged = 1;
  editor.Record();
  EXPECT_EQ(editor.state.session.repaintFlags, kRepaintAll);
  editor.state.session.repaintFlags = kRepaintPanel;
  editor.state.session.layoutChanged = 1;
  editor.Record();
  EXPECT_EQ(editor.state.session.repaintFlags, kRepaintPanel);
  editor.Record();
  EXPECT_EQ(editor.state.session.repaintFlags, kRepaintPanel);

  // canvasReady is 0 for every drawing call and 1 afterwards.
  struct Watching : RecordingPainter {
    const Editor* state = nullptr;
    std::set<int32_t> seen;
    void Caption(const ClientRect& r, const std::string& t, Rgb b) override {
      seen.insert(state->session.canvasReady);
      RecordingPainter::Caption(r, t, b);
    }
    void Blit(const SheetRef& s, int sx, int sy, int w, int h, int dx, int dy,
              RasterOp op) override {
      seen.insert(state->session.canvasReady);
      RecordingPainter::Blit(s, sx, sy, w, h, dx, dy, op);
    }
  } watching;
  watching.state = &editor.state;
  editor.state.session.canvasReady = 1;
  editor.state.session.repaintFlags = kRepaintAll;
  EXPECT_EQ(editor.Draw(watching), 1);
  EXPECT_EQ(watching.seen, std::set<int32_t>{0});
  EXPECT_EQ(editor.state.session.canvasReady, 1);

  // Shadows are corrected first when the setting asks for it, and drawn so;
  // the set is not marked modified.
  Level& level = editor.level();
  level.SetCell(17 + 3, 64);
  level.SetCell(34 + 3, 2);
  editor.state.settings.correctShadow = 0;
  Image image = editor.Paint();
  EXPECT_EQ(editor.painted().GetCell(34 + 3), 2);
  EXPECT_EQ(editor.CellPixel(image, 34 + 3, false, false).tile, 2);
  editor.state.settings.correctShadow = 1;
  image = editor.Paint();
  EXPECT_EQ(editor.painted().GetCell(34 + 3), 10);
  EXPECT_EQ(editor.CellPixel(image, 34 + 3, false, false).tile, 10);
  EXPECT_FALSE(editor.state.document.Modified());
}

TEST(Paint, SelectionFrameSurroundsTheSelectedPaletteCell) {
  Image direct(12, 12, kStale);
  const ResourceCatalogue none;
  SoftwarePainter painter(none, direct);
  DrawSelectionFrame(painter, 2, 3, 2, 2, 1);
  EXPECT_EQ(PixelsOf(direct, kWhite), Ring(6, 4, 4, 2));

  struct Case {
    int32_t category, value, x, y, w, h;  // box at normal size; y below the strip
  };
  const Case cases[] = {
      {0, 0, 259, 1, 16, 16},    {0, 15, 499, 1, 16, 16},   {0, 18, 259, 19, 16, 16},
      {0, 29, 435, 19, 16, 16},  {0, 17, 259, 37, 16, 16},  {0, 31, 291, 37, 16, 16},
      {0, 52, 323, 37, 16, 16},  {0, 32, 355, 37, 16, 16},  {0, 41, 355, 37, 16, 16},
      {0, 42, 371, 37, 16, 16},  {0, 64, 259, 55, 16, 16},  {0, 127, 499, 103, 16, 16},
      {0, 90, 419, 71, 16, 16},  {1, 0, 259, 138, 16, 24},  {1, 3, 307, 138, 16, 24},
      {2, 1, 353, 138, 16, 24},  {2, 5, 473, 138, 16, 24},  {3, 0, 259, 187, 16, 16},
      {3, 1, 275, 187, 16, 16},
  };
  for (int z : {1, 2}) {
    Canvas editor(z);
    editor.state.session.repaintFlags = kRepaintPanel;
    for (const Case& c : cases) {
      editor.state.session.selectionCategory = c.category;
      editor.state.session.selectionValue = c.value;
      const Image image = editor.Paint();
      EXPECT_EQ(PixelsOf(image, kWhite), Ring(c.x * z, c.y * z + 16, c.w * z, c.h * z))
          << "category " << c.category << " value " << c.value << " z " << z;
    }
    // Values with no palette cell, and other categories, draw no frame.
    const std::pair<int32_t, int32_t> noFrame[] = {{0, 16}, {0, 30}, {0, 53}, {0, 63}, {0, 128},
                                                   {0, -1}, {1, 4},  {1, -1}, {2, 0},  {2, 6},
                                                   {3, 2},  {3, -1}, {4, 0},  {-1, 0}};
    for (const auto& [category, value] : noFrame) {
      editor.state.session.selectionCategory = category;
      editor.state.session.selectionValue = value;
      EXPECT_EQ(PixelsOf(editor.Paint(), kWhite), Pixels{}) << category << " " << value;
    }
    // No frame without the panel bit.
    editor.state.session.selectionCategory = 0;
    editor.state.session.selectionValue = 0;
    editor.state.session.repaintFlags = kRepaintCanvas;
    EXPECT_EQ(PixelsOf(editor.Paint(), kWhite), Pixels{});
  }
}

TEST(Paint, NumbersOutsideTheCatalogueDrawNothing) {
  // Pattern sets that do not exist: the canvas, palette and inspector are
  // blank, the name caption is left out, nothing crashes.
  for (int32_t patternSet : {3 + 3, 3 + 31, 2, 0, -1, INT_MIN, INT_MAX}) {
    Canvas editor;
    editor.level().SetPatternSet(patternSet);
    editor.level().SetCell(40, 130);
    editor.state.session.selectionCategory = -1;  // no frame over the palette
    editor.state.session.inspectorTiles[0] = 5;
    RecordingPainter calls = editor.Record();
    EXPECT_TRUE(calls.Blits(SheetKind::Pattern, false).empty());
    EXPECT_TRUE(calls.Blits(SheetKind::Pattern, true).empty()) << patternSet;
    EXPECT_EQ(calls.CaptionTexts().size(), 6u);
    const Image image = editor.Paint();
    EXPECT_TRUE(AllOf(image, CanvasRect(1), kBackground));
    EXPECT_TRUE(AllOf(image, {259, 17, 515, 33}, kBackground));
    EXPECT_TRUE(AllOf(image, {259, 71, 515, 135}, kBackground));
    EXPECT_TRUE(AllOf(image, {383, 203, 431, 219}, kBackground));
  }

  // A catalogue without pattern sets at all, and one whose set could not be
  // read: the same blanks, while actors still show.
  for (bool unreadable : {false, true}) {
    Canvas editor(2, unreadable ? 1 : 0);
    if (unreadable) editor.state.catalogue.patternSets[0] = {Image(), Image(), "Broken"};
    editor.state.session.selectionCategory = -1;
    editor.level().GetActor(0).Set(40, 64, 5, 0, 0, 2);
    const Image image = editor.Paint();
    EXPECT_EQ(DecodeTilePixel(image.At(300, 200)).tile, -1);
    EXPECT_EQ(image.At(300, 200), kBackground);
    EXPECT_EQ(image.At(18 + 64 + 4, 18 + 112 + 40), SpriteColourAt(0, 128));
    EXPECT_TRUE(AllOf(image, {518, 18, 1030, 50}, kBackground));
    EXPECT_EQ(editor.state.session.canvasReady, 1);
  }

  // Enemy types naming no sprite set, type codes and directions outside the
  // documented ones, positions no file can hold: not on the canvas, blank
  // in the panel.
  Canvas editor(1, 1, 3);
  Level& level = editor.level();
  level.SetEnemyType(0, 99);
  level.SetEnemyType(1, -5);
  level.SetEnemyType(2, 2);
  level.GetActor(1).Set(40, 32, 5, 24, 5, 2);   // type 1: sprite set 99
  level.GetActor(2).Set(56, 32, 5, 48, 5, 2);   // type 2: sprite set -5
  level.GetActor(3).Set(72, 32, 5, 30, 5, 2);   // no such type code
  level.GetActor(4).Set(88, 32, 4, 72, 5, 2);   // no such direction
  level.GetActor(5).Set(100000, 32, 5, 72, 5, 2);
  level.GetActor(0).Set(40, -16, 9, 0, 0, 2);
  RecordingPainter calls = editor.Record();
  EXPECT_TRUE(calls.Blits(SheetKind::SpriteMask, true).empty());
  EXPECT_TRUE(calls.Blits(SheetKind::SpriteColour, true).empty());
  // The player's frames and enemy 5, whose place does not matter to the panel.
  EXPECT_EQ(calls.Blits(SheetKind::SpriteColour, false).size(), 5u);
  const Image image = editor.Paint();
  for (int k = 1; k <= 4; ++k) {
    const int x = 353 + 30 * (k - 1);
    EXPECT_TRUE(AllOf(image, {x, 154, x + 16, 178}, kBackground)) << "enemy " << k;
  }
  EXPECT_EQ(image.At(473, 170), SpriteColourAt(2, 96));
  // An enemy record holding the player's type code draws the player on the
  // canvas, as documented, but has no enemy type for the panel.
  level.GetActor(1).Set(40, 32, 5, 0, 5, 2);
  const Image again = editor.Paint();
  EXPECT_EQ(again.At(9 + 32 + 8, 17 + 24 + 20), SpriteColourAt(0, 128));
  EXPECT_TRUE(AllOf(again, {353, 154, 369, 178}, kBackground));

  // Without the player's sprite set the player shows nowhere.
  Canvas noSprites(1, 1, 0);
  noSprites.level().GetActor(0).Set(40, 64, 5, 0, 0, 2);
  RecordingPainter spriteless = noSprites.Record();
  EXPECT_TRUE(spriteless.Blits(SheetKind::SpriteColour, true).empty());
  EXPECT_TRUE(spriteless.Blits(SheetKind::SpriteColour, false).empty());
  EXPECT_TRUE(AllOf(noSprites.Paint(), {259, 154, 323, 178}, kBackground));
}

TEST(Paint, CellValuesBeyondTheSheetShowTheWindowBackground) {
  Canvas editor;
  Level& level = editor.level();
  for (int i = 0; i < kCellCount; ++i) level.SetCell(i, 3);
  level.SetCell(17 * 1, 128);        // edge cells of 128 and more would address
  level.SetCell(17 * 2, 200);        // rows past the sheet
  level.SetCell(17 * 3 + 16, 175);
  level.SetCell(17 * 4 + 16, -3);
  level.SetCell(17 * 5 + 4, -1);     // negative values in the grid: nothing
  level.SetCell(17 * 5 + 5, 255);    // any value from 176 up shows tile 16
  level.SetCell(17 * 5 + 6, INT_MAX);
  editor.state.session.repaintFlags = kRepaintCanvas;
  EXPECT_EQ(editor.Record().Blits(SheetKind::Pattern, true).size(), 221u - 5u);
  const Image image = editor.Paint();
  // The off-screen picture starts undefined: those cells show the background.
  for (int cell : {17 * 1, 17 * 2, 17 * 3 + 16, 17 * 4 + 16, 17 * 5 + 4}) {
    EXPECT_EQ(editor.CellPixel(image, cell, true, true).tile, -1) << cell;
    for (bool lower : {false, true})
      for (bool right : {false, true}) {
        const Canvas::Point p = editor.CellPoint(cell, lower, right);
        EXPECT_EQ(image.At(p.x, p.y), kBackground) << cell;
      }
  }
  EXPECT_EQ(editor.CellPixel(image, 17 * 5 + 5, true, true).tile, 16);
  EXPECT_EQ(editor.CellPixel(image, 17 * 5 + 6, false, false).tile, 16);
  EXPECT_EQ(editor.CellPixel(image, 17 * 5 + 7, false, false).tile, 3);

  // A current level outside the set draws nothing and still completes.
  editor.state.session.currentLevel = 12;
  editor.state.session.canvasReady = 0;
  RecordingPainter nothing;
  EXPECT_EQ(PaintMainWindow(editor.state, nothing), 1);  // no level to open first
  EXPECT_TRUE(nothing.calls.empty());
  EXPECT_EQ(editor.state.session.canvasReady, 1);
}
