#include "view/paint.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <tuple>

#include "gfx/software_painter.h"
#include "support/recording_painter.h"
#include "support/test_sheets.h"
#include "view/editor.h"
#include "view/layout.h"

namespace {

constexpr Rgb kBackground = kDefaultWindowBackground, kStale{250, 0, 250}, kWhite{255, 255, 255};
constexpr Rgb kGrey{136, 136, 136}, kBlack{0, 0, 0};
using Pixels = std::set<std::pair<int, int>>;
using Kind = PaintCall::Kind;

Pixels WhitePixels(const Image& image) {
  Pixels out;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (image.At(x, y) == kWhite) out.insert({x, y});
  return out;
}

bool AllOf(const Image& image, ClientRect rect, Rgb colour) {
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x)
      if (image.At(x, y) != colour) return false;
  return true;
}

// The pixels of a one-pixel frame whose outermost pixels are the box's.
Pixels Ring(int left, int top, int width, int height) {
  Pixels out;
  for (int x = left; x < left + width; ++x) out.insert({x, top}), out.insert({x, top + height - 1});
  for (int y = top; y < top + height; ++y) out.insert({left, y}), out.insert({left + width - 1, y});
  return out;
}

// An editor with a synthetic catalogue, laid out for zoom z; every paint
// opens `levels` first.
struct Canvas {
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
  int Draw(Painter& painter) {
    state.document.Replace(levels, "");
    return PaintMainWindow(state, painter);
  }
  Image Paint() {
    Image client(516 * z(), 210 * z() + 16, kStale);
    SoftwarePainter painter(state.catalogue, client, kBackground);
    Draw(painter);
    return client;
  }
  RecordingPainter Record() {
    RecordingPainter painter;
    Draw(painter);
    return painter;
  }
  // A pixel inside one quarter of a cell of the canvas.
  std::pair<int, int> CellPoint(int cell, bool lower, bool right) const {
    const int column = cell % 17, row = cell / 17, q = column == 0 || column == 16 ? 2 * z() : 4 * z();
    const int left = column == 0 ? z() : 9 * z() + 16 * z() * (column - 1);
    return {left + (right ? 2 * q : 0) + q, z() + 16 + 16 * z() * row + (lower ? 12 : 4) * z()};
  }
  TilePixel CellPixel(const Image& image, int cell, bool lower, bool right) const {
    const auto [x, y] = CellPoint(cell, lower, right);
    return DecodeTilePixel(image.At(x, y));
  }
};

}  // namespace

