#include "app/settings_file.h"

#include <gtest/gtest.h>

#include "app/active_border.h"
#include "app/command_line.h"
#include "app/editor_state.h"
#include "level/level_file.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

using namespace std::string_literals;

namespace {

using Texts = std::vector<std::string>;

const std::string kSection = "[Kraxolan Editor Settings]\r\n";

}  // namespace

// Exact keys, blanks and TRUE only; a line ends at a zero byte; recent files
// are offered until four are kept.
TEST(SettingsFile, TextRead) {
  const struct Row {
    std::string text;
    EditorSettings after;
    Texts offered;
    Texts kept;
  } rows[] = {
      {kSection + "Zoom = TRUE\r\nQuestions = TRUE\r\nRegister = TRUE\nCorrectShadow = TRUE\nAutosave = FALSE\nLoad = \nX\n\n",
       {2, 0, 1, 0, 1, 1}, {}, {}},
      {"LoadFile = a\nLoadFile = bad\nLoadFile = b\nLoadFile = c\nLoadFile = d\nLoadFile = e\n", {},
       {"a", "bad", "b", "c", "d"}, {"a", "b", "c", "d"}},
      {"LoadFile = a.kxl\0junk\r\nZoom = TRUE\0\r\nLoad\0 = TRUE\r\nQuestions = TR\0UE\r\n"s, {2, 0, 0, 0, 0, 0},
       {"a.kxl"}, {"a.kxl"}},
  };
  for (const Row& row : rows) {
    EditorSettings settings;
    RecentFileList recent;
    Texts offered;
    ParseSettings(row.text, settings, recent, [&offered](const std::string& path) {
      offered.push_back(path);
      return path != "bad";
    });
    EXPECT_EQ(settings, row.after) << row.text;
    EXPECT_EQ(offered, row.offered) << row.text;
    EXPECT_EQ(recent.Files(), row.kept) << row.text;
  }
}

TEST(SettingsFile, StartUp) {
  TempDir dir;
  const std::string ini = dir.Path(kSettingsFileName);
  const std::string a = dir.Path("a.kxl");
  const std::string b = dir.Path("b.kxl");
  const std::string missing = dir.Path("m.kxl");
  LevelSet levels;
  levels[0].SetGoal(1);
  for (const std::string& path : {a, b}) WriteBytes(path, EncodeLevelSet(levels));
  const struct Row {
    const char* what;
    std::string ini;    // "-": no file
    std::string given;  // the file named on the command line
    std::string opened;
    Texts recent;
    EditorSettings after;
  } rows[] = {
      {"no file: the defaults", "-", kNoFileMarker, kNoFileMarker, {}, {1, 0, 1, 0, 0, 0}},
      {"Load opens the most recent", "Load = TRUE\nLoadFile = " + a + "\nLoadFile = " + b + "\n", kNoFileMarker, a,
       {a, b}, {1, 0, 0, 1, 0, 0}},
      {"Load without recent files", "Load = TRUE\n", kNoFileMarker, kNoFileMarker, {}, {1, 0, 0, 1, 0, 0}},
      {"a file given goes on top", "LoadFile = " + a + "\n", b, b, {b, a}, {}},
      {"a file given that does not load takes no place", "Load = TRUE\nLoadFile = " + a + "\n", missing, missing,
       {a}, {1, 0, 0, 1, 0, 0}},
  };
  for (const Row& row : rows) {
    std::filesystem::remove(ini);
    if (row.ini != "-") WriteText(ini, row.ini);
    EditorState state;
    FakeHost host;
    state.programDirectory = (dir.Root() / "").make_preferred().string();
    state.document.SetFileName(row.given);
    ReadSettings(state, host);
    EXPECT_EQ(state.document.FileName(), row.opened) << row.what;
    EXPECT_EQ(state.settings, row.after) << row.what;
    EXPECT_EQ(state.recent.Files(), row.recent) << row.what;
    EXPECT_EQ(state.document.Levels(), LevelSet()) << row.what;  // recent files are tested, not loaded
    EXPECT_EQ(std::filesystem::exists(ini), row.ini != "-") << row.what;  // without one, written at shutdown
  }
}

TEST(ActiveBorder, RegistryText) {
  const std::pair<const char*, uint32_t> rows[] = {
      {"212 208 200", 0xC8D0D4},
      {"  7   8 9", 0x090807},
      {"300 1000 0", 0x00FFFF},
      {"12", 0x00000C},
      {"1,2 3x 4", 0x040301},
  };
  for (const auto& [text, colour] : rows) EXPECT_EQ(ParseActiveBorder(text), colour) << text;
}
