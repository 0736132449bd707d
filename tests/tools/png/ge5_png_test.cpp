#include "ge5_png.h"

#include <gtest/gtest.h>

#include "gfx/png_io.h"
#include "support/paletted_png.h"
#include "support/temp_dir.h"

namespace {

using Bytes = std::vector<uint8_t>;
const std::vector<Rgb> kThree = {{10, 20, 30}, {200, 0, 5}, {0, 90, 255}};
constexpr size_t kPaletteAt = 8 + 25;           // after the signature and the header chunk
constexpr size_t kDataAt = kPaletteAt + 12 + 9;  // after a palette of three

Bytes Spliced(Bytes png, size_t at, const Bytes& insert, size_t drop = 0) {
  png.erase(png.begin() + at, png.begin() + at + drop);
  png.insert(png.begin() + at, insert.begin(), insert.end());
  return png;
}

}  // namespace

TEST(PngIo, IndexedPicturesAndWhatIsRefused) {
  const Bytes four = PalettedPng(4, 2, kThree, {0, 1, 2, 1, 2, 2, 0, 0});
  const std::string notPaletted = "is not a paletted (indexed-colour) PNG picture";
  const struct {
    const char* situation;
    Bytes png;
    std::string error;  // empty: read
    Bytes indices = {};  // empty: the picture is left as it was
  } rows[] = {
      {"a palette of three", four, "", {0, 1, 2, 1, 2, 2, 0, 0}},
      {"a palette of sixteen", PalettedPng(4, 1, std::vector<Rgb>(16, {1, 1, 1}), {0, 0, 0, 0}), "", {0, 0, 0, 0}},
      {"bad signature", Spliced(four, 1, {'p'}, 1), notPaletted},
      {"data before the palette", Spliced(four, kPaletteAt, PngChunk("IDAT", {})), notPaletted},
      {"nothing but the header chunk", Bytes(four.begin(), four.begin() + kPaletteAt), notPaletted},
      {"palette of 4 bytes", Spliced(four, kPaletteAt, PngChunk("PLTE", {1, 2, 3, 4}), 21), notPaletted},
      {"nothing after the palette", Bytes(four.begin(), four.begin() + kDataAt), "is not a PNG picture"},
      {"data chunk too long", Spliced(four, kDataAt, {0x7F}, 1), "is damaged (its last chunk runs past the end of the file)"},
      {"17 entries", PalettedPng(4, 1, std::vector<Rgb>(17, {1, 1, 1}), {0, 0, 0, 0}),
       "has 17 palette entries; 1 to 16 are allowed"},
      {"index past the palette", PalettedPng(4, 1, {{1, 2, 3}, {4, 5, 6}}, {0, 1, 5, 0}),
       "holds a colour that is not in its palette"},
  };
  for (const auto& row : rows) {
    IndexedPicture picture;
    std::string error;
    EXPECT_EQ(DecodeIndexedPng(row.png, picture, &error), row.error.empty()) << row.situation;
    EXPECT_EQ(error, row.error) << row.situation;
    EXPECT_EQ(picture.indices, row.indices) << row.situation;
  }
  TempDir dir;
  IndexedPicture picture;
  std::string error;
  EXPECT_FALSE(ReadIndexedPng(dir.Path("absent.png"), picture, &error));
  EXPECT_EQ(error, "cannot be read");
  Image image;
  EXPECT_FALSE(ReadPng(dir.Path("absent.png"), image, &error));
  EXPECT_FALSE(WritePng(dir.Path("empty.png"), Image()));
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
      {"rgb.png", EncodePng(Image(256, 1)), "is not a paletted (indexed-colour) PNG picture"},
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
  }
  Ge5Picture picture;
  std::string error;
  EXPECT_FALSE(ReadGe5PictureFromPng(dir.Path("absent.png"), picture, &error));
  EXPECT_EQ(error, "cannot be read");
}
