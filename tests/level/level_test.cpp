#include "level/level.h"

#include <gtest/gtest.h>

#include <cstring>

#include "level/time_limit.h"

TEST(Level, DefaultsAndClearKeepingThePatternSet) {
  Level level;
  EXPECT_EQ(std::vector<int>({level.GetGoal(), level.GetPatternSet(), level.GetMusic(), level.GetEnemyType(0),
                              level.GetEnemyType(1), level.GetEnemyType(2)}),
            std::vector<int>({0, 3, 0, 1, 2, 3}));
  EXPECT_STREQ(level.GetTime(), "2:00");
  for (int i = 0; i < kCellCount; ++i) ASSERT_EQ(level.GetCell(i) | level.GetFloor(i), 0);
  ActorRecord fresh;
  fresh.Set(0, 0, 5, 24, 5, 2);
  for (int i = 0; i < kActorCount; ++i) EXPECT_EQ(level.GetActor(i), fresh);
  level.SetPatternSet(7);
  level.SetGoal(2);
  level.SetCell(40, 64);
  level.GetActor(3).Set(40, 80, 7, 48, 6, 8);
  level.ClearKeepPatternSet();
  Level expected;
  expected.SetPatternSet(7);
  EXPECT_EQ(level, expected);
}

TEST(Level, PlaceCellRulesAndLookups) {
  struct Row {
    int before, placed, after;
  } rows[] = {{9, 17, 137}, {0, 17, 128}, {15, 17, 143}, {31, 17, 128}, {64, 17, 128},
              {16, 17, 128}, {-1, 17, 128}, {5, 150, 150}, {5, 175, 175}, {200, 3, 3}};
  for (const Row& r : rows) {
    Level level;
    level.SetCell(50, r.before);
    level.PlaceCell(50, r.placed);
    EXPECT_EQ(level.GetCell(50), r.after) << r.before << " <- " << r.placed;
  }
  // Each teleport end once: the old cell becomes pattern 0; other ends stay.
  Level level;
  level.SetCell(30, 178);
  level.SetCell(31, 179);
  level.PlaceCell(60, 178);
  EXPECT_EQ(std::vector<int>({level.GetCell(30), level.GetCell(31), level.GetCell(60)}), std::vector<int>({0, 179, 178}));
  // The lowest exit counts; slots outside 0..2 read -1 and take nothing.
  level.SetCell(40, 130);
  level.SetCell(30, 143);
  EXPECT_EQ(level.FindExit(), 30);
  EXPECT_EQ(Level().FindExit(), -1);
  level.SetEnemyType(3, 5);
  level.SetEnemyType(-1, 5);
  level.SetEnemyType(0, 9);
  EXPECT_EQ(std::vector<int>({level.GetEnemyType(-1), level.GetEnemyType(0), level.GetEnemyType(1), level.GetEnemyType(3)}),
            std::vector<int>({-1, 9, 2, -1}));
  // Sprite sets: the player's for type code 0, the slot's for 24/48/72, none otherwise.
  ActorRecord actor;
  for (auto [typeCode, set] : {std::pair{0, 0}, {24, 9}, {48, 2}, {72, 3}, {25, -1}, {96, -1}}) {
    actor.SetTypeCode(typeCode);
    EXPECT_EQ(SpriteSetOf(level, actor), set) << typeCode;
    EXPECT_EQ(EnemySpriteSet(level, actor), typeCode == 0 ? -1 : set) << typeCode;
  }
  EXPECT_EQ(std::string(GoalName(3)), "Collect & Destroy gems");
  EXPECT_EQ(GoalName(4), nullptr);
  EXPECT_EQ(GoalName(-1), nullptr);
}

