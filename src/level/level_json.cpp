#include "level/level_json.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <functional>
#include <set>

#include "level/level.h"
#include "level/level_area.h"
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

// A grid as rows of numbers, one row a line, indented under its field.
std::string GridOf(const std::vector<int32_t>& values, int columns, int rows, const std::string& indent) {
  std::string text = "[\n";
  for (int row = 0; row < rows; ++row) {
    text += indent + "  [";
    for (int column = 0; column < columns; ++column)
      text += (column ? ", " : "") + std::to_string(values[row * columns + column]);
    text += row + 1 < rows ? "],\n" : "]\n";
  }
  return text + indent + "]";
}

std::string LevelOf(const uint8_t* b, int index, const JsonNames* names) {
  static const JsonNames none;
  const JsonNames& n = names ? *names : none;
  std::vector<std::string> goals;
  for (int g = 0; g < kGoalCount; ++g) goals.push_back(GoalName(g));
  std::vector<int32_t> cells(b + kCells, b + kCells + kCellCount), floors(kCellCount, 0);
  for (int k = 0; k < 110; ++k) {
    floors[2 * k] = b[kFloors + k] & 0x0F;
    floors[2 * k + 1] = b[kFloors + k] >> 4;
  }
  std::string text = "    {\n";
  text += "      \"level\": " + std::to_string(index + 1) + ",\n";
  text += "      \"goal\": " + Named(b[0], Entry(goals, b[0])) + ",\n";
  text += "      \"patternSet\": " + Named(b[1], Entry(n.patternSets, PatternSetIndexOf(b[1]))) + ",\n";
  text += "      \"song\": " + Named(b[2], Entry(n.songs, b[2])) + ",\n";
  text += "      \"enemyTypes\": [";
  for (int slot = 0; slot < 3; ++slot) text += (slot ? ", " : "") + Named(b[3 + slot], Entry(n.spriteSets, b[3 + slot]));
  text += "],\n";
  text += "      \"time\": " + TimeOf(b + 6) + ",\n";
  text += "      \"player\": " + ActorOf(b + kActors) + ",\n";
  text += "      \"enemies\": [\n";
  for (int e = 1; e < kActorCount; ++e)
    text += "        " + ActorOf(b + kActors + 6 * e) + (e + 1 < kActorCount ? ",\n" : "\n");
  text += "      ],\n";
  text += "      \"cells\": " + GridOf(cells, kGridColumns, kGridRows, "      ") + ",\n";
  text += "      \"floors\": " + GridOf(floors, kGridColumns, kGridRows, "      ") + "\n";
  return text + "    }";
}

// ---------------------------------------------------------------------------
// Reading: every value is checked against its place in the file.

struct Invalid {
  std::string path, reason;
};

const Json& Field(const Json& object, const std::string& path, const char* name) {
  if (!object.contains(name)) throw Invalid{path, std::string("has no field \"") + name + "\""};
  return object[name];
}

// The object has exactly these fields.
void Fields(const Json& object, const std::string& path, std::set<std::string> known) {
  if (!object.is_object()) throw Invalid{path.empty() ? "/" : path, "is not an object"};
  for (const auto& [name, value] : object.items())
    if (!known.count(name)) throw Invalid{path + "/" + name, "is not a field of this form"};
}

// The form's name and version, first of all.
void Form(const Json& root, const char* format) {
  if (Field(root, "", "format") != Json(format))
    throw Invalid{"/format", "is not \"" + std::string(format) + "\""};
  if (Field(root, "", "version") != Json(kVersion))
    throw Invalid{"/version", "is not " + std::to_string(kVersion)};
}

const Json& Array(const Json& value, const std::string& path, size_t size) {
  if (!value.is_array() || value.size() != size)
    throw Invalid{path, "is not a list of " + std::to_string(size)};
  return value;
}

