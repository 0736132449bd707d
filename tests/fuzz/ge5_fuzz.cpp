// GE5 bytes from anywhere, at every decoder setting: the first two bytes
// choose the height (any value, in range or not), mask or colour, and
// smoothing across tiles or not. The decoders take the bytes or give an
// empty Image, never read outside them and never past the palette's end
// (bytes after it change nothing); what they give has the size asked for,
// colours made of MSX levels, and a double mask that is the normal mask
// with every pixel doubled.
#include "fuzz/fuzz_checks.h"
#include "gfx/ge5.h"

namespace {

bool IsMsxLevel(uint8_t channel) { return MsxLevel(NearestMsxComponent(channel)) == channel; }

}  // namespace

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
  for (const Rgb& p : normal.Pixels()) {
    if (mask)
      FUZZ_REQUIRE(p == (Rgb{255, 255, 255}) || p == (Rgb{0, 0, 0}));
    else
      FUZZ_REQUIRE(IsMsxLevel(p.r) && IsMsxLevel(p.g) && IsMsxLevel(p.b));
  }
  if (mask)
    for (int y = 0; y < doubled.Height(); ++y)
      for (int x = 0; x < doubled.Width(); ++x) FUZZ_REQUIRE(doubled.At(x, y) == normal.At(x / 2, y / 2));
  if (file.size() > kGe5MinimumBytes) {
    const std::vector<uint8_t> cut(file.begin(), file.begin() + kGe5MinimumBytes);
    FUZZ_REQUIRE(DecodeGe5(cut, mask, height) == normal);
  }
  return 0;
}
