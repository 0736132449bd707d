// Level-set files from anywhere. Only 3770 and 2670 bytes are taken, and
// any other length leaves the levels as they were; decoding never reads
// outside the bytes; a decoded set saves as 3770 bytes that read back as the
// same set, and equal the file apart from what loading corrects and the
// floors an old file lacks; every level of it can be described, corrected,
// inspected and painted.
#include <algorithm>

#include "fuzz/fuzz_checks.h"
#include "level/level_file.h"

namespace {

constexpr size_t kHeaderAndCells = 10 + kCellCount;
constexpr size_t kActorBytes = 6 * kActorCount;

// What loading corrects in the bytes of one level: a pattern-set number
// below 3 becomes 3, and a cell byte of 17 is the exit on pattern 0 (128).
std::vector<uint8_t> Corrected(const uint8_t* level, size_t bytes) {
  std::vector<uint8_t> out(level, level + bytes);
  if (out[1] < 3) out[1] = 3;
  for (size_t i = 10; i < kHeaderAndCells; ++i)
    if (out[i] == kCellExit) out[i] = kCellExitOnFloor;
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LevelSet levels;
  levels[4].SetGoal(99);  // something to see disturbed
  levels[7].SetCell(12, 250);
  const LevelSet before = levels;
  const bool decoded = DecodeLevelSet(data, size, levels);
  FUZZ_REQUIRE(decoded == (size == kLevelSetBytes || size == kOldLevelSetBytes));
  if (!decoded) {
    FUZZ_REQUIRE(levels == before);
    return 0;
  }
  const size_t step = size == kLevelSetBytes ? kLevelBytes : kOldLevelBytes;
  const std::vector<uint8_t> saved = EncodeLevelSet(levels);
  FUZZ_REQUIRE(saved.size() == kLevelSetBytes);
  for (int k = 0; k < kLevelCount; ++k) {
    const std::vector<uint8_t> expected = Corrected(data + step * k, step);
    const auto level = saved.begin() + static_cast<long>(kLevelBytes * k);
    FUZZ_REQUIRE(std::equal(level, level + kHeaderAndCells, expected.begin()));
    FUZZ_REQUIRE(std::equal(level + kLevelBytes - kActorBytes, level + kLevelBytes, expected.end() - kActorBytes));
    if (step == kLevelBytes) FUZZ_REQUIRE(std::equal(level, level + kLevelBytes, expected.begin()));
  }
  // Read back: the same set, but for the floor of cell 220, which a file
  // does not keep.
  LevelSet again;
  FUZZ_REQUIRE(DecodeLevelSet(saved.data(), saved.size(), again));
  LevelSet expected = levels;
  for (Level& level : expected) level.SetFloor(kCellCount - 1, 0);
  FUZZ_REQUIRE(again == expected);
  FUZZ_REQUIRE(EncodeLevelSet(again) == saved);
  // Every level opened in the editor: the last bytes choose how it is shown.
  for (const Level& level : levels) ExerciseLevel(level, data[size - 1] | data[size - 2] << 8);
  return 0;
}
