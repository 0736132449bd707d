#include <array>
#include <cstring>

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

// Doubling. Every output byte is a rounded-down mean of source colour
// channels. Each source byte k of line r (pixels a and b, n the pixel right
// of b) becomes four pixels in each of two lines: a, a|b, b, b|n above and
// a|d0, a|b|d0|d1, b|d1, b|n|d1|dn below, where d0, d1 and dn are the pixels
// below a, b and n and | is the mean. Outside the picture and, unless
// smoothing goes across tiles, outside the tile, a neighbour is the pixel
// itself: n is b, and dn the pixel below b. On a tile's last line d0 and d1
// are a and b, and dn is n across tiles, b inside one.
//
// An upper line is made in two passes. First each source byte gives
// a, a, b, b, one store a byte; call that line x. Each pixel of x and the
// pixel right of it are then the pair whose mean is wanted: a and a, a and
// b, b and b, b and n (the next byte's a), and at a right edge b and b. So
// the second pass takes the mean of x and x moved by a pixel.
//
// A lower line is the mean of the upper line and the upper line of the
// source line below: with s = p + p + e the sum of the two colours of an
// upper pixel p (e the low bit its mean lost) and t = q + q + f the same
// below, floor((s + t) / 4) is floor((p + q) / 2), plus one where e, f and
// the low bit of p + q are all set: the rounded-up mean of p and q, less
// that low bit unless e and f are both set. All passes but the first are
// plain byte arithmetic over whole lines, which the compiler turns into
// vector code.
static_assert(sizeof(Rgb) == 3, "pixels are stored as three bytes");
constexpr size_t kRowBytes = 2 * kGe5Width * sizeof(Rgb);
constexpr size_t kGroupBytes = 4 * sizeof(Rgb);  // the four pixels of a source byte
using Row = std::array<uint8_t, kRowBytes + 16>;  // 16 bytes to spare for wide stores

// The rounded-down mean: the rounded-up one (which the compiler finds a
// vector instruction for) less the lost bit.
uint8_t Mean(uint8_t x, uint8_t y) {
  return static_cast<uint8_t>(((x + y + 1) >> 1) - ((x ^ y) & 1));
}

// 0xFF over the bytes of the pixels b|n that stand at a right edge: inside
// tiles, and across them.
struct EdgeMasks {
  Row inTiles{}, acrossTiles{};
  EdgeMasks() {
    for (size_t i = 0; i < kRowBytes; ++i) {
      const size_t pixel = i / sizeof(Rgb), group = pixel / 4;
      if (pixel % 4 != 3) continue;
      if (group == kLastByte) acrossTiles[i] = 0xFF;
      if (group % kTileBytes == kTileBytes - 1) inTiles[i] = 0xFF;
    }
  }
};

const uint8_t* RightEdges(bool acrossTiles) {
  static const EdgeMasks masks;
  return acrossTiles ? masks.acrossTiles.data() : masks.inTiles.data();
}

// For each byte value, a, a, b, b, with room for a wide store.
using Places = std::array<std::array<uint8_t, 16>, 256>;

Places PlacesOf(const Palette& palette) {
  Places places{};
  for (size_t v = 0; v < places.size(); ++v)
    for (size_t pixel = 0; pixel < 4; ++pixel)
      std::memcpy(&places[v][pixel * sizeof(Rgb)], &palette[pixel < 2 ? v >> 4 : v & 15], sizeof(Rgb));
  return places;
}

void PlaceSourcePixels(const uint8_t* line, const Places& places, uint8_t* x) {
  for (size_t k = 0; k < kGe5LineBytes; ++k) std::memcpy(x + kGroupBytes * k, places[line[k]].data(), 16);
}

// The upper line from x (which has a pixel to spare after the line), and
// the bits its means lost.
void UpperLine(const uint8_t* __restrict x, const uint8_t* __restrict edges, uint8_t* __restrict upper,
               uint8_t* __restrict lost) {
  for (size_t i = 0; i < kRowBytes; ++i) {
    const uint8_t right = x[i + sizeof(Rgb)];
    const uint8_t partner = static_cast<uint8_t>(right ^ ((right ^ x[i]) & edges[i]));
    upper[i] = Mean(x[i], partner);
    lost[i] = static_cast<uint8_t>((x[i] ^ partner) & 1);
  }
}

void LowerLine(const uint8_t* __restrict upper, const uint8_t* __restrict lost,
               const uint8_t* __restrict below, const uint8_t* __restrict belowLost,
               uint8_t* __restrict lower) {
  for (size_t i = 0; i < kRowBytes; ++i) {
    const uint8_t roundedUp = static_cast<uint8_t>((upper[i] + below[i] + 1) >> 1);
    const uint8_t lostHere = static_cast<uint8_t>((upper[i] ^ below[i]) & 1 & ~(lost[i] & belowLost[i]));
    lower[i] = static_cast<uint8_t>(roundedUp - lostHere);
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
  Image image(2 * kGe5Width, 2 * height);
  const auto sourceLine = [&file](int r) {
    return file.data() + kGe5HeaderBytes + kGe5LineBytes * static_cast<size_t>(r);
  };
  const auto outputLine = [&image](int y) { return reinterpret_cast<uint8_t*>(&image.At(0, y)); };
  if (mask) {
    for (int r = 0; r < height; ++r)
      DoubleMaskLine(sourceLine(r), &image.At(0, 2 * r), &image.At(0, 2 * r + 1));
    return image;
  }
  const Places places = PlacesOf(ReadPalette(file, height));
  const uint8_t* edges = RightEdges(acrossTiles);
  // Line x, the upper line of the source line below the picture, a tile's
  // last line with its own neighbours below, and the lost bits of two lines.
  Row placed{}, beyond{}, lastUpper{}, lastLost{};
  std::array<Row, 2> lost{};
  const auto upperLine = [&](int r, uint8_t* upper) {
    PlaceSourcePixels(sourceLine(r), places, placed.data());
    UpperLine(placed.data(), edges, upper, lost[static_cast<size_t>(r % 2)].data());
  };
  upperLine(0, outputLine(0));
  for (int r = 0; r < height; ++r) {
    uint8_t* upper = outputLine(2 * r);
    const uint8_t* upperLost = lost[static_cast<size_t>(r % 2)].data();
    uint8_t* next = r + 1 < height ? outputLine(2 * r + 2) : beyond.data();
    if (r % kTileLines != kTileLines - 1) {
      upperLine(r + 1, next);
      LowerLine(upper, upperLost, next, lost[static_cast<size_t>((r + 1) % 2)].data(),
                outputLine(2 * r + 1));
      continue;
    }
    // Below a tile's last line: d0 and d1 are a and b themselves, and dn is
    // n across tiles, b inside one.
    std::memcpy(lastUpper.data(), upper, kRowBytes);
    std::memcpy(lastLost.data(), upperLost, kRowBytes);
    for (size_t k = 0; !acrossTiles && k < kGe5LineBytes; ++k) {
      const size_t b = kGroupBytes * k + 2 * sizeof(Rgb), bn = b + sizeof(Rgb);
      std::memcpy(&lastUpper[bn], &upper[b], sizeof(Rgb));
      std::memset(&lastLost[bn], 0, sizeof(Rgb));
    }
    LowerLine(upper, upperLost, lastUpper.data(), lastLost.data(), outputLine(2 * r + 1));
    if (r + 1 < height) upperLine(r + 1, next);
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
