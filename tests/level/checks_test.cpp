#include "level/checks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "level/level_summary.h"

namespace {

using Lines = std::vector<std::string>;
constexpr int At(int row, int column) { return row * kGridColumns + column; }

// A playable level: the exit at row 4, column 6 (counted from 1), the player
// at row 2, column 2, enemy 1 at row 6, column 6, everything else open.
Level Playable() {
  Level level;
  level.PlaceCell(At(3, 5), kCellExit);
  level.GetActor(0).Set(8, 16, 5, 0, 0, 4);
  level.GetActor(1).Set(72, 80, 5, 24, 5, 2);
  return level;
}

// The exit walled in by solids around rows 3..4, columns 5..6 (from 0).
void WallIn(Level& l) {
  l.SetActorPosition(1, 152, 128);
  for (int row = 2; row <= 5; ++row)
    for (int column = 4; column <= 7; ++column)
      if (row == 2 || row == 5 || column == 4 || column == 7) l.SetCell(At(row, column), 80);
}

Lines LinesOf(const Level& third, const CatalogueSizes* catalogue = nullptr) {
  LevelSet levels;
  for (Level& level : levels) level = Playable();
  levels[2] = third;
  Lines lines;
  for (const Problem& p : CheckLevels(levels, catalogue)) lines.push_back(DescribeProblem(p));
  return lines;
}

}  // namespace

TEST(Checks, OneLevelPerRule) {
  const std::string unreached = "level 3, row 4, column 6: warning: the exit cannot be reached from the player's square";
  const auto time = [](const char* t) {
    return std::string("level 3: error: the time \"") + t + "\" is not m:ss between 0:15 and 9:59";
  };
  struct Row {
    std::function<void(Level&)> make;
    Lines lines;
  } rows[] = {
      {[](Level&) {}, {}},
      {[](Level& l) { l.SetCell(At(3, 5), 0); }, {"level 3: error: there is no exit in the main grid"}},
      {[](Level& l) { l.SetCell(At(3, 5), 0), l.SetCell(At(3, 0), 128); },  // in an edge column only
       {"level 3: error: there is no exit in the main grid"}},
      {[](Level& l) { l.SetCell(At(9, 9), 140); }, {"level 3, row 10, column 10: error: there is more than one exit"}},
      {[](Level& l) { l.GetActor(0).Reset(); }, {"level 3: error: the player is not placed"}},
      {[](Level& l) { l.SetCell(At(5, 3), 180), l.SetCell(At(7, 3), 187), l.SetCell(At(8, 3), 176), l.SetCell(At(8, 4), 177); },
       {"level 3, row 6, column 4: error: teleport 3 has a start but no end",
        "level 3, row 8, column 4: error: teleport 6 has an end but no start"}},
      {[](Level& l) { l.SetCell(0, 177), l.SetCell(At(8, 4), 176); }, {}},  // an end at cell 0 counts
      {[](Level& l) { l.SetCell(At(1, 1), 70); }, {"level 3, row 2, column 2: error: the player stands on a solid pattern"}},
      {[](Level& l) { l.SetCell(At(5, 5), 165); }, {"level 3, row 6, column 6: error: enemy 1 stands on an explodable wall"}},
      {[](Level& l) { l.GetActor(4).Set(72, 80, 5, 24, 5, 2), l.SetCell(At(5, 5), 52); },
       {"level 3, row 6, column 6: error: enemy 1 stands on the destroyable item",
        "level 3, row 6, column 6: error: enemy 4 stands on the destroyable item",
        "level 3, row 6, column 6: warning: enemy 1 and enemy 4 stand on one square"}},
      {[](Level& l) { l.GetActor(2).Set(24, 48, 5, 24, 5, 2), l.SetCell(At(3, 2), 64), l.SetCell(At(5, 5), 70); },
       {"level 3, row 4, column 3: error: enemy 2 stands on a solid pattern",  // by cell, not by actor
        "level 3, row 6, column 6: error: enemy 1 stands on a solid pattern"}},
      {[](Level& l) { l.GetActor(1).Reset(); }, {"level 3: error: the goal is \"Kill enemies\" but no enemy is placed"}},
      {[](Level& l) { l.SetGoal(3); }, {"level 3: error: the goal is \"Collect & Destroy gems\" but there is no gem"}},
      {[](Level& l) { l.SetGoal(1), l.SetCell(At(2, 2), 159); }, {}},  // the gem hidden in a wall
      {[](Level& l) { std::memcpy(l.GetTime(), "0:14", 4); }, {time("0:14")}},
      {[](Level& l) { std::memcpy(l.GetTime(), "1:60", 4); }, {time("1:60")}},
      {[](Level& l) { std::memcpy(l.GetTime(), "9:59", 4); }, {}},
      {[](Level& l) { std::memcpy(l.GetTime(), "0:15", 4); }, {}},
      {[](Level& l) { std::memcpy(l.GetTime(), "1;30", 4); }, {time("1;30")}},
      {[](Level& l) { std::memcpy(l.GetTime(), "1:/5", 4); }, {time("1:/5")}},
      {[](Level& l) { std::memcpy(l.GetTime(), "1:3x", 4); }, {time("1:3x")}},
      {[](Level& l) { std::memcpy(l.GetTime(), "2:000", 5); }, {time("2:000")}},
      {[](Level& l) { l.SetCell(At(4, 4), 30), l.SetCell(At(4, 6), 63), l.SetCell(At(4, 7), 42); },
       {"level 3, row 5, column 5: warning: cell value 30 is not in the palette",
        "level 3, row 5, column 7: warning: cell value 63 is not in the palette"}},
      {[](Level& l) { l.SetCell(At(3, 1), 30), WallIn(l); },  // warnings by cell too
       {"level 3, row 4, column 2: warning: cell value 30 is not in the palette", unreached}},
      {WallIn, {unreached}},
      {[](Level& l) { WallIn(l), l.GetActor(0).Set(-8, 0, 5, 0, 0, 4); }, {unreached}},  // from cell 0
      {[](Level& l) { WallIn(l), l.SetCell(At(2, 5), kCellWall1); }, {}},  // bombs open walls
      {[](Level& l) { WallIn(l), l.SetCell(At(2, 5), 150); }, {}},
      {[](Level& l) { WallIn(l), l.SetCell(At(8, 8), 178), l.SetCell(At(4, 6), 179); }, {}},  // start outside
      {[](Level& l) { WallIn(l), l.SetCell(At(8, 8), 179), l.SetCell(At(4, 6), 178); }, {unreached}},
      {[](Level& l) { WallIn(l), l.SetCell(At(4, 6), 1); }, {unreached}},  // plain cells lead nowhere
  };
  for (size_t i = 0; i < std::size(rows); ++i) {
    Level level = Playable();
    rows[i].make(level);
    EXPECT_EQ(LinesOf(level), rows[i].lines) << "row " << i;
  }
  // Errors first, then by level; the levels are not changed.
  LevelSet levels;
  levels[7] = Playable();
  levels[1].SetCell(At(4, 4), 30);
  const LevelSet before = levels;
  const std::vector<Problem> problems = CheckLevels(levels, nullptr);
  EXPECT_TRUE(AnyError(problems));
  EXPECT_FALSE(AnyError({problems.back()}));
  EXPECT_EQ(levels, before);
  ASSERT_EQ(problems.size(), 9u * 3u + 1);  // no exit, no player, no enemy in nine levels
  EXPECT_EQ(DescribeProblem(problems[0]), "level 1: error: there is no exit in the main grid");
  EXPECT_EQ(DescribeProblem(problems[26]), "level 10: error: the goal is \"Kill enemies\" but no enemy is placed");
  EXPECT_EQ(problems[27].level * 1000 + problems[27].cell, 1072);
}