TEST(Paint, RepaintFlagsSteerWhatIsRedrawn) {
  for (int z : {1, 2}) {
    Canvas editor(z);
    for (int k = 0; k < 3; ++k) editor.state.session.inspectorTiles[k] = 5 + k;
    // Canvas only: captions and inspector on screen, the canvas off screen.
    editor.state.session.repaintFlags = kRepaintCanvas;
    RecordingPainter canvas = editor.Record();
    EXPECT_EQ(editor.state.session.repaintFlags, kRepaintCanvas);  // read, not cleared
    EXPECT_TRUE(canvas.Blits(SheetKind::SpriteColour, false).empty());
    const RecordedBlit inspector[] = {
        {{SheetKind::Pattern, 0, z}, 80 * z, 0, 16 * z, 16 * z, 383 * z, 187 * z + 16, RasterOp::Copy},
        {{SheetKind::Pattern, 0, z}, 96 * z, 0, 16 * z, 16 * z, 399 * z, 187 * z + 16, RasterOp::Copy},
        {{SheetKind::Pattern, 0, z}, 112 * z, 0, 16 * z, 16 * z, 415 * z, 187 * z + 16, RasterOp::Copy}};
    EXPECT_EQ(canvas.Blits(SheetKind::Pattern, false), std::vector<RecordedBlit>(inspector, inspector + 3));
    EXPECT_EQ(canvas.Of(Kind::Caption).size(), 7u);
    for (const PaintCall& line : canvas.Of(Kind::Line)) EXPECT_TRUE(line.offscreen);
    ASSERT_EQ(canvas.Of(Kind::BeginOffscreen).size(), 1u);
    EXPECT_EQ(canvas.Of(Kind::BeginOffscreen)[0].w * 10000 + canvas.Of(Kind::BeginOffscreen)[0].h,
              258 * z * 10000 + 209 * z + 16);
    ASSERT_EQ(canvas.Of(Kind::EndOffscreen).size(), 1u);
    EXPECT_EQ(canvas.Of(Kind::EndOffscreen)[0].rect, (ClientRect{z, z + 16, 257 * z, 209 * z + 16}));
    EXPECT_EQ(canvas.Blits(SheetKind::Pattern, true).size(), 221u);
    // Side panel only: palette, images, frame; no canvas.
    editor.state.session.repaintFlags = kRepaintPanel;
    RecordingPainter panel = editor.Record();
    EXPECT_EQ(panel.Of(Kind::BeginOffscreen).size() + panel.Of(Kind::EndOffscreen).size(), 0u);
    EXPECT_EQ(panel.Blits(SheetKind::Pattern, false).size(), 13u);
    EXPECT_EQ(panel.Blits(SheetKind::SpriteColour, false).size(), 9u);
    EXPECT_EQ(panel.Of(Kind::Line).size(), 4u);
    editor.state.session.repaintFlags = kRepaintAll;
    RecordingPainter both = editor.Record();
    EXPECT_EQ(both.Of(Kind::EndOffscreen).size() * 1000 + both.Blits(SheetKind::Pattern, false).size() * 10 +
                  both.Blits(SheetKind::SpriteColour, false).size(), 1139u);
    // With the canvas flag only, the panel keeps whatever it showed before.
    editor.state.session.repaintFlags = kRepaintCanvas;
    const Image pixels = editor.Paint();
    EXPECT_TRUE(AllOf(pixels, {259 * z, z + 16, 515 * z, 119 * z + 16}, kStale));
    EXPECT_TRUE(AllOf(pixels, {259 * z, 138 * z + 16, 489 * z, 162 * z + 16}, kStale));
    EXPECT_EQ(DecodeTilePixel(pixels.At(390 * z, 190 * z + 16)).tile, 5);
    EXPECT_EQ(WhitePixels(pixels), Pixels{});
  }
}

TEST(Paint, Captions) {
  for (int z : {1, 2}) {
    Canvas editor(z);
    editor.state.session.currentLevel = 3;
    editor.state.session.teleportPair = 7;
    editor.state.activeBorderColour = 0x00336699;
    editor.level().SetPatternSet(5);
    editor.state.session.repaintFlags = kRepaintCanvas;
    const int name = z == 1 ? 296 : 556;
    const std::vector<std::pair<std::string, ClientRect>> expected = {
        {"Level 4  ", {z == 1 ? 42 : 44, 2, 240 * z, 17}},       {std::string(63, ' '), {name, 2, 500 * z, 17}},
        {"Set 2", {name, 2, 500 * z, 17}},                        {"Teleport 8", {name, 185 * z, 500 * z, 185 * z + 15}},
        {"Pattern order", {383 * z, 185 * z, 500 * z, 185 * z + 15}},
        {"Player", {z == 1 ? 260 : 518, 138 * z, 500 * z, 138 * z + 15}},
        {"Enemies", {353 * z, 138 * z, 500 * z, 138 * z + 15}}};
    std::vector<std::pair<std::string, ClientRect>> got;
    for (const PaintCall& c : editor.Record().Of(Kind::Caption)) {
      got.push_back({c.text, c.rect});
      EXPECT_EQ(c.colour, (Rgb{0x99, 0x66, 0x33}));
    }
    EXPECT_EQ(got, expected);
  }
}

