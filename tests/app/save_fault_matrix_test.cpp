// Every way a save can fail: a failure injected at each file operation in
// turn on every road by which the editor saves the level set or writes its
// settings; real folders that refuse; long paths. After any failure the
// previous file is intact byte for byte, no temporary file is left, the user
// is told "Couldn't save file!" where the command reports it (the back-up and
// the settings report nothing), and the set stays modified.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "app/command_line.h"
#include "app/commands.h"
#include "app/level_set_io.h"
#include "app/settings_file.h"
#include "level/level_file.h"
#include "level/level_transfer.h"
#include "support/editor_harness.h"
#include "support/failing_file_layer.h"
#include "support/temp_dir.h"

using Texts = std::vector<std::string>;

namespace {

namespace fs = std::filesystem;

class NoTransfer : public LevelTransfer {
 public:
  void PutTempLevel(const Level&) override {}
  int HasTempLevel() override { return 0; }
  Level GetTempLevel() override { return Level(); }
};

LevelSet Marked(int goal) {  // unlike the default set, so a file of it is told apart
  LevelSet levels;
  for (Level& level : levels) {
    level.SetGoal(goal);
    level.SetCell(40, 64 + goal);
  }
  return levels;
}

const Texts kLevelSetOperations = {"create", "write", "write", "write", "write", "write", "write",
                                   "write",  "write", "write", "write", "close", "replace"};
const Texts kSettingsOperations = {"create", "write", "close", "replace"};

// Runs `attempt` failing at operation 0, 1, 2, ... until a run reaches no
// failure point; returns the operations failed at.
Texts EachFailurePoint(const std::function<void(FailingFileLayer&)>& attempt) {
  Texts points;
  for (int n = 0; n < 100; ++n) {
    FailingFileLayer layer(n);
    attempt(layer);
    if (layer.failedAt.empty()) break;
    points.push_back(layer.failedAt);
  }
  return points;
}

// The editor with unsaved work and a previous file at `target`; Save as
// chooses new.kxl beside it.
struct SaveFixture {
  TempDir dir;
  std::string target = dir.Path("set.kxl");
  std::string chosen = dir.Path("new.kxl");
  std::vector<uint8_t> previous = EncodeLevelSet(Marked(2));
  EditorState state;
  FakeHost host;
  NoTransfer transfer;
  SaveFixture() {
    WriteBytes(target, previous);
    SetUnsaved(state.document, Marked(1), target);
    state.settings.questions = 1;
  }
  void Run(int command) { RunCommand(state, host, transfer, command); }
  void ExpectKept(const Texts& messages = {"Couldn't save file!"}) const {
    EXPECT_EQ(host.Texts(), messages);
    EXPECT_EQ(dir.List(), Texts{"set.kxl"});
    EXPECT_TRUE(state.document.Modified());
    if (fs::is_regular_file(target)) {
      EXPECT_EQ(ReadBytes(target), previous);
    }
  }
};

bool CanCreateIn(const fs::path& folder) {
  const bool created = std::ofstream(folder / "probe", std::ios::binary).is_open();
  std::error_code ignored;
  fs::remove(folder / "probe", ignored);
  return created;
}

constexpr fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

struct WritableAgain {  // gives the write permission back, so the folder can be cleaned up
  fs::path path;
  ~WritableAgain() {
    std::error_code ignored;
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ignored);
  }
};

}  // namespace

