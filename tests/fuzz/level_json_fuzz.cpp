// Text given to `kxl import`, from anywhere. Either it is refused with a
// place and a reason, or it gives a 3770-byte level set whose export imports
// to the same bytes again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_checks.h"
#include "level/level_file.h"
#include "level/level_json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<uint8_t> file;
  JsonImportError error;
  if (!ImportLevelSetJson(text, file, error)) {
    FUZZ_REQUIRE(!error.reason.empty() && file.empty());
    return 0;
  }
  FUZZ_REQUIRE(file.size() == kLevelSetBytes);
  std::vector<uint8_t> again;
  FUZZ_REQUIRE(ImportLevelSetJson(ExportLevelSetJson(file, nullptr), again, error));
  FUZZ_REQUIRE(again == file);
  return 0;
}