TEST(Paint, CellValuesPickTilesAndOverlays) {
  for (int z : {1, 2}) {
    Canvas editor(z);
    Level& level = editor.level();
    level.SetPatternSet(4);  // catalogue set 1
    const int row = 2 * 17;
    const int values[] = {37, 0, 0, 130, 150, 165, 176, 45, 127, 17, 143, 191, 128, 144, 160, 0, 38};
    for (int c = 0; c < 17; ++c) level.SetCell(row + c, values[c]);
    const Image image = editor.Paint();
    // (cell, lower quarter, tile, the tile's lower half); the edge strips
    // are half tiles: column 0 shows the right half, column 16 the left.
    const std::tuple<int, bool, int, bool> expects[] = {
        {3, false, 2, false},  {3, true, 17, true},   {4, false, 32, false}, {4, true, 22, true},
        {5, false, 42, false}, {5, true, 21, true},   {6, false, 16, false}, {6, true, 16, true},
        {7, false, 45, false}, {8, true, 127, true},  {9, true, 17, true},   {10, false, 15, false},
        {10, true, 17, true},  {11, false, 16, false}, {1, true, 0, true},   {0, true, 37, true},
        {12, false, 0, false}, {12, true, 17, true},  {13, false, 32, false}, {13, true, 16, true},
        {14, false, 42, false}, {14, true, 16, true},
        {16, false, 38, false}};
    for (const auto& [cell, lower, tile, tileLower] : expects)
      for (bool right : {false, true}) {
        const TilePixel p = editor.CellPixel(image, row + cell, lower, right);
        const bool half = cell == 0 ? true : cell == 16 ? false : right;
        EXPECT_EQ(std::make_tuple(p.set, p.tile, p.lower, p.right), std::make_tuple(1, tile, tileLower, half))
            << "cell " << cell << " z " << z;
      }
    // Strips of exactly 8z: column 0 starts at z, column 16 ends at 257z.
    const int y = z + 16 + 32 * z;
    EXPECT_EQ(DecodeTilePixel(image.At(z, y)).tile * 100 + DecodeTilePixel(image.At(257 * z - 1, y)).tile, 3738);
    EXPECT_TRUE(image.At(257 * z, y) == kStale && image.At(z - 1, y) == kStale);
  }
}

TEST(Paint, TeleportLinksJoinBothEndsOfEachPair) {
  for (int z : {1, 2}) {
    const auto link = [z](int i) {
      return std::vector<int>{(16 * (i % 17) + 3) * z, 16 * z * (i / 17 + 1) + (z == 1 ? 8 : 0)};
    };
    const auto lines = [](const RecordingPainter& p) {
      std::vector<std::vector<int>> out;
      for (const PaintCall& c : p.Of(Kind::Line))
        out.push_back({c.x0, c.y0, c.x1, c.y1, c.colour == kWhite ? 1 : c.colour == kGrey ? 2 : 0, c.offscreen});
      return out;
    };
    const auto join = [&](int a, int b, int colour) {
      std::vector<int> v = link(a), w = link(b);
      v.insert(v.end(), w.begin(), w.end());
      v.insert(v.end(), {colour, 1});
      return v;
    };
    Canvas editor(z);
    Level& level = editor.level();
    for (auto [cell, v] : {std::pair{40, 180}, {100, 181}, {20, 176}, {150, 177}, {60, 183}}) level.SetCell(cell, v);
    editor.state.session.teleportPair = 2;
    editor.state.session.repaintFlags = kRepaintCanvas;
    EXPECT_EQ(lines(editor.Record()), (std::vector<std::vector<int>>{join(20, 150, 2), join(40, 100, 1)}));
    const Image image = editor.Paint();
    EXPECT_EQ(image.At(link(40)[0], link(40)[1]), kWhite);
    EXPECT_EQ(image.At(link(20)[0], link(20)[1]), kGrey);
    EXPECT_EQ(editor.CellPixel(image, 40, true, true).tile, 16);
    editor.state.session.teleportPair = 0;
    level.SetCell(120, 181);  // a value found twice counts at its highest cell
    EXPECT_EQ(lines(editor.Record()), (std::vector<std::vector<int>>{join(20, 150, 1), join(40, 120, 2)}));
    for (int cell : {100, 120, 150}) level.SetCell(cell, 0);  // one end alone draws nothing
    EXPECT_TRUE(editor.Record().Of(Kind::Line).empty());
  }
}

