// Painting the main window.
//
// Level data may come from files made elsewhere or from another editor, so
// nothing here trusts a stored number: a pattern set, sprite set, tile,
// enemy type or direction that names nothing in the catalogue or lies
// outside a sheet draws nothing for that element. Areas drawn from a sheet
// that is not there (a level whose pattern set is not in the catalogue, or
// a catalogue without any) are filled with the window background instead,
// so no picture of an earlier level stays behind.
#include "view/paint.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "view/area_tool.h"
#include "view/editor.h"
#include "gfx/painter.h"
#include "gfx/sheet_lookup.h"
#include "view/layout.h"

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGrey{136, 136, 136};
constexpr int kTileSize = 16;
constexpr int kSpriteHeight = 24;
constexpr int kLastTile = 127;  // a pattern sheet holds 8 rows of 16 tiles

int ZoomOf(const Editor& state) { return state.settings.zoom == 2 ? 2 : 1; }

ClientRect Box(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

// The sheet of the level's pattern set, or an index of -1 when the level's
// number names no pattern set of the catalogue.
SheetRef PatternSheetOf(const Editor& state, const Level& level, int z) {
  const bool known = state.catalogue.PatternSetForLevel(level.GetPatternSet()) != nullptr;
  return {SheetKind::Pattern, known ? PatternSetIndexOf(level.GetPatternSet()) : -1, z};
}

bool Usable(const Editor& state, const SheetRef& sheet) {
  return FindSheet(state.catalogue, sheet) != nullptr;
}

struct Point {
  int x, y;
};

// The canvas origin: the top-left corner of grid column 1, row 0.
Point CanvasOrigin(const Editor& state, int z) {
  if (const ScreenRegion* grid = state.session.regionList.FindRegionById(kRegionGrid))
    return {grid->left, grid->top};
  return {9 * z, z + kTopStrip};
}

// ---------------------------------------------------------------------------
// Cells

// Values 128..175 combine two tiles: the base tile covers the cell, then a
// strip of the exit or of a wall goes over half of it.
struct Overlay {
  int32_t first, last;  // cell values
  int sheetX, sheetY;   // the strip in the sheet, normal size
  int cellY;            // where in the cell it goes, normal size
};
constexpr Overlay kOverlays[] = {
    {128, 143, 16, 24, 8},   // the exit's lower half over the floor it stands on
    {144, 159, 0, 32, 0},    // a first-kind wall's upper half over the item it hides
    {160, 175, 160, 32, 0},  // the same for the second kind
};

int BaseTile(int32_t v) {
  if (v >= kCellTeleportFirst) return kCellTeleportTile;
  const int row = (v / 16) % 8 - (v >= kCellWall2Item ? 1 : 0);
  return 16 * row + v % 16;
}

// The canvas is composed in a fresh off-screen picture whose pixels are
// undefined: a cell no tile stands for shows the window's background, never
// whatever that memory held.
void DrawCell(Painter& painter, const SheetRef& sheet, int z, int x, int y, int32_t v) {
  const int side = kTileSize * z;
  if (v < 0) {
    painter.FillBackground(Box(x, y, side, side));
    return;
  }
  const int t = BaseTile(v);
  painter.Blit(sheet, side * (t % 16), side * (t / 16), side, side, x, y, RasterOp::Copy);
  for (const Overlay& o : kOverlays)
    if (v >= o.first && v <= o.last)
      painter.Blit(sheet, o.sheetX * z, o.sheetY * z, side, 8 * z, x, y + o.cellY * z,
                   RasterOp::Copy);
}

// The edge columns show half tiles of plain tile numbers; values of 128 and
// more would address rows beyond the sheet and show the background.
void DrawEdgeCell(Painter& painter, const SheetRef& sheet, int z, int x, int y, int32_t v,
                  bool rightHalf) {
  const int side = kTileSize * z;
  if (v < 0 || v > kLastTile) {
    painter.FillBackground(Box(x, y, 8 * z, side));
    return;
  }
  const int sx = side * (v % 16) + (rightHalf ? 8 * z : 0);
  painter.Blit(sheet, sx, side * (v / 16), 8 * z, side, x, y, RasterOp::Copy);
}

void DrawCells(const Level& level, Painter& painter, const SheetRef& sheet, Point origin, int z) {
  const int side = kTileSize * z;
  for (int r = 0; r < kGridRows; ++r) {
    const int y = origin.y + side * r;
    const int32_t* row = level.Cells().data() + kGridColumns * r;
    for (int j = 1; j <= 15; ++j) DrawCell(painter, sheet, z, origin.x + side * (j - 1), y, row[j]);
    DrawEdgeCell(painter, sheet, z, origin.x - 8 * z, y, row[0], true);
    DrawEdgeCell(painter, sheet, z, origin.x + 240 * z, y, row[16], false);
  }
}

// ---------------------------------------------------------------------------
// Captions, inspector, palette, panel images

void DrawCaptions(const Editor& state, const Level& level, Painter& painter, int z) {
  const Rgb bg = RgbFromColorRef(state.activeBorderColour);
  const std::string levelNumber = std::to_string(static_cast<int64_t>(state.session.currentLevel) + 1);
  painter.Caption({z == 1 ? 42 : 44, 2, 240 * z, 17}, "Level " + levelNumber + "  ", bg);

  // The blanks wipe a longer name left by an earlier paint.
  const ClientRect nameRect{z == 1 ? 296 : 278 * z, 2, 500 * z, 17};
  painter.Caption(nameRect, std::string(63, ' '), bg);
  if (const PatternSet* set = state.catalogue.PatternSetForLevel(level.GetPatternSet()))
    painter.Caption(nameRect, set->name, bg);

  const std::string pair = std::to_string(static_cast<int64_t>(state.session.teleportPair) + 1);
  painter.Caption({nameRect.left, 185 * z, 500 * z, 185 * z + 15}, "Teleport " + pair, bg);
  painter.Caption({383 * z, 185 * z, 500 * z, 185 * z + 15}, "Pattern order", bg);
  painter.Caption({z == 1 ? 260 : 259 * z, 138 * z, 500 * z, 138 * z + 15}, "Player", bg);
  painter.Caption({353 * z, 138 * z, 500 * z, 138 * z + 15}, "Enemies", bg);
}

void DrawInspector(const Editor& state, Painter& painter, const SheetRef& sheet, int z) {
  const int side = kTileSize * z;
  const bool usable = Usable(state, sheet);
  for (int k = 0; k < 3; ++k) {
    const int32_t t = state.session.inspectorTiles[k];
    const int dx = (383 + 16 * k) * z, dy = 187 * z + kTopStrip;
    if (usable && t >= 0 && t <= kLastTile)
      painter.Blit(sheet, side * (t % 16), side * (t / 16), side, side, dx, dy, RasterOp::Copy);
    else
      painter.FillBackground(Box(dx, dy, side, side));
  }
}

// The palette parts, normal size; destination y below the top strip.
struct PalettePart {
  int destX, destY, width, height, sheetX, sheetY;
};
constexpr PalettePart kPalette[] = {
    {259, 1, 256, 16, 0, 0},      // walkable patterns, tiles 0..15
    {259, 19, 192, 16, 32, 16},   // items, tiles 18..29
    {259, 37, 16, 16, 16, 16},    // exit, tile 17
    {291, 37, 16, 16, 240, 16},   // gem, tile 31
    {323, 37, 16, 16, 64, 48},    // destroyable item, tile 52
    {355, 37, 16, 16, 0, 32},     // explodable wall, tile 32
    {371, 37, 16, 16, 160, 32},   // explodable wall, tile 42
    {259, 55, 256, 64, 0, 64},    // solid patterns, tiles 64..127
    {259, 187, 16, 16, 0, 16},    // teleport start, tile 16
    {275, 187, 16, 16, 0, 16},    // teleport end, tile 16
};

void DrawPalette(const Editor& state, Painter& painter, const SheetRef& sheet, int z) {
  const bool usable = Usable(state, sheet);
  for (const PalettePart& p : kPalette) {
    const int dx = p.destX * z, dy = p.destY * z + kTopStrip;
    if (usable)
      painter.Blit(sheet, p.sheetX * z, p.sheetY * z, p.width * z, p.height * z, dx, dy,
                   RasterOp::Copy);
    else
      painter.FillBackground(Box(dx, dy, p.width * z, p.height * z));
  }
}

// The panel shows the sprites on black, without their masks.
void DrawPanelSprite(const Editor& state, Painter& painter, int set, int group,
                     int frameSpacing, int z, int dx) {
  const int dy = 138 * z + kTopStrip;
  const SheetRef colour{SheetKind::SpriteColour, set, z};
  if (group >= 0 && Usable(state, colour))
    painter.Blit(colour, frameSpacing * group * z, 0, kTileSize * z, kSpriteHeight * z, dx, dy,
                 RasterOp::Copy);
  else
    painter.FillBackground(Box(dx, dy, kTileSize * z, kSpriteHeight * z));
}

void DrawPanelActors(const Editor& state, const Level& level, Painter& painter, int z) {
  for (int f = 0; f < 4; ++f) DrawPanelSprite(state, painter, 0, f, 64, z, (259 + 16 * f) * z);
  for (int k = 1; k < kActorCount; ++k) {
    const ActorRecord& enemy = level.GetActor(k);
    DrawPanelSprite(state, painter, EnemySpriteSet(level, enemy), DirectionGroup(enemy.direction()),
                    48, z, (353 + 30 * (k - 1)) * z);
  }
}

// ---------------------------------------------------------------------------
// Selection frame

void FrameAt(Painter& painter, int z, int clientX, int clientY, int w, int h) {
  DrawSelectionFrame(painter, z, clientX / z, clientY / z, w, h);
}

void DrawPatternFrames(Painter& painter, int z, int32_t v) {
  if (v >= 0 && v <= 15) FrameAt(painter, z, (259 + 16 * v) * z, z + kTopStrip, 16, 16);
  if (v >= 18 && v <= 29) FrameAt(painter, z, (16 * v - 29) * z, 19 * z + kTopStrip, 16, 16);
  const int specialY = 37 * z + kTopStrip;
  if (v == kCellExit) FrameAt(painter, z, 259 * z, specialY, 16, 16);
  if (v == kCellGem) FrameAt(painter, z, 291 * z, specialY, 16, 16);
  if (v == kCellDestroyable) FrameAt(painter, z, 323 * z, specialY, 16, 16);
  if (v >= kCellWall1 && v <= kCellWall2)
    FrameAt(painter, z, (355 + 16 * ((v - 32) / 10)) * z, specialY, 16, 16);
  // Only the four rows of solid patterns are in the palette.
  if (v >= kCellSolidFirst && v <= kLastTile)
    FrameAt(painter, z, (259 + 16 * (v % 16)) * z, 55 * z + kTopStrip + 16 * z * (v / 16 - 4), 16,
            16);
}

void DrawSelection(const Editor& state, Painter& painter, int z) {
  const int32_t v = state.session.selectionValue;
  switch (state.session.selectionCategory) {
    case kSelectPattern:
      DrawPatternFrames(painter, z, v);
      break;
    case kSelectPlayer:
      if (v >= 0 && v <= 3) FrameAt(painter, z, (259 + 16 * v) * z, 138 * z + kTopStrip, 16, 24);
      break;
    case kSelectEnemy:
      if (v >= 1 && v <= 5) FrameAt(painter, z, (323 + 30 * v) * z, 138 * z + kTopStrip, 16, 24);
      break;
    case kSelectTeleport:
      if (v >= 0 && v <= 1) FrameAt(painter, z, (259 + 16 * v) * z, 187 * z + kTopStrip, 16, 16);
      break;
    default:
      break;
  }
}

// A frame around the cells of the rectangle between two cells (the edge
// columns half wide), drawn as the selection frame is.
void FrameCells(Painter& painter, int z, int first, int last) {
  if (!IsIndex(first, kCellCount) || !IsIndex(last, kCellCount)) return;
  const auto left = [](int column) { return column == 0 ? 1 : 9 + 16 * (column - 1); };
  const auto right = [](int column) { return column == 16 ? 257 : 9 + 16 * column; };
  const int c0 = std::min(ColumnOf(first), ColumnOf(last)), c1 = std::max(ColumnOf(first), ColumnOf(last));
  const int r0 = std::min(RowOf(first), RowOf(last)), r1 = std::max(RowOf(first), RowOf(last));
  FrameAt(painter, z, left(c0) * z, (1 + 16 * r0) * z + kTopStrip, right(c1) - left(c0),
          16 * (r1 - r0 + 1));
}

// The rectangle being dragged out, and the cell a level check pointed at
// while its level is shown and unchanged (then it is forgotten).
void DrawCanvasFrames(Editor& state, Painter& painter, int z) {
  Session& s = state.session;
  if (s.rectangle.active) FrameCells(painter, z, s.rectangle.first, s.rectangle.last);
  if (s.areaSelection.shown) FrameCells(painter, z, s.areaSelection.first, s.areaSelection.last);
  if (s.floating.active) FrameCells(painter, z, s.floating.cell, FloatingLastCell(state));
  if (s.mark.cell < 0) return;
  if (s.mark.level != s.currentLevel || s.mark.revision != state.document.Revision())
    s.mark = {};
  else
    FrameCells(painter, z, s.mark.cell, s.mark.cell);
}

}  // namespace

