#include "view/paint.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "gfx/software_painter.h"
#include "support/recording_painter.h"
#include "support/test_sheets.h"
#include "view/editor.h"
#include "view/golden.h"
#include "view/layout.h"

namespace {

constexpr Rgb kBackground = kDefaultWindowBackground;
constexpr Rgb kStale{250, 0, 250};  // what the client area held before the paint
constexpr Rgb kWhite{255, 255, 255};
using Kind = PaintCall::Kind;

// An editor with labelled sheets (three pattern sets, the player's and
// three enemy sprite sets), laid out for zoom z; every paint opens `levels`.
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
  void Select(int32_t category, int32_t value) {
    state.session.selectionCategory = category;
    state.session.selectionValue = value;
  }
  int Draw(Painter& painter) {
    state.document.Replace(levels, "");
    return PaintMainWindow(state, painter);
  }
  Image Paint() {
    Image client(516 * z(), 210 * z() + kTopStrip, kStale);
    SoftwarePainter painter(state.catalogue, client, kBackground);
    Draw(painter);
    return client;
  }
  RecordingPainter Record() {
    RecordingPainter painter;
    Draw(painter);
    return painter;
  }
  const ScreenRegion& Region(int32_t id) const { return *state.session.regionList.FindRegionById(id); }
};

std::set<std::pair<int, int>> WhitePixels(const Image& image) {
  std::set<std::pair<int, int>> out;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (image.At(x, y) == kWhite) out.insert({x, y});
  return out;
}

// The pixels of a one-pixel frame whose outermost pixels are the box's.
std::set<std::pair<int, int>> Ring(int left, int top, int width, int height) {
  std::set<std::pair<int, int>> out;
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

}  // namespace

// Row 10: every kind of cell value, the edge columns as half tiles. Row 11:
// values past the sheet (the window background) and from 176 up (tile 16).
// Teleport pairs 0 and 2 complete (2 highlighted, its end twice: the highest
// cell counts), pair 3 with its start only. The player facing right, enemy 1
// of type 2 facing left, enemy 3 of type 1 facing down; an inspector with its
// middle tile empty; solid pattern 90 selected.
TEST(Paint, TheWholeWindowAtBothZooms) {
  const int32_t row10[kGridColumns] = {37, 0, 0, 130, 150, 165, 192, 45, 127, 17, 143, 191, 128, 144, 160, 0, 38};
  const int32_t row11[kGridColumns] = {128, -3, -1, 255, INT_MAX, 175, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 200};
  for (int z : {1, 2}) {
    Canvas editor(z);
    Level& level = editor.level();
    level.SetPatternSet(PatternSetValueOf(1));
    for (int column = 0; column < kGridColumns; ++column) {
      level.SetCell(10 * kGridColumns + column, row10[column]);
      level.SetCell(11 * kGridColumns + column, row11[column]);
    }
    level.SetCell(20, kCellTeleportFirst);
    level.SetCell(110, kCellTeleportFirst + 1);
    level.SetCell(40, kCellTeleportFirst + 4);
    level.SetCell(100, kCellTeleportFirst + 5);
    level.SetCell(120, kCellTeleportFirst + 5);
    level.SetCell(60, kCellTeleportFirst + 6);
    level.GetActor(0).Set(40, 64, 3, 0, 0, 2);
    level.GetActor(1).Set(72, 96, 7, 48, 5, 2);
    level.GetActor(3).Set(152, 32, 5, 24, 5, 2);
    editor.state.session.teleportPair = 2;
    editor.state.session.inspectorTiles[0] = 31;
    editor.state.session.inspectorTiles[2] = 77;
    editor.Select(kSelectPattern, 90);
    EXPECT_TRUE(MatchesGolden(editor.Paint(), "window_z" + std::to_string(z) + ".png"));
  }
}

// Numbers that name nothing: a pattern set not in the catalogue (canvas,
// palette and inspector blank, the player still drawn), enemy types naming
// no sprite set, an unknown type code and direction, a position no file can
// hold (drawn in the panel only).
TEST(Paint, NumbersOutsideTheCatalogueDrawNothing) {
  Canvas editor(1, 1, 3);
  Level& level = editor.level();
  level.SetPatternSet(PatternSetValueOf(31));
  level.SetCell(40, kCellExitOnFloor + 2);
  level.SetEnemyType(0, 99);
  level.SetEnemyType(1, -5);
  level.SetEnemyType(2, 2);
  level.GetActor(0).Set(40, 64, 5, 0, 0, 2);
  level.GetActor(1).Set(40, 32, 5, 24, 5, 2);
  level.GetActor(2).Set(56, 32, 5, 48, 5, 2);
  level.GetActor(3).Set(72, 32, 5, 30, 5, 2);
  level.GetActor(4).Set(88, 32, 4, 72, 5, 2);
  level.GetActor(5).Set(100000, 32, 5, 72, 5, 2);
  editor.state.session.inspectorTiles[0] = 5;
  editor.Select(kSelectPattern, -1);
  EXPECT_TRUE(MatchesGolden(editor.Paint(), "unknown_numbers.png"));
  EXPECT_EQ(editor.Record().Of(Kind::Caption).size(), 6u);  // no name of the pattern set
}

