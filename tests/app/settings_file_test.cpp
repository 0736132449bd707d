#include "app/settings_file.h"

#include <gtest/gtest.h>

#include "app/active_border.h"
#include "app/command_line.h"
#include "app/editor_state.h"
#include "level/level_file.h"
#include "support/failing_file_layer.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

using namespace std::string_literals;
using Texts = std::vector<std::string>;

TEST(SettingsFile, TextWrittenAndRead) {
  const std::string head = "[Kraxolan Editor Settings]\r\n";
  const struct Row {
    EditorSettings settings;  // zoom, autosave, questions, load, registered, correctShadow
    const char* recent;
    std::string text;
  } written[] = {{{2, 0, 1, 0, 0, 0}, R"(C:\Levels\set1.kxl)",
                  head + "Zoom = TRUE\r\nAutosave = FALSE\r\nQuestions = TRUE\r\nLoad = FALSE\r\nRegister = FALSE\r\n"
                         "CorrectShadow = FALSE\r\nLoadFile = C:\\Levels\\set1.kxl\r\n\r\n"},
                 {{1, 1, 0, 1, 1, 1}, nullptr,
                  head + "Zoom = FALSE\r\nAutosave = TRUE\r\nQuestions = FALSE\r\nLoad = TRUE\r\nRegister = TRUE\r\n"
                         "CorrectShadow = TRUE\r\n\r\n"}};
  for (const Row& r : written) {
    RecentFileList recent;
    if (r.recent) recent.Add(r.recent);
    EXPECT_EQ(FormatSettings(r.settings, recent), r.text);
  }
  // Read: exact keys, blanks and TRUE only; FALSE leaves a value as it was; a
  // line ends at a zero byte; at most four recent files are tested.
  const struct Parsed {
    std::string text;
    EditorSettings before, after;
    Texts tested, recent;
  } parsed[] = {
      {"Zoom = true\nZoom=TRUE\nAutosave =TRUE\n questions = TRUE\nLoad = TRUE \n", {}, {}, {}, {}},
      {head + "Zoom = TRUE\r\nQuestions = TRUE\r\nRegister = TRUE\nCorrectShadow = TRUE\nAutosave = FALSE\nLoad = \nX\n\n",
       {}, {2, 0, 1, 0, 1, 1}, {}, {}},
      {"Zoom = FALSE\nLoad = FALSE\n", {2, 0, 0, 1, 0, 0}, {2, 0, 0, 1, 0, 0}, {}, {}},
      {"LoadFile = a\nLoadFile = bad\nLoadFile = b\nLoadFile = c\nLoadFile = d\nLoadFile = e\n", {}, {},
       {"a", "bad", "b", "c", "d"}, {"a", "b", "c", "d"}},
      {"LoadFile = a.kxl\0junk\r\nZoom = TRUE\0\r\nLoad\0 = TRUE\r\nQuestions = TR\0UE\r\n"s, {}, {2, 0, 0, 0, 0, 0},
       {"a.kxl"}, {"a.kxl"}},
  };
  for (const Parsed& p : parsed) {
    EditorSettings settings = p.before;
    RecentFileList recent;
    Texts tested;
    ParseSettings(p.text, settings, recent, [&](const std::string& path) { return tested.push_back(path), path != "bad"; });
    EXPECT_EQ(settings, p.after) << p.text;
    EXPECT_EQ(tested, p.tested) << p.text;
    EXPECT_EQ(Texts(recent.recentFiles.begin(), recent.recentFiles.begin() + recent.recentFileCount), p.recent);
  }
}

