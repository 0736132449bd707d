#include <gtest/gtest.h>

#include <random>

#include "gfx/ge5.h"
#include "gfx/ge5_test_files.h"
#include "support/temp_dir.h"

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

Rgb Avg(Rgb a, Rgb b) {
  return {static_cast<uint8_t>((a.r + b.r) / 2), static_cast<uint8_t>((a.g + b.g) / 2),
          static_cast<uint8_t>((a.b + b.b) / 2)};
}

Rgb Avg(Rgb a, Rgb b, Rgb c, Rgb d) {
  return {static_cast<uint8_t>((a.r + b.r + c.r + d.r) / 4),
          static_cast<uint8_t>((a.g + b.g + c.g + d.g) / 4),
          static_cast<uint8_t>((a.b + b.b + c.b + d.b) / 4)};
}

// A file whose palette gives every index its own colour and whose pixels
// are scattered indices, colour 0 included.
std::vector<uint8_t> ScatteredGe5(unsigned seed) {
  std::vector<uint8_t> file = BlankGe5();
  std::mt19937 random(seed);
  for (size_t i = kGe5HeaderBytes; i < kGe5PaletteOffset; ++i) file[i] = static_cast<uint8_t>(random());
  for (int i = 0; i < 16; ++i) SetGe5Colour(file, i, i % 8, (i * 3) % 8, 7 - i % 8);
  return file;
}

}  // namespace

TEST(Ge5Decode, PaletteBytesBecomeMsxLevels) {
  std::vector<uint8_t> file = BlankGe5();
  SetGe5PaletteBytes(file, 1, 0x77, 0x07);
  SetGe5PaletteBytes(file, 2, 0x00, 0x00);
  SetGe5PaletteBytes(file, 3, 0x70, 0x00);
  SetGe5PaletteBytes(file, 4, 0x11, 0x01);
  // Components above 7 use their low three bits; the green byte's high
  // nibble is not part of the colour.
  SetGe5PaletteBytes(file, 5, 0xF8, 0x0A);
  SetGe5PaletteBytes(file, 6, 0x00, 0xF3);
  for (int i = 0; i < 8; ++i) SetGe5Colour(file, 8 + i, i, i, i);
  for (int i = 0; i < 16; ++i) SetGe5Pixel(file, 3, 2 * i, i);

  const Image image = DecodeGe5(file, false, 128);
  ASSERT_EQ(image.Width(), 256);
  ASSERT_EQ(image.Height(), 128);
  EXPECT_EQ(image.At(2, 3), kWhite);
  EXPECT_EQ(image.At(4, 3), kBlack);
  EXPECT_EQ(image.At(6, 3), (Rgb{255, 0, 0}));
  EXPECT_EQ(image.At(8, 3), (Rgb{47, 47, 47}));
  EXPECT_EQ(image.At(10, 3), (Rgb{255, 79, 0}));
  EXPECT_EQ(image.At(12, 3), (Rgb{0, 111, 0}));
  const uint8_t levels[8] = {0, 47, 79, 111, 143, 175, 207, 255};
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(image.At(2 * (8 + i), 3), (Rgb{levels[i], levels[i], levels[i]})) << "component " << i;
}

