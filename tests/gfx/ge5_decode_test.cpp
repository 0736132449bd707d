#include <gtest/gtest.h>

#include <tuple>

#include "gfx/ge5.h"
#include "support/temp_dir.h"

namespace {

constexpr Rgb K{0, 0, 0};
constexpr Rgb W{255, 255, 255};
constexpr Rgb R{255, 0, 0};
constexpr Rgb G{0, 255, 0};
constexpr Rgb B{0, 0, 255};

// File bytes made by hand: a 7-byte header, lines of 128 bytes (the left
// pixel in the high nibble), at 30343 the palette (red << 4 | blue, green).
void SetPixel(std::vector<uint8_t>& file, int line, int x, int index) {
  uint8_t& byte = file[7 + 128 * line + x / 2];
  byte = x % 2 ? static_cast<uint8_t>((byte & 0xF0) | index) : static_cast<uint8_t>((byte & 0x0F) | index << 4);
}
void SetPalette(std::vector<uint8_t>& file, int i, uint8_t redBlue, uint8_t green) {
  file[30343 + 2 * i] = redBlue;
  file[30343 + 2 * i + 1] = green;
}

// 30375 bytes, the least a decoder takes: palette 1 red, 2 green, 3 blue, 4 white, 0 as given.
std::vector<uint8_t> PrimaryGe5(uint8_t zeroRedBlue = 0, uint8_t zeroGreen = 0) {
  std::vector<uint8_t> file(30375, 0);
  const uint8_t entries[] = {zeroRedBlue, zeroGreen, 0x70, 0, 0x00, 7, 0x07, 0, 0x77, 7};
  std::copy(std::begin(entries), std::end(entries), file.begin() + 30343);
  return file;
}

struct Px {
  int line, x, index;
};

}  // namespace

TEST(Ge5Decode, PaletteNibblesColourZeroAndMask) {
  const struct {
    uint8_t redBlue, green;
    Rgb colour;
  } palette[] = {
      {0x77, 0x07, W},
      {0x70, 0x00, R},
      {0x11, 0x01, {47, 47, 47}},
      {0x25, 0x06, {79, 207, 175}},
      {0x34, 0x03, {111, 111, 143}},
      {0x00, 0x05, {0, 175, 0}},
      {0xF8, 0x0A, {255, 79, 0}},  // only the low three bits count
      {0x00, 0xF3, {0, 111, 0}},
  };
  for (const auto& row : palette) {
    std::vector<uint8_t> file = PrimaryGe5();
    SetPalette(file, 9, row.redBlue, row.green);
    SetPixel(file, 0, 1, 9);
    const Image image = DecodeGe5(file, false, 128);
    ASSERT_EQ(image.Width(), 256);
    EXPECT_EQ(image.At(1, 0), row.colour) << int{row.redBlue} << " " << int{row.green};
  }
  std::vector<uint8_t> file = PrimaryGe5(0x13, 0x02);  // colour 0: 47, 79, 111
  file[7 + 128 * 5 + 10] = 0x34;                       // pixels 20 and 21 of line 5
  file[7 + 128 * 211 + 127] = 0x21;                    // the last two pixels of the last line
  const Rgb zero{47, 79, 111};
  const struct {
    int height;
    bool mask;
    Rgb at20, at21, at19, above;
  } rows[] = {
      {212, false, B, W, zero, zero},
      {23, false, B, W, zero, zero},
      {25, false, B, W, zero, zero},
      {24, false, B, W, K, K},  // sprite sheets: colour 0 black
      {24, true, K, K, W, W},
  };
  for (const auto& row : rows) {
    const Image image = DecodeGe5(file, row.mask, row.height);
    ASSERT_EQ(image.Height(), row.height);
    const Rgb seen[] = {image.At(20, 5), image.At(21, 5), image.At(19, 5), image.At(20, 4)};
    EXPECT_EQ(std::vector<Rgb>(seen, seen + 4), (std::vector<Rgb>{row.at20, row.at21, row.at19, row.above}))
        << row.height << row.mask;
  }
  EXPECT_EQ(DecodeGe5(file, false, 212).At(254, 211), G);
  EXPECT_EQ(DecodeGe5(file, false, 212).At(255, 211), R);
  EXPECT_EQ(DecodeGe5Double(file, false, 24, true).At(0, 0), K);
  EXPECT_EQ(DecodeGe5Double(file, false, 128, false).At(0, 0), zero);
}

