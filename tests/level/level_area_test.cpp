// Areas: copied out of a level, cleared, placed with the level's rules,
// flipped, and their two clipboard forms.
#include "level/level_area.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "level/level_json.h"

// Named, not anonymous: the test files are compiled in batches.
namespace level_area_test {
namespace {

constexpr int At(int column, int row) { return row * kGridColumns + column; }
constexpr int32_t kUp = 1, kRight = 3, kDown = 5, kLeft = 7;
constexpr int32_t kSlow = 2, kNormal = 4, kFast = 8;
constexpr int32_t kType1 = 24, kType2 = 48, kType3 = 72;
constexpr int32_t kStart0 = kCellTeleportFirst, kEnd0 = kCellTeleportFirst + 1;
constexpr int32_t kExitOn5 = kCellExitOnFloor + 5, kExitOn2 = kCellExitOnFloor + 2;
constexpr int32_t kShadowed2 = 2 + 8;

ActorRecord Actor(int column, int row, int32_t direction, int32_t typeCode, int32_t aiType, int32_t speed) {
  ActorRecord actor;
  actor.Set(16 * column - 8, 16 * row, direction, typeCode, aiType, speed);
  return actor;
}

// The exit on floor 5 at (5, 5), teleport pair 0 from (6, 6) to (8, 8), the
// player at (5, 9), enemies 1 and 3 at (9, 9) and (10, 9); 2, 4 and 5 are free.
Level Target() {
  Level level;
  level.SetCell(At(5, 5), kExitOn5);
  level.SetFloor(At(5, 5), 5);
  level.SetCell(At(6, 6), kStart0);
  level.SetCell(At(8, 8), kEnd0);
  level.GetActor(0) = Actor(5, 9, kDown, 0, 0, kNormal);
  level.GetActor(1) = Actor(9, 9, kDown, kType1, 5, kSlow);
  level.GetActor(3) = Actor(10, 9, kDown, kType1, 5, kSlow);
  return level;
}

// One row of cells on floor 3, with these actors.
LevelArea Row(std::vector<int32_t> cells, std::vector<AreaActor> actors = {}) {
  const std::vector<int32_t> floors(cells.size(), 3);
  return {static_cast<int>(cells.size()), 1, cells, floors, actors};
}

std::vector<uint8_t> Words(const std::vector<int32_t>& words) {
  std::vector<uint8_t> bytes;
  for (int32_t w : words)
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(w) >> shift));
  return bytes;
}

}  // namespace