TEST(Ge5Decode, PixelsComeFromTheirNibblesAndLines) {
  std::vector<uint8_t> file = BlankGe5();
  for (int i = 0; i < 16; ++i) SetGe5Colour(file, i, i % 8, i / 8, 0);
  // Byte 10 of line 5: high nibble pixel 20, low nibble pixel 21.
  file[kGe5HeaderBytes + 5 * kGe5LineBytes + 10] = 0x3C;
  // The last byte of the last line.
  file[kGe5HeaderBytes + 211 * kGe5LineBytes + 127] = 0x9F;

  const Image image = DecodeGe5(file, false, 212);
  ASSERT_EQ(image.Height(), 212);
  EXPECT_EQ(image.At(20, 5), MsxColour(3, 0, 0));
  EXPECT_EQ(image.At(21, 5), MsxColour(4, 1, 0));
  EXPECT_EQ(image.At(19, 5), MsxColour(0, 0, 0));
  EXPECT_EQ(image.At(20, 4), MsxColour(0, 0, 0));
  EXPECT_EQ(image.At(254, 211), MsxColour(1, 1, 0));
  EXPECT_EQ(image.At(255, 211), MsxColour(7, 1, 0));

  const Image doubled = DecodeGe5Double(file, false, 212, true);
  ASSERT_EQ(doubled.Width(), 512);
  ASSERT_EQ(doubled.Height(), 424);
  EXPECT_EQ(doubled.At(40, 10), MsxColour(3, 0, 0));
  EXPECT_EQ(doubled.At(42, 10), MsxColour(4, 1, 0));
}

TEST(Ge5Decode, ColourZeroIsBlackOnlyInSpriteSheets) {
  std::vector<uint8_t> file = BlankGe5();
  SetGe5Colour(file, 0, 5, 6, 7);
  SetGe5Colour(file, 1, 7, 7, 7);  // white, but not colour 0
  FillGe5(file, 0, 212, 128, 255, 1);
  const Rgb zero = MsxColour(5, 6, 7);

  // Sprites: black colour 0 in both colour sheets, white in both masks.
  const Image sprite = DecodeGe5(file, false, 24);
  const Image spriteDouble = DecodeGe5Double(file, false, 24, true);
  const Image mask = DecodeGe5(file, true, 24);
  const Image maskDouble = DecodeGe5Double(file, true, 24, true);
  EXPECT_EQ(sprite.At(0, 0), kBlack);
  EXPECT_EQ(sprite.At(127, 23), kBlack);
  EXPECT_EQ(sprite.At(128, 0), kWhite);
  EXPECT_EQ(spriteDouble.At(0, 0), kBlack);
  EXPECT_EQ(spriteDouble.At(100, 47), kBlack);
  EXPECT_EQ(mask.At(0, 0), kWhite);
  EXPECT_EQ(mask.At(128, 0), kBlack);  // palette white, mask black all the same
  EXPECT_EQ(maskDouble.At(0, 0), kWhite);
  EXPECT_EQ(maskDouble.At(300, 47), kBlack);

  // Patterns, and any other height than exactly 24, keep the palette's colour.
  for (int height : {128, 23, 25, 1, 212}) {
    EXPECT_EQ(DecodeGe5(file, false, height).At(0, 0), zero) << height;
    EXPECT_EQ(DecodeGe5Double(file, false, height, false).At(0, 0), zero) << height;
    EXPECT_EQ(DecodeGe5(file, true, height).At(0, 0), kWhite) << height;
  }
}

TEST(Ge5Decode, MaskIgnoresThePalette) {
  std::vector<uint8_t> file = ScatteredGe5(7);
  for (int i = 0; i < 16; ++i) SetGe5Colour(file, i, 7, 7, 7);
  const Image mask = DecodeGe5(file, true, 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 256; ++x) {
      const uint8_t byte = file[kGe5HeaderBytes + kGe5LineBytes * y + x / 2];
      const int index = x % 2 == 0 ? byte >> 4 : byte & 0x0F;
      ASSERT_EQ(mask.At(x, y), index == 0 ? kWhite : kBlack) << x << "," << y;
    }
}

TEST(Ge5Decode, UniformAreaStaysUniformWhenDoubled) {
  std::vector<uint8_t> file = BlankGe5();
  SetGe5Colour(file, 6, 3, 5, 2);
  FillGe5(file, 0, 212, 0, 255, 6);
  for (bool across : {false, true})
    for (int height : {24, 128, 212}) {
      const Image image = DecodeGe5Double(file, false, height, across);
      ASSERT_EQ(image.Height(), 2 * height);
      for (const Rgb& pixel : image.Pixels()) ASSERT_EQ(pixel, MsxColour(3, 5, 2)) << height;
    }
}