// ---------------------------------------------------------------------------

void DrawLevelGrid(const Editor& state, const Level& level, Painter& painter) {
  const int z = ZoomOf(state);
  const Point origin = CanvasOrigin(state, z);
  const SheetRef sheet = PatternSheetOf(state, level, z);
  if (Usable(state, sheet))
    DrawCells(level, painter, sheet, origin, z);
  else
    painter.FillBackground(Box(origin.x - 8 * z, origin.y, 256 * z, 208 * z));
  for (int i = 0; i < kActorCount; ++i) DrawActor(state, level, level.GetActor(i), painter);
}

void DrawActor(const Editor& state, const Level& level, const ActorRecord& actor,
               Painter& painter) {
  // Positions are one byte in a level file; anything larger is not a place.
  if (actor.x() <= 0 || actor.x() > 255 || actor.y() < 0 || actor.y() > 255) return;
  const int group = DirectionGroup(actor.direction());
  if (group < 0) return;
  const bool player = actor.typeCode() == 0;
  const int set = SpriteSetOf(level, actor);
  const SheetRef mask{SheetKind::SpriteMask, set, ZoomOf(state)};
  const SheetRef colour{SheetKind::SpriteColour, set, ZoomOf(state)};
  // Colours ORed onto tiles that no mask cleared would be garbage.
  if (!Usable(state, mask) || !Usable(state, colour)) return;

  const int z = ZoomOf(state);
  const Point origin = CanvasOrigin(state, z);
  const int sx = (player ? 64 : 48) * group * z;
  const int dx = origin.x + (actor.x() - 8) * z, dy = origin.y + (actor.y() - 8) * z;
  painter.Blit(mask, sx, 0, kTileSize * z, kSpriteHeight * z, dx, dy, RasterOp::And);
  painter.Blit(colour, sx, 0, kTileSize * z, kSpriteHeight * z, dx, dy, RasterOp::Paint);
}