TEST(Paint, PatternSetsOutsideTheCatalogueDrawNoTile) {
  for (int32_t patternSet : {PatternSetValueOf(3), PatternSetValueOf(-1), 0, -1, INT_MIN, INT_MAX}) {
    Canvas editor;
    editor.level().SetPatternSet(patternSet);
    for (int32_t& tile : editor.state.session.inspectorTiles) tile = 5;
    const RecordingPainter calls = editor.Record();
    EXPECT_TRUE(calls.Blits(SheetKind::Pattern, true).empty()) << patternSet;
    EXPECT_TRUE(calls.Blits(SheetKind::Pattern, false).empty()) << patternSet;
  }
}

TEST(Paint, WithoutUsablePatternSheetsTheActorsStillShow) {
  for (bool unreadable : {false, true}) {
    Canvas editor(2, unreadable ? 1 : 0);
    if (unreadable) editor.state.catalogue.patternSets[0] = {Image(), Image(), "Broken"};
    editor.level().GetActor(0).Set(40, 64, 5, 0, 0, 2);
    const RecordingPainter calls = editor.Record();
    EXPECT_TRUE(calls.Blits(SheetKind::Pattern, true).empty()) << unreadable;
    EXPECT_TRUE(calls.Blits(SheetKind::Pattern, false).empty()) << unreadable;
    EXPECT_EQ(calls.Blits(SheetKind::SpriteColour, true).size(), 1u) << unreadable;
  }
  Canvas noSprites(1, 1, 0);  // without the player's sprite set: no player
  noSprites.level().GetActor(0).Set(40, 64, 5, 0, 0, 2);
  EXPECT_TRUE(noSprites.Record().Blits(SheetKind::SpriteColour, true).empty());
}

TEST(Paint, ActorPositionsOfOneByte) {
  const struct Row {
    int32_t x, y;
    size_t blits;
  } rows[] = {
      {0, 32, 0},  // x 0: not placed
      {1, 32, 1},
      {255, 255, 1},
      {256, 32, 0},
      {40, 256, 0},
      {40, 0, 1},
      {40, -1, 0},
  };
  for (const Row& r : rows) {
    Canvas editor;
    editor.level().GetActor(1).Set(r.x, r.y, 5, 0, 5, 2);  // an enemy with the player's type code
    editor.state.session.repaintFlags = kRepaintCanvas;
    EXPECT_EQ(editor.Record().Blits(SheetKind::SpriteColour, true).size(), r.blits) << r.x << "," << r.y;
  }
}

TEST(Paint, RepaintFlagsSteerWhatIsRedrawn) {
  for (int z : {1, 2}) {
    Canvas editor(z);
    for (int k = 0; k < 3; ++k) editor.state.session.inspectorTiles[k] = 5 + k;
    editor.state.session.repaintFlags = kRepaintCanvas;
    const RecordingPainter canvas = editor.Record();
    EXPECT_EQ(editor.state.session.repaintFlags, kRepaintCanvas);  // read, not cleared
    EXPECT_EQ(canvas.Of(Kind::Caption).size(), 7u);
    EXPECT_EQ(canvas.Blits(SheetKind::Pattern, false).size(), 3u);  // the inspector
    EXPECT_TRUE(canvas.Blits(SheetKind::SpriteColour, false).empty());
    EXPECT_EQ(canvas.Blits(SheetKind::Pattern, true).size(), 221u);
    ASSERT_EQ(canvas.Of(Kind::BeginOffscreen).size(), 1u);
    EXPECT_EQ(canvas.Of(Kind::BeginOffscreen)[0].w, 258 * z);
    EXPECT_EQ(canvas.Of(Kind::BeginOffscreen)[0].h, 209 * z + kTopStrip);
    ASSERT_EQ(canvas.Of(Kind::EndOffscreen).size(), 1u);
    EXPECT_EQ(canvas.Of(Kind::EndOffscreen)[0].rect, (ClientRect{z, z + kTopStrip, 257 * z, 209 * z + kTopStrip}));
    for (const PaintCall& line : canvas.Of(Kind::Line)) EXPECT_TRUE(line.offscreen);
    for (const PaintCall& fill : canvas.Of(Kind::FillBackground)) EXPECT_TRUE(fill.offscreen);
    // The panel: palette, images, frame; no canvas.
    editor.state.session.repaintFlags = kRepaintPanel;
    const RecordingPainter panel = editor.Record();
    EXPECT_TRUE(panel.Of(Kind::BeginOffscreen).empty());
    EXPECT_EQ(panel.Blits(SheetKind::Pattern, false).size(), 13u);  // the inspector and ten palette parts
    EXPECT_EQ(panel.Blits(SheetKind::SpriteColour, false).size(), 9u);
    EXPECT_EQ(panel.Of(Kind::Line).size(), 4u);
    editor.state.session.repaintFlags = kRepaintAll;
    const RecordingPainter both = editor.Record();
    EXPECT_EQ(both.Of(Kind::EndOffscreen).size(), 1u);
    EXPECT_EQ(both.Blits(SheetKind::Pattern, false).size(), 13u);
    EXPECT_EQ(both.Blits(SheetKind::SpriteColour, false).size(), 9u);
  }
}

