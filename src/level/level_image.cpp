#include "level/level_image.h"

#include <cstring>

namespace {

void PutWord(uint8_t*& p, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) *p++ = static_cast<uint8_t>(v >> (8 * i));
}

int32_t GetWord(const uint8_t*& p) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(*p++) << (8 * i);
  return static_cast<int32_t>(v);
}

}  // namespace

void PutLevelImage(uint8_t* block, const Level& level) {
  uint8_t* p = block + 4;
  PutWord(p, level.GetGoal());
  PutWord(p, level.GetPatternSet());
  PutWord(p, level.GetMusic());
  for (int slot = 0; slot < 3; ++slot) PutWord(p, level.GetEnemyType(slot));
  for (int32_t c : level.Cells()) PutWord(p, c);
  for (int32_t f : level.Floors()) PutWord(p, f);
  for (int i = 0; i < kActorCount; ++i) {
    const ActorRecord& a = level.GetActor(i);
    for (int32_t v : {a.x(), a.y(), a.direction(), a.typeCode(), a.aiType(), a.speed()})
      PutWord(p, v);
  }
  std::memcpy(p, level.GetTime(), kTimeBytes);
  uint8_t* flag = block + kLevelImageFlagOffset;
  PutWord(flag, 1);
}

int32_t LevelImageFlag(const uint8_t* block) {
  const uint8_t* p = block + kLevelImageFlagOffset;
  return GetWord(p);
}

Level GetLevelImage(const uint8_t* block) {
  Level level;
  const uint8_t* p = block + 4;
  level.SetGoal(GetWord(p));
  level.SetPatternSet(GetWord(p));
  level.SetMusic(GetWord(p));
  for (int slot = 0; slot < 3; ++slot) level.SetEnemyType(slot, GetWord(p));
  for (int i = 0; i < kCellCount; ++i) level.SetCell(i, GetWord(p));
  for (int i = 0; i < kCellCount; ++i) level.SetFloor(i, GetWord(p));
  for (int i = 0; i < kActorCount; ++i) {
    int32_t v[6];
    for (int32_t& w : v) w = GetWord(p);
    level.GetActor(i).Set(v[0], v[1], v[2], v[3], v[4], v[5]);
  }
  std::memcpy(level.GetTime(), p, kTimeBytes);
  level.GetTime()[kTimeBytes - 1] = '\0';
  return level;
}

void ClearLevelImage(uint8_t* block) {
  uint8_t* p = block + kLevelImageFlagOffset;
  PutWord(p, 0);
}
