// kraxed.ini text from anywhere; the first byte says which remembered files
// load (bit i for the i-th offered, round again after eight). Exactly those
// are kept, at most four, each one line and one C string; every option has a
// known value; the text written back reads back the same and writes the same.
#include "app/settings_file.h"
#include "fuzz/fuzz_checks.h"

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
  for (const std::string& path : offered)
    FUZZ_REQUIRE(path.find('\0') == std::string::npos && path.find('\n') == std::string::npos);
  FUZZ_REQUIRE(settings.zoom == 1 || settings.zoom == 2);
  for (int32_t flag : {settings.autosave, settings.questions, settings.load, settings.registered, settings.correctShadow})
    FUZZ_REQUIRE(flag == 0 || flag == 1);
  const std::string written = FormatSettings(settings, recent);
  EditorSettings settingsBack;
  RecentFileList recentBack;
  ParseSettings(written, settingsBack, recentBack, [](const std::string&) { return true; });
  FUZZ_REQUIRE(settingsBack == settings);
  FUZZ_REQUIRE(recentBack.Files() == recent.Files());
  FUZZ_REQUIRE(FormatSettings(settingsBack, recentBack) == written);
  return 0;
}
