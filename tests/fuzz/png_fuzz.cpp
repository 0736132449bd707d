// PNG files given to `kxl ge5 from-png`, from anywhere. The reader takes only
// a paletted picture 256 pixels wide and 1 to 212 lines high with at most 16
// different colours, and refuses the rest with a reason; the GE5 file made
// from what it takes decodes to its indices (colour 0 white in the mask).
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
  const Image mask = DecodeGe5(EncodeGe5(picture), true, picture.lines);
  FUZZ_REQUIRE(mask.Pixels().size() == picture.indices.size());
  for (size_t i = 0; i < picture.indices.size(); ++i)
    FUZZ_REQUIRE(mask.Pixels()[i] == (picture.indices[i] == 0 ? Rgb{255, 255, 255} : Rgb{0, 0, 0}));
  return 0;
}