int Whole(const Json& value, const std::string& path, int lowest, int highest) {
  const std::string range = std::to_string(lowest) + ".." + std::to_string(highest);
  if (!value.is_number_integer()) throw Invalid{path, "is not a whole number in " + range};
  if (value.get<long long>() < lowest || value.get<long long>() > highest)
    throw Invalid{path, value.dump() + " is outside " + range};
  return value.get<int>();
}

uint8_t Byte(const Json& value, const std::string& path, int highest = 255) {
  return static_cast<uint8_t>(Whole(value, path, 0, highest));
}

// A grid of rows of numbers 0..highest, row by row.
std::vector<uint8_t> Grid(const Json& grid, const std::string& path, int columns, int rows,
                          int highest) {
  Array(grid, path, static_cast<size_t>(rows));
  std::vector<uint8_t> values;
  for (int row = 0; row < rows; ++row) {
    const std::string rowPath = path + "/" + std::to_string(row);
    Array(grid[row], rowPath, static_cast<size_t>(columns));
    for (int column = 0; column < columns; ++column)
      values.push_back(Byte(grid[row][column], rowPath + "/" + std::to_string(column), highest));
  }
  return values;
}

class Reader {
 public:
  explicit Reader(std::vector<uint8_t>& out) : out_(out) {}

  void Set(const Json& root) {
    Fields(root, "", {"format", "version", "levels"});
    Form(root, kFormat);
    const Json& levels = Array(Field(root, "", "levels"), "/levels", kLevelCount);
    out_.assign(kLevelSetBytes, 0);
    for (int i = 0; i < kLevelCount; ++i)
      Level(levels[i], "/levels/" + std::to_string(i), out_.data() + kLevelBytes * i, i);
  }

 private:
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
    const std::vector<uint8_t> cells =
        Grid(Field(level, path, "cells"), path + "/cells", kGridColumns, kGridRows, 255);
    std::copy(cells.begin(), cells.end(), out + kCells);
    // Floors are nibbles, and the file keeps no floor for the last cell.
    const std::vector<uint8_t> floors =
        Grid(Field(level, path, "floors"), path + "/floors", kGridColumns, kGridRows, 15);
    if (floors[kCellCount - 1] != 0)
      throw Invalid{path + "/floors/12/16", "must be 0: the file keeps no floor for the last cell"};
    for (int k = 0; k < 110; ++k) out[kFloors + k] = static_cast<uint8_t>(floors[2 * k] | floors[2 * k + 1] << 4);
  }

  std::vector<uint8_t>& out_;
};

constexpr const char* kAreaFormat = "kxl-area";
constexpr const char* kAreaActorFields[] = {"actor", "column", "row", "direction", "typeCode", "aiType", "speed"};

LevelArea ReadArea(const Json& root) {
  Fields(root, "", {"format", "version", "width", "height", "cells", "floors", "actors"});
  Form(root, kAreaFormat);
  LevelArea area;
  area.width = Whole(Field(root, "", "width"), "/width", 1, kGridColumns);
  area.height = Whole(Field(root, "", "height"), "/height", 1, kGridRows);
  for (const char* layer : {"cells", "floors"}) {
    const bool cells = layer[0] == 'c';  // floors are half bytes in a level file
    const std::vector<uint8_t> values =
        Grid(Field(root, "", layer), std::string("/") + layer, area.width, area.height, cells ? 255 : 15);
    (cells ? area.cells : area.floors).assign(values.begin(), values.end());
  }
  const Json& actors = Field(root, "", "actors");
  if (!actors.is_array() || actors.size() > kActorCount)
    throw Invalid{"/actors", "is not a list of at most " + std::to_string(kActorCount)};
  bool player = false;
  for (size_t i = 0; i < actors.size(); ++i) {
    const std::string path = "/actors/" + std::to_string(i);
    Fields(actors[i], path, {std::begin(kAreaActorFields), std::end(kAreaActorFields)});
    int value[7];
    const int highest[7] = {kEnemyCount, area.width - 1, area.height - 1, 255, 255, 255, 255};
    for (int f = 0; f < 7; ++f)
      value[f] = Whole(Field(actors[i], path, kAreaActorFields[f]), path + "/" + kAreaActorFields[f], 0,
                       highest[f]);
    if (value[0] == 0 && player) throw Invalid{path + "/actor", "is a second player"};
    player = player || value[0] == 0;
    area.actors.push_back({value[0], value[1], value[2], value[3], value[4], value[5], value[6]});
  }
  return area;
}

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

