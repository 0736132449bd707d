// kraxed.ini text from anywhere. The first byte decides which remembered
// files "load" (bit i for the i-th one offered, round the byte again after
// eight). At most four files are kept, exactly the ones that loaded, in
// their order, each one line and one C string; no option takes a value the
// editor does not know; and the text written back from the result reads
// back as the same settings and the same list, and is written back the same.
#include "app/settings_file.h"
#include "fuzz/fuzz_checks.h"

namespace {

bool Flag(int32_t value) { return value == 0 || value == 1; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  EditorSettings settings;
  RecentFileList recent;
  std::vector<std::string> offered, kept;
  ParseSettings(FuzzText(data + 1, size - 1), settings, recent, [&](const std::string& path) {
    const bool loads = (data[0] >> (offered.size() % 8) & 1) != 0;
    offered.push_back(path);
    if (loads) kept.push_back(path);
    return loads;
  });
  FUZZ_REQUIRE(recent.recentFileCount >= 0 && recent.recentFileCount <= kMaxRecentFiles);
  FUZZ_REQUIRE(recent.Files() == kept);
  for (const std::string& path : offered)  // one line of the file, one C string of the window system
    FUZZ_REQUIRE(path.find('\0') == std::string::npos && path.find('\n') == std::string::npos);
  FUZZ_REQUIRE(settings.zoom == 1 || settings.zoom == 2);
  FUZZ_REQUIRE(Flag(settings.autosave) && Flag(settings.questions) && Flag(settings.load));
  FUZZ_REQUIRE(Flag(settings.registered) && Flag(settings.correctShadow));
  const std::string written = FormatSettings(settings, recent);
  EditorSettings settingsBack;
  RecentFileList recentBack;
  ParseSettings(written, settingsBack, recentBack, [](const std::string&) { return true; });
  FUZZ_REQUIRE(settingsBack == settings);
  FUZZ_REQUIRE(recentBack.Files() == recent.Files());
  FUZZ_REQUIRE(FormatSettings(settingsBack, recentBack) == written);
  return 0;
}
