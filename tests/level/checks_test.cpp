#include "level/checks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

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

std::vector<std::string> LinesOf(const Level& first, const CatalogueSizes* catalogue = nullptr) {
  LevelSet levels;
  for (Level& level : levels) level = Playable();
  levels[2] = first;
  std::vector<std::string> lines;
  for (const Problem& p : CheckLevels(levels, catalogue)) lines.push_back(DescribeProblem(p));
  return lines;
}

}  // namespace

TEST(Checks, OneLevelPerRule) {
  using Lines = std::vector<std::string>;
  struct Row {
    std::function<void(Level&)> make;
    Lines lines;
  } rows[] = {
      {[](Level&) {}, {}},
      {[](Level& l) { l.SetCell(At(3, 5), 0); },
       {"level 3: error: there is no exit in the main grid"}},
      {[](Level& l) {
         l.SetCell(At(3, 5), 0);
         l.SetCell(At(3, 0), 128);  // in an edge column only
       },
       {"level 3: error: there is no exit in the main grid"}},
      {[](Level& l) { l.SetCell(At(9, 9), 140); },
       {"level 3, row 10, column 10: error: there is more than one exit"}},
      {[](Level& l) { l.GetActor(0).Reset(); }, {"level 3: error: the player is not placed"}},
      {[](Level& l) {
         l.SetCell(At(5, 3), 180);
         l.SetCell(At(7, 3), 187);
         l.SetCell(At(8, 3), 176);
         l.SetCell(At(8, 4), 177);
       },
       {"level 3, row 6, column 4: error: teleport 3 has a start but no end",
        "level 3, row 8, column 4: error: teleport 6 has an end but no start"}},
      {[](Level& l) { l.SetCell(At(1, 1), 70); },
       {"level 3, row 2, column 2: error: the player stands on a solid pattern"}},
      {[](Level& l) { l.SetCell(At(5, 5), 165); },
       {"level 3, row 6, column 6: error: enemy 1 stands on an explodable wall"}},
      {[](Level& l) {
         l.GetActor(4).Set(72, 80, 5, 24, 5, 2);
         l.SetCell(At(5, 5), 52);
       },
       {"level 3, row 6, column 6: error: enemy 1 stands on the destroyable item",
        "level 3, row 6, column 6: error: enemy 4 stands on the destroyable item",
        "level 3, row 6, column 6: warning: enemy 1 and enemy 4 stand on one square"}},
      {[](Level& l) { l.GetActor(1).Reset(); },
       {"level 3: error: the goal is \"Kill enemies\" but no enemy is placed"}},
      {[](Level& l) { l.SetGoal(3); },
       {"level 3: error: the goal is \"Collect & Destroy gems\" but there is no gem"}},
      {[](Level& l) {
         l.SetGoal(1);
         l.SetCell(At(2, 2), 159);  // the gem hidden in a wall
       },
       {}},
      {[](Level& l) { std::memcpy(l.GetTime(), "0:14", 4); },
       {"level 3: error: the time \"0:14\" is not m:ss between 0:15 and 9:59"}},
      {[](Level& l) { std::memcpy(l.GetTime(), "1:60", 4); },
       {"level 3: error: the time \"1:60\" is not m:ss between 0:15 and 9:59"}},
      {[](Level& l) { std::memcpy(l.GetTime(), "9:59", 4); }, {}},
      {[](Level& l) { std::memcpy(l.GetTime(), "2:000", 5); },
       {"level 3: error: the time \"2:000\" is not m:ss between 0:15 and 9:59"}},
      {[](Level& l) {
         l.SetCell(At(4, 4), 30);
         l.SetCell(At(4, 6), 63);
         l.SetCell(At(4, 7), 42);
       },
       {"level 3, row 5, column 5: warning: cell value 30 is not in the palette",
        "level 3, row 5, column 7: warning: cell value 63 is not in the palette"}},
  };
  for (size_t i = 0; i < std::size(rows); ++i) {
    Level level = Playable();
    rows[i].make(level);
    EXPECT_EQ(LinesOf(level), rows[i].lines) << "row " << i;
  }
  // Errors first, then by level; checks never change the levels.
  LevelSet levels;
  levels[7] = Playable();
  const LevelSet before = levels;
  const std::vector<Problem> problems = CheckLevels(levels, nullptr);
  EXPECT_TRUE(AnyError(problems));
  EXPECT_EQ(levels, before);
  EXPECT_EQ(problems.size(), 9u * 3u);  // no exit, no player, no enemy in nine levels
  EXPECT_EQ(problems.front().level * 10 + problems.back().level, 9);
}

TEST(Checks, TheExitIsReachedOverWallsAndThroughTeleports) {
  // Solids around rows 3..4, columns 5..6 (from 0), the exit among them.
  Level walled = Playable();
  walled.SetActorPosition(1, 152, 128);  // enemy 1 out of the way
  for (int row = 2; row <= 5; ++row)
    for (int column = 4; column <= 7; ++column)
      if (row == 2 || row == 5 || column == 4 || column == 7) walled.SetCell(At(row, column), 80);
  const std::vector<std::string> unreached = {
      "level 3, row 4, column 6: warning: the exit cannot be reached from the player's square"};
  EXPECT_EQ(LinesOf(walled), unreached);
  // Explodable walls and walls hiding items count as open.
  Level bombs = walled;
  bombs.SetCell(At(2, 5), kCellWall1);
  EXPECT_EQ(LinesOf(bombs), std::vector<std::string>{});
  bombs.SetCell(At(2, 5), 150);
  EXPECT_EQ(LinesOf(bombs), std::vector<std::string>{});
  // A teleport start outside leads to its end inside; the way back does not count.
  Level teleport = walled;
  teleport.SetCell(At(8, 8), 178);
  teleport.SetCell(At(4, 6), 179);
  EXPECT_EQ(LinesOf(teleport), std::vector<std::string>{});
  teleport.SetCell(At(8, 8), 179);
  teleport.SetCell(At(4, 6), 178);
  EXPECT_EQ(LinesOf(teleport), unreached);
}

TEST(Checks, TheCatalogueWhenOneIsKnown) {
  Level level = Playable();
  level.SetPatternSet(PatternSetValueOf(2));
  level.SetMusic(3);
  level.SetEnemyType(2, 0);  // the player's own sprite set
  level.GetActor(1).SetAiType(kAiTypeBase + 4);
  const CatalogueSizes small{2, 4, 3, 4};
  EXPECT_EQ(LinesOf(level, &small),
            (std::vector<std::string>{
                "level 3: warning: pattern set 2 is not in the catalogue",
                "level 3: warning: song 3 is not in the catalogue",
                "level 3: warning: enemy type 3 uses sprite set 0, which is no enemy sprite set of the catalogue",
                "level 3, row 6, column 6: warning: enemy 1 has AI type 4, which the catalogue does not have"}));
  const CatalogueSizes large{3, 5, 4, 5};
  EXPECT_EQ(LinesOf(level, &large),
            (std::vector<std::string>{
                "level 3: warning: enemy type 3 uses sprite set 0, which is no enemy sprite set of the catalogue"}));
  EXPECT_EQ(LinesOf(level), std::vector<std::string>{});  // none known
}