void DrawTeleportLinks(const Editor& state, const Level& level, Painter& painter,
                       int highlighted) {
  const int z = ZoomOf(state);
  int ends[kTeleportPairs][2];
  for (auto& pair : ends) pair[0] = pair[1] = -1;
  // Walking upwards, a value found twice ends at its highest cell.
  for (int i = 0; i < kCellCount; ++i) {
    const int32_t v = level.GetCell(i);
    if (IsTeleportEnd(v))
      ends[(v - kCellTeleportFirst) / 2][(v - kCellTeleportFirst) % 2] = i;
  }
  const auto linkPoint = [z](int i) {
    return Point{(16 * (i % kGridColumns) + 3) * z,
                 16 * z * (i / kGridColumns + 1) + (z == 1 ? 8 : 0)};
  };
  for (int n = 0; n < kTeleportPairs; ++n) {
    if (ends[n][0] < 0 || ends[n][1] < 0) continue;
    const Point from = linkPoint(ends[n][0]), to = linkPoint(ends[n][1]);
    painter.Line(from.x, from.y, to.x, to.y, n == highlighted ? kWhite : kGrey);
  }
}

void DrawSelectionFrame(Painter& painter, int z, int x, int y, int w, int h) {
  const int left = z * x, top = z * y;
  const int right = z * (x + w) - 1, bottom = z * (y + h) - 1;
  painter.Line(left, top, right, top, kWhite);
  painter.Line(right, top, right, bottom, kWhite);
  painter.Line(right, bottom, left, bottom, kWhite);
  painter.Line(left, bottom, left, top, kWhite);
}

