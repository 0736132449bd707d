#include "dialogs/editor_settings_dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/editor_state.h"
#include "app/settings_file.h"
#include "dialogs/fake_registry.h"
#include "support/temp_dir.h"

namespace {

struct EditorSettingsFixture {
  TempDir dir;
  EditorState state;
  FakeRegistry registry;
  std::vector<int> zooms;
  std::function<void(int)> applyZoom = [this](int z) { zooms.push_back(z); };
  EditorSettingsFixture() { state.programDirectory = (dir.Root() / "").make_preferred().string(); }
  std::string Ini() const { return dir.Path("kraxed.ini"); }
  void Ok(const EditorSettingsChecks& checks) {
    ApplyEditorSettings(state, checks, applyZoom, registry);
  }
};

}  // namespace

TEST(EditorSettingsDialog, OpensWithTheOptionsThatAreOn) {
  EXPECT_EQ(ChecksOf(EditorSettings()), EditorSettingsChecks());
  EditorSettings settings;
  settings.zoom = 2;
  settings.registered = 1;
  settings.correctShadow = 1;
  EXPECT_EQ(ChecksOf(settings), (EditorSettingsChecks{false, false, true, false, true, true}));
  settings = {1, 1, 1, 1, 0, 0};
  EXPECT_EQ(ChecksOf(settings), (EditorSettingsChecks{true, true, false, true, false, false}));
}

TEST(EditorSettingsDialog, OkTakesOverInOrder) {
  EditorSettingsFixture f;
  // The zoom is applied after questions and load, before the rest.
  f.applyZoom = [&f](int z) {
    f.zooms.push_back(z);
    EXPECT_EQ(f.state.settings.zoom, z);
    EXPECT_EQ(f.state.settings.questions, 1);
    EXPECT_EQ(f.state.settings.load, 1);
    EXPECT_EQ(f.state.settings.registered, 0);
    EXPECT_EQ(f.state.settings.autosave, 0);
  };
  // Registration comes after the zoom and before autosave and shadows.
  f.registry.onWrite = [&f] {
    EXPECT_EQ(f.zooms.size(), 1u);
    EXPECT_EQ(f.state.settings.autosave, 0);
    EXPECT_EQ(f.state.settings.correctShadow, 0);
  };
  f.Ok({true, true, true, true, true, true});
  EXPECT_EQ(f.zooms, std::vector<int>{2});
  EXPECT_EQ(f.state.settings, (EditorSettings{2, 1, 1, 1, 1, 1}));
  EXPECT_EQ(f.registry.values.size(), 6u);
  const std::string dir = f.state.programDirectory;
  EXPECT_EQ(*f.registry.Value(RegistryRoot::ClassesRoot, "kxl_auto_file\\shell\\open\\command"),
            dir + "kraxed.exe \"%1\"");
  // The file is written last, with everything taken over.
  EXPECT_EQ(ReadText(f.Ini()), FormatSettings(f.state.settings, f.state.recent));
  EXPECT_NE(ReadText(f.Ini()).find("Register = TRUE\r\n"), std::string::npos);
  EXPECT_NE(ReadText(f.Ini()).find("Zoom = TRUE\r\n"), std::string::npos);
}

TEST(EditorSettingsDialog, OkWithUnchangedBoxes) {
  EditorSettingsFixture f;
  f.state.settings = {2, 0, 1, 0, 1, 0};
  // Pressing OK again with "Register" still checked writes nothing to the
  // registry, and an unchanged "Double size" leaves the window alone.
  f.Ok(ChecksOf(f.state.settings));
  EXPECT_TRUE(f.zooms.empty());
  EXPECT_EQ(f.registry.writes, 0);
  EXPECT_EQ(f.registry.deletions, 0);
  EXPECT_EQ(f.state.settings, (EditorSettings{2, 0, 1, 0, 1, 0}));
  EXPECT_EQ(ReadText(f.Ini()), FormatSettings(f.state.settings, f.state.recent));

  // Unchecking "Double size" and "Register": back to normal size, the keys gone.
  EditorSettingsChecks checks = ChecksOf(f.state.settings);
  checks.doubleSize = false;
  checks.registerType = false;
  f.registry.values[{RegistryRoot::ClassesRoot, ".kxl"}] = "kxl_auto_file";
  f.Ok(checks);
  EXPECT_EQ(f.zooms, std::vector<int>{1});
  EXPECT_EQ(f.state.settings.zoom, 1);
  EXPECT_EQ(f.state.settings.registered, 0);
  EXPECT_EQ(f.registry.deletions, 4);
  EXPECT_TRUE(f.registry.values.empty());
  EXPECT_NE(ReadText(f.Ini()).find("Zoom = FALSE\r\nAutosave = FALSE\r\nQuestions = TRUE\r\n"),
            std::string::npos);
}
