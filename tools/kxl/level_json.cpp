#include "level_json.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <set>

#include "gfx/resource_catalogue.h"
#include "level/level.h"
#include "level/level_file.h"

namespace {

using Json = nlohmann::json;

constexpr const char* kFormat = "kxl-json";
constexpr int kVersion = 1;
constexpr size_t kCells = 10;               // where a level's cells begin
constexpr size_t kFloors = kCells + 221;    // two floors a byte
constexpr size_t kActors = kFloors + 110;   // six actors of six bytes
constexpr const char* kActorFields[] = {"x", "y", "direction", "typeCode", "aiType", "speed"};
constexpr const char* kLevelFields[] = {"level", "goal", "patternSet", "song", "enemyTypes", "time",
                                        "player", "enemies", "cells", "floors"};

std::string Quoted(const std::string& text) { return Json(text).dump(); }

// {"number": n, "name": "..."}, the name left out when there is none.
std::string Named(int number, const std::string* name) {
  std::string text = "{\"number\": " + std::to_string(number);
  if (name) text += ", \"name\": " + Quoted(*name);
  return text + "}";
}

const std::string* Entry(const std::vector<std::string>& names, int index) {
  return index >= 0 && static_cast<size_t>(index) < names.size() ? &names[index] : nullptr;
}

// The time as text when it is printable text followed by terminators, else
// as its four bytes.
std::string TimeOf(const uint8_t* b) {
  size_t length = 0;
  while (length < 4 && b[length] >= 32 && b[length] < 127) ++length;
  bool text = true;
  for (size_t i = length; i < 4; ++i) text = text && b[i] == 0;
  if (text) return Quoted(std::string(b, b + length));
  return "[" + std::to_string(b[0]) + ", " + std::to_string(b[1]) + ", " + std::to_string(b[2]) +
         ", " + std::to_string(b[3]) + "]";
}

std::string ActorOf(const uint8_t* b) {
  std::string text = "{";
  for (int i = 0; i < 6; ++i)
    text += std::string(i ? ", " : "") + "\"" + kActorFields[i] + "\": " + std::to_string(b[i]);
  return text + "}";
}

// A grid as 13 rows of 17 numbers, one row a line.
std::string GridOf(const std::vector<int>& values) {
  std::string text = "[\n";
  for (int row = 0; row < kGridRows; ++row) {
    text += "        [";
    for (int column = 0; column < kGridColumns; ++column)
      text += (column ? ", " : "") + std::to_string(values[row * kGridColumns + column]);
    text += row + 1 < kGridRows ? "],\n" : "]\n";
  }
  return text + "      ]";
}

std::string LevelOf(const uint8_t* b, int index, const ResourceCatalogue* catalogue) {
  static const std::vector<std::string> none;
  std::vector<std::string> goals;
  for (int g = 0; g < kGoalCount; ++g) goals.push_back(GoalName(g));
  std::vector<std::string> patternSets, sprites;
  if (catalogue) {
    for (const PatternSet& set : catalogue->patternSets) patternSets.push_back(set.name);
    for (const SpriteSet& set : catalogue->spriteSets) sprites.push_back(set.name);
  }
  std::vector<int> cells(b + kCells, b + kCells + kCellCount), floors(kCellCount, 0);
  for (int k = 0; k < 110; ++k) {
    floors[2 * k] = b[kFloors + k] & 0x0F;
    floors[2 * k + 1] = b[kFloors + k] >> 4;
  }
  std::string text = "    {\n";
  text += "      \"level\": " + std::to_string(index + 1) + ",\n";
  text += "      \"goal\": " + Named(b[0], Entry(goals, b[0])) + ",\n";
  text += "      \"patternSet\": " + Named(b[1], Entry(patternSets, PatternSetIndexOf(b[1]))) + ",\n";
  text += "      \"song\": " + Named(b[2], Entry(catalogue ? catalogue->songs : none, b[2])) + ",\n";
  text += "      \"enemyTypes\": [";
  for (int slot = 0; slot < 3; ++slot) text += (slot ? ", " : "") + Named(b[3 + slot], Entry(sprites, b[3 + slot]));
  text += "],\n";
  text += "      \"time\": " + TimeOf(b + 6) + ",\n";
  text += "      \"player\": " + ActorOf(b + kActors) + ",\n";
  text += "      \"enemies\": [\n";
  for (int e = 1; e < kActorCount; ++e)
    text += "        " + ActorOf(b + kActors + 6 * e) + (e + 1 < kActorCount ? ",\n" : "\n");
  text += "      ],\n";
  text += "      \"cells\": " + GridOf(cells) + ",\n";
  text += "      \"floors\": " + GridOf(floors) + "\n";
  return text + "    }";
}

// ---------------------------------------------------------------------------
// Reading: every value is checked against its place in the file.

struct Invalid {
  std::string path, reason;
};

class Reader {
 public:
  explicit Reader(std::vector<uint8_t>& out) : out_(out) {}

