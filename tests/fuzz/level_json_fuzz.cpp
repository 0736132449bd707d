// Text given to `kxl import`, from anywhere. Either it is refused with a
// place and a reason, or it gives a 3770-byte level set whose export imports
// to the same bytes again.
#include "fuzz/fuzz_checks.h"
#include "level/level_file.h"
#include "level/level_json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> file, again;
  JsonImportError error;
  if (!ImportLevelSetJson(FuzzText(data, size), file, error)) {
    FUZZ_REQUIRE(!error.reason.empty() && file.empty());
    return 0;
  }
  FUZZ_REQUIRE(file.size() == kLevelSetBytes);
  FUZZ_REQUIRE(ImportLevelSetJson(ExportLevelSetJson(file, nullptr), again, error));
  FUZZ_REQUIRE(again == file);
  return 0;
}
