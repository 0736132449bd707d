#include "level/checks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

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
      if (row == 2 || row == 5 || column == 4 || column == 7) l.SetCell(At(row, column), 80);  // a solid
}

Lines LinesOf(const Level& third, const CatalogueSizes* catalogue = nullptr) {
  LevelSet levels;
  for (Level& level : levels) level = Playable();
  levels[2] = third;
  Lines lines;
  for (const Problem& p : CheckLevels(levels, catalogue)) lines.push_back(DescribeProblem(p));
  return lines;
}

// A row: the playable level, walled in or not, these cells, one more change.
struct CheckRow {
  const char* what;
  bool walledIn;
  std::vector<std::pair<int, int32_t>> cells;
  std::function<void(Level&)> change;
  Lines lines;
};

const char* const kNoExit = "level 3: error: there is no exit in the main grid";
const char* const kUnreached = "level 3, row 4, column 6: warning: the exit cannot be reached from the player's square";

}  // namespace

TEST(Checks, OneLevelPerRule) {
  const CheckRow rows[] = {
      {"no exit", false, {{At(3, 5), 0}}, nullptr, {kNoExit}},
      {"an exit in an edge column only", false, {{At(3, 5), 0}, {At(3, 0), kCellExitOnFloor}}, nullptr, {kNoExit}},
      {"two exits", false, {{At(9, 9), kCellExitOnFloor + 12}}, nullptr,
       {"level 3, row 10, column 10: error: there is more than one exit"}},
      {"no player", false, {}, [](Level& l) { l.GetActor(0).Reset(); }, {"level 3: error: the player is not placed"}},
      {"teleports with one end", false, {{At(5, 3), 180}, {At(7, 3), 187}, {At(8, 3), 176}, {At(8, 4), 177}}, nullptr,
       {"level 3, row 6, column 4: error: teleport 3 has a start but no end",
        "level 3, row 8, column 4: error: teleport 6 has an end but no start"}},
      {"a start alone at cell 0", false, {{0, 176}}, nullptr,
       {"level 3, row 1, column 1: error: teleport 1 has a start but no end"}},
      {"an end alone at cell 0", false, {{0, 177}}, nullptr,
       {"level 3, row 1, column 1: error: teleport 1 has an end but no start"}},
      {"a pair ending at cell 0", false, {{0, 177}, {At(8, 4), 176}}, nullptr, {}},
      {"a pair starting at cell 0", false, {{0, 176}, {At(8, 4), 177}}, nullptr, {}},
      {"the player on a solid", false, {{At(1, 1), 70}}, nullptr,
       {"level 3, row 2, column 2: error: the player stands on a solid pattern"}},
      {"an enemy on a wall", false, {{At(5, 5), 165}}, nullptr,
       {"level 3, row 6, column 6: error: enemy 1 stands on an explodable wall"}},
      {"an enemy between two squares stands on neither", false, {{At(5, 5), 165}},
       [](Level& l) { l.SetActorPosition(1, 76, 80); }, {}},
      // Errors before warnings, a level's own before its cells'.
      {"two enemies on the destroyable item, gems to get and none", false, {{At(5, 5), kCellDestroyable}},
       [](Level& l) {
         l.GetActor(4).Set(72, 80, 5, 24, 5, 2);
         l.SetGoal(3);
       },
       {"level 3: error: the goal is \"Collect & Destroy gems\" but there is no gem",
        "level 3, row 6, column 6: error: enemy 1 stands on the destroyable item",
        "level 3, row 6, column 6: error: enemy 4 stands on the destroyable item",
        "level 3, row 6, column 6: warning: enemy 1 and enemy 4 stand on one square"}},
      {"ordered by cell, not by actor", false, {{At(3, 2), kCellSolidFirst}, {At(5, 5), 70}},
       [](Level& l) { l.GetActor(2).Set(24, 48, 5, 24, 5, 2); },
       {"level 3, row 4, column 3: error: enemy 2 stands on a solid pattern",
        "level 3, row 6, column 6: error: enemy 1 stands on a solid pattern"}},
      {"kill enemies without one", false, {}, [](Level& l) { l.GetActor(1).Reset(); },
       {"level 3: error: the goal is \"Kill enemies\" but no enemy is placed"}},
      {"the gem hidden in a wall", false, {{At(2, 2), 159}}, [](Level& l) { l.SetGoal(1); }, {}},
      {"values not in the palette", false, {{At(4, 4), 30}, {At(4, 5), 33}, {At(4, 6), 63}, {At(4, 7), kCellWall2}},
       nullptr,
       {"level 3, row 5, column 5: warning: cell value 30 is not in the palette",
        "level 3, row 5, column 6: warning: cell value 33 is not in the palette",
        "level 3, row 5, column 7: warning: cell value 63 is not in the palette"}},
      // The exit reached from the player: bombs open walls, a teleport start leads to its end.
      {"reached from cell 0", true, {}, [](Level& l) { l.GetActor(0).Set(-8, 0, 5, 0, 0, 4); }, {kUnreached}},
      {"through a wall", true, {{At(2, 5), kCellWall1}}, nullptr, {}},
      {"a teleport start outside", true, {{At(8, 8), 178}, {At(4, 6), 179}}, nullptr, {}},
      {"a teleport end outside", true, {{At(8, 8), 179}, {At(4, 6), 178}}, nullptr, {kUnreached}},
      {"a plain cell leads nowhere", true, {{At(4, 6), 1}}, nullptr, {kUnreached}},
      {"walled in at the bottom right, open only through the edge column", false,
       {{At(3, 5), 0}, {At(12, 15), kCellExitOnFloor}, {At(12, 14), 80}, {At(11, 14), 80}, {At(11, 15), 80}}, nullptr,
       {"level 3, row 13, column 16: warning: the exit cannot be reached from the player's square"}},
  };
  for (const CheckRow& r : rows) {
    Level level = Playable();
    if (r.walledIn) WallIn(level);
    for (auto [cell, value] : r.cells) level.SetCell(cell, value);
    if (r.change) r.change(level);
    EXPECT_EQ(LinesOf(level), r.lines) << r.what;
  }
}