  void Set(const Json& root) {
    Fields(root, "", {"format", "version", "levels"});
    if (Field(root, "", "format") != Json(kFormat))
      throw Invalid{"/format", "is not \"" + std::string(kFormat) + "\""};
    if (Field(root, "", "version") != Json(kVersion))
      throw Invalid{"/version", "is not " + std::to_string(kVersion)};
    const Json& levels = Array(Field(root, "", "levels"), "/levels", kLevelCount);
    out_.assign(kLevelSetBytes, 0);
    for (int i = 0; i < kLevelCount; ++i)
      Level(levels[i], "/levels/" + std::to_string(i), out_.data() + kLevelBytes * i, i);
  }

 private:
  static const Json& Field(const Json& object, const std::string& path, const char* name) {
    if (!object.contains(name)) throw Invalid{path, std::string("has no field \"") + name + "\""};
    return object[name];
  }

  // The object has exactly these fields.
  static void Fields(const Json& object, const std::string& path, std::set<std::string> known) {
    if (!object.is_object()) throw Invalid{path.empty() ? "/" : path, "is not an object"};
    for (const auto& [name, value] : object.items())
      if (!known.count(name)) throw Invalid{path + "/" + name, "is not a field of this form"};
  }

  static const Json& Array(const Json& value, const std::string& path, size_t size) {
    if (!value.is_array() || value.size() != size)
      throw Invalid{path, "is not a list of " + std::to_string(size)};
    return value;
  }

  static uint8_t Byte(const Json& value, const std::string& path, int highest = 255) {
    const std::string range = "0.." + std::to_string(highest);
    if (!value.is_number_integer()) throw Invalid{path, "is not a whole number in " + range};
    if (value.get<long long>() < 0 || value.get<long long>() > highest)
      throw Invalid{path, value.dump() + " is outside " + range};
    return static_cast<uint8_t>(value.get<int>());
  }

  static uint8_t Number(const Json& named, const std::string& path) {
    Fields(named, path, {"number", "name"});
    return Byte(Field(named, path, "number"), path + "/number");
  }

  static void Time(const Json& value, const std::string& path, uint8_t* out) {
    if (value.is_string()) {
      const std::string text = value.get<std::string>();
      if (text.size() > 4) throw Invalid{path, "is longer than the four places of a time"};
      for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] < 32 || text[i] > 126) throw Invalid{path, "holds a character that is not plain text"};
        out[i] = static_cast<uint8_t>(text[i]);
      }
      return;
    }
    Array(value, path, 4);
    for (int i = 0; i < 4; ++i) out[i] = Byte(value[i], path + "/" + std::to_string(i));
  }

  static void Actor(const Json& actor, const std::string& path, uint8_t* out) {
    Fields(actor, path, {std::begin(kActorFields), std::end(kActorFields)});
    for (int i = 0; i < 6; ++i) out[i] = Byte(Field(actor, path, kActorFields[i]), path + "/" + kActorFields[i]);
  }

  static std::vector<uint8_t> Grid(const Json& grid, const std::string& path, int highest) {
    Array(grid, path, kGridRows);
    std::vector<uint8_t> values;
    for (int row = 0; row < kGridRows; ++row) {
      const std::string rowPath = path + "/" + std::to_string(row);
      Array(grid[row], rowPath, kGridColumns);
      for (int column = 0; column < kGridColumns; ++column)
        values.push_back(Byte(grid[row][column], rowPath + "/" + std::to_string(column), highest));
    }
    return values;
  }

  static void Level(const Json& level, const std::string& path, uint8_t* out, int index) {
    Fields(level, path, {std::begin(kLevelFields), std::end(kLevelFields)});
    if (Field(level, path, "level") != Json(index + 1))
      throw Invalid{path + "/level", "is not " + std::to_string(index + 1)};
    out[0] = Number(Field(level, path, "goal"), path + "/goal");
    out[1] = Number(Field(level, path, "patternSet"), path + "/patternSet");
    out[2] = Number(Field(level, path, "song"), path + "/song");
    const Json& types = Array(Field(level, path, "enemyTypes"), path + "/enemyTypes", 3);
    for (int slot = 0; slot < 3; ++slot)
      out[3 + slot] = Number(types[slot], path + "/enemyTypes/" + std::to_string(slot));
    Time(Field(level, path, "time"), path + "/time", out + 6);
    Actor(Field(level, path, "player"), path + "/player", out + kActors);
    const Json& enemies = Array(Field(level, path, "enemies"), path + "/enemies", kEnemyCount);
    for (int e = 0; e < kEnemyCount; ++e)
      Actor(enemies[e], path + "/enemies/" + std::to_string(e), out + kActors + 6 * (e + 1));
    const std::vector<uint8_t> cells = Grid(Field(level, path, "cells"), path + "/cells", 255);
    std::copy(cells.begin(), cells.end(), out + kCells);
    // Floors are nibbles, and the file keeps no floor for the last cell.
    const std::vector<uint8_t> floors = Grid(Field(level, path, "floors"), path + "/floors", 15);
    if (floors[kCellCount - 1] != 0)
      throw Invalid{path + "/floors/12/16", "must be 0: the file keeps no floor for the last cell"};
    for (int k = 0; k < 110; ++k) out[kFloors + k] = static_cast<uint8_t>(floors[2 * k] | floors[2 * k + 1] << 4);
  }

  std::vector<uint8_t>& out_;
};

