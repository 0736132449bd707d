// kraxed.ini text from anywhere. The first byte decides which remembered
// files "load" (bit i for the i-th one offered, round the byte again after
// eight). At most four files are kept, exactly the ones that loaded, in
// their order; no option takes a value the editor does not know; and the
// text written back from the result reads back as the same settings and
// the same list, and is written back the same again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/settings_file.h"
#include "fuzz/fuzz_checks.h"

namespace {

bool Flag(int32_t value) { return value == 0 || value == 1; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t accept = data[0];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  EditorSettings settings;
  RecentFileList recent;
  std::vector<std::string> offered, kept;
  ParseSettings(text, settings, recent, [&](const std::string& path) {
    const bool loads = (accept >> (offered.size() % 8) & 1) != 0;
    offered.push_back(path);
    if (loads) kept.push_back(path);
    return loads;
  });
  FUZZ_REQUIRE(recent.recentFileCount >= 0 && recent.recentFileCount <= kMaxRecentFiles);
  FUZZ_REQUIRE(kept.size() == static_cast<size_t>(recent.recentFileCount));
  for (int i = 0; i < recent.recentFileCount; ++i) {
    FUZZ_REQUIRE(recent.recentFiles[i] == kept[i]);
    // A path is one line of the file and one C string in the window system.
    FUZZ_REQUIRE(recent.recentFiles[i].find('\n') == std::string::npos);
    FUZZ_REQUIRE(recent.recentFiles[i].find('\0') == std::string::npos);
  }
  for (const std::string& path : offered) FUZZ_REQUIRE(path.find('\0') == std::string::npos);
  FUZZ_REQUIRE(settings.zoom == 1 || settings.zoom == 2);
  FUZZ_REQUIRE(Flag(settings.autosave) && Flag(settings.questions) && Flag(settings.load) &&
               Flag(settings.registered) && Flag(settings.correctShadow));

  const std::string written = FormatSettings(settings, recent);
  EditorSettings settingsBack;
  RecentFileList recentBack;
  ParseSettings(written, settingsBack, recentBack, [](const std::string&) { return true; });
  FUZZ_REQUIRE(settingsBack == settings);
  FUZZ_REQUIRE(recentBack.recentFileCount == recent.recentFileCount);
  for (int i = 0; i < recent.recentFileCount; ++i)
    FUZZ_REQUIRE(recentBack.recentFiles[i] == recent.recentFiles[i]);
  FUZZ_REQUIRE(FormatSettings(settingsBack, recentBack) == written);
  return 0;
}
