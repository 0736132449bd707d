#include "ge5_png.h"

#include <gtest/gtest.h>

#include <random>

#include "gfx/png_io.h"
#include "support/paletted_png.h"
#include "support/temp_dir.h"

namespace {

std::vector<uint8_t> ScatteredIndices(int width, int height, int colours, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> indices(static_cast<size_t>(width) * height);
  for (uint8_t& index : indices) index = static_cast<uint8_t>(random() % colours);
  return indices;
}

std::vector<Rgb> DistinctPalette(int size) {
  std::vector<Rgb> palette;
  for (int i = 0; i < size; ++i)
    palette.push_back({static_cast<uint8_t>(i * 16), static_cast<uint8_t>(250 - i * 9),
                       static_cast<uint8_t>((i * 77) % 256)});
  return palette;
}

Rgb Rounded(Rgb c) {
  return {MsxLevel(NearestMsxComponent(c.r)), MsxLevel(NearestMsxComponent(c.g)),
          MsxLevel(NearestMsxComponent(c.b))};
}

}  // namespace

TEST(Ge5Png, PalettedPngRoundTripsThroughGe5) {
  TempDir dir;
  for (int depth : {4, 8}) {
    const int height = 40;
    const std::vector<Rgb> palette = DistinctPalette(16);
    const std::vector<uint8_t> indices = ScatteredIndices(256, height, 16, static_cast<unsigned>(depth));
    const std::string path = dir.Path("art" + std::to_string(depth) + ".png");
    WriteBytes(path, PalettedPng(256, height, palette, indices, depth));

    Ge5Picture picture;
    std::string error;
    ASSERT_TRUE(ReadGe5PictureFromPng(path, picture, &error)) << error;
    EXPECT_EQ(picture.lines, height);
    EXPECT_EQ(picture.indices, indices);
    const std::vector<uint8_t> file = EncodeGe5(picture);
    const Image image = DecodeGe5(file, false, height);
    const Image mask = DecodeGe5(file, true, height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < 256; ++x) {
        const uint8_t index = indices[static_cast<size_t>(y) * 256 + x];
        ASSERT_EQ(image.At(x, y), Rounded(palette[index])) << x << "," << y;
        ASSERT_EQ(mask.At(x, y), index == 0 ? (Rgb{255, 255, 255}) : (Rgb{0, 0, 0}));
      }
  }

  // A short palette is filled up with black; a full-height picture is taken.
  const std::vector<Rgb> four = DistinctPalette(4);
  const std::vector<uint8_t> indices = ScatteredIndices(256, 212, 4, 9);
  WriteBytes(dir.Path("four.png"), PalettedPng(256, 212, four, indices));
  Ge5Picture picture;
  std::string error;
  ASSERT_TRUE(ReadGe5PictureFromPng(dir.Path("four.png"), picture, &error)) << error;
  EXPECT_EQ(picture.palette[3], four[3]);
  EXPECT_EQ(picture.palette[4], (Rgb{0, 0, 0}));
  EXPECT_EQ(picture.palette[15], (Rgb{0, 0, 0}));
  EXPECT_EQ(picture.lines, 212);
  EXPECT_EQ(picture.indices, indices);
}

TEST(Ge5Png, EmptyDataChunksChangeNothing) {
  // Found by the fuzzer: an empty first IDAT chunk made stb copy from a null
  // pointer (undefined behaviour, caught by the sanitizer build).
  const std::vector<Rgb> palette = DistinctPalette(5);
  const std::vector<uint8_t> indices = ScatteredIndices(256, 12, 5, 11);
  const std::vector<uint8_t> plain = PalettedPng(256, 12, palette, indices, 8);
  const size_t firstData = 8 + 25 + 12 + 3 * palette.size();  // signature, IHDR, PLTE
  ASSERT_EQ(std::string(plain.begin() + firstData + 4, plain.begin() + firstData + 8), "IDAT");
  const std::vector<uint8_t> empty = PngChunk("IDAT", {});
  std::vector<uint8_t> padded = plain;
  padded.insert(padded.end() - 12, empty.begin(), empty.end());  // before IEND
  padded.insert(padded.begin() + firstData, empty.begin(), empty.end());
  padded.insert(padded.begin() + firstData, empty.begin(), empty.end());

  Ge5Picture expected, picture;
  std::string error;
  ASSERT_TRUE(Ge5PictureFromPng(plain, expected, &error)) << error;
  ASSERT_TRUE(Ge5PictureFromPng(padded, picture, &error)) << error;
  EXPECT_EQ(picture.indices, indices);
  EXPECT_EQ(picture.palette, expected.palette);
  EXPECT_EQ(picture.lines, 12);
  // Only empty ones go: a picture whose data is all in empty chunks has none.
  std::vector<uint8_t> hollow(plain.begin(), plain.begin() + firstData);
  hollow.insert(hollow.end(), empty.begin(), empty.end());
  hollow.insert(hollow.end(), plain.end() - 12, plain.end());
  EXPECT_FALSE(Ge5PictureFromPng(hollow, picture, &error));
}