TEST(Level, ShadowsFollowTheCellAbove) {
  struct Row {  // the cell above, the cell and floor below; below afterwards
    int above, below, floor, cellAfter, floorAfter;
  } rows[] = {
      {32, 3, 0, 11, 8},     {42, 131, 3, 139, 11},   {70, 2, 2, 10, 10},     {79, 2, 0, 10, 8},
      {150, 0, 0, 8, 8},     {175, 0, 0, 8, 8},       {144, 12, 12, 12, 12},  {33, 1, 1, 9, 9},
      {52, 11, 11, 3, 3},    {90, 10, 10, 2, 2},      {80, 10, 10, 2, 2},     {180, 8, 8, 0, 0},
      {31, 15, 15, 7, 7},    {143, 15, 15, 7, 7},     {176, 143, 0, 135, 0},  {63, 0, 0, 8, 8},
      {32, 42, 7, 42, 15},   {31, 42, 15, 42, 7},     {32, 20, 20, 20, 20},   {32, 64, 0, 64, 8},
      {32, 150, 0, 150, 8},  {0, 144, 9, 144, 1},     {0, 200, 16, 200, 16},  {32, 16, 15, 16, 15},
      {128, 9, 128, 1, 128}, {32, 127, 143, 127, 143}, {31, 136, 0, 128, 0},  {175, 128, 0, 136, 8},
  };
  for (const Row& r : rows) {
    Level level;
    level.SetCell(3 * 17 + 5, r.above);
    level.SetCell(4 * 17 + 5, r.below);
    level.SetFloor(4 * 17 + 5, r.floor);
    level.CorrectShadows();
    EXPECT_EQ(level.GetCell(4 * 17 + 5), r.cellAfter) << r.above << " over " << r.below;
    EXPECT_EQ(level.GetFloor(4 * 17 + 5), r.floorAfter) << r.above << " over floor " << r.floor;
  }
  // Row 0 never changes; the edge columns take part; a second run changes nothing.
  Level level;
  level.SetCell(5, 9);
  level.SetFloor(5, 9);
  level.SetCell(16, 32);
  level.SetCell(17 + 16, 3);
  level.CorrectShadows();
  EXPECT_EQ(std::vector<int>({level.GetCell(5), level.GetFloor(5), level.GetCell(17 + 16)}), std::vector<int>({9, 9, 11}));
  for (int i = 0; i < kCellCount; ++i) level.SetCell(i, (i * 37) % 192);
  level.CorrectShadows();
  const Level once = level;
  level.CorrectShadows();
  EXPECT_EQ(level, once);
}

TEST(TimeLimit, TextSecondsAndTrackBar) {
  struct Row {
    const char* text;
    int seconds;
  } rows[] = {{"2:00", 120}, {"1:37", 97}, {"9:59", 599}, {"0:15", 15}, {"3:75", 255},
              {"0:05", 15},  {"9:99", 599}, {"x:4?", 40}, {"5\0\0", 300}, {"\xff:\x80\x01", 15}};
  for (const Row& r : rows) EXPECT_EQ(TimeLimitSeconds(r.text), r.seconds) << r.text;
  // Only the three digit places are written, kept within 0:15..9:59.
  char text[8] = {'7', '#', '1', '2', '\0', 'Z', 'Y', 'X'};
  WriteTimeLimit(text, 245);
  EXPECT_EQ(std::memcmp(text, "4#05\0ZYX", 8), 0);
  WriteTimeLimit(text, 700);
  EXPECT_EQ(std::string(text, 4), "9#59");
  WriteTimeLimit(text, 3);
  EXPECT_EQ(std::string(text, 4), "0#15");
  struct TrackStep {
    int time, code, thumb, next;  // -1: the time stays
  } steps[] = {
      {120, kTrackLineDown, 0, 121},  {120, kTrackLineUp, 0, 119},   {15, kTrackLineUp, 0, -1},
      {599, kTrackLineDown, 0, -1},   {121, kTrackPageDown, 0, 181}, {121, kTrackPageUp, 0, 61},
      {75, kTrackPageUp, 0, 15},      {74, kTrackPageUp, 0, 15},     {539, kTrackPageDown, 0, 599},
      {540, kTrackPageDown, 0, 599},  {479, kTrackPageDown, 0, 539}, {120, kTrackThumbTrack, 75, 75},
      {120, kTrackThumbPosition, 900, 599}, {120, kTrackThumbTrack, -3, 15}, {120, kTrackTop, 15, 15},
      {120, kTrackBottom, 599, 599},  {120, kTrackEndTrack, 200, -1}, {120, 9, 200, -1},
  };
  for (const TrackStep& s : steps)
    EXPECT_EQ(TrackBarStep(s.time, s.code, s.thumb).value_or(-1), s.next) << s.time << " code " << s.code;
}
