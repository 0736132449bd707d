// The "ActiveBorder" registry value, as any program may have set it: three
// numbers read from any text give a colour of three channels, each at most
// 255, and the text of a colour reads back as that colour.
#include "app/active_border.h"
#include "fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint32_t colour = ParseActiveBorder(FuzzText(data, size));
  FUZZ_REQUIRE(colour <= 0xFFFFFF);
  const std::string text = std::to_string(colour & 0xFF) + " " + std::to_string(colour >> 8 & 0xFF) + " " +
                           std::to_string(colour >> 16);
  FUZZ_REQUIRE(ParseActiveBorder(text) == colour);
  return 0;
}