TEST(Ge5Png, ChunksMustFitTheFile) {
  // Found by the fuzzer: a chunk whose length runs past the end of a 3 KB
  // file made stb ask for a 2 GB buffer before it found the data missing.
  const std::vector<Rgb> palette = DistinctPalette(3);
  const std::vector<uint8_t> plain = PalettedPng(256, 4, palette, ScatteredIndices(256, 4, 3, 2), 8);
  const size_t firstData = 8 + 25 + 12 + 3 * palette.size();
  Ge5Picture picture;
  std::string error;
  std::vector<uint8_t> bloated = plain;
  bloated[firstData] = 0x7F;  // IDAT length 0x7Fxxxxxx
  EXPECT_FALSE(Ge5PictureFromPng(bloated, picture, &error));
  EXPECT_NE(error.find("damaged"), std::string::npos) << error;
  // Found next: a file that ends inside a chunk's header (here, an IDAT
  // without its CRC) read as an empty IDAT, with the same null copy as above.
  std::vector<uint8_t> cut(plain.begin(), plain.begin() + firstData + 8);
  EXPECT_FALSE(Ge5PictureFromPng(cut, picture, &error));
  EXPECT_NE(error.find("damaged"), std::string::npos) << error;
  // Whatever follows IEND is not looked at.
  std::vector<uint8_t> trailed = plain;
  trailed.insert(trailed.end(), {0x7F, 0xFF, 0xFF, 0xFF, 'j', 'u', 'n', 'k', 1, 2, 3, 4, 5});
  EXPECT_TRUE(Ge5PictureFromPng(trailed, picture, &error)) << error;
  EXPECT_EQ(picture.lines, 4);
}

TEST(Ge5Png, PicturesItCannotTakeAreRefusedWithAReason) {
  TempDir dir;
  auto refusal = [&](const std::string& name, const std::vector<uint8_t>& bytes) {
    WriteBytes(dir.Path(name), bytes);
    Ge5Picture picture;
    std::string error;
    EXPECT_FALSE(ReadGe5PictureFromPng(dir.Path(name), picture, &error)) << name;
    return error;
  };
  const std::vector<Rgb> palette = DistinctPalette(16);
  EXPECT_NE(refusal("narrow.png", PalettedPng(255, 10, palette, ScatteredIndices(255, 10, 16, 1)))
                .find("255 pixels wide"),
            std::string::npos);
  EXPECT_NE(refusal("tall.png", PalettedPng(256, 213, palette, ScatteredIndices(256, 213, 16, 1)))
                .find("213 lines"),
            std::string::npos);
  EXPECT_NE(refusal("seventeen.png", PalettedPng(256, 8, DistinctPalette(17), ScatteredIndices(256, 8, 17, 1)))
                .find("17 palette entries"),
            std::string::npos);
  std::vector<Rgb> twins = DistinctPalette(8);
  twins[5] = twins[0];
  EXPECT_NE(refusal("twins.png", PalettedPng(256, 8, twins, ScatteredIndices(256, 8, 8, 1)))
                .find("entries 0 and 5"),
            std::string::npos);
  EXPECT_NE(refusal("garbage.png", std::vector<uint8_t>(500, 0x42)).find("not a PNG"), std::string::npos);
  EXPECT_NE(refusal("empty.png", {}).find("not a PNG"), std::string::npos);
  std::vector<uint8_t> cut = PalettedPng(256, 16, palette, ScatteredIndices(256, 16, 16, 2));
  cut.resize(cut.size() / 2);
  EXPECT_FALSE(refusal("cut.png", cut).empty());

  // An RGB picture of the right size is not paletted.
  Image rgb(256, 16, {10, 20, 30});
  ASSERT_TRUE(WritePng(dir.Path("rgb.png"), rgb));
  Ge5Picture picture;
  std::string error;
  EXPECT_FALSE(ReadGe5PictureFromPng(dir.Path("rgb.png"), picture, &error));
  EXPECT_NE(error.find("paletted"), std::string::npos) << error;
  EXPECT_FALSE(ReadGe5PictureFromPng(dir.Path("absent.png"), picture, &error));
  EXPECT_NE(error.find("cannot be read"), std::string::npos) << error;

  // Random damage never crashes and never passes as a picture of another
  // size. (Few rounds: every PNG read sets up a 64 MiB buffer.)
  std::mt19937 random(4);
  const std::vector<uint8_t> good = PalettedPng(256, 24, palette, ScatteredIndices(256, 24, 16, 3), 4);
  for (int round = 0; round < 24; ++round) {
    std::vector<uint8_t> bytes = good;
    for (int hits = 0; hits < 4; ++hits) bytes[random() % bytes.size()] = static_cast<uint8_t>(random());
    WriteBytes(dir.Path("damaged.png"), bytes);
    if (ReadGe5PictureFromPng(dir.Path("damaged.png"), picture, &error)) {
      EXPECT_EQ(picture.lines, 24);
      EXPECT_EQ(picture.indices.size(), 256u * 24u);
    }
  }
}

TEST(Ge5Png, DecodedSheetsWriteAsPng) {
  TempDir dir;
  Ge5Picture picture;
  picture.lines = 24;
  picture.indices = ScatteredIndices(256, 24, 16, 5);
  for (int i = 0; i < 16; ++i)
    picture.palette[i] = {MsxLevel(i % 8), MsxLevel(i / 2), MsxLevel(7 - i % 8)};
  const Image sheet = DecodeGe5Double(EncodeGe5(picture), false, 24, true);
  ASSERT_TRUE(WritePng(dir.Path("sheet.png"), sheet));
  Image back;
  std::string error;
  ASSERT_TRUE(ReadPng(dir.Path("sheet.png"), back, &error)) << error;
  EXPECT_EQ(back, sheet);
}
