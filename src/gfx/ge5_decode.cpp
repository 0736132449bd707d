#include <array>

#include "gfx/ge5.h"
#include "base/file_layer.h"

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
// Sprite sheets are exactly this high; their colour 0 is painted black.
constexpr int kSpriteHeight = 24;
// Smoothing stops at the bottom line of every tile row of the screen.
constexpr int kTileLines = 16;
// Bytes per tile in a line: 16 pixels, two to a byte.
constexpr int kTileBytes = 8;
constexpr int kLastByte = static_cast<int>(kGe5LineBytes) - 1;

using Palette = std::array<Rgb, 16>;

bool Decodable(const std::vector<uint8_t>& file, int height) {
  return file.size() >= kGe5MinimumBytes && height >= 1 && height <= kGe5Lines;
}

Palette ReadPalette(const std::vector<uint8_t>& file, int height) {
  Palette palette;
  for (size_t i = 0; i < palette.size(); ++i) {
    const uint8_t redBlue = file[kGe5PaletteOffset + 2 * i];
    const uint8_t green = file[kGe5PaletteOffset + 2 * i + 1];
    palette[i] = {MsxLevel(redBlue >> 4), MsxLevel(green), MsxLevel(redBlue & 0x0F)};
  }
  if (height == kSpriteHeight) palette[0] = kBlack;
  return palette;
}

// Colour index of pixel x (0..255) of line `line`; the callers keep line
// at most 212, so this stays inside the kGe5MinimumBytes checked above.
int IndexAt(const std::vector<uint8_t>& file, int line, int x) {
  const uint8_t byte = file[kGe5HeaderBytes + kGe5LineBytes * static_cast<size_t>(line) +
                            static_cast<size_t>(x / 2)];
  return x % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

Rgb Colour(const Palette& palette, bool mask, int index) {
  if (mask) return index == 0 ? kWhite : kBlack;
  return palette[static_cast<size_t>(index)];
}

uint8_t Channel(int value) { return static_cast<uint8_t>(value); }

Rgb Average(Rgb a, Rgb b) {
  return {Channel((a.r + b.r) / 2), Channel((a.g + b.g) / 2), Channel((a.b + b.b) / 2)};
}

Rgb Average(Rgb a, Rgb b, Rgb c, Rgb d) {
  return {Channel((a.r + b.r + c.r + d.r) / 4), Channel((a.g + b.g + c.g + d.g) / 4),
          Channel((a.b + b.b + c.b + d.b) / 4)};
}

// The colour indices around source byte k of line r that its four output
// pixels in each of the two output lines draw on.
struct Neighbours {
  int a, b;       // left and right pixel of the byte
  int n;          // right neighbour of b in the same line
  int d0, d1;     // the two pixels below a and b
  int dn;         // the pixel below n
};

Neighbours NeighboursOf(const std::vector<uint8_t>& file, int r, int k, bool acrossTiles) {
  Neighbours at{};
  at.a = IndexAt(file, r, 2 * k);
  at.b = IndexAt(file, r, 2 * k + 1);
  const bool lastColumnOfTile = !acrossTiles && k % kTileBytes == kTileBytes - 1;
  const bool lastLineOfTile = r % kTileLines == kTileLines - 1;
  at.n = k == kLastByte || lastColumnOfTile ? at.b : IndexAt(file, r, 2 * k + 2);
  if (lastLineOfTile) {
    at.d0 = at.a;
    at.d1 = at.b;
    at.dn = at.n;
  } else {
    at.d0 = IndexAt(file, r + 1, 2 * k);
    at.d1 = IndexAt(file, r + 1, 2 * k + 1);
    at.dn = k == kLastByte ? at.d1 : IndexAt(file, r + 1, 2 * k + 2);
  }
  if (!acrossTiles) {
    // Inside a tile only: the tile's last column wins over its last line.
    if (k % kTileBytes == kTileBytes - 1)
      at.dn = at.d1;
    else if (lastLineOfTile)
      at.dn = at.b;
  }
  return at;
}

bool HeightUsable(int height, std::string* reason) {
  if (height >= 1 && height <= kGe5Lines) return true;
  if (reason) *reason = "height must be 1 to 212 lines";
  return false;
}

}  // namespace

Image DecodeGe5(const std::vector<uint8_t>& file, bool mask, int height) {
  if (!Decodable(file, height)) return {};
  const Palette palette = ReadPalette(file, height);
  Image image(kGe5Width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < kGe5Width; ++x) image.At(x, y) = Colour(palette, mask, IndexAt(file, y, x));
  return image;
}

Image DecodeGe5Double(const std::vector<uint8_t>& file, bool mask, int height, bool acrossTiles) {
  if (!Decodable(file, height)) return {};
  const Palette palette = ReadPalette(file, height);
  Image image(2 * kGe5Width, 2 * height);
  for (int r = 0; r < height; ++r)
    for (int k = 0; k <= kLastByte; ++k) {
      const Neighbours at = NeighboursOf(file, r, k, acrossTiles);
      const Rgb a = Colour(palette, mask, at.a);
      const Rgb b = Colour(palette, mask, at.b);
      Rgb top[4] = {a, a, b, b};
      Rgb bottom[4] = {a, a, b, b};
      if (!mask) {
        const Rgb n = palette[static_cast<size_t>(at.n)];
        const Rgb d0 = palette[static_cast<size_t>(at.d0)];
        const Rgb d1 = palette[static_cast<size_t>(at.d1)];
        const Rgb dn = palette[static_cast<size_t>(at.dn)];
        top[1] = Average(a, b);
        top[3] = Average(b, n);
        bottom[0] = Average(a, d0);
        bottom[1] = Average(a, b, d0, d1);
        bottom[2] = Average(b, d1);
        bottom[3] = Average(b, n, d1, dn);
      }
      for (int i = 0; i < 4; ++i) {
        image.At(4 * k + i, 2 * r) = top[i];
        image.At(4 * k + i, 2 * r + 1) = bottom[i];
      }
    }
  return image;
}

bool ReadGe5File(const std::string& path, std::vector<uint8_t>& bytes, std::string* reason) {
  auto fail = [&](const char* why) {
    bytes.clear();
    if (reason) *reason = why;
    return false;
  };
  // Screens saved with more of the video memory are longer; the decoders
  // need no more than the palette's end, so nothing past it is read.
  switch (ReadFilePrefix(path, kGe5MinimumBytes, bytes, nullptr)) {
    case FileReadStatus::CannotOpen:
      return fail("cannot be opened");
    case FileReadStatus::ReadError:
      return fail("cannot be read");
    case FileReadStatus::Ok:
      break;
  }
  if (bytes.size() < kGe5MinimumBytes)
    return fail("is too short for a GE5 picture (30375 bytes at least)");
  return true;
}

Image LoadGe5(const std::string& path, bool mask, int height, std::string* reason) {
  std::vector<uint8_t> bytes;
  if (!HeightUsable(height, reason) || !ReadGe5File(path, bytes, reason)) return {};
  return DecodeGe5(bytes, mask, height);
}

Image LoadGe5Double(const std::string& path, bool mask, int height, bool acrossTiles,
                    std::string* reason) {
  std::vector<uint8_t> bytes;
  if (!HeightUsable(height, reason) || !ReadGe5File(path, bytes, reason)) return {};
  return DecodeGe5Double(bytes, mask, height, acrossTiles);
}