TEST(Paint, ActorsOnCanvasAndInThePanel) {
  for (int z : {1, 2}) {
    Canvas editor(z);
    Level& level = editor.level();
    for (int i = 0; i < kCellCount; ++i) level.SetCell(i, 20);
    level.GetActor(0).Set(40, 64, 3, 0, 0, 2);   // the player at column 3, row 4, facing right
    level.GetActor(1).Set(72, 96, 7, 48, 5, 2);  // enemy type 2 at column 5, row 6, facing left
    level.GetActor(2).Set(0, 0, 5, 72, 5, 2);    // not placed
    const Image image = editor.Paint();
    const int px = 9 * z + 32 * z, py = z + 16 + 56 * z, ex = 9 * z + 64 * z, ey = z + 16 + 88 * z;
    // The player's transparent upper third shows the tile, the rest its colour.
    EXPECT_EQ(DecodeTilePixel(image.At(px + 2 * z, py + 2 * z)).tile, 20);
    EXPECT_EQ(image.At(px + 2 * z, py + 10 * z), SpriteColourAt(0, 64));
    EXPECT_EQ(image.At(px + 16 * z - 1, py + 24 * z - 1), SpriteColourAt(0, 64));
    EXPECT_EQ(DecodeTilePixel(image.At(px + 16 * z, py + 10 * z)).tile, 20);
    EXPECT_EQ(image.At(ex + 5 * z, ey + 20 * z), SpriteColourAt(2, 144));  // the level's set for type 2
    EXPECT_EQ(DecodeTilePixel(image.At(ex + 5 * z, ey + 7 * z)).tile, 20);
    editor.state.session.repaintFlags = kRepaintCanvas;
    RecordingPainter calls = editor.Record();
    const std::vector<RecordedBlit> masks = calls.Blits(SheetKind::SpriteMask, true);
    ASSERT_EQ(masks.size(), 2u);
    EXPECT_EQ(calls.Blits(SheetKind::SpriteColour, true).size(), 2u);
    EXPECT_EQ(masks[0].op, RasterOp::And);
    EXPECT_EQ(calls.Blits(SheetKind::SpriteColour, true)[0].op, RasterOp::Paint);
    EXPECT_EQ(masks[1].sheet, (SheetRef{SheetKind::SpriteMask, 2, z}));
    EXPECT_EQ(masks[1].sx, 144 * z);
    // The panel: the player's four frames on black, then every enemy, placed or not.
    const int panelY = 138 * z + 16;
    for (int f = 0; f < 4; ++f) {
      EXPECT_EQ(image.At((259 + 16 * f) * z + z, panelY + z), kBlack);
      EXPECT_EQ(image.At((259 + 16 * f) * z + 15 * z, panelY + 23 * z), SpriteColourAt(0, 64 * f));
    }
    const Rgb enemies[] = {SpriteColourAt(2, 144), SpriteColourAt(3, 96), SpriteColourAt(1, 96),
                           SpriteColourAt(1, 96), SpriteColourAt(1, 96)};
    for (int k = 1; k <= 5; ++k) {
      EXPECT_EQ(image.At((353 + 30 * (k - 1)) * z, panelY + 12 * z), enemies[k - 1]) << "enemy " << k;
      EXPECT_EQ(image.At((369 + 30 * (k - 1)) * z, panelY + 12 * z), kStale);
    }
  }
}

