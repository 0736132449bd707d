#include "view/paint.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "gfx/software_painter.h"
#include "support/recording_painter.h"
#include "support/test_sheets.h"
#include "view/editor.h"
#include "view/golden.h"
#include "view/layout.h"
#include "view/paint_area.h"

namespace {

constexpr Rgb kStale{250, 0, 250};  // what the client area held before the paint
using Kind = PaintCall::Kind;

// An editor with three pattern sets, the player's and three enemy sprite
// sets, laid out for zoom z; every paint opens `levels`.
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
    Image client(516 * z(), 210 * z() + kTopStrip, kStale);
    SoftwarePainter painter(state.catalogue, client, kDefaultWindowBackground);
    Draw(painter);
    return client;
  }
  RecordingPainter Record() {
    RecordingPainter painter;
    Draw(painter);
    return painter;
  }
};

}  // namespace

// Row 10: every kind of cell value, the edge columns as half tiles. Row 11:
// values past the sheet (the window background) and from 176 up (tile 16).
// Teleport pairs 0 and 2 complete (2 highlighted, its end twice: the highest
// cell counts), pair 3 with its start only. The player facing right, enemy 1
// of type 2 facing left, enemy 3 of type 1 facing down; an inspector with its
// middle tile empty; solid pattern 90 selected; a rectangle dragged from row
// 8, column 16 to row 7, column 0 (the edge columns half wide).
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
    editor.state.session.rectangle = {true, false, 8 * kGridColumns + 16, 7 * kGridColumns};
    editor.state.session.selectionValue = 90;  // a pattern, as a new session has it
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
  editor.state.session.selectionValue = -1;  // a pattern, as a new session has it
  EXPECT_TRUE(MatchesGolden(editor.Paint(), "unknown_numbers.png"));
  EXPECT_EQ(editor.Record().Of(Kind::Caption).size(), 6u);  // no name of the pattern set
}

TEST(Paint, ActorPositionsOfOneByte) {
  const struct Row {
    int32_t x, y;
    size_t blits;
  } rows[] = {
      {0, 32, 0},  // x 0: not placed
      {255, 255, 1},
      {256, 32, 0},
      {40, 256, 0},
      {40, 0, 1},
  };
  for (const Row& r : rows) {
    Canvas editor;
    editor.level().GetActor(1).Set(r.x, r.y, 5, 0, 5, 2);  // an enemy with the player's type code
    editor.state.session.repaintFlags = kRepaintCanvas;
    EXPECT_EQ(editor.Record().Blits(SheetKind::SpriteColour, true).size(), r.blits) << r.x << "," << r.y;
  }
}

// The inspector (tiles 0 to 127 of the sheet) is drawn on every paint, the
// panel's images and the selection frame only with the panel.
TEST(Paint, RepaintFlagsSteerWhatIsRedrawn) {
  Canvas editor;
  editor.state.session.inspectorTiles[0] = 0;
  editor.state.session.inspectorTiles[1] = 5;
  editor.state.session.inspectorTiles[2] = kCellSolidLast;
  editor.level().SetCell(0, kCellTeleportFirst);  // a pair from cell 0: its link is drawn
  editor.level().SetCell(40, kCellTeleportFirst + 1);
  editor.state.session.repaintFlags = kRepaintCanvas;
  const RecordingPainter canvas = editor.Record();
  EXPECT_EQ(canvas.Blits(SheetKind::Pattern, false).size(), 3u);
  EXPECT_TRUE(canvas.Blits(SheetKind::SpriteColour, false).empty());
  EXPECT_EQ(canvas.Of(Kind::Line).size(), 1u);
  editor.level().SetCell(0, kCellTeleportFirst + 1);  // and a pair ending at cell 0
  editor.level().SetCell(40, kCellTeleportFirst);
  editor.state.session.repaintFlags = kRepaintCanvas;
  EXPECT_EQ(editor.Record().Of(Kind::Line).size(), 1u);
  editor.state.session.repaintFlags = kRepaintPanel;
  const RecordingPainter panel = editor.Record();
  EXPECT_EQ(panel.Blits(SheetKind::SpriteColour, false).size(), 9u);
  EXPECT_EQ(panel.Of(Kind::Line).size(), 4u);
}