TEST(Paint, Captions) {
  for (int z : {1, 2}) {
    Canvas editor(z);
    editor.state.session.currentLevel = 3;
    editor.state.session.teleportPair = 7;
    editor.state.activeBorderColour = 0x00336699;
    editor.level().SetPatternSet(PatternSetValueOf(2));
    const int name = z == 1 ? 296 : 556;
    const std::vector<std::pair<std::string, ClientRect>> expected = {
        {"Level 4  ", {z == 1 ? 42 : 44, 2, 240 * z, 17}},
        {std::string(63, ' '), {name, 2, 500 * z, 17}},
        {"Set 2", {name, 2, 500 * z, 17}},
        {"Teleport 8", {name, 185 * z, 500 * z, 185 * z + 15}},
        {"Pattern order", {383 * z, 185 * z, 500 * z, 185 * z + 15}},
        {"Player", {z == 1 ? 260 : 518, 138 * z, 500 * z, 138 * z + 15}},
        {"Enemies", {353 * z, 138 * z, 500 * z, 138 * z + 15}},
    };
    std::vector<std::pair<std::string, ClientRect>> got;
    for (const PaintCall& c : editor.Record().Of(Kind::Caption)) {
      got.push_back({c.text, c.rect});
      EXPECT_EQ(c.colour, (Rgb{0x99, 0x66, 0x33}));
    }
    EXPECT_EQ(got, expected);
  }
}

TEST(Paint, SelectionFrameSurroundsTheSelectedPaletteCell) {
  Image direct(12, 12, kStale);
  const ResourceCatalogue none;
  SoftwarePainter painter(none, direct);
  DrawSelectionFrame(painter, 2, 3, 2, 2, 1);
  EXPECT_EQ(WhitePixels(direct), Ring(6, 4, 4, 2));
  constexpr int32_t kNoFrame = 0;
  constexpr int32_t kNoCategory = 4;
  const struct Row {
    int32_t category, value;
    int32_t region;  // where the frame stands: a region, its tile across and down
    int column, row;
  } rows[] = {
      {kSelectPattern, 0, kRegionWalkable, 0, 0},
      {kSelectPattern, 15, kRegionWalkable, 15, 0},
      {kSelectPattern, 18, kRegionItems, 0, 0},
      {kSelectPattern, 29, kRegionItems, 11, 0},
      {kSelectPattern, kCellExit, kRegionExit, 0, 0},
      {kSelectPattern, kCellGem, kRegionGem, 0, 0},
      {kSelectPattern, kCellDestroyable, kRegionDestroyable, 0, 0},
      {kSelectPattern, kCellWall1, kRegionWalls, 0, 0},
      {kSelectPattern, 41, kRegionWalls, 0, 0},
      {kSelectPattern, kCellWall2, kRegionWalls, 1, 0},
      {kSelectPattern, kCellSolidFirst, kRegionSolid, 0, 0},
      {kSelectPattern, 90, kRegionSolid, 10, 1},
      {kSelectPattern, kCellSolidLast, kRegionSolid, 15, 3},
      {kSelectPlayer, 0, kRegionPlayer, 0, 0},
      {kSelectPlayer, 3, kRegionPlayer, 3, 0},
      {kSelectEnemy, 1, kRegionEnemy1, 0, 0},
      {kSelectEnemy, 5, kRegionEnemy5, 0, 0},
      {kSelectTeleport, 0, kRegionTeleport, 0, 0},
      {kSelectTeleport, 1, kRegionTeleport, 1, 0},
      {kSelectPattern, 16, kNoFrame, 0, 0},
      {kSelectPattern, 30, kNoFrame, 0, 0},
      {kSelectPattern, 53, kNoFrame, 0, 0},
      {kSelectPattern, 63, kNoFrame, 0, 0},
      {kSelectPattern, 128, kNoFrame, 0, 0},
      {kSelectPattern, -1, kNoFrame, 0, 0},
      {kSelectPlayer, 4, kNoFrame, 0, 0},
      {kSelectEnemy, 0, kNoFrame, 0, 0},
      {kSelectEnemy, 6, kNoFrame, 0, 0},
      {kSelectTeleport, 2, kNoFrame, 0, 0},
      {kNoCategory, 0, kNoFrame, 0, 0},
  };
  for (int z : {1, 2}) {
    Canvas editor(z);
    editor.state.session.repaintFlags = kRepaintPanel;
    for (const Row& r : rows) {
      editor.Select(r.category, r.value);
      std::set<std::pair<int, int>> expected;
      if (r.region != kNoFrame) {
        const ScreenRegion& at = editor.Region(r.region);
        const int height = r.region >= kRegionPlayer && r.region <= kRegionEnemy5 ? 24 : 16;
        expected = Ring(at.left + 16 * z * r.column, at.top + 16 * z * r.row, 16 * z, height * z);
      }
      EXPECT_EQ(WhitePixels(editor.Paint()), expected) << r.category << " " << r.value << " z " << z;
    }
  }
}