TEST(Ge5Decode, TileSeamBlendsOnlyAcrossTiles) {
  std::vector<uint8_t> file = BlankGe5();
  SetGe5Colour(file, 1, 7, 0, 0);
  SetGe5Colour(file, 2, 0, 0, 7);
  FillGe5(file, 0, 212, 0, 15, 1);
  FillGe5(file, 0, 212, 16, 255, 2);
  const Rgb red{255, 0, 0}, blue{0, 0, 255};

  const Image pattern = DecodeGe5Double(file, false, 128, false);
  for (int y = 0; y < pattern.Height(); ++y)
    for (int x = 0; x < pattern.Width(); ++x)
      ASSERT_EQ(pattern.At(x, y), x < 32 ? red : blue) << x << "," << y;

  const Image sprite = DecodeGe5Double(file, false, 24, true);
  for (int y = 0; y < sprite.Height(); ++y) {
    EXPECT_EQ(sprite.At(31, y), (Rgb{127, 0, 127})) << y;
    EXPECT_EQ(sprite.At(30, y), red) << y;
    EXPECT_EQ(sprite.At(32, y), blue) << y;
  }
}

TEST(Ge5Decode, DoubleMaskIsTheNormalMaskDoubled) {
  for (unsigned seed : {1u, 2u})
    for (int height : {24, 128, 212})
      for (bool across : {false, true}) {
        const std::vector<uint8_t> file = ScatteredGe5(seed);
        const Image mask = DecodeGe5(file, true, height);
        const Image doubled = DecodeGe5Double(file, true, height, across);
        ASSERT_EQ(doubled.Width(), 2 * mask.Width());
        ASSERT_EQ(doubled.Height(), 2 * mask.Height());
        for (int y = 0; y < doubled.Height(); ++y)
          for (int x = 0; x < doubled.Width(); ++x)
            ASSERT_EQ(doubled.At(x, y), mask.At(x / 2, y / 2)) << x << "," << y;
      }
}

// Byte k of line r with its neighbours given distinct colours: every output
// pixel of the byte follows the averaging table.
TEST(Ge5Decode, InteriorPixelsAverageTheirNeighbours) {
  std::vector<uint8_t> file = BlankGe5();
  for (int i = 0; i < 16; ++i) SetGe5Colour(file, i, i % 8, (i * 5) % 8, (i * 3) % 8);
  const int r = 4, k = 10;  // neither the last line nor the last column of a tile
  SetGe5Pixel(file, r, 2 * k, 1);          // A
  SetGe5Pixel(file, r, 2 * k + 1, 2);      // B
  SetGe5Pixel(file, r, 2 * k + 2, 3);      // N
  SetGe5Pixel(file, r + 1, 2 * k, 4);      // D0
  SetGe5Pixel(file, r + 1, 2 * k + 1, 5);  // D1
  SetGe5Pixel(file, r + 1, 2 * k + 2, 6);  // DN
  auto colour = [](int i) { return MsxColour(i % 8, (i * 5) % 8, (i * 3) % 8); };
  const Rgb a = colour(1), b = colour(2), n = colour(3), d0 = colour(4), d1 = colour(5), dn = colour(6);

  for (bool across : {false, true}) {
    const Image image = DecodeGe5Double(file, false, 128, across);
    const int x = 4 * k, y = 2 * r;
    EXPECT_EQ(image.At(x, y), a);
    EXPECT_EQ(image.At(x + 1, y), Avg(a, b));
    EXPECT_EQ(image.At(x + 2, y), b);
    EXPECT_EQ(image.At(x + 3, y), Avg(b, n));
    EXPECT_EQ(image.At(x, y + 1), Avg(a, d0));
    EXPECT_EQ(image.At(x + 1, y + 1), Avg(a, b, d0, d1));
    EXPECT_EQ(image.At(x + 2, y + 1), Avg(b, d1));
    EXPECT_EQ(image.At(x + 3, y + 1), Avg(b, n, d1, dn));
  }
  // Averages round down: 255 and 0 give 127, and four of 255, 255, 255, 0 give 191.
  EXPECT_EQ(Avg(kWhite, kBlack), (Rgb{127, 127, 127}));
}