// Captions are drawn on every paint, a canvas-only one too; at double size
// some stand where doubling would not put them.
TEST(Paint, Captions) {
  Canvas editor(2);
  editor.state.session.currentLevel = 3;
  editor.state.session.teleportPair = 7;
  editor.state.session.repaintFlags = kRepaintCanvas;
  editor.state.activeBorderColour = 0x00336699;
  editor.level().SetPatternSet(PatternSetValueOf(2));
  const std::vector<std::pair<std::string, ClientRect>> expected = {
      {"Level 4  ", {44, 2, 480, 17}},
      {std::string(63, ' '), {556, 2, 1000, 17}},
      {"Set 2", {556, 2, 1000, 17}},
      {"Teleport 8", {556, 370, 1000, 385}},
      {"Pattern order", {766, 370, 1000, 385}},
      {"Player", {518, 276, 1000, 291}},
      {"Enemies", {706, 276, 1000, 291}},
  };
  std::vector<std::pair<std::string, ClientRect>> got;
  for (const PaintCall& c : editor.Record().Of(Kind::Caption)) {
    got.push_back({c.text, c.rect});
    EXPECT_EQ(c.colour, (Rgb{0x99, 0x66, 0x33}));
  }
  EXPECT_EQ(got, expected);
}

// The palette's ten parts are drawn with the panel, which a changed layout
// asks for; the canvas is composed off screen only when the update area
// reaches it, and a request not met stays for a later paint.
TEST(PaintArea, TheCanvasIsComposedOnlyWhenTheUpdateAreaReachesIt) {
  constexpr size_t kPalette = 10;
  const ClientRect c{2, 2 + kTopStrip, 514, 418 + kTopStrip};  // the canvas at double size
  const ClientRect all{0, 0, 2000, 2000};
  EXPECT_EQ(CanvasRect(2), c);
  const struct Row {
    const char* what;
    int32_t flags;
    bool layoutChanged;
    ClientRect area;
    bool erased;
    int32_t flagsAfter;
    size_t compositions, paletteBlits;
  } rows[] = {
      {"a new layout", kRepaintCanvas, true, all, false, kRepaintAll, 1, kPalette},
      {"a new layout, all asked", kRepaintAll, true, all, false, kRepaintAll, 1, kPalette},  // ORed, not added
      {"touching it on the right", kRepaintAll, false, {c.right, c.top, c.right + 50, c.bottom}, false, kRepaintAll, 0,
       kPalette},
      {"touching it above", kRepaintCanvas, false, {0, 0, 1200, c.top}, false, kRepaintCanvas, 0, 0},
      {"touching it on the left", kRepaintCanvas, false, {0, c.top, c.left, c.bottom}, false, kRepaintCanvas, 0, 0},
      {"touching it below", kRepaintCanvas, false, {c.left, c.bottom, c.right, c.bottom + 9}, false, kRepaintCanvas, 0,
       0},
      {"the panel", kRepaintPanel, false, all, false, kRepaintPanel, 0, kPalette},
      {"the panel, erased", kRepaintPanel, false, all, true, kRepaintPanel, 1, kPalette},
  };
  for (const Row& r : rows) {
    Canvas editor(2, 1);
    editor.state.session.repaintFlags = r.flags;
    editor.state.session.layoutChanged = r.layoutChanged;
    RecordingPainter painter;
    PaintMainWindowArea(editor.state, painter, r.area, r.erased);
    EXPECT_EQ(editor.state.session.repaintFlags, r.flagsAfter) << r.what;
    EXPECT_EQ(editor.state.session.layoutChanged, 0) << r.what;
    EXPECT_EQ(painter.Of(Kind::BeginOffscreen).size(), r.compositions) << r.what;
    EXPECT_EQ(painter.Blits(SheetKind::Pattern, false).size(), r.paletteBlits) << r.what;
  }
}
