// Every way a save can fail: a failure injected at each file operation in
// turn on every road by which the editor writes the level set, its back-up or
// its settings; long paths. After any failure every
// file is as it was, no temporary file is left, the user is told "Couldn't
// save file!" where the command reports it, and the set stays modified.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/commands.h"
#include "app/settings_file.h"
#include "level/level_file.h"
#include "support/editor_harness.h"
#include "support/failing_file_layer.h"
#include "support/held_level.h"
#include "support/temp_dir.h"

namespace {

using Texts = std::vector<std::string>;

namespace fs = std::filesystem;

constexpr const char* kCannotSave = "Couldn't save file!";
// Pseudo commands of the table: the back-up timer with autosave on and off,
// the settings written (from the dialog or at shutdown) and read at start-up.
constexpr int kBackup = -1;
constexpr int kBackupOff = -2;
constexpr int kWriteSettings = -3;
constexpr int kStartUp = -4;

LevelSet Marked(int goal) {  // unlike the default set, so a file of it is told apart
  LevelSet levels;
  for (Level& level : levels) {
    level.SetGoal(goal);
    level.SetCell(40, 64 + goal);
  }
  return levels;
}

std::string SetText(int goal) {
  const std::vector<uint8_t> bytes = EncodeLevelSet(Marked(goal));
  return std::string(bytes.begin(), bytes.end());
}

const std::string kPreviousSet = SetText(2);
const std::string kEditedSet = SetText(1);
const std::string kPreviousSettings = "[Kraxolan Editor Settings]\r\nZoom = TRUE\r\nLoadFile = x.kxl\r\n\r\n";
const Texts kFolder = {kBackupFileName, kSettingsFileName, "set.kxl"};
const Texts kLevelSetOperations = {"create", "write", "write", "write", "write", "write", "write",
                                   "write",  "write", "write", "write", "close", "replace"};
const Texts kSettingsOperations = {"create", "write", "close", "replace"};

struct InFolder {  // the current folder while it lives
  fs::path before = fs::current_path();
  explicit InFolder(const fs::path& folder) { fs::current_path(folder); }
  ~InFolder() { fs::current_path(before); }
};

// The program's folder, the current one too, holding the set being edited
// (the editor has unsaved work in it), its back-up and the settings; every
// question is answered Yes and Save as chooses new.kxl.
struct SaveFixture {
  TempDir dir;
  InFolder current{dir.Root()};
  EditorState state;
  FakeHost host;
  HeldLevel transfer;
  SaveFixture() {
    WriteText(dir.Path("set.kxl"), kPreviousSet);
    WriteText(dir.Path(kBackupFileName), kPreviousSet);
    WriteText(dir.Path(kSettingsFileName), kPreviousSettings);
    SetUnsaved(state.document, Marked(1), dir.Path("set.kxl"));
    state.programDirectory = dir.Path("");
    state.settings.questions = 1;
    state.settings.autosave = 1;
    host.answers = {Answer::Yes};
    host.savePaths = {dir.Path("new.kxl")};
  }
  void Run(int road) {
    if (road == kBackupOff) state.settings.autosave = 0;
    if (road == kStartUp) state.document.SetFileName(kNoFileMarker);  // no file named on the command line
    if (road == kBackup || road == kBackupOff)
      OnBackupTimer(state, host);
    else if (road == kWriteSettings)
      WriteSettings(state);
    else if (road == kStartUp)
      ReadSettings(state, host);
    else
      RunCommand(state, host, transfer, road);
  }
  void ExpectKept(const Texts& messages) const {
    EXPECT_EQ(host.Texts(), messages);
    EXPECT_EQ(dir.List(), kFolder);
    EXPECT_EQ(ReadText(dir.Path("set.kxl")), kPreviousSet);
    EXPECT_EQ(ReadText(dir.Path(kBackupFileName)), kPreviousSet);
    EXPECT_EQ(ReadText(dir.Path(kSettingsFileName)), kPreviousSettings);
    EXPECT_TRUE(state.document.Modified());
    EXPECT_TRUE(host.titles.empty());
    EXPECT_FALSE(host.destroyed);  // Exit leaves the window open
  }
};

}  // namespace

