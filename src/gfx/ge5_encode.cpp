#include <cstdlib>

#include "gfx/ge5.h"

namespace {
constexpr uint8_t kLevels[8] = {0, 47, 79, 111, 143, 175, 207, 255};
}

uint8_t MsxLevel(int component) { return kLevels[component & 7]; }

int NearestMsxComponent(uint8_t channel) {
  int best = 0;
  for (int c = 1; c < 8; ++c)
    if (std::abs(kLevels[c] - channel) < std::abs(kLevels[best] - channel)) best = c;
  return best;
}

std::vector<uint8_t> EncodeGe5(const Ge5Picture& picture) {
  std::vector<uint8_t> bytes(kGe5MinimumBytes, 0);
  // BSAVE header: id byte, start, end and run address of the saved VRAM.
  const uint8_t header[kGe5HeaderBytes] = {0xFE, 0x00, 0x00, 0x9F, 0x76, 0x00, 0x00};
  std::copy(header, header + kGe5HeaderBytes, bytes.begin());
  const int lines = picture.lines < kGe5Lines ? picture.lines : kGe5Lines;
  for (int y = 0; y < lines; ++y)
    for (int x = 0; x < kGe5Width; x += 2) {
      const size_t at = static_cast<size_t>(y) * kGe5Width + x;
      if (at >= picture.indices.size()) break;
      const uint8_t left = picture.indices[at] & 0x0F;
      const uint8_t right = at + 1 < picture.indices.size() ? picture.indices[at + 1] & 0x0F : 0;
      bytes[kGe5HeaderBytes + kGe5LineBytes * y + x / 2] = static_cast<uint8_t>(left << 4 | right);
    }
  for (int i = 0; i < 16; ++i) {
    const Rgb& c = picture.palette[i];
    bytes[kGe5PaletteOffset + 2 * i] =
        static_cast<uint8_t>(NearestMsxComponent(c.r) << 4 | NearestMsxComponent(c.b));
    bytes[kGe5PaletteOffset + 2 * i + 1] = static_cast<uint8_t>(NearestMsxComponent(c.g));
  }
  return bytes;
}
