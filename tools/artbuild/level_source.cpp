#include "level_source.h"

#include <array>
#include <cstring>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "base/text_file.h"

namespace {

struct NamedValue {
  const char* name;
  int value;
};

// Cell values of the things a map key may name.
constexpr NamedValue kThings[] = {
    {"speed-up", 18},   {"more-bombs", 19}, {"bigger-bombs", 20}, {"time-15", 21},
    {"extra-life", 22}, {"no-bombs", 23},   {"time-60", 24},      {"less-time", 25},
    {"mini-bombs", 26}, {"speed-down", 27}, {"reverse", 28},      {"invisible", 29},
    {"gem", kCellGem},  {"destroyable", kCellDestroyable},        {"wall1", kCellWall1},
    {"wall2", kCellWall2}};

constexpr NamedValue kGoals[] = {{"kill", 0}, {"collect", 1}, {"destroy", 2}, {"collect-destroy", 3}};
constexpr NamedValue kDirections[] = {{"up", 1}, {"right", 3}, {"down", 5}, {"left", 7}};
constexpr NamedValue kSpeeds[] = {{"slow", 2}, {"normal", 4}, {"fast", 8}};

template <size_t N>
std::optional<int> FindName(const NamedValue (&table)[N], const std::string& word) {
  for (const NamedValue& entry : table)
    if (word == entry.name) return entry.value;
  return std::nullopt;
}

enum class KeyKind { Cell, Exit, TeleportStart, TeleportEnd };

struct Key {
  KeyKind kind = KeyKind::Cell;
  int value = 0;  // the cell value, the teleport pair 0..7, or the exit's pattern (-1: the floor)
};

constexpr char kPlayerMark = '@';

struct EnemyLine {
  int line = 0;
  int direction = 5;
  int type = 1;
  int ai = 0;
  int speed = 2;
};

// One level while its lines are read; built into a Level at its end.
struct PendingLevel {
  int number = 0;  // 1..10
  int line = 0;
  std::map<char, Key> keys;  // the level's own keys over the common ones
  std::vector<std::string> map;
  int mapLine = 0;
  int floor = 0;
  bool havePatterns = false;
  std::optional<int> playerDirection;
  std::array<std::optional<EnemyLine>, 6> enemies;  // 1..5 used
};

class LevelParser {
 public:
  LevelParser(const std::string& path, const ResourceList& resources, LevelSet& levels,
              SourceError& error)
      : path_(path), resources_(resources), levels_(levels), error_(error) {}

  bool Parse(const std::string& text) {
    lines_ = SplitLines(text);
    for (next_ = 0; next_ < lines_.size();) {
      const int lineNo = static_cast<int>(next_) + 1;
      const std::vector<std::string> words = SplitWords(lines_[next_++]);
      if (words.empty() || words[0][0] == '#') continue;
      if (!Line(words, lineNo)) return false;
    }
    if (!FinishLevel()) return false;
    if (done_ != kLevelCount)
      return Fail(0, "holds " + std::to_string(done_) + " levels; a level set has 10");
    return true;
  }

 private:
  bool Fail(int line, std::string message) {
    error_.file = path_;
    error_.line = line;
    error_.message = std::move(message);
    return false;
  }

  bool Line(const std::vector<std::string>& words, int line) {
    const std::string& what = words[0];
    if (what == "key") return KeyLine(words, line, current_ ? current_->keys : commonKeys_);
    if (what == "level") return LevelLine(words, line);
    if (!current_) return Fail(line, "'" + what + "' before the first 'level' line");
    Level& level = levels_[current_->number - 1];
    if (what == "patterns") return PatternsLine(words, line, level);
    if (what == "goal") {
      int32_t goal = 0;
      if (!NamedSetting(words, line, kGoals, "goal", goal)) return false;
      level.SetGoal(goal);
      return true;
    }
    if (what == "music") return MusicLine(words, line, level);
    if (what == "time") return TimeLine(words, line, level);
    if (what == "enemies") return EnemiesLine(words, line, level);
    if (what == "floor") {
      if (words.size() != 2 || !ParseNumber(words[1], 0, 7, current_->floor))
        return Fail(line, "expected 'floor N', a walkable pattern 0..7");
      return true;
    }
    if (what == "map") return MapLines(words, line);
    if (what == "player") return PlayerLine(words, line);
    if (what == "enemy") return EnemyLineWords(words, line);
    return Fail(line, "unknown setting '" + what + "'");
  }

