#include "level/checks.h"

#include <algorithm>
#include <iterator>

#include "level/areas.h"

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string ActorName(int actor) {
  return actor == 0 ? "the player" : "enemy " + std::to_string(actor);
}

// What a cell is, for an actor standing on it; nullptr when it may stand there.
const char* Obstacle(int32_t v) {
  if (IsSolid(v)) return "a solid pattern";
  if (IsWall(v) || IsWallWithItem(v)) return "an explodable wall";
  if (v == kCellDestroyable) return "the destroyable item";
  return nullptr;
}

bool IsPaletteValue(int32_t v) {
  return !(v == 30 || (v >= 33 && v <= 63 && v != kCellWall2 && v != kCellDestroyable));
}

bool TimeIsValid(const std::string& t) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (t.size() != 4 || !digit(t[0]) || t[1] != ':' || !digit(t[2]) || t[2] > '5' || !digit(t[3]))
    return false;
  const int seconds = 60 * (t[0] - '0') + 10 * (t[2] - '0') + (t[3] - '0');
  return seconds >= 15 && seconds <= 599;
}

class LevelCheck {
 public:
  LevelCheck(const Level& level, int index, const CatalogueSizes* catalogue,
             std::vector<Problem>& out)
      : level_(level), index_(index), catalogue_(catalogue), out_(out) {}

  void Run() {
    Exits();
    Teleports();
    Actors();
    Goal();
    if (!TimeIsValid(level_.TimeText()))
      Error(-1, "the time " + Quoted(level_.TimeText()) + " is not m:ss between 0:15 and 9:59");
    Reach();
    Catalogue();
    for (int cell = 0; cell < kCellCount; ++cell)
      if (!IsPaletteValue(level_.GetCell(cell)))
        Warning(cell, "cell value " + std::to_string(level_.GetCell(cell)) + " is not in the palette");
  }

 private:
  void Error(int cell, const std::string& text) { out_.push_back({index_, cell, true, text}); }
  void Warning(int cell, const std::string& text) { out_.push_back({index_, cell, false, text}); }

  void Exits() {
    int exits = 0;
    for (int cell = 0; cell < kCellCount; ++cell) {
      if (!IsExit(level_.GetCell(cell))) continue;
      if (IsEdgeColumn(ColumnOf(cell))) continue;  // not in the main grid
      if (++exits == 2) Error(cell, "there is more than one exit");
    }
    if (exits == 0) Error(-1, "there is no exit in the main grid");
  }

  void Teleports() {
    for (int pair = 0; pair < kTeleportPairs; ++pair) {
      const int start = CellOf(kCellTeleportFirst + 2 * pair), end = CellOf(kCellTeleportFirst + 2 * pair + 1);
      const std::string name = "teleport " + std::to_string(pair + 1);
      if (start >= 0 && end < 0) Error(start, name + " has a start but no end");
      if (end >= 0 && start < 0) Error(end, name + " has an end but no start");
    }
  }

  void Actors() {
    if (!level_.GetActor(0).IsPlaced()) Error(-1, "the player is not placed");
    for (int a = 0; a < kActorCount; ++a) {
      const int cell = ActorCell(level_.GetActor(a));
      if (cell < 0) continue;
      if (const char* obstacle = Obstacle(level_.GetCell(cell)))
        Error(cell, ActorName(a) + " stands on " + obstacle);
      for (int b = 0; b < a; ++b)
        if (ActorCell(level_.GetActor(b)) == cell)
          Warning(cell, ActorName(b) + " and " + ActorName(a) + " stand on one square");
    }
  }

  void Goal() {
    const int32_t goal = level_.GetGoal();
    const char* name = GoalName(goal);
    if (goal == 0) {
      bool enemy = false;
      for (int a = 1; a < kActorCount; ++a) enemy = enemy || level_.GetActor(a).IsPlaced();
      if (!enemy) Error(-1, "the goal is " + Quoted(name) + " but no enemy is placed");
    } else if (name) {
      bool gem = false;
      for (int32_t v : level_.Cells()) gem = gem || v == kCellGem || HiddenItem(v) == kCellGem;
      if (!gem) Error(-1, "the goal is " + Quoted(name) + " but there is no gem");
    }
  }