TEST(SaveFaultMatrix, LevelSetSavedByAnyCommand) {
  const struct Road {
    const char* name;
    int command;
    bool asks;
    bool choosesPath;
    Texts messages;
  } roads[] = {{"Save", kCmdSave, false, false, {"Couldn't save file!"}},
               {"Save as", kCmdSaveAs, false, true, {"Couldn't save file!"}},
               {"Exit", kCmdExit, true, false, {"Save Changes?", "Couldn't save file!"}},
               {"New", kCmdNew, true, true, {"Save changes?", "Couldn't save file!"}},
               {"Open", kCmdOpen, true, true, {"Save changes?", "Couldn't save file!"}}};
  for (const Road& road : roads) {
    const auto run = [&](SaveFixture& f) {
      if (road.asks) f.host.answers = {Answer::Yes};
      if (road.choosesPath) f.host.savePaths = {f.chosen};
      f.Run(road.command);
    };
    const Texts points = EachFailurePoint([&](FailingFileLayer& layer) {
      SaveFixture f;
      f.state.files = &layer;
      run(f);
      if (layer.failedAt.empty()) return;
      SCOPED_TRACE(std::string(road.name) + ", failing at " + layer.failedAt);
      f.ExpectKept(road.messages);
      EXPECT_EQ(f.host.messages.back().caption, "Error");
      EXPECT_EQ(f.host.messages.back().kind, MessageKind::Error);
      EXPECT_EQ(f.state.document.Levels(), Marked(1));
      EXPECT_EQ(f.state.document.FileName(), f.target);
      EXPECT_EQ(f.state.recent.recentFileCount, 0);
      EXPECT_TRUE(f.host.titles.empty());
      EXPECT_TRUE(f.host.openDialogDirs.empty());  // Open ends when its save fails
      EXPECT_FALSE(f.host.destroyed);              // and Exit leaves the window open
    });
    EXPECT_EQ(points, kLevelSetOperations) << road.name;
    SaveFixture f;  // nothing failing: the work is saved
    run(f);
    EXPECT_EQ(ReadBytes(road.choosesPath ? f.chosen : f.target), EncodeLevelSet(Marked(1))) << road.name;
    EXPECT_EQ(f.dir.List(), road.choosesPath ? (Texts{"new.kxl", "set.kxl"}) : Texts{"set.kxl"}) << road.name;
    EXPECT_EQ(f.host.messages.size(), road.messages.size() - 1) << road.name;
  }
}

TEST(SaveFaultMatrix, BackupAndSettingsFailSilently) {
  TempDir dir;
  const auto cwd = fs::current_path();
  fs::current_path(dir.Root());
  const std::vector<uint8_t> previous = EncodeLevelSet(Marked(3));
  for (int autosave : {0, 1}) {
    const Texts backup = EachFailurePoint([&](FailingFileLayer& layer) {
      WriteBytes(dir.Path(kBackupFileName), previous);
      EditorState state;
      FakeHost host;
      state.files = &layer;
      state.settings.autosave = autosave;
      SetUnsaved(state.document, Marked(1), "set.kxl");
      OnBackupTimer(state, host);
      // A back-up is no save of the user's file, whether it fails or not.
      EXPECT_TRUE(state.document.Modified());
      EXPECT_TRUE(host.titles.empty());
      EXPECT_TRUE(host.messages.empty());
      EXPECT_EQ(dir.List(), Texts{kBackupFileName});
      if (layer.failedAt.empty()) return;
      SCOPED_TRACE("failing at " + layer.failedAt);
      EXPECT_EQ(ReadBytes(dir.Path(kBackupFileName)), previous);
    });
    EXPECT_EQ(backup, autosave ? kLevelSetOperations : Texts{}) << "only with autosave on";
  }
  fs::current_path(cwd);
  EXPECT_EQ(ReadBytes(dir.Path(kBackupFileName)), EncodeLevelSet(Marked(1)));
  fs::remove(dir.Path(kBackupFileName));

  // The settings: written from the dialog and at shutdown, and rewritten at
  // start-up, where what was read stays in force and nobody is told.
  const std::string ini = dir.Path(kSettingsFileName);
  const std::string before = "[Kraxolan Editor Settings]\r\nZoom = TRUE\r\nLoadFile = x.kxl\r\n\r\n";
  for (bool startUp : {false, true}) {
    const Texts points = EachFailurePoint([&](FailingFileLayer& layer) {
      WriteText(ini, before);
      EditorState state;
      FakeHost host;
      state.programDirectory = (dir.Root() / "").make_preferred().string();
      state.document.SetFileName(kNoFileMarker);
      state.files = &layer;
      state.settings.autosave = 1;
      if (startUp)
        ReadSettings(state, host);
      else
        WriteSettings(state);
      if (layer.failedAt.empty()) return;
      SCOPED_TRACE(std::string(startUp ? "start-up" : "writing") + ", failing at " + layer.failedAt);
      EXPECT_EQ(ReadText(ini), before);
      EXPECT_EQ(dir.List(), Texts{kSettingsFileName});
      EXPECT_EQ(state.settings.zoom, startUp ? 2 : 1);
      EXPECT_EQ(state.settings.autosave, 1);
      // At start-up the one message is the missing recent file's, not the write's.
      const Texts told = {"x.kxl could not be loaded and has been removed from recent file list"};
      EXPECT_EQ(host.Texts(), startUp ? told : Texts{});
    });
    EXPECT_EQ(points, kSettingsOperations);
  }
}