  bool KeyLine(const std::vector<std::string>& words, int line, std::map<char, Key>& keys) {
    if (words.size() < 3 || words[1].size() != 1)
      return Fail(line, "expected 'key CHARACTER VALUE'");
    const char c = words[1][0];
    if (c == kPlayerMark || (c >= '1' && c <= '5'))
      return Fail(line, std::string("'") + c + "' marks an actor on the map and cannot be a key");
    Key key;
    const std::string& kind = words[2];
    int number = 0;
    if (words.size() == 3 && ParseNumber(kind, 0, 255, number)) {
      key.value = number;
    } else if (kind == "exit" && (words.size() == 3 ||
                                  (words.size() == 4 && ParseNumber(words[3], 0, 7, number)))) {
      // The exit stands on the level's floor, or on the walkable pattern given.
      key.kind = KeyKind::Exit;
      key.value = words.size() == 4 ? number : -1;
    } else if (words.size() == 4 && (kind == "start" || kind == "end") &&
               ParseNumber(words[3], 1, 8, number)) {
      key.kind = kind == "start" ? KeyKind::TeleportStart : KeyKind::TeleportEnd;
      key.value = number - 1;
    } else if (!ThingKey(words, key)) {
      return Fail(line, "unknown key value '" + kind +
                            "' (a number, exit [N], start N, end N, gem, destroyable, an item, "
                            "wall1 or wall2 with an optional item)");
    }
    keys[c] = key;
    return true;
  }

  static bool ThingKey(const std::vector<std::string>& words, Key& key) {
    const std::optional<int> thing = FindName(kThings, words[2]);
    if (!thing) return false;
    key.value = *thing;
    if (words.size() == 3) return true;
    // A wall hiding an item: the first kind adds 128, the second 144.
    const std::optional<int> hidden = FindName(kThings, words[3]);
    const bool wall = *thing == kCellWall1 || *thing == kCellWall2;
    if (words.size() != 4 || !wall || !hidden || *hidden > kCellGem) return false;
    key.value = *hidden + (*thing == kCellWall1 ? kCellWall1Item - 16 : kCellWall2Item - 16);
    return true;
  }

  bool LevelLine(const std::vector<std::string>& words, int line) {
    if (!FinishLevel()) return false;
    int number = 0;
    if (words.size() != 2 || !ParseNumber(words[1], 1, kLevelCount, number))
      return Fail(line, "expected 'level N' with N 1..10");
    if (number != done_ + 1)
      return Fail(line, "level " + words[1] + " out of order; expected level " +
                            std::to_string(done_ + 1));
    current_.emplace();
    current_->number = number;
    current_->line = line;
    levels_[number - 1].Clear();
    return true;
  }

  bool PatternsLine(const std::vector<std::string>& words, int line, Level& level) {
    if (words.size() != 2) return Fail(line, "expected 'patterns NAME'");
    const int index = FindResource(resources_.patternSets, words[1], 0);
    if (index < 0) return Fail(line, "no pattern set '" + words[1] + "' in resources.ini");
    level.SetPatternSet(PatternSetValueOf(index));
    current_->havePatterns = true;
    return true;
  }

  // A set named by its file's base name, or by its number (index + offset).
  static int FindResource(const std::vector<ResourceEntry>& entries, const std::string& word,
                          int offset) {
    for (size_t i = 0; i < entries.size(); ++i)
      if (ResourceBaseName(entries[i]) == word) return static_cast<int>(i);
    int number = 0;
    const int count = static_cast<int>(entries.size());
    if (count > 0 && ParseNumber(word, offset, count - 1 + offset, number)) return number - offset;
    return -1;
  }

