#include "level/level_file.h"

#include <algorithm>
#include <cstring>

#include "level/file_layer.h"

namespace {

uint8_t Low8(int32_t value) { return static_cast<uint8_t>(value & 0xFF); }

void SaveActor(const ActorRecord& a, std::vector<uint8_t>& out) {
  for (int32_t v : {a.x, a.y, a.direction, a.typeCode, a.aiType, a.speed}) out.push_back(Low8(v));
}

const uint8_t* LoadActor(ActorRecord& a, const uint8_t* in) {
  a.Set(in[0], in[1], in[2], in[3], in[4], in[5]);
  return in + 6;
}

// The older form has no floors: each floor is derived from its cell. Walls
// stand on pattern 7; so do first-kind walls hiding an item, 144..158 (the
// old editor stopped one short of 159, and files rely on that).
int32_t DerivedFloor(int32_t cell) {
  if (cell >= 0 && cell < 16) return cell;
  if (cell == kCellWall1 || cell == kCellWall2) return 7;
  if (cell >= 144 && cell <= 158) return 7;
  return 0;
}

}  // namespace

void SaveLevel(const Level& level, std::vector<uint8_t>& out) {
  out.push_back(Low8(level.goal));
  out.push_back(Low8(level.patternSet));
  out.push_back(Low8(level.music));
  for (int32_t t : level.enemyTypes) out.push_back(Low8(t));
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(level.time[i]));
  for (int32_t c : level.cells) out.push_back(Low8(c));
  // Two floors a byte, low nibble first; the floor of cell 220 is not kept.
  for (int k = 0; k < 110; ++k)
    out.push_back(Low8(level.floors[2 * k + 1] * 16 + level.floors[2 * k]));
  for (const ActorRecord& a : level.actors) SaveActor(a, out);
}

void LoadLevel(Level& level, const uint8_t* in, bool withFloors) {
  level.goal = in[0];
  level.patternSet = std::max<int32_t>(in[1], 3);
  level.music = in[2];
  for (int s = 0; s < 3; ++s) level.enemyTypes[s] = in[3 + s];
  std::memcpy(level.time, in + 6, 4);
  level.time[4] = '\0';  // a level always holds its terminator here
  const uint8_t* p = in + 10;
  for (int32_t& c : level.cells) {
    c = *p == kCellExit ? kCellExitOnFloor : *p;
    ++p;
  }
  if (withFloors) {
    std::fill(std::begin(level.floors), std::end(level.floors), 0);
    for (int k = 0; k < 110; ++k, ++p) {
      level.floors[2 * k] = *p & 0x0F;
      level.floors[2 * k + 1] = *p >> 4;
    }
  } else {
    for (int i = 0; i < kCellCount; ++i) level.floors[i] = DerivedFloor(level.cells[i]);
  }
  for (ActorRecord& a : level.actors) p = LoadActor(a, p);
}

std::vector<uint8_t> EncodeLevelSet(const LevelSet& levels) {
  std::vector<uint8_t> out;
  out.reserve(kLevelSetBytes);
  for (const Level& level : levels) SaveLevel(level, out);
  return out;
}

bool DecodeLevelSet(const uint8_t* bytes, size_t size, LevelSet& levels) {
  if (size != kLevelSetBytes && size != kOldLevelSetBytes) return false;
  const bool withFloors = size == kLevelSetBytes;
  const size_t step = withFloors ? kLevelBytes : kOldLevelBytes;
  for (int i = 0; i < kLevelCount; ++i) LoadLevel(levels[i], bytes + step * i, withFloors);
  return true;
}

LevelSetReadResult ReadLevelSetFile(const std::string& path, LevelSet& levels) {
  LevelSetReadResult result;
  std::vector<uint8_t> bytes;
  // Read at most one byte more than the longest accepted form: a larger file
  // is refused by its length without reading it all.
  const FileReadStatus status = ReadFilePrefix(path, kLevelSetBytes + 1, bytes, &result.length);
  if (status != FileReadStatus::Ok) {
    result.reason = status == FileReadStatus::CannotOpen ? "cannot be opened" : "cannot be read";
    return result;
  }
  if (result.length != static_cast<long long>(kLevelSetBytes) &&
      result.length != static_cast<long long>(kOldLevelSetBytes)) {
    result.reason = "is " + std::to_string(result.length) + " bytes long, not " +
                    std::to_string(kLevelSetBytes) + " or " + std::to_string(kOldLevelSetBytes);
    return result;
  }
  if (bytes.size() != static_cast<size_t>(result.length)) {
    result.reason = "cannot be read";
    return result;
  }
  LevelSet loaded = levels;
  DecodeLevelSet(bytes.data(), bytes.size(), loaded);
  levels = loaded;
  result.ok = true;
  return result;
}

bool WriteLevelSetFile(FileLayer& files, const std::string& path, const LevelSet& levels,
                       std::string* reason) {
  // One write per level, so a failure anywhere in the middle is caught too.
  std::vector<std::vector<uint8_t>> chunks;
  for (const Level& level : levels) {
    chunks.emplace_back();
    SaveLevel(level, chunks.back());
  }
  return WriteFileSafely(files, path, chunks, reason);
}