TEST(Paint, InspectorAndPalette) {
  for (int z : {1, 2}) {
    Canvas editor(z);
    editor.state.session.inspectorTiles[0] = 31;
    editor.state.session.inspectorTiles[2] = 77;
    editor.state.session.repaintFlags = kRepaintCanvas;
    Image image = editor.Paint();
    const int top = 187 * z + 16;
    EXPECT_EQ(DecodeTilePixel(image.At(383 * z, top)).tile * 100 + DecodeTilePixel(image.At(415 * z, top)).tile, 3177);
    EXPECT_EQ(DecodeTilePixel(image.At(399 * z - 1, top + 16 * z - 1)).tile, 31);
    EXPECT_TRUE(AllOf(image, {399 * z, top, 415 * z, top + 16 * z}, kBackground));
    EXPECT_EQ(image.At(431 * z, top), kStale);
    editor.state.session.inspectorTiles[0] = 128;  // beyond the sheet: blank too
    editor.state.session.inspectorTiles[2] = INT_MIN;
    EXPECT_TRUE(AllOf(editor.Paint(), {383 * z, top, 431 * z, top + 16 * z}, kBackground));

    editor.state.session.repaintFlags = kRepaintPanel;
    editor.state.session.selectionCategory = -1;  // no frame over the tiles
    image = editor.Paint();
    std::vector<std::tuple<int, int, int>> cells = {{259, 37, 17}, {291, 37, 31}, {323, 37, 52}, {355, 37, 32},
                                                    {371, 37, 42}, {259, 187, 16}, {275, 187, 16}};
    for (int t = 0; t < 16; ++t) cells.push_back({259 + 16 * t, 1, t});  // (x, y below the strip, tile)
    for (int t = 18; t <= 29; ++t) cells.push_back({259 + 16 * (t - 18), 19, t});
    for (int t = 64; t < 128; ++t) cells.push_back({259 + 16 * (t % 16), 55 + 16 * (t / 16 - 4), t});
    for (const auto& [x, y, tile] : cells) {
      const TilePixel first = DecodeTilePixel(image.At(x * z, y * z + 16));
      const TilePixel last = DecodeTilePixel(image.At((x + 16) * z - 1, (y + 16) * z + 15));
      EXPECT_EQ(std::make_tuple(first.tile, first.lower, first.right, last.tile, last.lower, last.right),
                std::make_tuple(tile, false, false, tile, true, true)) << x << "," << y << " z " << z;
    }
    for (auto [x, y] : {std::pair{275, 37}, {259, 35}, {451, 19}}) EXPECT_EQ(image.At(x * z, y * z + 16), kStale);
  }
}

