#include "dialogs/editor_settings_dialog.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "dialogs/file_type_registration.h"
#include "view/editor_settings.h"

namespace {

constexpr RegistryRoot kRoot = RegistryRoot::ClassesRoot;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
constexpr const char* kProgramDirectory = "C:\\Games\\Ed\\";

// The registry as a map of keys to default values.
class FakeRegistry : public FileTypeRegistry {
 public:
  using Key = std::pair<RegistryRoot, std::string>;

  std::map<Key, std::string> values;  // a key without value holds ""
  std::set<RegistryRoot> refusing;     // roots where writing fails
  int writes = 0;
  int deletions = 0;
  int reports = 0;
  std::function<void()> onWrite;  // called before each write

  bool SetDefaultValue(RegistryRoot root, const std::string& key, const std::string& value) override {
    if (onWrite) onWrite();
    ++writes;
    if (refusing.count(root)) return false;
    values[{root, key}] = value;
    return true;
  }
  void DeleteBranch(RegistryRoot root, const std::string& key) override {
    ++deletions;
    for (auto it = values.begin(); it != values.end();) {
      const bool below = it->first.second.rfind(key + "\\", 0) == 0;
      if (it->first.first == root && (it->first.second == key || below))
        it = values.erase(it);
      else
        ++it;
    }
  }
  void ReportWriteFailure() override { ++reports; }
};

// The dialog's OK on these settings: the zooms applied and the settings as
// the file was written with them are recorded.
struct EditorSettingsFixture {
  EditorSettings settings;
  FakeRegistry registry;
  std::vector<int> zooms;
  std::vector<EditorSettings> written;
  std::function<void(int)> applyZoom = [this](int z) { zooms.push_back(z); };
  void Ok(const EditorSettingsChecks& checks) {
    ApplyEditorSettings(settings, checks, applyZoom, registry, kProgramDirectory,
                        [this] { written.push_back(settings); });
  }
};

}  // namespace

TEST(EditorSettingsDialog, OpensWithTheOptionsThatAreOn) {
  // settings: zoom, autosave, questions, load, registered, correctShadow;
  // boxes: questions, load, double size, autosave, register, correct shadows
  EXPECT_EQ(ChecksOf(EditorSettings()), EditorSettingsChecks());
  EXPECT_EQ(ChecksOf({2, 0, 0, 0, 1, 1}), (EditorSettingsChecks{false, false, true, false, true, true}));
  EXPECT_EQ(ChecksOf({1, 1, 1, 1, 0, 0}), (EditorSettingsChecks{true, true, false, true, false, false}));
}

TEST(EditorSettingsDialog, OkTakesOverInOrderAndRegisters) {
  EditorSettingsFixture f;
  // The zoom after questions and load; registration after the zoom, before
  // autosave and shadows; the file last.
  f.applyZoom = [&f](int z) {
    f.zooms.push_back(z);
    EXPECT_EQ(f.settings, (EditorSettings{2, 0, 1, 1, 0, 0}));
  };
  f.registry.onWrite = [&f] {
    EXPECT_EQ(f.zooms.size(), 1u);
    EXPECT_EQ(f.settings.autosave, 0);
    EXPECT_EQ(f.settings.correctShadow, 0);
  };
  f.Ok({true, true, true, true, true, true});
  EXPECT_EQ(f.settings, (EditorSettings{2, 1, 1, 1, 1, 1}));
  const std::map<FakeRegistry::Key, std::string> registered = {
      {{kRoot, ".kxl"}, "kxl_auto_file"},
      {{kRoot, "kxl_auto_file"}, "Kraxolan level set"},
      {{kRoot, "kxl_auto_file\\shell\\open\\command"}, "C:\\Games\\Ed\\kraxed.exe \"%1\""},
      {{kUser, "Software\\Classes\\.kxl"}, "kxl_auto_file"},
      {{kUser, "Software\\Classes\\kxl_auto_file"}, "Kraxolan level set"},
      {{kUser, "Software\\Classes\\kxl_auto_file\\shell\\open\\command"}, "C:\\Games\\Ed\\kraxed.exe \"%1\""},
  };
  EXPECT_EQ(f.registry.values, registered);
  EXPECT_EQ(f.written, std::vector{f.settings});

  // OK again with unchanged boxes touches neither the window nor the registry.
  f.Ok(ChecksOf(f.settings));
  EXPECT_EQ(f.zooms, std::vector<int>{2});
  EXPECT_EQ(f.registry.writes, 6);

  // Unchecked: normal size, and the whole branches gone, other keys kept.
  f.registry.values[{kRoot, ".kxl\\ShellNew"}] = "";
  f.registry.values[{kRoot, ".kxlx"}] = "other";
  f.registry.values[{kUser, "Software\\Classes\\kxl_auto_file2"}] = "other";
  EditorSettingsChecks checks = ChecksOf(f.settings);
  checks.doubleSize = false;
  checks.registerType = false;
  f.applyZoom = [&f](int z) { f.zooms.push_back(z); };
  f.Ok(checks);
  EXPECT_EQ(f.zooms, (std::vector<int>{2, 1}));
  EXPECT_EQ(f.settings.registered, 0);
  EXPECT_EQ(f.registry.values.size(), 2u);
  EXPECT_EQ(f.registry.deletions, 4);
  f.Ok(checks);
  EXPECT_EQ(f.registry.deletions, 4);
}

TEST(EditorSettingsDialog, RegistrationWithoutRights) {
  // Without rights under HKEY_CLASSES_ROOT the per-user copy is enough.
  FakeRegistry userOnly;
  userOnly.refusing = {kRoot};
  EditorSettings settings;
  RegisterFileType(settings, "D:\\", userOnly);
  EXPECT_EQ(userOnly.reports, 0);
  EXPECT_EQ(userOnly.values.size(), 3u);
  // Nothing written anywhere: one report per value, registered all the same.
  FakeRegistry none;
  none.refusing = {kRoot, kUser};
  EditorSettings other;
  RegisterFileType(other, "D:\\", none);
  EXPECT_EQ(none.writes, 6);
  EXPECT_EQ(none.reports, 3);
  EXPECT_EQ(other.registered, 1);
}