// "line L, column C" of a byte offset into the text.
std::string LineAndColumn(const std::string& text, size_t offset) {
  offset = std::min(offset, text.size());
  const size_t line = static_cast<size_t>(std::count(text.begin(), text.begin() + static_cast<long>(offset), '\n')) + 1;
  const size_t lineStart = text.rfind('\n', offset == 0 ? 0 : offset - 1);
  const size_t column = offset - (lineStart == std::string::npos || offset == 0 ? 0 : lineStart + 1) + 1;
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// A library error without a position: its message without the library's
// own code, placed where the text it quotes ('1e999') first stands.
JsonImportError LibraryError(const std::string& text, const std::string& what) {
  const size_t code = what.find("] ");
  const std::string reason = code == std::string::npos ? what : what.substr(code + 2);
  const size_t open = reason.find('\'');
  const size_t close = open == std::string::npos ? open : reason.find('\'', open + 1);
  const size_t at = close == std::string::npos ? close : text.find(reason.substr(open + 1, close - open - 1));
  return {at == std::string::npos ? "/" : LineAndColumn(text, at), reason};
}

}  // namespace

std::string ExportLevelSetJson(const std::vector<uint8_t>& file, const ResourceCatalogue* catalogue) {
  std::string text = "{\n  \"format\": \"" + std::string(kFormat) + "\",\n  \"version\": " +
                     std::to_string(kVersion) + ",\n  \"levels\": [\n";
  for (int i = 0; i < kLevelCount; ++i)
    text += LevelOf(file.data() + kLevelBytes * i, i, catalogue) + (i + 1 < kLevelCount ? ",\n" : "\n");
  return text + "  ]\n}\n";
}

bool ImportLevelSetJson(const std::string& text, std::vector<uint8_t>& file, JsonImportError& error) {
  Json root;
  try {
    root = Json::parse(text);
  } catch (const Json::parse_error& e) {
    // The library's message begins with its own error code; the byte it
    // stopped at is turned into a line and a column.
    const std::string what = e.what();
    const size_t detail = what.find("syntax error");
    error = {LineAndColumn(text, e.byte == 0 ? 0 : e.byte - 1),
             detail == std::string::npos ? what : what.substr(detail)};
    return false;
  } catch (const Json::exception& e) {
    // Well-formed text the library cannot hold, such as a number too large
    // for any type (1e999): refused like any other bad input.
    error = LibraryError(text, e.what());
    return false;
  }
  std::vector<uint8_t> bytes;
  try {
    Reader(bytes).Set(root);
  } catch (const Invalid& invalid) {
    error = {invalid.path, invalid.reason};
    return false;
  } catch (const Json::exception& e) {
    error = LibraryError(text, e.what());
    return false;
  }
  file = std::move(bytes);
  return true;
}
