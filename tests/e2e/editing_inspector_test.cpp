// The cell inspector ("Pattern order") and automatic shadow correction of
// the real program, checked on the window's pixels against the tiles of the
// pattern sheets the program folder holds.
#include <gtest/gtest.h>

#include <array>

#include "e2e/editing_support.h"
#include "gfx/resource_catalogue.h"

namespace {

// The tile of the level's pattern set at the zoom's size.
struct Sheets {
  ResourceCatalogue catalogue;
  explicit Sheets(const ProgramDir& folder) {
    LoadResourceCatalogue(catalogue, folder.Path(), [](const std::string& path) {
      ADD_FAILURE() << "cannot read " << path;
    });
  }
  const Image* Sheet(int patternSet, int z) const {
    const PatternSet* set = catalogue.PatternSetForLevel(patternSet);
    if (!set) return nullptr;
    return z == 2 ? &set->doubled : &set->normal;
  }
};

// The 16z square of the client picture at (x, y) shows tile t of the sheet.
::testing::AssertionResult ShowsTile(const Image& client, int x, int y, const Image& sheet, int z, int t) {
  const int size = 16 * z;
  const int sx = size * (t % 16), sy = size * (t / 16);
  int wrong = 0;
  for (int dy = 0; dy < size; ++dy)
    for (int dx = 0; dx < size; ++dx)
      if (!client.Contains(x + dx, y + dy) || !sheet.Contains(sx + dx, sy + dy) ||
          !(client.At(x + dx, y + dy) == sheet.At(sx + dx, sy + dy)))
        ++wrong;
  if (wrong == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << wrong << " pixels at " << x << "," << y << " differ from tile " << t;
}

// The square at (x, y) is as blank as the spot beside the inspector where
// nothing is ever drawn.
::testing::AssertionResult ShowsNothing(const Image& client, int x, int y, int z) {
  const int size = 16 * z;
  const int bx = 367 * z, by = 187 * z + 16;
  for (int dy = 0; dy < size; ++dy)
    for (int dx = 0; dx < size; ++dx)
      if (!(client.At(x + dx, y + dy) == client.At(bx + dx, by + dy)))
        return ::testing::AssertionFailure() << "slot at " << x << "," << y << " is not blank";
  return ::testing::AssertionSuccess();
}

// The documented slots for a cell value p over floor f; -1 is an empty slot.
std::array<int, 3> InspectorSlots(int p, int f) {
  if (p < 17 || (p >= 64 && p <= 127)) return {p, -1, -1};
  if (p <= 63) return {p, f, -1};
  if (p <= 143) return {17, p - 128, -1};
  if (p <= 159) return {32, p - 128, f};
  if (p <= 175) return {42, p - 144, f};
  return {16, -1, -1};
}

void ExpectInspector(EditorProcess& editor, const Image& sheet, int z, std::array<int, 3> slots,
                     const std::string& what) {
  SCOPED_TRACE(what);
  auto slotShown = [&](const Image& client, int k) {
    const int x = (383 + 16 * k) * z, y = 187 * z + 16;
    return slots[k] < 0 ? ShowsNothing(client, x, y, z) : ShowsTile(client, x, y, sheet, z, slots[k]);
  };
  const Image client = editor.CaptureClientWhen([&](const Image& i) {
    return slotShown(i, 0) && slotShown(i, 1) && slotShown(i, 2);
  });
  for (int k = 0; k < 3; ++k) EXPECT_TRUE(slotShown(client, k)) << "slot " << k + 1;
}

// Captures until the 16z squares at the corners show the tiles, or the time is up.
Image CaptureTiles(EditorProcess& editor, const Image& sheet, int z,
                   std::initializer_list<std::pair<POINT, int>> tiles) {
  return editor.CaptureClientWhen([&](const Image& i) {
    for (const auto& [corner, tile] : tiles)
      if (!ShowsTile(i, corner.x, corner.y, sheet, z, tile)) return false;
    return true;
  });
}

void Hover(EditingSession& session, int row, int column) {
  const POINT p = CellPoint(session.Zoom(), row, column);
  session.Editor().MouseMove(p.x, p.y);
}

// The top-left corner of a cell of columns 1..15 on the canvas.
POINT CellCorner(int z, int row, int column) { return {9 * z + 16 * z * (column - 1), z + 16 + 16 * z * row}; }

}  // namespace

TEST(EditingInspector, SlotsShowWhatACellIsMadeOf) {
  EditingSession session;
  ASSERT_TRUE(session.Ready());
  EditorProcess& editor = session.Editor();
  const Sheets sheets(session.Folder());
  const Image* sheet = sheets.Sheet(3, 1);
  ASSERT_TRUE(sheet && !sheet->Empty());

  session.SelectPattern(5);
  session.ClickCell(2, 2);
  session.ClickCell(3, 2);
  session.SelectPattern(100);
  session.ClickCell(2, 3);
  session.SelectPattern(6);
  session.ClickCell(2, 4);
  session.SelectPattern(20);
  session.ClickCell(2, 4);
  session.SelectPattern(kCellWall2);
  session.ClickCell(3, 3);
  session.SelectPattern(kCellWall1);
  session.ClickCell(3, 6);
  session.SelectPattern(22);
  session.RightClickCell(3, 2);  // 150 over floor 5
  session.SelectPattern(21);
  session.RightClickCell(3, 3);  // 165 over floor 7
  session.SelectPattern(9);
  session.ClickCell(3, 4);
  session.SelectPattern(kCellExit);
  session.ClickCell(3, 4);  // 137
  editor.ScrollSelector(2, 2);
  editor.LeftClick(TeleportTile(1, 0).x, TeleportTile(1, 0).y);
  session.ClickCell(3, 5);  // 180

  const struct {
    int row, column;
    std::array<int, 3> slots;
  } cases[] = {
      {2, 2, {5, -1, -1}},  {2, 3, {100, -1, -1}}, {2, 4, {20, 6, -1}},  {3, 2, {32, 22, 5}},
      {3, 3, {42, 21, 7}},  {3, 4, {17, 9, -1}},   {3, 5, {16, -1, -1}}, {3, 6, {32, 7, -1}},
  };
  for (const auto& c : cases) {
    Hover(session, c.row, c.column);
    ExpectInspector(editor, *sheet, 1, c.slots,
                    "cell row " + std::to_string(c.row) + " column " + std::to_string(c.column));
  }
  // Over the edge columns the inspector shows the raw value as a tile.
  session.SelectPattern(70);
  session.ClickCell(6, 0);
  Hover(session, 6, 0);
  ExpectInspector(editor, *sheet, 1, {70, -1, -1}, "left edge");
}

TEST(EditingInspector, SampleCellsAtDoubleSize) {
  EditingSession session({.doubleSize = true, .sampleSet = true});
  ASSERT_TRUE(session.Ready());
  const Sheets sheets(session.Folder());
  // One cell of each row of the inspector table, from whichever level has one.
  bool seen[7] = {};
  int kinds = 0;
  for (int n = 0; n < kLevelCount; ++n) {
    const Level& level = session.Initial()[n];
    const Image* sheet = sheets.Sheet(level.patternSet, 2);
    ASSERT_TRUE(sheet && !sheet->Empty()) << "level " << n + 1;
    session.Editor().ScrollSelector(0, n);
    for (int i = 0; i < kCellCount; ++i) {
      const int p = level.cells[i];
      const int kind = p < 17 ? 0 : p < 64 ? 1 : p < 128 ? 2 : p < 144 ? 3 : p < 160 ? 4 : p < 176 ? 5 : 6;
      if (seen[kind]) continue;
      seen[kind] = true;
      ++kinds;
      Hover(session, i / kGridColumns, i % kGridColumns);
      ExpectInspector(session.Editor(), *sheet, 2, InspectorSlots(p, level.floors[i]),
                      "level " + std::to_string(n + 1) + " cell " + std::to_string(i) + " holding " +
                          std::to_string(p));
    }
  }
  EXPECT_EQ(kinds, 7);  // every row of the inspector table
}

TEST(EditingShadows, AutomaticCorrectionShadowsTheCellBelowAWallAtOnce) {
  EditingSession session({.correctShadow = true});
  ASSERT_TRUE(session.Ready());
  EditorProcess& editor = session.Editor();
  const Sheets sheets(session.Folder());
  const Image* sheet = sheets.Sheet(3, 1);
  ASSERT_TRUE(sheet && !sheet->Empty());
  LevelSet expected = session.Initial();
  Level& level = expected[0];

  session.SelectPattern(3);
  session.ClickCell(5, 5);
  session.ClickCell(5, 6);
  level.PlaceCell(CellIndex(5, 5), 3);
  level.SetFloor(CellIndex(5, 5), 3);
  level.PlaceCell(CellIndex(5, 6), 3);
  level.SetFloor(CellIndex(5, 6), 3);
  POINT corner = CellCorner(1, 5, 5);
  EXPECT_TRUE(ShowsTile(CaptureTiles(editor, *sheet, 1, {{corner, 3}}), corner.x, corner.y, *sheet, 1, 3));

  // The wall goes in; the cell below shows its shadowed pattern with no
  // further step, and the inspector shows the wall on floor 7.
  session.SelectPattern(kCellWall1);
  session.ClickCell(4, 5);
  level.PlaceCell(CellIndex(4, 5), kCellWall1);
  level.SetFloor(CellIndex(4, 5), 7);
  EXPECT_EQ(editor.Title(), "Kraxolan Editor - [Untitled.kxl *]");
  const POINT beside = CellCorner(1, 5, 6);
  Image client = CaptureTiles(editor, *sheet, 1,
                              {{corner, 11}, {POINT{383, 203}, kCellWall1}, {POINT{399, 203}, 7}, {beside, 3}});
  EXPECT_TRUE(ShowsTile(client, corner.x, corner.y, *sheet, 1, 11));
  EXPECT_TRUE(ShowsTile(client, 383, 187 + 16, *sheet, 1, kCellWall1));
  EXPECT_TRUE(ShowsTile(client, 399, 187 + 16, *sheet, 1, 7));
  EXPECT_TRUE(ShowsTile(client, beside.x, beside.y, *sheet, 1, 3));
  Hover(session, 5, 5);
  ExpectInspector(editor, *sheet, 1, {11, -1, -1}, "the shadowed cell");

  // More casters: a wall 42 below the wall keeps its value, its floor gets
  // the shadow; the destroyable item casts none; an exit on a floor gets one.
  session.SelectPattern(kCellWall2);
  session.ClickCell(5, 6);  // under nothing yet
  session.SelectPattern(kCellWall1);
  session.ClickCell(4, 6);
  session.SelectPattern(11);
  session.ClickCell(8, 8);
  session.SelectPattern(kCellDestroyable);
  session.ClickCell(7, 8);
  session.SelectPattern(kCellExit);
  session.ClickCell(9, 9);
  session.SelectPattern(70);
  session.ClickCell(8, 9);
  level.PlaceCell(CellIndex(5, 6), kCellWall2);
  level.SetFloor(CellIndex(5, 6), 7);
  level.PlaceCell(CellIndex(4, 6), kCellWall1);
  level.SetFloor(CellIndex(4, 6), 7);
  level.PlaceCell(CellIndex(8, 8), 11);
  level.SetFloor(CellIndex(8, 8), 11);
  level.PlaceCell(CellIndex(7, 8), kCellDestroyable);
  level.PlaceCell(CellIndex(9, 9), kCellExit);
  level.PlaceCell(CellIndex(8, 9), 70);
  level.CorrectShadows();
  EXPECT_EQ(level.GetCell(CellIndex(5, 5)), 11);
  EXPECT_EQ(level.GetFloor(CellIndex(5, 6)), 15);
  EXPECT_EQ(level.GetCell(CellIndex(8, 8)), 3);
  EXPECT_EQ(level.GetCell(CellIndex(9, 9)), 136);

  corner = CellCorner(1, 8, 8);
  client = CaptureTiles(editor, *sheet, 1, {{corner, 3}});
  EXPECT_TRUE(ShowsTile(client, corner.x, corner.y, *sheet, 1, 3));
  ASSERT_TRUE(session.SaveAs("shadows.kxl"));
  EXPECT_TRUE(SavedSetIs(session.Folder().File("shadows.kxl"), expected));
}