TEST(SaveFaultMatrix, FoldersThatRefuse) {
  {  // a folder in the file's place
    SaveFixture f;
    fs::remove(f.target);
    fs::create_directory(f.target);
    WriteBytes(f.dir.Path("set.kxl/inside"), f.previous);
    f.Run(kCmdSave);
    f.ExpectKept();
    EXPECT_EQ(ReadBytes(f.dir.Path("set.kxl/inside")), f.previous);
  }
  {  // a folder that does not exist
    SaveFixture f;
    f.state.document.SetFileName(f.dir.Path("missing/set.kxl"));
    f.Run(kCmdSave);
    f.ExpectKept();
  }
  {  // a read-only folder
    SaveFixture f;
    WritableAgain afterwards{f.dir.Root()};
    fs::permissions(f.dir.Root(), kWrite, fs::perm_options::remove);
    if (!CanCreateIn(f.dir.Root())) {
      f.Run(kCmdSave);
      f.ExpectKept();
    }
  }
  SaveFixture f;  // a write-protected file stays, though its folder would allow replacing it
  WritableAgain afterwards{f.target};
  fs::permissions(f.target, kWrite, fs::perm_options::remove);
  if (std::ofstream(f.target, std::ios::binary | std::ios::app).is_open())
    GTEST_SKIP() << "this user writes files and folders without write permission (root, or under Wine)";
  f.Run(kCmdSave);
  f.ExpectKept();
}

TEST(SaveFaultMatrix, PathsOf255Characters) {
  // A long file name, and a long folder (247 characters, the most Windows
  // creates) holding a short one: the temporary file beside it must fit too.
  TempDir dir;
  const std::string base = dir.Path("");
  ASSERT_LT(base.size() + 20, 255u);
  const std::string longName = base + std::string(255 - base.size() - 4, 'n') + ".kxl";
  const char separator = static_cast<char>(fs::path::preferred_separator);
  std::string folder = base;
  while (folder.size() + 11 <= 246) folder += std::string(10, 'f') + separator;
  folder += std::string(247 - folder.size(), 'g');
  const std::string shortName = folder + separator + "abc.kxl";
  ASSERT_EQ(longName.size(), 255u);
  ASSERT_EQ(shortName.size(), 255u);
  std::error_code error;
  fs::create_directories(folder, error);
  if (error || !std::ofstream(longName, std::ios::binary).is_open())
    GTEST_SKIP() << "no 255-character path here (" << base.size() << " characters of temporary folder)";
  fs::remove(longName);
  for (const std::string& path : {longName, shortName}) {
    SCOPED_TRACE(path);
    EditorState state;
    FakeHost host;
    FailingFileLayer recorder;  // fails nothing; records the temporary file's path
    state.files = &recorder;
    SetUnsaved(state.document, Marked(1), "set.kxl");
    ASSERT_EQ(SaveLevelSet(state, host, path), 0);
    ASSERT_EQ(recorder.created.size(), 1u);
    EXPECT_LE(recorder.created[0].size(), 255u);
    EXPECT_EQ(DirectoryOf(recorder.created[0]), DirectoryOf(path));
    EXPECT_FALSE(state.document.Modified());
    LevelSet back;
    EXPECT_TRUE(ReadLevelSetFile(path, back).ok);
    EXPECT_EQ(back, Marked(1));
    const auto beside = std::distance(fs::directory_iterator(fs::path(path).parent_path()), fs::directory_iterator());
    EXPECT_EQ(beside, path == longName ? 2 : 1) << "temporary file left behind";
  }
}