int PaintMainWindow(Editor& state, Painter& painter) {
  Session& session = state.session;
  const bool levelShown = IsIndex(session.currentLevel, kLevelCount);
  if (levelShown && state.settings.correctShadow)
    state.document.CorrectShadowsQuietly(session.currentLevel);
  // OR, not add: a request that already holds the panel bit must keep it.
  if (session.layoutChanged) {
    session.repaintFlags |= kRepaintPanel;
    session.layoutChanged = 0;
  }
  session.canvasReady = 0;

  if (levelShown) {
    const int z = ZoomOf(state);
    const Level& level = state.CurrentLevel();
    const SheetRef sheet = PatternSheetOf(state, level, z);
    const bool panel = (session.repaintFlags & kRepaintPanel) != 0;

    DrawCaptions(state, level, painter, z);
    DrawInspector(state, painter, sheet, z);
    if (panel) DrawPalette(state, painter, sheet, z);
    if (session.repaintFlags & kRepaintCanvas) {
      // Composed off screen and copied in one transfer, so the window never
      // shows a half-drawn canvas.
      painter.BeginOffscreen(258 * z, 209 * z + kTopStrip);
      // A floating paste shows the level as placing it would leave it.
      const Level shown = session.floating.active ? FloatingPreview(state) : level;
      DrawLevelGrid(state, shown, painter);
      DrawTeleportLinks(state, shown, painter, state.session.teleportPair);
      DrawCanvasFrames(state, painter, z);
      painter.EndOffscreen(Box(z, z + kTopStrip, 256 * z, 208 * z));
    }
    if (panel) {
      DrawPanelActors(state, level, painter, z);
      DrawSelection(state, painter, z);
    }
  }

  session.canvasReady = 1;
  return 1;
}