TEST(Checks, TheCatalogueWhenOneIsKnown) {
  Level level = Playable();
  level.SetPatternSet(PatternSetValueOf(2));
  level.SetMusic(3);
  level.SetEnemyType(2, 0);  // the player's own sprite set
  level.GetActor(1).SetAiType(kAiTypeBase + 4);
  const CatalogueSizes small{2, 4, 3, 4}, large{3, 5, 4, 5};
  const std::string set0 = "level 3: warning: enemy type 3 uses sprite set 0, which is no enemy sprite set of the catalogue";
  EXPECT_EQ(LinesOf(level, &small), (Lines{"level 3: warning: pattern set 2 is not in the catalogue",
                                           "level 3: warning: song 3 is not in the catalogue", set0,
                                           "level 3, row 6, column 6: warning: enemy 1 has AI type 4, which the catalogue does not have"}));
  EXPECT_EQ(LinesOf(level, &large), Lines{set0});
  EXPECT_EQ(LinesOf(level), Lines{});
}

TEST(LevelSummary, OneLine) {
  Level level;
  EXPECT_EQ(DescribeLevel(level),
            "goal Kill enemies, pattern set 3, song 0, time 2:00, enemy types 1 2 3, exit no, player no, teleports "
            "complete none, one end only none, gems 0 (+0 hidden), items 0, hidden items 0");
  level.SetCell(0, 130);  // the exit at cell 0
  for (auto [cell, v] : {std::pair{3, 176}, {4, 177}, {5, 187}, {6, 31}, {7, 159}, {8, 18}, {9, 29}, {10, 146}, {11, 170}})
    level.SetCell(cell, v);
  level.SetGoal(7);
  level.GetActor(0).Set(8, 16, 5, 0, 0, 4);
  std::memcpy(level.GetTime(), "1:\x01" "5", 4);
  EXPECT_EQ(DescribeLevel(level),
            "goal ?7, pattern set 3, song 0, time 1:?5, enemy types 1 2 3, exit yes, player yes, teleports "
            "complete 1, one end only 6(end), gems 1 (+1 hidden), items 2, hidden items 2");
}