  template <size_t N>
  bool NamedSetting(const std::vector<std::string>& words, int line,
                    const NamedValue (&table)[N], const char* what, int32_t& field) {
    const std::optional<int> value = words.size() == 2 ? FindName(table, words[1]) : std::nullopt;
    if (!value) return Fail(line, std::string("unknown ") + what + " '" + (words.size() > 1 ? words[1] : "") + "'");
    field = *value;
    return true;
  }

  bool MusicLine(const std::vector<std::string>& words, int line, Level& level) {
    const int songs = static_cast<int>(resources_.songs.size());
    int music = 0;
    if (words.size() != 2 || songs == 0 || !ParseNumber(words[1], 0, songs - 1, music))
      return Fail(line, "expected 'music N' with N 0.." + std::to_string(songs - 1) +
                            " (the songs of resources.ini)");
    level.SetMusic(music);
    return true;
  }

  bool TimeLine(const std::vector<std::string>& words, int line, Level& level) {
    // The editor keeps times between 0:15 and 9:59, written m:ss.
    int minutes = 0, seconds = 0;
    const bool ok = words.size() == 2 && words[1].size() == 4 && words[1][1] == ':' &&
                    ParseNumber(words[1].substr(0, 1), 0, 9, minutes) &&
                    ParseNumber(words[1].substr(2), 0, 59, seconds) && minutes * 60 + seconds >= 15;
    if (!ok) return Fail(line, "expected 'time M:SS' between 0:15 and 9:59");
    std::memset(level.GetTime(), 0, kTimeBytes);
    std::memcpy(level.GetTime(), words[1].c_str(), 4);
    return true;
  }

  bool EnemiesLine(const std::vector<std::string>& words, int line, Level& level) {
    if (words.size() != 4) return Fail(line, "expected 'enemies TYPE1 TYPE2 TYPE3'");
    for (int slot = 0; slot < 3; ++slot) {
      const int index = FindResource(resources_.enemySets, words[slot + 1], 1);
      if (index < 0) return Fail(line, "no enemy set '" + words[slot + 1] + "' in resources.ini");
      level.SetEnemyType(slot, index + 1);  // sprite set 0 is the player's
    }
    return true;
  }

  bool MapLines(const std::vector<std::string>& words, int line) {
    if (words.size() != 1 || !current_->map.empty()) return Fail(line, "one 'map' line per level");
    current_->mapLine = line;
    for (int row = 0; row < kGridRows; ++row) {
      if (next_ >= lines_.size())
        return Fail(line, "the map ends after " + std::to_string(row) + " of 13 rows");
      const int rowLine = static_cast<int>(next_) + 1;
      const std::string text = TrimRight(lines_[next_++]);
      if (static_cast<int>(text.size()) != kGridColumns)
        return Fail(rowLine, "map row " + std::to_string(row + 1) + " has " +
                                 std::to_string(text.size()) + " cells, expected 17");
      current_->map.push_back(text);
    }
    return true;
  }

  bool PlayerLine(const std::vector<std::string>& words, int line) {
    const std::optional<int> dir = words.size() == 2 ? FindName(kDirections, words[1]) : std::nullopt;
    if (!dir) return Fail(line, "expected 'player up|right|down|left'");
    current_->playerDirection = *dir;
    return true;
  }

  bool EnemyLineWords(const std::vector<std::string>& words, int line) {
    int number = 0;
    EnemyLine enemy;
    enemy.line = line;
    const std::optional<int> dir = words.size() == 9 ? FindName(kDirections, words[2]) : std::nullopt;
    const int aiCount = static_cast<int>(resources_.aiTypes.size());
    const bool ok = dir && ParseNumber(words[1], 1, 5, number) && words[3] == "type" &&
                    ParseNumber(words[4], 1, 3, enemy.type) && words[5] == "ai" && aiCount > 0 &&
                    ParseNumber(words[6], 0, aiCount - 1, enemy.ai) && words[7] == "speed" &&
                    FindName(kSpeeds, words[8]);
    if (!ok)
      return Fail(line, "expected 'enemy N DIRECTION type 1..3 ai 0.." +
                            std::to_string(aiCount - 1) + " speed slow|normal|fast'");
    if (current_->enemies[number]) return Fail(line, "enemy " + words[1] + " set twice");
    enemy.direction = *dir;
    enemy.speed = *FindName(kSpeeds, words[8]);
    current_->enemies[number] = enemy;
    return true;
  }

