// A level image in the shared block, written by any process: 1948 bytes of
// anything. Reading it never goes outside the block and ends the time text
// within its eight bytes; the level put back reads as the same level, in the
// same bytes but for that terminator.
#include <cstring>
#include <vector>

#include "fuzz/fuzz_checks.h"
#include "level/level_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Exactly the block's size on the heap, so a read past its end is caught.
  std::vector<uint8_t> block(kLevelImageBytes, 0);
  std::memcpy(block.data(), data, size < block.size() ? size : block.size());
  const Level level = GetLevelImage(block.data());
  FUZZ_REQUIRE(std::memchr(level.GetTime(), '\0', kTimeBytes) != nullptr);
  std::vector<uint8_t> copy(kLevelImageBytes, 0xAA);
  PutLevelImage(copy.data(), level);
  FUZZ_REQUIRE(GetLevelImage(copy.data()) == level);
  FUZZ_REQUIRE(std::memcmp(copy.data() + 4, block.data() + 4, kLevelImageBytes - 5) == 0);
  FUZZ_REQUIRE(copy[kLevelImageBytes - 1] == 0);
  return 0;
}
