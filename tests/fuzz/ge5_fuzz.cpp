// GE5 bytes from anywhere: the decoders take them or give an empty Image,
// and never read outside them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/ge5.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // The first two bytes choose the height (any value, in range or not) and the flags.
  const int height = static_cast<int8_t>(data[0]) * 2 + (data[1] & 1);
  const bool mask = (data[1] & 2) != 0;
  const bool acrossTiles = (data[1] & 4) != 0;
  const std::vector<uint8_t> file(data + 2, data + size);
  const Image normal = DecodeGe5(file, mask, height);
  const Image doubled = DecodeGe5Double(file, mask, height, acrossTiles);
  if (normal.Empty() != doubled.Empty()) __builtin_trap();
  if (!normal.Empty() && (normal.Height() != height || doubled.Height() != 2 * height)) __builtin_trap();
  return 0;
}