// The 4 x 2 output pixels of one source byte at twice the size.
TEST(Ge5Decode, DoubleSizeOutputOfOneByte) {
  const struct {
    const char* situation;
    int height;
    bool mask;
    int across;  // 2: either way
    std::vector<Px> pixels;
    int x, y;
    Rgb top[4], bottom[4];
  } rows[] = {
      {"interior", 128, false, 2, {{4, 20, 1}, {4, 21, 2}, {4, 22, 3}, {5, 20, 4}, {5, 22, 4}}, 40, 8,
       {R, {127, 127, 0}, G, {0, 127, 127}}, {{255, 127, 127}, {191, 191, 127}, {127, 255, 127}, {127, 191, 191}}},
      {"last column of a tile", 128, false, 0, {{2, 14, 1}, {2, 15, 2}, {2, 16, 3}, {3, 15, 4}, {3, 16, 3}}, 28, 4,
       {R, {127, 127, 0}, G, G}, {{255, 127, 127}, {191, 191, 127}, {127, 255, 127}, {127, 255, 127}}},
      {"tile seam across", 128, false, 1, {{2, 14, 1}, {2, 15, 2}, {2, 16, 3}, {3, 15, 4}, {3, 16, 3}}, 28, 4,
       {R, {127, 127, 0}, G, {0, 127, 127}}, {{255, 127, 127}, {191, 191, 127}, {127, 255, 127}, {63, 127, 191}}},
      {"last line of a tile row", 128, false, 0, {{15, 4, 1}, {15, 5, 2}, {15, 6, 3}, {16, 4, 4}, {16, 5, 4}, {16, 6, 4}}, 8, 30,
       {R, {127, 127, 0}, G, {0, 127, 127}}, {R, {127, 127, 0}, G, {0, 191, 63}}},
      {"last line across", 128, false, 1, {{15, 4, 1}, {15, 5, 2}, {15, 6, 3}, {16, 4, 4}, {16, 5, 4}, {16, 6, 4}}, 8, 30,
       {R, {127, 127, 0}, G, {0, 127, 127}}, {R, {127, 127, 0}, G, {0, 127, 127}}},
      {"corner of a tile", 128, false, 0, {{15, 14, 1}, {15, 15, 2}, {15, 16, 3}, {16, 15, 4}}, 28, 30,
       {R, {127, 127, 0}, G, G}, {R, {127, 127, 0}, G, G}},
      {"corner across", 128, false, 1, {{15, 14, 1}, {15, 15, 2}, {15, 16, 3}, {16, 15, 4}}, 28, 30,
       {R, {127, 127, 0}, G, {0, 127, 127}}, {R, {127, 127, 0}, G, {0, 127, 127}}},
      {"right edge", 128, false, 2, {{0, 254, 1}, {0, 255, 2}, {1, 254, 3}, {1, 255, 4}, {1, 0, 1}, {0, 0, 3}}, 508, 0,
       {R, {127, 127, 0}, G, G}, {{127, 0, 127}, {127, 127, 127}, {127, 255, 127}, {127, 255, 127}}},
      {"sprite line 23 mixes with line 24", 24, false, 1, {{23, 0, 1}, {23, 1, 1}, {23, 2, 1}, {24, 0, 3}, {24, 1, 3}, {24, 2, 3}}, 0, 46,
       {R, R, R, R}, {{127, 0, 127}, {127, 0, 127}, {127, 0, 127}, {127, 0, 127}}},
      {"sprite colour 0 is black", 24, false, 1, {{0, 1, 4}, {1, 0, 4}}, 0, 0,
       {K, {127, 127, 127}, W, {127, 127, 127}}, {{127, 127, 127}, {127, 127, 127}, {127, 127, 127}, {63, 63, 63}}},
      {"mask: no smoothing", 24, true, 1, {{0, 1, 4}, {1, 0, 4}, {0, 2, 0}}, 0, 0, {W, W, K, K}, {W, W, K, K}},
      {"mask at the right edge", 24, true, 1, {{0, 255, 4}}, 508, 0, {W, W, K, K}, {W, W, K, K}},
  };
  for (const auto& row : rows) {
    std::vector<uint8_t> file = PrimaryGe5(0x77, 7);  // colour 0 white unless a sprite
    for (const Px& p : row.pixels) SetPixel(file, p.line, p.x, p.index);
    for (int across = 0; across < 2; ++across) {
      if (row.across != 2 && across != row.across) continue;
      const Image image = DecodeGe5Double(file, row.mask, row.height, across);
      ASSERT_EQ(image.Width(), 512);
      ASSERT_EQ(image.Height(), 2 * row.height);
      for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(image.At(row.x + i, row.y), row.top[i]) << row.situation << ", top " << i;
        EXPECT_EQ(image.At(row.x + i, row.y + 1), row.bottom[i]) << row.situation << ", bottom " << i;
      }
    }
  }
}

