#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "gfx/ge5.h"
#include "support/temp_dir.h"
#include "view/golden.h"

namespace {

// A screen of scattered colour indices (a multiplicative hash of each byte's
// place), so that pixels meet neighbours of every colour, at every tile seam
// and edge too (a regular pattern let the smoothing's lost low bits of two
// lines be mixed up unseen); its palette uses every level of the three
// channels, with stray high bits in some entries.
std::vector<uint8_t> ScatteredGe5() {
  std::vector<uint8_t> file(kGe5MinimumBytes, 0);
  for (size_t i = 0; i < kGe5PaletteOffset - kGe5HeaderBytes; ++i) {
    file[kGe5HeaderBytes + i] = static_cast<uint8_t>((i * 2654435761u) >> 13);
  }
  for (int i = 0; i < 16; ++i) {
    file[kGe5PaletteOffset + 2 * i] = static_cast<uint8_t>(37 * i + 8);       // red << 4 | blue
    file[kGe5PaletteOffset + 2 * i + 1] = static_cast<uint8_t>(13 * i + 250);  // green
  }
  return file;
}

}  // namespace

// Sprite sheets are 24 lines high and paint colour 0 black; doubling smooths
// across tiles for sprites and within each tile for patterns.
TEST(Ge5Decode, PicturesOfAScatteredScreen) {
  const std::vector<uint8_t> file = ScatteredGe5();
  EXPECT_TRUE(MatchesGolden(DecodeGe5(file, false, 212), "ge5_screen.png"));
  EXPECT_TRUE(MatchesGolden(DecodeGe5Double(file, false, 128, false), "ge5_patterns_double.png"));
  EXPECT_TRUE(MatchesGolden(DecodeGe5Double(file, false, 24, true), "ge5_sprites_double.png"));
}

TEST(Ge5Decode, UnusableInputAndFiles) {
  const std::vector<uint8_t> file = ScatteredGe5();
  const std::vector<uint8_t> shortFile(file.begin(), file.end() - 1);
  const std::pair<std::vector<uint8_t>, int> unusable[] = {{shortFile, 128}, {file, 0}, {file, 213}};
  for (const auto& [bytes, height] : unusable) {
    EXPECT_TRUE(DecodeGe5(bytes, false, height).Empty()) << height;
    EXPECT_TRUE(DecodeGe5Double(bytes, true, height, true).Empty()) << height;
  }
  EXPECT_EQ(DecodeGe5(file, false, 1).Height(), 1);
  TempDir dir;
  std::vector<uint8_t> longer = file;
  longer.resize(40000, 0xEE);
  WriteBytes(dir.Path("long.ge5"), longer);
  WriteBytes(dir.Path("short.ge5"), shortFile);
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadGe5File(dir.Path("long.ge5"), bytes, nullptr));
  EXPECT_EQ(bytes, file);  // nothing past the palette is read
  EXPECT_TRUE(MatchesGolden(LoadGe5(dir.Path("long.ge5"), true, 24), "ge5_mask.png"));
  EXPECT_TRUE(MatchesGolden(LoadGe5Double(dir.Path("long.ge5"), true, 24, true), "ge5_mask_double.png"));
  const std::tuple<std::string, int, std::string> rows[] = {
      {"short.ge5", 24, "is too short for a GE5 picture (30375 bytes at least)"},
      {"absent.ge5", 24, "cannot be opened"},
      {"absent.ge5", 213, "height must be 1 to 212 lines"}};
  for (const auto& [name, height, expected] : rows) {
    std::string reason;
    std::string doubled;
    EXPECT_TRUE(LoadGe5(dir.Path(name), false, height, &reason).Empty()) << name << " " << height;
    EXPECT_TRUE(LoadGe5Double(dir.Path(name), false, height, true, &doubled).Empty()) << name << " " << height;
    EXPECT_EQ(reason, expected) << name << " " << height;
    EXPECT_EQ(doubled, expected) << name << " " << height;
  }
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
}