  bool FinishLevel() {
    if (!current_) return true;
    PendingLevel& pending = *current_;
    Level& level = levels_[pending.number - 1];
    const std::string which = "level " + std::to_string(pending.number);
    if (!pending.havePatterns) return Fail(pending.line, which + " has no 'patterns' line");
    if (pending.map.empty()) return Fail(pending.line, which + " has no map");
    if (!pending.playerDirection) return Fail(pending.line, which + " has no 'player' line");
    std::array<bool, 6> placed{};
    int exits = 0;
    std::array<int, 16> teleportEnds{};
    const std::array<int, kCellCount> floors = FloorsOf(pending);
    for (int row = 0; row < kGridRows; ++row)
      for (int col = 0; col < kGridColumns; ++col)
        if (!PlaceMapCell(pending, level, row, col, floors[row * kGridColumns + col], placed,
                          exits, teleportEnds))
          return false;
    if (!placed[0]) return Fail(pending.mapLine, which + ": the map has no player '@'");
    if (exits != 1) return Fail(pending.mapLine, which + ": the map needs exactly one exit");
    for (int pair = 0; pair < 8; ++pair)
      if (teleportEnds[2 * pair] != teleportEnds[2 * pair + 1] || teleportEnds[2 * pair] > 1)
        return Fail(pending.mapLine, which + ": teleport " + std::to_string(pair + 1) +
                                         " needs exactly one start and one end");
    for (int k = 1; k <= 5; ++k)
      if (pending.enemies[k] && !placed[k])
        return Fail(pending.enemies[k]->line,
                    which + ": enemy " + std::to_string(k) + " has an 'enemy' line but is not on the map");
    level.CorrectShadows();
    ++done_;
    current_.reset();
    return true;
  }

  const Key* FindKey(const PendingLevel& pending, char c) const {
    auto found = pending.keys.find(c);
    if (found != pending.keys.end()) return &found->second;
    found = commonKeys_.find(c);
    return found != commonKeys_.end() ? &found->second : nullptr;
  }

  // The walkable pattern a map character shows by itself, or -1.
  int OwnPattern(const PendingLevel& pending, char c) const {
    const Key* key = FindKey(pending, c);
    if (!key) return -1;
    if (key->kind == KeyKind::Cell && key->value < 16) return key->value;
    if (key->kind == KeyKind::Exit) return key->value;
    return -1;
  }

  // What lies under each cell: a walkable cell's own pattern; under anything
  // else the pattern most of its neighbours show (so a wall in the lawn
  // hides lawn and one on the path hides path), or the level's floor when no
  // neighbour is walkable. Ties go to the level's floor, then to the lower
  // pattern.
  std::array<int, kCellCount> FloorsOf(const PendingLevel& pending) const {
    std::array<int, kCellCount> own{};
    for (int i = 0; i < kCellCount; ++i)
      own[i] = OwnPattern(pending, pending.map[i / kGridColumns][i % kGridColumns]);
    std::array<int, kCellCount> floors{};
    for (int i = 0; i < kCellCount; ++i) {
      floors[i] = own[i];
      if (own[i] >= 0) continue;
      floors[i] = Vote(own, i, false, pending.floor);
      if (floors[i] < 0) floors[i] = Vote(own, i, true, pending.floor);
      if (floors[i] < 0) floors[i] = pending.floor;
    }
    return floors;
  }

