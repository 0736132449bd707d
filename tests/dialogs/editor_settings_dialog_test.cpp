#include "dialogs/editor_settings_dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/editor_state.h"
#include "app/settings_file.h"
#include "dialogs/fake_registry.h"
#include "support/temp_dir.h"

namespace {

constexpr RegistryRoot kRoot = RegistryRoot::ClassesRoot;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;

struct EditorSettingsFixture {
  TempDir dir;
  EditorState state;
  FakeRegistry registry;
  std::vector<int> zooms;
  std::function<void(int)> applyZoom = [this](int z) { zooms.push_back(z); };
  EditorSettingsFixture() { state.programDirectory = "C:\\Games\\Ed\\"; }
  void Ok(const EditorSettingsChecks& checks) {
    ApplyEditorSettings(state.settings, checks, applyZoom, registry, state.programDirectory,
                        [this] {
                          state.programDirectory = (dir.Root() / "").make_preferred().string();
                          WriteSettings(state);
                          state.programDirectory = "C:\\Games\\Ed\\";
                        });
  }
  std::string Ini() const { return ReadText(dir.Path("kraxed.ini")); }
};

}  // namespace

TEST(EditorSettingsDialog, OpensWithTheOptionsThatAreOn) {
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
    EXPECT_EQ(f.state.settings, (EditorSettings{2, 0, 1, 1, 0, 0}));
  };
  f.registry.onWrite = [&f] {
    EXPECT_EQ(f.zooms.size(), 1u);
    EXPECT_EQ(f.state.settings.autosave + f.state.settings.correctShadow, 0);
  };
  f.Ok({true, true, true, true, true, true});
  EXPECT_EQ(f.state.settings, (EditorSettings{2, 1, 1, 1, 1, 1}));
  const std::map<FakeRegistry::Key, std::string> registered = {
      {{kRoot, ".kxl"}, "kxl_auto_file"},
      {{kRoot, "kxl_auto_file"}, "Kraxolan level set"},
      {{kRoot, "kxl_auto_file\\shell\\open\\command"}, "C:\\Games\\Ed\\kraxed.exe \"%1\""},
      {{kUser, "Software\\Classes\\.kxl"}, "kxl_auto_file"},
      {{kUser, "Software\\Classes\\kxl_auto_file"}, "Kraxolan level set"},
      {{kUser, "Software\\Classes\\kxl_auto_file\\shell\\open\\command"},
       "C:\\Games\\Ed\\kraxed.exe \"%1\""},
  };
  EXPECT_EQ(f.registry.values, registered);
  EXPECT_EQ(f.Ini(),
            "[Kraxolan Editor Settings]\r\nZoom = TRUE\r\nAutosave = TRUE\r\nQuestions = TRUE\r\n"
            "Load = TRUE\r\nRegister = TRUE\r\nCorrectShadow = TRUE\r\n\r\n");

  // OK again with unchanged boxes touches neither the window nor the registry.
  f.Ok(ChecksOf(f.state.settings));
  EXPECT_EQ(f.zooms, std::vector<int>{2});
  EXPECT_EQ(f.registry.writes, 6);

  // Unchecked: normal size, and the whole branches gone, other keys kept.
  f.registry.values[{kRoot, ".kxl\\ShellNew"}] = "";
  f.registry.values[{kRoot, ".kxlx"}] = "other";
  f.registry.values[{kUser, "Software\\Classes\\kxl_auto_file2"}] = "other";
  EditorSettingsChecks checks = ChecksOf(f.state.settings);
  checks.doubleSize = checks.registerType = false;
  f.applyZoom = [&f](int z) { f.zooms.push_back(z); };
  f.Ok(checks);
  EXPECT_EQ(f.zooms, (std::vector<int>{2, 1}));
  EXPECT_EQ(f.state.settings.registered, 0);
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