TEST(Ge5Decode, TileAndImageEdgesLimitTheSmoothing) {
  std::vector<uint8_t> file = BlankGe5();
  SetGe5Colour(file, 1, 7, 7, 7);  // B: 255
  SetGe5Colour(file, 2, 0, 0, 0);  // N: 0
  SetGe5Colour(file, 3, 0, 4, 0);  // below the tile
  SetGe5Colour(file, 4, 2, 0, 5);
  SetGe5Colour(file, 5, 6, 1, 3);
  const Rgb white = kWhite, black = kBlack;

  // Last line of a tile row (r = 15), byte 2 (not a tile's last column).
  FillGe5(file, 15, 15, 4, 5, 1);
  SetGe5Pixel(file, 15, 6, 2);
  FillGe5(file, 16, 16, 0, 255, 3);
  {
    const Image pattern = DecodeGe5Double(file, false, 128, false);
    // (3B + N) / 4 rounded down, not (B + N) / 2; line 16 plays no part.
    EXPECT_EQ(pattern.At(11, 31), (Rgb{191, 191, 191}));
    EXPECT_EQ(pattern.At(11, 30), (Rgb{127, 127, 127}));
    EXPECT_EQ(pattern.At(8, 31), white);
    const Image sprite = DecodeGe5Double(file, false, 128, true);
    EXPECT_EQ(sprite.At(11, 31), Avg(white, black, white, black));
    EXPECT_EQ(sprite.At(8, 31), white);
  }

  // Last column of a tile (k = 7) inside a tile row: N and DN stay in the
  // tile unless smoothing runs across tiles.
  file = BlankGe5();
  for (int i = 1; i < 6; ++i) SetGe5Colour(file, i, i, 7 - i, (2 * i) % 8);
  SetGe5Pixel(file, 2, 14, 1);  // A
  SetGe5Pixel(file, 2, 15, 2);  // B
  SetGe5Pixel(file, 2, 16, 3);  // N across the seam
  SetGe5Pixel(file, 3, 15, 4);  // D1
  SetGe5Pixel(file, 3, 16, 5);  // DN across the seam
  auto c = [](int i) { return MsxColour(i, 7 - i, (2 * i) % 8); };
  {
    const Image pattern = DecodeGe5Double(file, false, 128, false);
    EXPECT_EQ(pattern.At(31, 4), c(2));
    EXPECT_EQ(pattern.At(31, 5), Avg(c(2), c(2), c(4), c(4)));
    const Image sprite = DecodeGe5Double(file, false, 128, true);
    EXPECT_EQ(sprite.At(31, 4), Avg(c(2), c(3)));
    EXPECT_EQ(sprite.At(31, 5), Avg(c(2), c(3), c(4), c(5)));
  }

  // The corner of a tile (k = 7, r = 15): with tiles kept apart the last
  // column's rule wins and the pixel is B itself; across tiles it mixes
  // with N only.
  file = BlankGe5();
  for (int i = 1; i < 6; ++i) SetGe5Colour(file, i, i, 7 - i, (2 * i) % 8);
  SetGe5Pixel(file, 15, 15, 2);
  SetGe5Pixel(file, 15, 16, 3);
  FillGe5(file, 16, 16, 0, 255, 5);
  {
    const Image pattern = DecodeGe5Double(file, false, 128, false);
    EXPECT_EQ(pattern.At(31, 31), c(2));
    const Image sprite = DecodeGe5Double(file, false, 128, true);
    EXPECT_EQ(sprite.At(31, 31), Avg(c(2), c(3), c(2), c(3)));
  }

  // The right edge of the image (k = 127): N is B, DN is D1, either way.
  file = BlankGe5();
  for (int i = 1; i < 6; ++i) SetGe5Colour(file, i, i, 7 - i, (2 * i) % 8);
  SetGe5Pixel(file, 0, 254, 1);
  SetGe5Pixel(file, 0, 255, 2);
  SetGe5Pixel(file, 1, 254, 3);
  SetGe5Pixel(file, 1, 255, 4);
  SetGe5Pixel(file, 1, 0, 5);  // the next line's first pixel must not be taken for DN
  for (bool across : {false, true}) {
    const Image image = DecodeGe5Double(file, false, 128, across);
    EXPECT_EQ(image.At(511, 0), c(2));
    EXPECT_EQ(image.At(511, 1), Avg(c(2), c(2), c(4), c(4)));
    EXPECT_EQ(image.At(509, 1), Avg(c(1), c(2), c(3), c(4)));
    EXPECT_EQ(image.At(508, 1), Avg(c(1), c(3)));
  }
}