  // Walls count as open (bombs open them); a teleport start leads to its end.
  // The way goes where actors walk: rows 1 to 12, columns 1 to 15.
  void Reach() {
    const auto inMainGrid = [](int cell) { return IsMainGrid(ColumnOf(cell), RowOf(cell)); };
    int exit = -1;
    for (int cell = 0; cell < kCellCount && exit < 0; ++cell)
      if (IsExit(level_.GetCell(cell)) && inMainGrid(cell)) exit = cell;
    const int player = ActorCell(level_.GetActor(0));
    if (exit < 0 || player < 0) return;
    const auto walkable = [this, inMainGrid](int cell) { return inMainGrid(cell) && !IsSolid(level_.GetCell(cell)); };
    const std::vector<int> reached = ConnectedCells(
        player, [walkable, player](int cell) { return cell == player || walkable(cell); },
        [this](int cell) {
          const int32_t v = level_.GetCell(cell);
          return IsTeleportEnd(v) && (v - kCellTeleportFirst) % 2 == 0 ? CellOf(v + 1) : -1;
        });
    if (std::find(reached.begin(), reached.end(), exit) == reached.end())
      Warning(exit, "the exit cannot be reached from the player's square");
  }

  void Catalogue() {
    if (!catalogue_) return;
    const int set = PatternSetIndexOf(level_.GetPatternSet());
    if (!IsIndex(set, catalogue_->patternSets))
      Warning(-1, "pattern set " + std::to_string(set) + " is not in the catalogue");
    if (!IsIndex(level_.GetMusic(), catalogue_->songs))
      Warning(-1, "song " + std::to_string(level_.GetMusic()) + " is not in the catalogue");
    for (int slot = 0; slot < 3; ++slot)
      if (!InRange(level_.GetEnemyType(slot), 1, catalogue_->spriteSets - 1))
        Warning(-1, "enemy type " + std::to_string(slot + 1) + " uses sprite set " +
                        std::to_string(level_.GetEnemyType(slot)) + ", which is no enemy sprite set of the catalogue");
    for (int a = 1; a < kActorCount; ++a) {
      const ActorRecord& enemy = level_.GetActor(a);
      if (enemy.IsPlaced() && !IsIndex(enemy.aiType() - kAiTypeBase, catalogue_->aiTypes))
        Warning(ActorCell(enemy), ActorName(a) + " has AI type " +
                                      std::to_string(enemy.aiType() - kAiTypeBase) + ", which the catalogue does not have");
    }
  }

  int CellOf(int32_t value) const {
    for (int cell = 0; cell < kCellCount; ++cell)
      if (level_.GetCell(cell) == value) return cell;
    return -1;
  }

  const Level& level_;
  const int index_;
  const CatalogueSizes* catalogue_;
  std::vector<Problem>& out_;
};

}  // namespace

std::vector<Problem> CheckLevels(const LevelSet& levels, const CatalogueSizes* catalogue) {
  std::vector<Problem> problems;
  for (int i = 0; i < kLevelCount; ++i) LevelCheck(levels[i], i, catalogue, problems).Run();
  std::stable_sort(problems.begin(), problems.end(), [](const Problem& a, const Problem& b) {
    if (a.error != b.error) return a.error;
    if (a.level != b.level) return a.level < b.level;
    return a.cell < b.cell;
  });
  return problems;
}

std::string DescribeProblem(const Problem& p) {
  std::string place = "level " + std::to_string(p.level + 1);
  if (p.cell >= 0)
    place += ", row " + std::to_string(RowOf(p.cell) + 1) + ", column " + std::to_string(ColumnOf(p.cell) + 1);
  return place + (p.error ? ": error: " : ": warning: ") + p.text;
}

bool AnyError(const std::vector<Problem>& problems) {
  return std::any_of(problems.begin(), problems.end(), [](const Problem& p) { return p.error; });
}