TEST(Ge5Decode, UnusableInputAndFiles) {
  std::vector<uint8_t> file = PrimaryGe5();
  SetPixel(file, 211, 255, 3);
  std::vector<uint8_t> longer = file;
  longer.resize(40000, 0xEE);
  const std::vector<uint8_t> shortFile(file.begin(), file.end() - 1);
  using Case = std::pair<std::vector<uint8_t>, int>;
  const Case unusable[] = {{{}, 24}, {shortFile, 128}, {file, 0}, {file, -1}, {file, 213}};
  for (const auto& [bytes, height] : unusable) {
    EXPECT_TRUE(DecodeGe5(bytes, false, height).Empty()) << height;
    EXPECT_TRUE(DecodeGe5Double(bytes, true, height, true).Empty()) << height;
  }
  EXPECT_EQ(DecodeGe5(file, false, 1).Height(), 1);
  TempDir dir;
  WriteBytes(dir.Path("long.ge5"), longer);
  WriteBytes(dir.Path("short.ge5"), shortFile);
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadGe5File(dir.Path("long.ge5"), bytes, nullptr));
  EXPECT_EQ(bytes, file);  // nothing past the palette is read
  EXPECT_EQ(LoadGe5(dir.Path("long.ge5"), true, 212).At(255, 211), K);
  EXPECT_EQ(LoadGe5Double(dir.Path("long.ge5"), false, 1, true).Height(), 2);  // one line is a height
  EXPECT_EQ(LoadGe5Double(dir.Path("long.ge5"), false, 212, false).At(511, 422), B);
  const std::tuple<std::string, int, std::string> rows[] = {
      {"short.ge5", 24, "is too short for a GE5 picture (30375 bytes at least)"},
      {"absent.ge5", 24, "cannot be opened"},
      {"absent.ge5", 213, "height must be 1 to 212 lines"},
      {"long.ge5", 0, "height must be 1 to 212 lines"}};
  for (const auto& [name, height, expected] : rows) {
    std::string reason;
    std::string doubled;
    EXPECT_TRUE(LoadGe5(dir.Path(name), false, height, &reason).Empty()) << name << " " << height;
    EXPECT_TRUE(LoadGe5Double(dir.Path(name), false, height, true, &doubled).Empty()) << name << " " << height;
    EXPECT_EQ(reason, expected) << name << " " << height;
    EXPECT_EQ(doubled, expected) << name << " " << height;
  }
  EXPECT_FALSE(ReadGe5File(dir.Path("short.ge5"), bytes, nullptr));
  EXPECT_TRUE(bytes.empty());
}

TEST(Ge5Encode, BytesOfATinyPicture) {
  Ge5Picture picture;
  picture.lines = 2;
  picture.indices.assign(256 * 2, 0);
  picture.indices[0] = 1;
  picture.indices[1] = 0x12;  // only the low nibble counts
  picture.indices[510] = 5;
  picture.indices[511] = 6;
  // Channels to the nearest level, a tie to the lower one: 0 0 1 1 2 6 7 7.
  const uint8_t channels[] = {0, 23, 24, 63, 64, 231, 232, 255};
  for (int i = 0; i < 8; ++i) picture.palette[i] = {channels[i], channels[7 - i], channels[i]};
  const std::vector<uint8_t> file = EncodeGe5(picture);
  ASSERT_EQ(file.size(), 30375u);
  EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 9),
            (std::vector<uint8_t>{0xFE, 0x00, 0x00, 0x9F, 0x76, 0x00, 0x00, 0x12, 0x00}));
  for (size_t i = 9; i < 30343; ++i) ASSERT_EQ(file[i], i == 7 + 128 + 127 ? 0x56 : 0) << i;
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + 30343, file.begin() + 30343 + 16),
            (std::vector<uint8_t>{0x00, 7, 0x00, 7, 0x11, 6, 0x11, 2, 0x22, 1, 0x66, 1, 0x77, 0, 0x77, 0}));
  EXPECT_EQ(MsxLevel(7), 255);
  EXPECT_EQ(MsxLevel(9), 47);
}
