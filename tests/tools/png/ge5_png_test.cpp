#include "ge5_png.h"

#include <gtest/gtest.h>

#include "gfx/png_io.h"
#include "support/paletted_png.h"
#include "support/temp_dir.h"

namespace {

using Bytes = std::vector<uint8_t>;
const std::vector<Rgb> kThree = {{10, 20, 30}, {200, 0, 5}, {0, 90, 255}};

Bytes Spliced(Bytes png, size_t at, const Bytes& insert, size_t drop = 0) {
  png.erase(png.begin() + at, png.begin() + at + drop);
  png.insert(png.begin() + at, insert.begin(), insert.end());
  return png;
}

}  // namespace

TEST(PngIo, IndexedPicturesAndWhatIsRefused) {
  const Bytes four = PalettedPng(4, 2, kThree, {0, 1, 2, 1, 2, 2, 0, 0});
  const size_t idat = 8 + 25 + 12 + 9;  // after the signature, IHDR and PLTE
  const Bytes emptyIdat = PngChunk("IDAT", {});
  const std::string notPaletted = "is not a paletted (indexed-colour) PNG picture";
  const std::string damaged = "is damaged (its last chunk runs past the end of the file)";
  Bytes badSignature = four, bloated = four;
  badSignature[1] = 'p';
  bloated[idat] = 0x7F;
  const struct {
    const char* situation;
    Bytes png;
    std::string error;  // empty: read as `four` is
    Bytes indices = {0, 1, 2, 1, 2, 2, 0, 0};
  } rows[] = {
      {"plain", four, ""},
      {"depth 4, odd width", PalettedPng(3, 2, kThree, {2, 1, 0, 0, 0, 1}, 4), "", {2, 1, 0, 0, 0, 1}},
      {"empty data chunks", Spliced(Spliced(four, four.size() - 12, emptyIdat), idat, emptyIdat), ""},
      {"bytes after the end", Spliced(four, four.size(), {0x7F, 0xFF, 0xFF, 0xFF, 'j', 'u', 'n', 'k', 1}), ""},
      {"bad signature", badSignature, notPaletted},
      {"no palette", EncodePng(Image(4, 2)), notPaletted},
      {"data before the palette", Spliced(four, 8 + 25, emptyIdat), notPaletted},
      {"palette of 4 bytes", Spliced(four, 8 + 25, PngChunk("PLTE", {1, 2, 3, 4}), 21), notPaletted},
      {"chunk past the end", Bytes(four.begin(), four.begin() + idat - 1), notPaletted},
      {"nothing after the palette", Bytes(four.begin(), four.begin() + idat), "is not a PNG picture"},
      {"data chunk too long", bloated, damaged},
      {"cut in a chunk header", Bytes(four.begin(), four.begin() + idat + 8), damaged},
      {"17 entries", PalettedPng(4, 1, std::vector<Rgb>(17, {1, 1, 1}), {0, 0, 0, 0}),
       "has 17 palette entries; 1 to 16 are allowed"},
      {"no entries", Spliced(four, 8 + 25, PngChunk("PLTE", {}), 21), "has 0 palette entries; 1 to 16 are allowed"},
      {"index past the palette", PalettedPng(4, 1, {{1, 2, 3}, {4, 5, 6}}, {0, 1, 5, 0}),
       "holds a colour that is not in its palette"},
  };
  for (const auto& row : rows) {
    IndexedPicture picture;
    std::string error;
    EXPECT_EQ(DecodeIndexedPng(row.png, picture, &error), row.error.empty()) << row.situation;
    EXPECT_EQ(error, row.error) << row.situation;
    if (!row.error.empty()) continue;
    EXPECT_EQ(picture.palette, kThree) << row.situation;
    EXPECT_EQ(picture.indices, row.indices) << row.situation;
    EXPECT_EQ(picture.height, 2) << row.situation;
  }

  std::vector<Rgb> sixteen;
  for (uint8_t i = 0; i < 16; ++i) sixteen.push_back({i, 0, 0});
  IndexedPicture full;
  EXPECT_TRUE(DecodeIndexedPng(PalettedPng(4, 1, sixteen, {15, 0, 0, 0}), full, nullptr));  // 16 entries are allowed
  EXPECT_EQ(full.indices, (Bytes{15, 0, 0, 0}));
  TempDir dir;
  IndexedPicture indexed;
  Image image(2, 2, {1, 2, 3}), back;
  image.At(1, 0) = {250, 128, 0};
  std::string error, rgbError;
  EXPECT_FALSE(ReadIndexedPng(dir.Path("absent.png"), indexed, &error) || ReadPng(dir.Path("absent.png"), back, &rgbError));
  EXPECT_EQ(error + "|" + rgbError, "cannot be read|cannot be read");
  EXPECT_FALSE(WritePng(dir.Path("empty.png"), Image()));
  ASSERT_TRUE(WritePng(dir.Path("rgb.png"), image));
  ASSERT_TRUE(ReadPng(dir.Path("rgb.png"), back, &error)) << error;
  EXPECT_EQ(back, image);
  WriteBytes(dir.Path("four.png"), four);
  ASSERT_TRUE(ReadIndexedPng(dir.Path("four.png"), indexed, &error)) << error;
  EXPECT_EQ(indexed.width * 10 + indexed.height, 42);
}

TEST(Ge5Png, PalettedArtworkBecomesAGe5Picture) {
  TempDir dir;
  Bytes indices(256 * 2, 0);
  indices[1] = 2;
  indices[511] = 1;
  std::vector<Rgb> twins = kThree;
  twins.push_back({10, 20, 30});
  const struct {
    const char* name;
    Bytes png;
    std::string error;
  } rows[] = {
      {"good.png", PalettedPng(256, 2, kThree, indices, 4), ""},
      {"narrow.png", PalettedPng(255, 1, kThree, Bytes(255, 0)), "is 255 pixels wide; a GE5 picture is 256"},
      {"tall.png", PalettedPng(256, 213, kThree, Bytes(256 * 213, 0)), "is 213 lines high; 1 to 212 are allowed"},
      {"twins.png", PalettedPng(256, 1, twins, Bytes(256, 0)),
       "has palette entries 0 and 3 of the same colour; each entry needs its own"},
      {"garbage.png", Bytes(500, 0x42), "is not a PNG picture"},
      {"empty.png", {}, "is not a PNG picture"},
  };
  for (const auto& row : rows) {
    WriteBytes(dir.Path(row.name), row.png);
    Ge5Picture picture;
    std::string error;
    EXPECT_EQ(ReadGe5PictureFromPng(dir.Path(row.name), picture, &error), row.error.empty()) << row.name;
    EXPECT_EQ(error, row.error) << row.name;
    if (!row.error.empty()) continue;
    EXPECT_EQ(picture.lines, 2);
    EXPECT_EQ(picture.indices, indices);
    EXPECT_EQ(picture.palette[2], (Rgb{0, 90, 255}));
    EXPECT_EQ(picture.palette[3], (Rgb{0, 0, 0}));  // a short palette is filled up with black
    EXPECT_EQ(picture.palette[15], (Rgb{0, 0, 0}));
  }
  Ge5Picture picture;
  std::string error;
  EXPECT_FALSE(ReadGe5PictureFromPng(dir.Path("absent.png"), picture, &error));
  EXPECT_EQ(error, "cannot be read");
}