TEST(Paint, LayoutChangeCanvasReadyAndShadows) {
  Canvas editor;
  // (flags, layout changed; flags afterwards, palette blits)
  const int rows[][4] = {{kRepaintCanvas, 1, kRepaintAll, 10}, {kRepaintAll, 1, kRepaintAll, 10},
                         {kRepaintPanel, 1, kRepaintPanel, 10}, {kRepaintPanel, 0, kRepaintPanel, 10},
                         {kRepaintCanvas, 0, kRepaintCanvas, 0}};
  for (const auto& r : rows) {
    editor.state.session.repaintFlags = r[0];
    editor.state.session.layoutChanged = static_cast<uint8_t>(r[1]);
    RecordingPainter calls = editor.Record();
    EXPECT_EQ(editor.state.session.repaintFlags, r[2]) << r[0] << " " << r[1];
    EXPECT_EQ(editor.state.session.layoutChanged, 0);
    EXPECT_EQ(static_cast<int>(calls.Blits(SheetKind::Pattern, false).size()), r[3]) << r[0] << " " << r[1];
  }
  // canvasReady is 0 for every drawing call and 1 afterwards.
  struct Watching : RecordingPainter {
    const Editor* state = nullptr;
    std::set<int32_t> seen;
    void Caption(const ClientRect& r, const std::string& t, Rgb b) override {
      seen.insert(state->session.canvasReady);
      RecordingPainter::Caption(r, t, b);
    }
    void Blit(const SheetRef& s, int sx, int sy, int w, int h, int dx, int dy, RasterOp op) override {
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
  // Shadows are corrected first when the setting asks for it, and drawn so,
  // the set not marked modified.
  editor.level().SetCell(17 + 3, 64);
  editor.level().SetCell(34 + 3, 2);
  for (int correct : {0, 1}) {
    editor.state.settings.correctShadow = correct;
    const Image image = editor.Paint();
    EXPECT_EQ(editor.state.document.GetLevel(0).GetCell(34 + 3), correct ? 10 : 2);
    EXPECT_EQ(editor.CellPixel(image, 34 + 3, false, false).tile, correct ? 10 : 2);
  }
  EXPECT_FALSE(editor.state.document.Modified());
}

TEST(Paint, SelectionFrameSurroundsTheSelectedPaletteCell) {
  Image direct(12, 12, kStale);
  const ResourceCatalogue none;
  SoftwarePainter painter(none, direct);
  DrawSelectionFrame(painter, 2, 3, 2, 2, 1);
  EXPECT_EQ(WhitePixels(direct), Ring(6, 4, 4, 2));
  struct Case {
    int32_t category, value, x, y, h;  // the box at normal size, y below the strip, 16 wide
  } cases[] = {{0, 0, 259, 1, 16},    {0, 15, 499, 1, 16},  {0, 18, 259, 19, 16}, {0, 29, 435, 19, 16},
               {0, 17, 259, 37, 16},  {0, 31, 291, 37, 16}, {0, 52, 323, 37, 16}, {0, 32, 355, 37, 16},
               {0, 41, 355, 37, 16},  {0, 42, 371, 37, 16}, {0, 64, 259, 55, 16}, {0, 127, 499, 103, 16},
               {0, 90, 419, 71, 16},  {1, 0, 259, 138, 24}, {1, 3, 307, 138, 24}, {2, 1, 353, 138, 24},
               {2, 5, 473, 138, 24},  {3, 0, 259, 187, 16}, {3, 1, 275, 187, 16}};
  const std::pair<int32_t, int32_t> noFrame[] = {{0, 16}, {0, 30}, {0, 53}, {0, 63}, {0, 128}, {0, -1}, {1, 4},
                                                 {1, -1}, {2, 0},  {2, 6},  {3, 2},  {3, -1},  {4, 0},  {-1, 0}};
  for (int z : {1, 2}) {
    Canvas editor(z);
    editor.state.session.repaintFlags = kRepaintPanel;
    for (const Case& c : cases) {
      editor.state.session.selectionCategory = c.category;
      editor.state.session.selectionValue = c.value;
      EXPECT_EQ(WhitePixels(editor.Paint()), Ring(c.x * z, c.y * z + 16, 16 * z, c.h * z))
          << "category " << c.category << " value " << c.value << " z " << z;
    }
    for (const auto& [category, value] : noFrame) {
      editor.state.session.selectionCategory = category;
      editor.state.session.selectionValue = value;
      EXPECT_EQ(WhitePixels(editor.Paint()), Pixels{}) << category << " " << value;
    }
    editor.state.session.selectionCategory = 0;
    editor.state.session.repaintFlags = kRepaintCanvas;  // no frame without the panel bit
    EXPECT_EQ(WhitePixels(editor.Paint()), Pixels{});
  }
}

TEST(Paint, NumbersOutsideTheCatalogueDrawNothing) {
  // Pattern sets that do not exist: canvas, palette and inspector blank, no name caption.
  for (int32_t patternSet : {3 + 3, 3 + 31, 2, 0, -1, INT_MIN, INT_MAX}) {
    Canvas editor;
    editor.level().SetPatternSet(patternSet);
    editor.level().SetCell(40, 130);
    editor.state.session.selectionCategory = -1;
    editor.state.session.inspectorTiles[0] = 5;
    RecordingPainter calls = editor.Record();
    EXPECT_EQ(calls.Blits(SheetKind::Pattern, false).size() + calls.Blits(SheetKind::Pattern, true).size(), 0u);
    EXPECT_EQ(calls.Of(Kind::Caption).size(), 6u) << patternSet;
    const Image image = editor.Paint();
    for (ClientRect r : {ClientRect{1, 17, 257, 225}, {259, 17, 515, 33}, {259, 71, 515, 135}, {383, 203, 431, 219}})
      EXPECT_TRUE(AllOf(image, r, kBackground)) << patternSet;
  }
  // No pattern sets at all, or one that could not be read: actors still show.
  for (bool unreadable : {false, true}) {
    Canvas editor(2, unreadable ? 1 : 0);
    if (unreadable) editor.state.catalogue.patternSets[0] = {Image(), Image(), "Broken"};
    editor.state.session.selectionCategory = -1;
    editor.level().GetActor(0).Set(40, 64, 5, 0, 0, 2);
    const Image image = editor.Paint();
    EXPECT_EQ(image.At(300, 200), kBackground);
    EXPECT_EQ(image.At(18 + 64 + 4, 18 + 112 + 40), SpriteColourAt(0, 128));
    EXPECT_TRUE(AllOf(image, {518, 18, 1030, 50}, kBackground));
  }
  // Enemy types naming no sprite set, unknown type codes and directions,
  // positions no file can hold: not on the canvas, blank in the panel.
  Canvas editor(1, 1, 3);
  Level& level = editor.level();
  level.SetEnemyType(0, 99);
  level.SetEnemyType(1, -5);
  level.SetEnemyType(2, 2);
  level.GetActor(1).Set(40, 32, 5, 24, 5, 2);
  level.GetActor(2).Set(56, 32, 5, 48, 5, 2);
  level.GetActor(3).Set(72, 32, 5, 30, 5, 2);
  level.GetActor(4).Set(88, 32, 4, 72, 5, 2);
  level.GetActor(5).Set(100000, 32, 5, 72, 5, 2);
  level.GetActor(0).Set(40, -16, 9, 0, 0, 2);
  RecordingPainter calls = editor.Record();
  EXPECT_EQ(calls.Blits(SheetKind::SpriteMask, true).size() + calls.Blits(SheetKind::SpriteColour, true).size(), 0u);
  EXPECT_EQ(calls.Blits(SheetKind::SpriteColour, false).size(), 5u);  // the player's frames and enemy 5
  Image image = editor.Paint();
  for (int k = 1; k <= 4; ++k)
    EXPECT_TRUE(AllOf(image, {353 + 30 * (k - 1), 154, 369 + 30 * (k - 1), 178}, kBackground)) << "enemy " << k;
  EXPECT_EQ(image.At(473, 170), SpriteColourAt(2, 96));
  // An enemy with the player's type code draws the player, but no panel image.
  level.GetActor(1).Set(40, 32, 5, 0, 5, 2);
  image = editor.Paint();
  EXPECT_EQ(image.At(9 + 32 + 8, 17 + 24 + 20), SpriteColourAt(0, 128));
  EXPECT_TRUE(AllOf(image, {353, 154, 369, 178}, kBackground));
  // Positions 1..255 are drawn, others not.
  const struct { int x, y; size_t blits; } places[] = {{0, 32, 0}, {1, 32, 1}, {255, 255, 1}, {256, 32, 0}, {40, 256, 0}, {40, 0, 1}, {40, -1, 0}};
  for (const auto& p : places) {
    level.GetActor(1).Set(p.x, p.y, 5, 0, 5, 2);
    EXPECT_EQ(editor.Record().Blits(SheetKind::SpriteColour, true).size(), p.blits) << p.x << "," << p.y;
  }
  Canvas noSprites(1, 1, 0);  // without the player's sprite set: no player
  noSprites.level().GetActor(0).Set(40, 64, 5, 0, 0, 2);
  EXPECT_TRUE(noSprites.Record().Blits(SheetKind::SpriteColour, true).empty());
  EXPECT_TRUE(AllOf(noSprites.Paint(), {259, 154, 323, 178}, kBackground));
}

TEST(Paint, CellValuesBeyondTheSheetShowTheWindowBackground) {
  Canvas editor;
  Level& level = editor.level();
  for (int i = 0; i < kCellCount; ++i) level.SetCell(i, 3);
  // Edge cells of 128 and more would address rows past the sheet; negative
  // values show nothing; any value from 176 up shows tile 16.
  const std::pair<int, int> cells[] = {{17, 128}, {34, 200}, {67, 175}, {84, -3}, {89, -1}, {90, 255}, {91, INT_MAX}};
  for (auto [cell, v] : cells) level.SetCell(cell, v);
  editor.state.session.repaintFlags = kRepaintCanvas;
  EXPECT_EQ(editor.Record().Blits(SheetKind::Pattern, true).size(), 216u);
  const Image image = editor.Paint();
  for (int cell : {17, 34, 67, 84, 89})
    for (int q = 0; q < 4; ++q) {
      const auto [x, y] = editor.CellPoint(cell, q & 1, q & 2);
      EXPECT_EQ(image.At(x, y), kBackground) << cell;
    }
  EXPECT_EQ(editor.CellPixel(image, 90, true, true).tile * 10000 + editor.CellPixel(image, 91, false, false).tile * 100 +
                editor.CellPixel(image, 92, false, false).tile, 161603);
  // A current level outside the set draws nothing and still completes.
  editor.state.session.currentLevel = 12;
  editor.state.session.canvasReady = 0;
  RecordingPainter nothing;
  EXPECT_EQ(PaintMainWindow(editor.state, nothing), 1);
  EXPECT_TRUE(nothing.calls.empty());
  EXPECT_EQ(editor.state.session.canvasReady, 1);
}