TEST(Ge5Decode, SpriteLinesBlendAcrossLineSixteenNeverButIntoLineTwentyFour) {
  std::vector<uint8_t> file = BlankGe5();
  SetGe5Colour(file, 1, 7, 0, 0);
  SetGe5Colour(file, 2, 0, 7, 0);
  SetGe5Colour(file, 3, 0, 0, 7);
  SetGe5Colour(file, 4, 7, 7, 0);
  FillGe5(file, 0, 15, 0, 255, 1);
  FillGe5(file, 16, 23, 0, 255, 2);
  FillGe5(file, 24, 24, 0, 255, 3);  // below the sprite, still read for line 23
  FillGe5(file, 25, 212, 0, 255, 4);

  const Image sprite = DecodeGe5Double(file, false, 24, true);
  ASSERT_EQ(sprite.Height(), 48);
  for (int x = 0; x < 512; ++x) {
    EXPECT_EQ(sprite.At(x, 31), (Rgb{255, 0, 0})) << x;       // line 15 not blended with 16
    EXPECT_EQ(sprite.At(x, 32), (Rgb{0, 255, 0})) << x;
    EXPECT_EQ(sprite.At(x, 46), (Rgb{0, 255, 0})) << x;
    EXPECT_EQ(sprite.At(x, 47), (Rgb{0, 127, 127})) << x;     // line 23 with line 24
  }
}

TEST(Ge5Decode, UnusableInputGivesAnEmptyImage) {
  std::vector<uint8_t> file = ScatteredGe5(3);
  EXPECT_TRUE(DecodeGe5({}, false, 24).Empty());
  EXPECT_TRUE(DecodeGe5Double({}, true, 24, true).Empty());
  const std::vector<uint8_t> shortFile(file.begin(), file.end() - 1);
  EXPECT_TRUE(DecodeGe5(shortFile, false, 128).Empty());
  EXPECT_TRUE(DecodeGe5Double(shortFile, false, 128, false).Empty());
  EXPECT_TRUE(DecodeGe5(std::vector<uint8_t>(100, 0x11), false, 1).Empty());
  for (int height : {0, -1, 213, 100000}) {
    EXPECT_TRUE(DecodeGe5(file, false, height).Empty()) << height;
    EXPECT_TRUE(DecodeGe5Double(file, true, height, true).Empty()) << height;
  }
  EXPECT_EQ(DecodeGe5(file, false, 1).Height(), 1);

  // A longer file decodes just like its first 30375 bytes.
  std::vector<uint8_t> longer = file;
  longer.resize(65536, 0x5A);
  EXPECT_EQ(DecodeGe5(longer, false, 212), DecodeGe5(file, false, 212));
  EXPECT_EQ(DecodeGe5Double(longer, false, 212, false), DecodeGe5Double(file, false, 212, false));
}