TEST(SettingsFile, StartUp) {
  TempDir dir;
  const std::string ini = dir.Path("kraxed.ini"), a = dir.Path("a.kxl"), b = dir.Path("b.kxl"), missing = dir.Path("m.kxl");
  LevelSet levels;
  levels[0].SetGoal(1);
  WriteBytes(a, EncodeLevelSet(levels));
  WriteBytes(b, EncodeLevelSet(levels));
  const std::string longPath = dir.Path(std::string(255 - dir.Path("").size() - 4, 'n') + ".kxl");
  WriteBytes(longPath, EncodeLevelSet(levels));
  const bool longWorks = std::filesystem::exists(longPath);
  const std::string head = "[Kraxolan Editor Settings]\r\n";
  const std::string flags = "Zoom = FALSE\r\nAutosave = FALSE\r\nQuestions = TRUE\r\n";
  const std::string rest = "Register = FALSE\r\nCorrectShadow = FALSE\r\n";
  const struct Row {
    const char* what;
    std::string ini, given;  // the file ("-": none) and the file named on the command line
    std::string opened, rewritten;
    Texts messages;
    EditorSettings after;
  } rows[] = {
      {"no file: defaults, not written yet", "-", kNoFileMarker, kNoFileMarker, "-", {}, {1, 0, 1, 0, 0, 0}},
      {"the section line alone turns everything off", head, kNoFileMarker, kNoFileMarker,
       head + "Zoom = FALSE\r\nAutosave = FALSE\r\nQuestions = FALSE\r\nLoad = FALSE\r\n" + rest + "\r\n", {}, {}},
      {"a missing recent file is dropped", head + "Questions = TRUE\r\nLoadFile = " + a + "\r\nLoadFile = " + missing +
       "\r\nLoadFile = " + b + "\r\n", kNoFileMarker, kNoFileMarker,
       head + flags + "Load = FALSE\r\n" + rest + "LoadFile = " + a + "\r\nLoadFile = " + b + "\r\n\r\n",
       {missing + " could not be loaded and has been removed from recent file list"}, {1, 0, 1, 0, 0, 0}},
      {"load opens the most recent", "Questions = TRUE\nLoad = TRUE\nLoadFile = " + a + "\nLoadFile = " + b + "\n",
       kNoFileMarker, a, head + flags + "Load = TRUE\r\n" + rest + "LoadFile = " + a + "\r\nLoadFile = " + b + "\r\n\r\n", {}, {1, 0, 1, 1, 0, 0}},
      {"a file given goes on top, loading or not", "Questions = TRUE\nLoad = TRUE\nLoadFile = " + a + "\n", missing,
       missing, head + flags + "Load = TRUE\r\n" + rest + "LoadFile = " + missing + "\r\nLoadFile = " + a + "\r\n\r\n", {}, {1, 0, 1, 1, 0, 0}},
      {"long paths", "Questions = TRUE\r\nLoadFile = " + longPath + "\r\nLoadFile = " + std::string(4000, 'z') + "\r\n",
       kNoFileMarker, kNoFileMarker, head + flags + "Load = FALSE\r\n" + rest + "LoadFile = " + longPath + "\r\n\r\n",
       {std::string(4000, 'z') + " could not be loaded and has been removed from recent file list"}, {1, 0, 1, 0, 0, 0}},
  };
  for (const Row& r : rows) {
    if (!longWorks && r.ini.find(longPath) != std::string::npos) continue;
    std::filesystem::remove(ini);
    if (r.ini != "-") WriteText(ini, r.ini);
    EditorState state;
    FakeHost host;
    state.programDirectory = (dir.Root() / "").make_preferred().string();
    state.document.SetFileName(r.given);
    ReadSettings(state, host);
    EXPECT_EQ(state.document.FileName(), r.opened) << r.what;
    EXPECT_EQ(state.settings, r.after) << r.what;
    EXPECT_EQ(state.document.Levels(), LevelSet()) << r.what;  // recent files are tested, not loaded
    EXPECT_EQ(std::filesystem::exists(ini) ? ReadText(ini) : "-", r.rewritten) << r.what;
    EXPECT_EQ(host.Texts(), r.messages) << r.what;
    for (const FakeHost::Message& m : host.messages) EXPECT_EQ(m.caption, "Error loading file");
  }
  // An unwritable settings file, or a missing folder, is no error.
  EditorState state;
  FailingFileLayer files(-1, "create");
  state.files = &files;
  state.programDirectory = (dir.Root() / "").make_preferred().string();
  std::filesystem::remove(ini);
  WriteSettings(state);
  state.files = &SystemFileLayer();
  state.programDirectory = dir.Path("missing") + "/";
  WriteSettings(state);
  EXPECT_FALSE(std::filesystem::exists(ini) || std::filesystem::exists(dir.Path("missing")));
}

TEST(ActiveBorder, RegistryText) {
  const std::pair<const char*, uint32_t> rows[] = {
      {"212 208 200", 0xC8D0D4}, {"0 10 255", 0xFF0A00}, {"  7   8 9", 0x090807}, {"300 1000 0", 0x00FFFF},
      {"12", 0x00000C}, {"", 0}, {"1,2 3x 4", 0x040301}, {"09 0 00", 0x000009}};
  for (const auto& [text, colour] : rows) EXPECT_EQ(ParseActiveBorder(text), colour) << text;
}
