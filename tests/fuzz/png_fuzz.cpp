// PNG files given to `kxl ge5 from-png`, from anywhere. The reader takes only
// a paletted picture 256 pixels wide and 1 to 212 lines high with at most 16
// different colours and refuses the rest with a reason; what it takes has an
// index below the palette's size for every pixel, and the GE5 file made from
// it decodes to those indices (colour 0 white in the mask).
#include "fuzz/fuzz_checks.h"
#include "ge5_png.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Ge5Picture picture;
  std::string error;
  if (!Ge5PictureFromPng(std::vector<uint8_t>(data, data + size), picture, &error)) {
    FUZZ_REQUIRE(!error.empty());
    return 0;
  }
  FUZZ_REQUIRE(picture.lines >= 1 && picture.lines <= kGe5Lines);
  FUZZ_REQUIRE(picture.indices.size() == static_cast<size_t>(kGe5Width) * picture.lines);
  for (int i = 0; i < 16; ++i)
    for (int j = i + 1; j < 16; ++j)  // twins only among the black entries that fill the palette up
      FUZZ_REQUIRE(!(picture.palette[i] == picture.palette[j]) || picture.palette[i] == Rgb{});
  for (uint8_t index : picture.indices) FUZZ_REQUIRE(index < 16);
  const std::vector<uint8_t> file = EncodeGe5(picture);
  FUZZ_REQUIRE(file.size() == kGe5MinimumBytes);
  const Image mask = DecodeGe5(file, true, picture.lines);
  FUZZ_REQUIRE(mask.Width() == kGe5Width && mask.Height() == picture.lines);
  for (size_t i = 0; i < picture.indices.size(); ++i) {
    const Rgb shown = mask.Pixels()[i];
    FUZZ_REQUIRE(shown == (picture.indices[i] == 0 ? Rgb{255, 255, 255} : Rgb{0, 0, 0}));
  }
  return 0;
}
