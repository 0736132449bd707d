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

// Colours packed three to a word, ten bits a channel, so that four of them
// add up without one channel spilling into the next; a shift then divides
// every channel at once, and the mask drops what a shift moved across.
using Packed = uint32_t;
constexpr Packed kChannelMask = 0xFFu | 0xFFu << 10 | 0xFFu << 20;

Packed Pack(Rgb c) { return Packed{c.r} | Packed{c.g} << 10 | Packed{c.b} << 20; }

Rgb Unpack(Packed p) {
  return {static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 10), static_cast<uint8_t>(p >> 20)};
}

// The rounded-down mean of two and of four colours, channel by channel.
Rgb Mean(Packed a, Packed b) { return Unpack((a + b) >> 1 & kChannelMask); }
Rgb Mean(Packed a, Packed b, Packed c, Packed d) { return Unpack((a + b + c + d) >> 2 & kChannelMask); }

// Each source byte k of line r (pixels a and b) becomes four pixels in each
// of two lines: a, a|b, b, b|n above and a|d0, a|b|d0|d1, b|d1, b|n|d1|dn
// below, where n is the pixel right of b, d0 and d1 the two below a and b,
// dn the one below n, and | the mean. Outside the picture and, unless
// smoothing goes across tiles, outside the tile, a neighbour is the pixel
// itself: n is b, and dn the pixel below b. On a tile's last line d0 and d1
// are a and b, and dn is n across tiles, b inside one.
void DoubleLine(const uint8_t* line, bool lastLineOfTile, bool acrossTiles,
                const std::array<Packed, 16>& colours, Rgb* top, Rgb* bottom) {
  const uint8_t* below = line + kGe5LineBytes;
  for (int k = 0; k <= kLastByte; ++k, top += 4, bottom += 4) {
    const bool rightEdge = k == kLastByte || (!acrossTiles && k % kTileBytes == kTileBytes - 1);
    const int a = line[k] >> 4, b = line[k] & 0x0F;
    const int n = rightEdge ? b : line[k + 1] >> 4;
    int d0 = a, d1 = b, dn = acrossTiles ? n : b;
    if (!lastLineOfTile) {
      d0 = below[k] >> 4;
      d1 = below[k] & 0x0F;
      dn = rightEdge ? d1 : below[k + 1] >> 4;
    }
    const Packed pa = colours[a], pb = colours[b], pn = colours[n];
    const Packed p0 = colours[d0], p1 = colours[d1], pd = colours[dn];
    top[0] = Unpack(pa);
    top[1] = Mean(pa, pb);
    top[2] = Unpack(pb);
    top[3] = Mean(pb, pn);
    bottom[0] = Mean(pa, p0);
    bottom[1] = Mean(pa, pb, p0, p1);
    bottom[2] = Mean(pb, p1);
    bottom[3] = Mean(pb, pn, p1, pd);
  }
}

// The mask is only made larger: every pixel becomes two by two.
void DoubleMaskLine(const uint8_t* line, Rgb* top, Rgb* bottom) {
  for (int k = 0; k <= kLastByte; ++k, top += 4, bottom += 4) {
    const Rgb a = line[k] >> 4 == 0 ? kWhite : kBlack;
    const Rgb b = (line[k] & 0x0F) == 0 ? kWhite : kBlack;
    top[0] = top[1] = bottom[0] = bottom[1] = a;
    top[2] = top[3] = bottom[2] = bottom[3] = b;
  }
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
  std::array<Packed, 16> colours{};
  for (size_t i = 0; i < colours.size(); ++i) colours[i] = Pack(palette[i]);
  Image image(2 * kGe5Width, 2 * height);
  for (int r = 0; r < height; ++r) {
    const uint8_t* line = file.data() + kGe5HeaderBytes + kGe5LineBytes * static_cast<size_t>(r);
    Rgb* top = &image.At(0, 2 * r);
    Rgb* bottom = &image.At(0, 2 * r + 1);
    if (mask)
      DoubleMaskLine(line, top, bottom);
    else
      DoubleLine(line, r % kTileLines == kTileLines - 1, acrossTiles, colours, top, bottom);
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