  int Vote(const std::array<int, kCellCount>& own, int index, bool diagonals, int fallback) const {
    std::array<int, 16> votes{};
    const int row = index / kGridColumns, col = index % kGridColumns;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const bool diagonal = dx != 0 && dy != 0;
        if ((dx == 0 && dy == 0) || diagonal != diagonals) continue;
        const int r = row + dy, c = col + dx;
        if (r < 0 || r >= kGridRows || c < 0 || c >= kGridColumns) continue;
        const int pattern = own[r * kGridColumns + c];
        if (pattern >= 0) ++votes[pattern];
      }
    int best = -1;
    for (int pattern = 0; pattern < 16; ++pattern)
      if (votes[pattern] > 0 && (best < 0 || votes[pattern] > votes[best] ||
                                 (votes[pattern] == votes[best] && pattern == fallback)))
        best = pattern;
    return best;
  }

  bool PlaceMapCell(PendingLevel& pending, Level& level, int row, int col, int floor,
                    std::array<bool, 6>& placed, int& exits, std::array<int, 16>& teleportEnds) {
    const char c = pending.map[row][col];
    const int index = row * kGridColumns + col;
    const int line = pending.mapLine + 1 + row;
    const bool edge = col == 0 || col == kGridColumns - 1;
    level.SetCell(index, floor);
    level.SetFloor(index, floor);
    if (c == kPlayerMark || (c >= '1' && c <= '5')) {
      if (edge || row == 0)
        return Fail(line, "actors stand in columns 2..16 and rows 2..13 of the map");
      const int actor = c == kPlayerMark ? 0 : c - '0';
      if (placed[actor]) return Fail(line, std::string("'") + c + "' is on the map twice");
      placed[actor] = true;
      const int32_t x = 16 * col - 8, y = 16 * row;
      if (actor == 0) {
        level.GetActor(0).Set(x, y, *pending.playerDirection, 0, 0, 4);
      } else {
        if (!pending.enemies[actor])
          return Fail(line, std::string("enemy ") + c + " is on the map but has no 'enemy' line");
        const EnemyLine& e = *pending.enemies[actor];
        level.GetActor(actor).Set(x, y, e.direction, 24 * e.type, e.ai + 5, e.speed);
      }
      return true;
    }
    return PlaceKeyedCell(pending, level, c, row, col, line, exits, teleportEnds);
  }

  bool PlaceKeyedCell(const PendingLevel& pending, Level& level, char c, int row, int col, int line,
                      int& exits, std::array<int, 16>& teleportEnds) {
    const int index = row * kGridColumns + col;
    const bool edge = col == 0 || col == kGridColumns - 1;
    const Key* found = FindKey(pending, c);
    if (!found) return Fail(line, std::string("no key for map character '") + c + "'");
    const Key key = *found;
    if (key.kind != KeyKind::Cell && (edge || row == 0))
      return Fail(line, "exits and teleports are not placed in the edge columns or the top row");
    switch (key.kind) {
      case KeyKind::Cell:
        level.SetCell(index, key.value);
        if (key.value < 16) level.SetFloor(index, key.value);
        break;
      case KeyKind::Exit:
        level.PlaceCell(index, kCellExit);
        ++exits;
        break;
      case KeyKind::TeleportStart:
      case KeyKind::TeleportEnd: {
        const int end = key.kind == KeyKind::TeleportEnd ? 1 : 0;
        level.SetCell(index, kCellTeleportFirst + 2 * key.value + end);
        ++teleportEnds[2 * key.value + end];
        break;
      }
    }
    return true;
  }

  const std::string& path_;
  const ResourceList& resources_;
  LevelSet& levels_;
  SourceError& error_;
  std::vector<std::string> lines_;
  size_t next_ = 0;
  std::map<char, Key> commonKeys_;
  std::optional<PendingLevel> current_;
  int done_ = 0;
};

}  // namespace

bool ParseLevelSource(const std::string& path, const std::string& text,
                      const ResourceList& resources, LevelSet& levels, SourceError& error) {
  LevelParser parser(path, resources, levels, error);
  return parser.Parse(text);
}