TEST(Paint, LayoutChangeAsksForThePanel) {
  const struct Row {
    int32_t flags;
    uint8_t layoutChanged;
    int32_t flagsAfter;
    size_t paletteBlits;
  } rows[] = {
      {kRepaintCanvas, 1, kRepaintAll, 10},
      {kRepaintAll, 1, kRepaintAll, 10},
      {kRepaintPanel, 1, kRepaintPanel, 10},
      {kRepaintPanel, 0, kRepaintPanel, 10},
      {kRepaintCanvas, 0, kRepaintCanvas, 0},
  };
  for (const Row& r : rows) {
    Canvas editor;
    editor.state.session.repaintFlags = r.flags;
    editor.state.session.layoutChanged = r.layoutChanged;
    const RecordingPainter calls = editor.Record();
    EXPECT_EQ(editor.state.session.repaintFlags, r.flagsAfter) << r.flags << " " << int{r.layoutChanged};
    EXPECT_EQ(editor.state.session.layoutChanged, 0);
    EXPECT_EQ(calls.Blits(SheetKind::Pattern, false).size(), r.paletteBlits) << r.flags;
  }
}

TEST(Paint, CanvasReadyIsZeroWhileDrawing) {
  struct Watching : RecordingPainter {
    const Editor* state = nullptr;
    std::set<int32_t> seen;
    void Blit(const SheetRef& s, int sx, int sy, int w, int h, int dx, int dy, RasterOp op) override {
      seen.insert(state->session.canvasReady);
      RecordingPainter::Blit(s, sx, sy, w, h, dx, dy, op);
    }
  } watching;
  Canvas editor;
  watching.state = &editor.state;
  editor.state.session.canvasReady = 1;
  EXPECT_EQ(editor.Draw(watching), 1);
  EXPECT_EQ(watching.seen, std::set<int32_t>{0});
  EXPECT_EQ(editor.state.session.canvasReady, 1);
  // A current level outside the set draws nothing and still completes.
  editor.state.session.currentLevel = kLevelCount + 2;
  editor.state.session.canvasReady = 0;
  RecordingPainter nothing;
  EXPECT_EQ(PaintMainWindow(editor.state, nothing), 1);
  EXPECT_TRUE(nothing.calls.empty());
  EXPECT_EQ(editor.state.session.canvasReady, 1);
}

TEST(Paint, ShadowsAreCorrectedFirstWhenTheSettingAsks) {
  Canvas automatic;
  automatic.level().SetCell(kGridColumns + 3, kCellSolidFirst);
  automatic.level().SetCell(2 * kGridColumns + 3, 2);
  automatic.state.settings.correctShadow = 1;
  Canvas byHand;
  byHand.levels = automatic.levels;
  byHand.level().CorrectShadows();
  Canvas off;
  off.levels = automatic.levels;
  ASSERT_NE(byHand.levels, automatic.levels);  // there is a shadow to correct
  EXPECT_TRUE(automatic.Paint() == byHand.Paint());
  EXPECT_EQ(automatic.state.document.GetLevel(0), byHand.levels[0]);
  EXPECT_FALSE(automatic.state.document.Modified());
  EXPECT_FALSE(off.Paint() == byHand.Paint());
}