TEST(Ge5Decode, FilesAreReadUpToThePalette) {
  TempDir dir;
  const std::vector<uint8_t> file = ScatteredGe5(5);
  std::vector<uint8_t> longer = file;
  longer.resize(40000, 0xEE);
  WriteBytes(dir.Path("exact.ge5"), file);
  WriteBytes(dir.Path("long.ge5"), longer);
  WriteBytes(dir.Path("short.ge5"), std::vector<uint8_t>(file.begin(), file.begin() + 30374));
  WriteBytes(dir.Path("empty.ge5"), {});

  std::vector<uint8_t> bytes;
  std::string reason;
  EXPECT_TRUE(ReadGe5File(dir.Path("long.ge5"), bytes, &reason));
  EXPECT_EQ(bytes, file);
  EXPECT_FALSE(ReadGe5File(dir.Path("short.ge5"), bytes, &reason));
  EXPECT_TRUE(bytes.empty());
  EXPECT_NE(reason.find("too short"), std::string::npos) << reason;
  EXPECT_FALSE(ReadGe5File(dir.Path("empty.ge5"), bytes, &reason));
  EXPECT_FALSE(ReadGe5File(dir.Path("absent.ge5"), bytes, &reason));
  EXPECT_NE(reason.find("cannot be opened"), std::string::npos) << reason;

  EXPECT_EQ(LoadGe5(dir.Path("exact.ge5"), false, 128), DecodeGe5(file, false, 128));
  EXPECT_EQ(LoadGe5(dir.Path("long.ge5"), true, 24), DecodeGe5(file, true, 24));
  EXPECT_EQ(LoadGe5Double(dir.Path("exact.ge5"), false, 24, true), DecodeGe5Double(file, false, 24, true));
  reason.clear();
  EXPECT_TRUE(LoadGe5(dir.Path("short.ge5"), false, 24, &reason).Empty());
  EXPECT_FALSE(reason.empty());
  reason.clear();
  EXPECT_TRUE(LoadGe5Double(dir.Path("absent.ge5"), false, 24, true, &reason).Empty());
  EXPECT_FALSE(reason.empty());
  reason.clear();
  EXPECT_TRUE(LoadGe5(dir.Path("exact.ge5"), false, 213, &reason).Empty());
  EXPECT_NE(reason.find("height"), std::string::npos) << reason;
}

TEST(Ge5Decode, EncodedPicturesDecodeToTheirPixels) {
  Ge5Picture picture;
  picture.lines = kGe5Lines;
  std::mt19937 random(11);
  picture.indices.resize(static_cast<size_t>(kGe5Width) * kGe5Lines);
  for (uint8_t& index : picture.indices) index = static_cast<uint8_t>(random() % 16);
  // Off-level colours come back as the nearest levels.
  for (int i = 0; i < 16; ++i)
    picture.palette[i] = {static_cast<uint8_t>(i * 17), static_cast<uint8_t>(255 - i * 13),
                          static_cast<uint8_t>((i * 71) % 256)};
  const std::vector<uint8_t> file = EncodeGe5(picture);
  ASSERT_EQ(file.size(), kGe5MinimumBytes);

  const Image image = DecodeGe5(file, false, kGe5Lines);
  const Image mask = DecodeGe5(file, true, kGe5Lines);
  for (int y = 0; y < kGe5Lines; ++y)
    for (int x = 0; x < kGe5Width; ++x) {
      const int index = picture.indices[static_cast<size_t>(y) * kGe5Width + x];
      const Rgb& c = picture.palette[index];
      const Rgb rounded{MsxLevel(NearestMsxComponent(c.r)), MsxLevel(NearestMsxComponent(c.g)),
                        MsxLevel(NearestMsxComponent(c.b))};
      ASSERT_EQ(image.At(x, y), rounded) << x << "," << y;
      ASSERT_EQ(mask.At(x, y), index == 0 ? kWhite : kBlack) << x << "," << y;
    }
  EXPECT_EQ(NearestMsxComponent(250), 7);
  EXPECT_EQ(NearestMsxComponent(60), 1);
  EXPECT_EQ(NearestMsxComponent(20), 0);
}
