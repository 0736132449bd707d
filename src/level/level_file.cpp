#include "level/level_file.h"

#include <algorithm>
#include <cstring>

#include "base/file_layer.h"

namespace {

uint8_t Low8(int32_t value) { return static_cast<uint8_t>(value & 0xFF); }

void SaveActor(const ActorRecord& a, std::vector<uint8_t>& out) {
  for (int32_t v : {a.x(), a.y(), a.direction(), a.typeCode(), a.aiType(), a.speed()})
    out.push_back(Low8(v));
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
  out.push_back(Low8(level.GetGoal()));
  out.push_back(Low8(level.GetPatternSet()));
  out.push_back(Low8(level.GetMusic()));
  for (int slot = 0; slot < 3; ++slot) out.push_back(Low8(level.GetEnemyType(slot)));
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(level.GetTime()[i]));
  for (int32_t c : level.Cells()) out.push_back(Low8(c));
  // Two floors a byte, low nibble first; the floor of cell 220 is not kept.
  for (int k = 0; k < 110; ++k)
    out.push_back(Low8(level.GetFloor(2 * k + 1) * 16 + level.GetFloor(2 * k)));
  for (int i = 0; i < kActorCount; ++i) SaveActor(level.GetActor(i), out);
}

void LoadLevel(Level& level, const uint8_t* in, bool withFloors) {
  level.SetGoal(in[0]);
  level.SetPatternSet(std::max<int32_t>(in[1], kPatternSetBase));
  level.SetMusic(in[2]);
  for (int slot = 0; slot < 3; ++slot) level.SetEnemyType(slot, in[3 + slot]);
  std::memcpy(level.GetTime(), in + 6, 4);
  level.GetTime()[4] = '\0';  // a level always holds its terminator here
  const uint8_t* p = in + 10;
  for (int i = 0; i < kCellCount; ++i, ++p) level.SetCell(i, *p == kCellExit ? kCellExitOnFloor : *p);
  if (withFloors) {
    level.SetFloor(kCellCount - 1, 0);
    for (int k = 0; k < 110; ++k, ++p) {
      level.SetFloor(2 * k, *p & 0x0F);
      level.SetFloor(2 * k + 1, *p >> 4);
    }
  } else {
    for (int i = 0; i < kCellCount; ++i) level.SetFloor(i, DerivedFloor(level.GetCell(i)));
  }
  for (int i = 0; i < kActorCount; ++i) p = LoadActor(level.GetActor(i), p);
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
