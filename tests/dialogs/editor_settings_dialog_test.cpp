#include "dialogs/editor_settings_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

#include "dialogs/file_type_registration.h"
#include "view/editor_settings.h"

namespace {

constexpr RegistryRoot kRoot = RegistryRoot::ClassesRoot;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;

// Records every write and deletion; writing under a refusing root fails.
class FakeRegistry : public FileTypeRegistry {
 public:
  std::vector<RegistryValue> written;
  std::vector<RegistryBranch> deleted;
  std::set<RegistryRoot> refusing;
  int reports = 0;

  bool SetDefaultValue(RegistryRoot root, const std::string& key, const std::string& value) override {
    written.push_back({root, key, value});
    return refusing.count(root) == 0;
  }
  void DeleteBranch(RegistryRoot root, const std::string& key) override { deleted.push_back({root, key}); }
  void ReportWriteFailure() override { ++reports; }
};

}  // namespace

// OK takes the boxes over, changes the window's size and the registration
// only when their boxes changed, and writes the settings file. Without rights
// under HKEY_CLASSES_ROOT the per-user copy is enough.
TEST(EditorSettingsDialog, OkTakesOverAndRegisters) {
  EditorSettings settings;
  FakeRegistry registry;
  registry.refusing = {kRoot};
  std::vector<int> zooms;
  std::vector<EditorSettings> written;
  const std::function<void(int)> applyZoom = [&](int z) { zooms.push_back(z); };
  const auto ok = [&](const EditorSettingsChecks& checks) {
    ApplyEditorSettings(settings, checks, applyZoom, registry, "C:\\Games\\Ed\\", [&] { written.push_back(settings); });
  };
  ok({true, true, true, true, true, true});
  EXPECT_EQ(settings, (EditorSettings{2, 1, 1, 1, 1, 1}));
  const std::vector<RegistryValue> registered = {
      {kRoot, ".kxl", "kxl_auto_file"},
      {kRoot, "kxl_auto_file", "Kraxolan level set"},
      {kRoot, "kxl_auto_file\\shell\\open\\command", "C:\\Games\\Ed\\kraxed.exe \"%1\""},
      {kUser, "Software\\Classes\\.kxl", "kxl_auto_file"},
      {kUser, "Software\\Classes\\kxl_auto_file", "Kraxolan level set"},
      {kUser, "Software\\Classes\\kxl_auto_file\\shell\\open\\command", "C:\\Games\\Ed\\kraxed.exe \"%1\""},
  };
  EXPECT_EQ(registry.written, registered);
  EXPECT_EQ(registry.reports, 0);
  EXPECT_EQ(written, std::vector{settings});

  // OK again with unchanged boxes touches neither the window nor the registry.
  ok(ChecksOf(settings));
  EXPECT_EQ(zooms, std::vector<int>{2});
  EXPECT_EQ(registry.written.size(), 6u);

  // Unchecked: normal size, and the whole branches gone.
  EditorSettingsChecks checks = ChecksOf(settings);
  checks.doubleSize = false;
  checks.registerType = false;
  ok(checks);
  EXPECT_EQ(zooms, (std::vector<int>{2, 1}));
  EXPECT_EQ(settings.registered, 0);
  const std::vector<RegistryBranch> branches = {
      {kRoot, ".kxl"},
      {kRoot, "kxl_auto_file"},
      {kUser, "Software\\Classes\\.kxl"},
      {kUser, "Software\\Classes\\kxl_auto_file"},
  };
  EXPECT_EQ(registry.deleted, branches);
}