// Parses the text and hands the tree to `read`, which throws Invalid for
// what the form does not accept; every failure becomes a place and a reason.
bool ReadJson(const std::string& text, const std::function<void(const Json&)>& read,
              JsonImportError& error) {
  try {
    read(Json::parse(text));
  } catch (const Json::parse_error& e) {
    // The library's message begins with its own error code; the byte it
    // stopped at is turned into a line and a column.
    const std::string what = e.what();
    const size_t detail = what.find("syntax error");
    error = {LineAndColumn(text, e.byte == 0 ? 0 : e.byte - 1),
             detail == std::string::npos ? what : what.substr(detail)};
    return false;
  } catch (const Invalid& invalid) {
    error = {invalid.path, invalid.reason};
    return false;
  } catch (const Json::exception& e) {
    // Well-formed text the library cannot hold, such as a number too large
    // for any type (1e999): refused like any other bad input.
    error = LibraryError(text, e.what());
    return false;
  }
  return true;
}

}  // namespace

std::string ExportLevelSetJson(const std::vector<uint8_t>& file, const JsonNames* names) {
  std::string text = "{\n  \"format\": \"" + std::string(kFormat) + "\",\n  \"version\": " +
                     std::to_string(kVersion) + ",\n  \"levels\": [\n";
  for (int i = 0; i < kLevelCount; ++i)
    text += LevelOf(file.data() + kLevelBytes * i, i, names) + (i + 1 < kLevelCount ? ",\n" : "\n");
  return text + "  ]\n}\n";
}

bool ImportLevelSetJson(const std::string& text, std::vector<uint8_t>& file, JsonImportError& error) {
  std::vector<uint8_t> bytes;
  if (!ReadJson(text, [&bytes](const Json& root) { Reader(bytes).Set(root); }, error)) return false;
  file = std::move(bytes);
  return true;
}

std::string LevelJson(const Level& level, int index) {
  std::vector<uint8_t> bytes;
  SaveLevel(level, bytes);
  return "{\n  \"format\": \"kxl-level\",\n  \"version\": " + std::to_string(kVersion) +
         ",\n  \"level\":\n" + LevelOf(bytes.data(), index, nullptr) + "\n}\n";
}

std::string AreaJson(const LevelArea& area) {
  std::string text = "{\n  \"format\": \"" + std::string(kAreaFormat) + "\",\n  \"version\": " +
                     std::to_string(kVersion) + ",\n  \"width\": " + std::to_string(area.width) +
                     ",\n  \"height\": " + std::to_string(area.height) + ",\n";
  text += "  \"cells\": " + GridOf(area.cells, area.width, area.height, "  ") + ",\n";
  text += "  \"floors\": " + GridOf(area.floors, area.width, area.height, "  ") + ",\n";
  text += "  \"actors\": [";
  for (size_t i = 0; i < area.actors.size(); ++i) {
    const AreaActor& a = area.actors[i];
    const int32_t values[] = {a.record, a.column, a.row, a.direction, a.typeCode, a.aiType, a.speed};
    text += i ? ",\n    {" : "\n    {";
    for (int f = 0; f < 7; ++f)
      text += std::string(f ? ", " : "") + "\"" + kAreaActorFields[f] + "\": " + std::to_string(values[f]);
    text += "}";
  }
  return text + (area.actors.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

bool SaysItIsAnArea(const std::string& text) {
  return text.find("\"" + std::string(kAreaFormat) + "\"") != std::string::npos;
}

bool ImportAreaJson(const std::string& text, LevelArea& area, JsonImportError& error) {
  LevelArea read;
  if (!ReadJson(text, [&read](const Json& root) { read = ReadArea(root); }, error)) return false;
  area = std::move(read);
  return true;
}