TEST(Checks, TheTimeText) {
  const auto error = [](const std::string& t) {
    return Lines{"level 3: error: the time \"" + t + "\" is not m:ss between 0:15 and 9:59"};
  };
  struct Row {
    std::string time;
    Lines lines;
  } rows[] = {
      {"0:14", error("0:14")},
      {"1:60", error("1:60")},
      {"9:59", {}},
      {"0:15", {}},
      {"1;30", error("1;30")},
      {"1:/5", error("1:/5")},
      {"1:3x", error("1:3x")},
      {"2:000", error("2:000")},
  };
  for (const Row& r : rows) {
    Level level = Playable();
    std::memcpy(level.GetTime(), r.time.data(), r.time.size());
    EXPECT_EQ(LinesOf(level), r.lines) << r.time;
  }
}

TEST(LevelSummary, OneLine) {
  Level level;
  EXPECT_EQ(DescribeLevel(level),
            "goal Kill enemies, pattern set 3, song 0, time 2:00, enemy types 1 2 3, exit no, player no, teleports "
            "complete none, one end only none, gems 0 (+0 hidden), items 0, hidden items 0");
  level.SetCell(0, kCellExitOnFloor + 2);
  const std::pair<int, int32_t> cells[] = {{3, 176}, {4, 177}, {5, 187}, {6, kCellGem}, {7, 159},
                                           {8, 18},  {9, 29},  {10, 146}, {11, 170}};
  for (auto [cell, value] : cells) level.SetCell(cell, value);
  level.SetGoal(7);
  level.GetActor(0).Set(8, 16, 5, 0, 0, 4);
  std::memcpy(level.GetTime(), " :\x7f" "5", 4);  // a blank is printable, 127 is not
  EXPECT_EQ(DescribeLevel(level),
            "goal ?7, pattern set 3, song 0, time  :?5, enemy types 1 2 3, exit yes, player yes, teleports "
            "complete 1, one end only 6(end), gems 1 (+1 hidden), items 2, hidden items 2");
}