TEST(SaveFaultMatrix, EveryRoadFailingAtEachOperation) {
  const std::string told = "x.kxl could not be loaded and has been removed from recent file list";
  const std::string settings = "[Kraxolan Editor Settings]\r\nZoom = FALSE\r\nAutosave = TRUE\r\nQuestions = TRUE\r\n"
                               "Load = FALSE\r\nRegister = FALSE\r\nCorrectShadow = FALSE\r\n\r\n";
  // At start-up what was read stays in force and is written back.
  const std::string readBack = "[Kraxolan Editor Settings]\r\nZoom = TRUE\r\nAutosave = TRUE\r\nQuestions = TRUE\r\n"
                               "Load = FALSE\r\nRegister = FALSE\r\nCorrectShadow = FALSE\r\n\r\n";
  const struct Road {
    const char* name;
    int command;
    Texts asked;    // the messages before the save
    bool ofTheSet;  // a save of the user's set: a failure is told, and without one the set is saved
    Texts operations;
    const char* written;  // the file a save without failure writes, and what it holds then
    std::string content;
  } roads[] = {
      {"Save", kCmdSave, {}, true, kLevelSetOperations, "set.kxl", kEditedSet},
      {"Save as", kCmdSaveAs, {}, true, kLevelSetOperations, "new.kxl", kEditedSet},
      {"Exit", kCmdExit, {"Save Changes?"}, true, kLevelSetOperations, "set.kxl", kEditedSet},
      {"New", kCmdNew, {"Save changes?"}, true, kLevelSetOperations, "new.kxl", kEditedSet},
      {"Open", kCmdOpen, {"Save changes?"}, true, kLevelSetOperations, "new.kxl", kEditedSet},
      {"Back-up", kBackup, {}, false, kLevelSetOperations, kBackupFileName, kEditedSet},
      {"Back-up, autosave off", kBackupOff, {}, false, {}, kBackupFileName, kPreviousSet},
      {"Settings", kWriteSettings, {}, false, kSettingsOperations, kSettingsFileName, settings},
      {"Start-up", kStartUp, {told}, false, kSettingsOperations, kSettingsFileName, readBack},
  };
  for (const Road& road : roads) {
    Texts failed = road.asked;
    if (road.ofTheSet) failed.push_back(kCannotSave);
    Texts points;  // failing at operation 0, 1, 2, ... until a run reaches no failure point
    for (int n = 0; n < 100; ++n) {
      FailingFileLayer layer(n);
      SaveFixture f;
      f.state.files = &layer;
      f.Run(road.command);
      if (layer.failedAt.empty()) break;
      points.push_back(layer.failedAt);
      SCOPED_TRACE(std::string(road.name) + ", failing at " + layer.failedAt);
      f.ExpectKept(failed);
    }
    EXPECT_EQ(points, road.operations) << road.name;
    SaveFixture f;  // nothing failing
    f.Run(road.command);
    EXPECT_EQ(ReadText(f.dir.Path(road.written)), road.content) << road.name;
    EXPECT_EQ(f.dir.List().size(), road.written == std::string("new.kxl") ? 4u : 3u) << road.name;
    EXPECT_EQ(f.host.Texts(), road.asked) << road.name;
    EXPECT_EQ(f.state.document.Modified(), !road.ofTheSet) << road.name;
  }
}

TEST(SaveFaultMatrix, PathsOf255Characters) {
  // A short name in a long folder (247 characters, the most Windows creates):
  // the temporary file beside it must fit in 255 characters too.
  TempDir dir;
  const char separator = static_cast<char>(fs::path::preferred_separator);
  std::string folder = dir.Path("");
  ASSERT_LT(folder.size() + 20, 255u);
  while (folder.size() + 11 <= 246) folder += std::string(10, 'f') + separator;
  folder += std::string(247 - folder.size(), 'g');
  const std::string path = folder + separator + "abc.kxl";
  ASSERT_EQ(path.size(), 255u);
  std::error_code error;
  fs::create_directories(folder, error);
  if (error || !std::ofstream(path, std::ios::binary).is_open())
    GTEST_SKIP() << "no 255-character path here (" << dir.Path("").size() << " characters of temporary folder)";
  FailingFileLayer recorder;  // fails nothing; records the temporary file's path
  ASSERT_TRUE(WriteLevelSetFile(recorder, path, LevelSet()));
  ASSERT_EQ(recorder.created.size(), 1u);
  EXPECT_LE(recorder.created[0].size(), 255u);
  EXPECT_EQ(DirectoryOf(recorder.created[0]), DirectoryOf(path));
}
