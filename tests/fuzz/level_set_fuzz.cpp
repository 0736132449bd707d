// Level-set files from anywhere: only 3770 and 2670 bytes are taken, else
// nothing changes. A current file saves back as its own bytes but for what
// loading corrects; a saved set reads back the same but for the last floor.
#include "fuzz/fuzz_checks.h"
#include "level/level_file.h"

constexpr size_t kCellsAt = 10;  // a level's cells follow its 10 header bytes

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LevelSet levels;
  levels[4].SetGoal(99);  // something to see disturbed
  const LevelSet before = levels;
  const bool decoded = DecodeLevelSet(data, size, levels);
  FUZZ_REQUIRE(decoded == (size == kLevelSetBytes || size == kOldLevelSetBytes));
  if (!decoded) {
    FUZZ_REQUIRE(levels == before);
    return 0;
  }
  const std::vector<uint8_t> saved = EncodeLevelSet(levels);
  FUZZ_REQUIRE(saved.size() == kLevelSetBytes);
  if (size == kLevelSetBytes) {
    std::vector<uint8_t> corrected(data, data + size);  // pattern sets below 3 raised, exits on pattern 0
    for (size_t level = 0; level < kLevelSetBytes; level += kLevelBytes) {
      if (corrected[level + 1] < 3) corrected[level + 1] = 3;
      for (size_t i = level + kCellsAt; i < level + kCellsAt + kCellCount; ++i)
        if (corrected[i] == kCellExit) corrected[i] = kCellExitOnFloor;
    }
    FUZZ_REQUIRE(saved == corrected);
  }
  LevelSet again;
  FUZZ_REQUIRE(DecodeLevelSet(saved.data(), saved.size(), again));
  LevelSet expected = levels;
  for (Level& level : expected) level.SetFloor(kCellCount - 1, 0);
  FUZZ_REQUIRE(again == expected);
  return 0;
}
