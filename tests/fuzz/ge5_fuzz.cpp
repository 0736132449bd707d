// GE5 bytes from anywhere; the first two choose the height (in range or
// not), mask or colour, and smoothing across tiles. The decoders give the
// size asked for or an empty Image and never read past the palette's end.
#include "fuzz/fuzz_checks.h"
#include "gfx/ge5.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int height = static_cast<int8_t>(data[0]) * 2 + (data[1] & 1);
  const bool mask = (data[1] & 2) != 0;
  const bool acrossTiles = (data[1] & 4) != 0;
  const std::vector<uint8_t> file(data + 2, data + size);
  const bool usable = file.size() >= kGe5MinimumBytes && height >= 1 && height <= kGe5Lines;
  const Image normal = DecodeGe5(file, mask, height);
  const Image doubled = DecodeGe5Double(file, mask, height, acrossTiles);
  FUZZ_REQUIRE(normal.Empty() == !usable);
  FUZZ_REQUIRE(doubled.Empty() == !usable);
  if (!usable) return 0;
  FUZZ_REQUIRE(normal.Width() == kGe5Width && normal.Height() == height);
  FUZZ_REQUIRE(doubled.Width() == 2 * kGe5Width && doubled.Height() == 2 * height);
  if (file.size() > kGe5MinimumBytes) {
    const std::vector<uint8_t> cut(file.begin(), file.begin() + kGe5MinimumBytes);
    FUZZ_REQUIRE(DecodeGe5(cut, mask, height) == normal);
  }
  return 0;
}