TEST(LevelArea, CopyTakesTheRectangleWithTheActorsStandingInIt) {
  const LevelArea expected{2,
                           5,
                           {kExitOn5, 0, 0, kStart0, 0, 0, 0, 0, 0, 0},
                           {5, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                           {{0, 0, 4, kDown, 0, 0, kNormal}}};
  EXPECT_EQ(CopyArea(Target(), CellRectBetween(At(6, 9), At(5, 5))), expected);
}

TEST(LevelArea, ClearEmptiesCellsAndFloorsAndTakesEveryActorInItOff) {
  Level level = Target();
  level.SetCell(At(9, 10), kCellGem);  // just below
  ClearArea(level, CellRectBetween(At(5, 5), At(9, 9)));
  EXPECT_EQ(level.GetCell(At(5, 5)), 0);
  EXPECT_EQ(level.GetFloor(At(5, 5)), 0);
  EXPECT_EQ(level.GetCell(At(8, 8)), 0);
  EXPECT_EQ(level.GetCell(At(9, 10)), kCellGem);
  EXPECT_FALSE(level.GetActor(0).IsPlaced());
  EXPECT_FALSE(level.GetActor(1).IsPlaced());
  EXPECT_TRUE(level.GetActor(3).IsPlaced());  // column 10 lies outside
}

TEST(LevelArea, PlacedCellsKeepOneExitAndOneOfEachTeleportEnd) {
  struct Case {
    const char* what;
    LevelArea area;
    int column, row;
    bool placed;
    std::vector<std::pair<int, int32_t>> cells;  // cell, value afterwards
  } cases[] = {
      {"an exit moves the level's exit", Row({kExitOn2}), 7, 7, true, {{At(7, 7), kExitOn2}, {At(5, 5), 5}}},
      {"a teleport end moves that end only", Row({kEnd0}), 7, 7, true, {{At(7, 7), kEnd0}, {At(8, 8), 0}, {At(6, 6), kStart0}, {At(5, 5), kExitOn5}}},
      {"what lies beyond the grid is left out", Row({64, 65, 66}), 15, 4, true, {{At(15, 4), 64}, {At(16, 4), 65}, {At(0, 5), 0}}},
      {"no exit on row 0", Row({kExitOn2}), 7, 0, false, {{At(7, 0), 0}, {At(5, 5), kExitOn5}}},
      {"no teleport end in an edge column", Row({kEnd0}), 16, 7, false, {{At(16, 7), 0}, {At(8, 8), kEnd0}}},
      {"no actor in an edge column", Row({9}, {{0, 0, 0, kUp, 0, 0, kNormal}}), 0, 4, false, {{At(0, 4), 0}}},
      {"no hidden item in an edge column", Row({kCellWall1Item + 2}), 0, 4, false, {{At(0, 4), 0}}},
      {"a hidden item on row 0", Row({kCellWall1Item + 2}), 1, 0, true, {{At(1, 0), kCellWall1Item + 2}}},
  };
  for (const Case& c : cases) {
    Level level = Target();
    EXPECT_EQ(PlaceArea(level, c.area, c.column, c.row).placed, c.placed) << c.what;
    for (const auto& [cell, value] : c.cells) EXPECT_EQ(level.GetCell(cell), value) << c.what << ", cell " << cell;
  }
}

TEST(LevelArea, PlacedActorsTakeThePlayerAndTheFreeEnemyRecordsInOrder) {
  const AreaActor first{1, 0, 0, kUp, kType2, 6, kFast};
  const AreaActor second{3, 1, 0, kRight, kType3, 7, kSlow};
  const AreaActor third{4, 2, 0, kLeft, kType3, 7, kSlow};
  const AreaActor fourth{5, 3, 0, kLeft, kType1, 8, kNormal};
  struct Case {
    const char* what;
    std::vector<AreaActor> actors;  // in a row of four cells placed at (2, 10)
    int record;                     // the record looked at afterwards
    ActorRecord expected;
    int leftOut;
  } cases[] = {
      {"the player moves", {{0, 1, 0, kLeft, 0, 0, kFast}}, 0, Actor(3, 10, kLeft, 0, 0, kFast), 0},
      {"an enemy takes record 2, the first free one", {first}, 2, Actor(2, 10, kUp, kType2, 6, kFast), 0},
      {"a second enemy takes record 4", {first, second}, 4, Actor(3, 10, kRight, kType3, 7, kSlow), 0},
      {"a fourth finds no free record", {first, second, third, fourth}, 5, Actor(4, 10, kLeft, kType3, 7, kSlow), 1},
      {"enemies already placed stay", {first}, 1, Actor(9, 9, kDown, kType1, 5, kSlow), 0},
  };
  for (const Case& c : cases) {
    Level level = Target();
    const PlaceResult result = PlaceArea(level, Row({0, 0, 0, 0}, c.actors), 2, 10);
    EXPECT_EQ(level.GetActor(c.record), c.expected) << c.what;
    EXPECT_EQ(result.enemiesLeftOut, c.leftOut) << c.what;
  }
}

TEST(LevelArea, AHorizontalFlipMirrorsCellsAndActorsAndSwapsLeftAndRight) {
  Level level;
  level.SetCell(At(2, 2), kCellWall1);
  level.SetFloor(At(2, 2), 7);
  level.SetCell(At(4, 2), kExitOn2);
  level.GetActor(0) = Actor(2, 2, kRight, 0, 0, kNormal);
  level.GetActor(1) = Actor(3, 2, kUp, kType1, 5, kSlow);  // in the middle: it stays, facing up
  EXPECT_EQ(FlipArea(level, CellRectBetween(At(2, 2), At(4, 2)), FlipAxis::Horizontal), "");
  EXPECT_EQ(level.GetCell(At(2, 2)), kExitOn2);
  EXPECT_EQ(level.GetCell(At(4, 2)), kCellWall1);
  EXPECT_EQ(level.GetFloor(At(4, 2)), 7);
  EXPECT_EQ(level.GetActor(0), Actor(4, 2, kLeft, 0, 0, kNormal));
  EXPECT_EQ(level.GetActor(1), Actor(3, 2, kUp, kType1, 5, kSlow));
}

TEST(LevelArea, AVerticalFlipSwapsUpAndDownAndTheShadowsFollowTheMovedWall) {
  Level level;
  level.SetCell(At(2, 2), kCellWall1);
  level.SetCell(At(2, 3), 8);  // shadowed by the wall above
  level.SetCell(At(2, 4), 2);
  level.SetCell(At(2, 5), 2);  // the row below the flipped rectangle
  level.SetCell(At(3, 3), 8);  // beside it, a shadow under no wall stays as it is
  level.GetActor(1) = Actor(2, 4, kUp, kType1, 5, kSlow);
  EXPECT_EQ(FlipArea(level, CellRectBetween(At(2, 2), At(2, 4)), FlipAxis::Vertical), "");
  EXPECT_EQ(level.GetCell(At(2, 2)), 2);
  EXPECT_EQ(level.GetCell(At(2, 3)), 0);
  EXPECT_EQ(level.GetCell(At(2, 4)), kCellWall1);
  EXPECT_EQ(level.GetCell(At(2, 5)), kShadowed2);
  EXPECT_EQ(level.GetCell(At(3, 3)), 8);
  EXPECT_EQ(level.GetActor(1), Actor(2, 2, kDown, kType1, 5, kSlow));
}

TEST(LevelArea, TheClipboardsOwnFormKeepsEveryValue) {
  const LevelArea area{2, 1, {255, 0}, {15, 0}, {{4, 1, 0, kLeft, kType2, 9, kFast}}};
  LevelArea back;
  ASSERT_TRUE(DecodeArea(EncodeArea(area), back));
  EXPECT_EQ(back, area);
}

TEST(LevelArea, BytesThatAreNoAreaAreRefused) {
  const struct Case {
    const char* what;
    std::vector<int32_t> words;
  } cases[] = {
      {"cells missing", {2, 1, 5}},
      {"a word too many", {1, 1, 0, 0, 0, 0}},
      {"width 18", {18, 1}},
      {"seven actors", {1, 1, 0, 0, 7}},
      {"a cell of 256", {1, 1, 256, 0, 0}},
      {"a floor of 16", {1, 1, 0, 16, 0}},
      {"an actor beyond the area", {1, 1, 0, 0, 1, 0, 1, 0, kDown, kType1, 5, kSlow}},
  };
  for (const Case& c : cases) {
    LevelArea area = Row({9});
    EXPECT_FALSE(DecodeArea(Words(c.words), area)) << c.what;
    EXPECT_EQ(area, Row({9})) << c.what;
  }
}

TEST(LevelArea, TheTextFormReadsBackAndSaysWhatIsWrong) {
  const LevelArea area{1, 1, {kExitOn2}, {2}, {{0, 0, 0, kLeft, 0, 0, kFast}}};
  const std::string text = AreaJson(area);
  EXPECT_EQ(text,
            "{\n  \"format\": \"kxl-area\",\n  \"version\": 1,\n  \"width\": 1,\n  \"height\": 1,\n"
            "  \"cells\": [\n    [130]\n  ],\n  \"floors\": [\n    [2]\n  ],\n"
            "  \"actors\": [\n    {\"actor\": 0, \"column\": 0, \"row\": 0, \"direction\": 7, \"typeCode\": 0, "
            "\"aiType\": 0, \"speed\": 8}\n  ]\n}\n");
  LevelArea back;
  JsonImportError error;
  ASSERT_TRUE(ImportAreaJson(text, back, error));
  EXPECT_EQ(back, area);

  const std::string head = "{\"format\": \"kxl-area\", \"version\": 1, \"width\": 2, \"height\": 1, ";
  const std::string player = "{\"actor\": 0, \"column\": 1, \"row\": 0, \"direction\": 5, \"typeCode\": 0, \"aiType\": 0, \"speed\": 4}";
  const std::string actor = "{\"actor\": 0, \"column\": 2, \"row\": 0, \"direction\": 5, \"typeCode\": 0, \"aiType\": 0, \"speed\": 4}";
  const struct Case {
    std::string text;
    std::string place, reason;
  } cases[] = {
      {head + "\"cells\": [[1, 2]], \"floors\": [[0, 0]], \"actors\": []", "line 1, column 114",
       "syntax error while parsing object - unexpected end of input; expected '}'"},
      {head + "\"cells\": [[1, 2, 3]], \"floors\": [[0, 0]], \"actors\": []}", "/cells/0", "is not a list of 2"},
      {head + "\"cells\": [[1, 256]], \"floors\": [[0, 0]], \"actors\": []}", "/cells/0/1", "256 is outside 0..255"},
      {head + "\"cells\": [[1, 2]], \"floors\": [[0, 16]], \"actors\": []}", "/floors/0/1", "16 is outside 0..15"},
      {head + "\"cells\": [[1, 2]], \"floors\": [[0, 0]], \"actors\": [" + actor + "]}", "/actors/0/column", "2 is outside 0..1"},
      {head + "\"cells\": [[1, 2]], \"floors\": [[0, 0]], \"actors\": [" + player + ", " + player + "]}", "/actors/1/actor",
       "is a second player"},
  };
  for (const Case& c : cases) {
    LevelArea kept = area;
    EXPECT_FALSE(ImportAreaJson(c.text, kept, error)) << c.text;
    EXPECT_EQ(error.place, c.place) << c.text;
    EXPECT_EQ(error.reason, c.reason) << c.text;
    EXPECT_EQ(kept, area) << c.text;
  }
}

}  // namespace level_area_test
