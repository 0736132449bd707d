// Every way a save can fail. A failure is injected at each single file
// operation in turn (the create, every write, the close, the replace) on
// every road by which the editor saves the level set or writes its settings;
// then real folders refuse the save (read-only folder, read-only file, a
// folder in the file's place) and long paths are saved to.
//
// After any failure: the previous file is intact byte for byte, no
// temporary file is left, the user is told "Couldn't save file!" where the
// command reports it (the back-up and the settings report nothing), and the
// set stays modified.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "app/commands.h"
#include "app/editor_state.h"
#include "app/level_set_io.h"
#include "app/settings_file.h"
#include "level/level_file.h"
#include "level/level_transfer.h"
#include "support/failing_file_layer.h"
#include "support/editor_harness.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

class NoTransfer : public LevelTransfer {
 public:
  void PutTempLevel(const Level&) override {}
  int HasTempLevel() override { return 0; }
  Level GetTempLevel() override { return Level(); }
};

// A level set unlike the default one, so a file of it is told apart.
LevelSet MarkedLevels(int goal) {
  LevelSet levels;
  for (Level& level : levels) {
    level.SetGoal(goal);
    level.SetCell(40, 64 + goal);
  }
  return levels;
}

const std::vector<std::string> kLevelSetOperations = {
    "create", "write", "write", "write", "write", "write", "write",
    "write",  "write", "write", "write", "close", "replace"};
const std::vector<std::string> kSettingsOperations = {"create", "write", "close", "replace"};

// Runs `attempt` with a layer failing at operation 0, 1, 2, ... until one
// run reaches no failure point (the attempt checks what each failed run
// left). Returns the operations failed at, in order.
std::vector<std::string> EachFailurePoint(const std::function<void(FailingFileLayer&)>& attempt) {
  std::vector<std::string> points;
  for (int n = 0; n < 100; ++n) {
    FailingFileLayer layer = FailingFileLayer::AtOperation(n);
    attempt(layer);
    if (layer.failedAt.empty()) break;
    points.push_back(layer.failedAt);
  }
  return points;
}

// The editor with unsaved work and a previous file at `target`.
struct SaveFixture {
  TempDir dir;
  std::string target = dir.Path("set.kxl");
  std::vector<uint8_t> previous = EncodeLevelSet(MarkedLevels(2));
  EditorState state;
  FakeHost host;
  NoTransfer transfer;
  LevelSet work = MarkedLevels(1);

  SaveFixture() {
    WriteBytes(target, previous);
    SetUnsaved(state.document, work, target);
    state.settings.questions = 1;
  }
};

// One road to a save of the level set, with what the user sees first.
struct SaveRoad {
  const char* name;
  std::function<void(SaveFixture&)> run;
  std::vector<std::string> messages;  // all messages, the error last
};

std::vector<SaveRoad> SaveRoads() {
  const std::string error = "Couldn't save file!";
  return {
      {"Save",
       [](SaveFixture& f) { RunCommand(f.state, f.host, f.transfer, kCmdSave); },
       {error}},
      {"Save as",
       [](SaveFixture& f) {
         f.host.savePaths = {f.target};
         RunCommand(f.state, f.host, f.transfer, kCmdSaveAs);
       },
       {error}},
      {"Exit, saving the changes",
       [](SaveFixture& f) {
         f.host.answers = {Answer::Yes};
         RunCommand(f.state, f.host, f.transfer, kCmdExit);
       },
       {"Save Changes?", error}},
      {"New, saving the changes",
       [](SaveFixture& f) {
         f.host.answers = {Answer::Yes};
         f.host.savePaths = {f.target};
         RunCommand(f.state, f.host, f.transfer, kCmdNew);
       },
       {"Save changes?", error}},
      {"Open, saving the changes",
       [](SaveFixture& f) {
         f.host.answers = {Answer::Yes};
         f.host.savePaths = {f.target};
         RunCommand(f.state, f.host, f.transfer, kCmdOpen);
       },
       {"Save changes?", error}},
  };
}

std::vector<std::string> MessageTexts(const FakeHost& host) {
  std::vector<std::string> texts;
  for (const FakeHost::Message& m : host.messages) texts.push_back(m.text);
  return texts;
}

// What a failed save of the level set leaves.
void ExpectNothingChanged(const SaveFixture& f, const SaveRoad& road, const std::string& where) {
  SCOPED_TRACE(std::string(road.name) + ", failing at " + where);
  EXPECT_EQ(ReadBytes(f.target), f.previous);
  EXPECT_EQ(f.dir.List(), std::vector<std::string>{"set.kxl"});
  EXPECT_EQ(MessageTexts(f.host), road.messages);
  ASSERT_FALSE(f.host.messages.empty());
  EXPECT_EQ(f.host.messages.back().caption, "Error");
  EXPECT_EQ(f.host.messages.back().kind, MessageKind::Error);
  EXPECT_EQ(f.state.document.Modified(), true);
  EXPECT_EQ(f.state.document.Levels(), f.work);
  EXPECT_EQ(f.state.document.FileName(), f.target);
  EXPECT_EQ(f.state.recent.recentFileCount, 0);
  EXPECT_TRUE(f.host.titles.empty());
  EXPECT_FALSE(f.host.destroyed);
  EXPECT_TRUE(f.host.openDialogDirs.empty());
}

// The current directory for the back-up, put back afterwards.
class InDirectory {
 public:
  explicit InDirectory(const fs::path& dir) : before_(fs::current_path()) { fs::current_path(dir); }
  ~InDirectory() { fs::current_path(before_); }

 private:
  fs::path before_;
};

// Whether this user can still create a file in a folder without write
// permission, or write a file without it (root on Linux can; so can
// everybody where the platform keeps no such permission for folders).
bool CanCreateIn(const fs::path& folder) {
  const fs::path probe = folder / "probe";
  bool created = false;
  {
    std::ofstream out(probe, std::ios::binary);
    created = out.is_open();
  }
  std::error_code ignored;
  fs::remove(probe, ignored);
  return created;
}

// Gives the write permission back, so the folder can be cleaned up.
class WritableAgain {
 public:
  explicit WritableAgain(fs::path path) : path_(std::move(path)) {}
  ~WritableAgain() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_write, fs::perm_options::add, ignored);
  }

 private:
  fs::path path_;
};

bool CanWrite(const fs::path& file) {
  std::ofstream out(file, std::ios::binary | std::ios::app);
  return out.is_open();
}

}  // namespace

TEST(SaveFaultMatrix, LevelSetSavedByAnyCommand) {
  for (const SaveRoad& road : SaveRoads()) {
    const std::vector<std::string> points = EachFailurePoint(
        [&](FailingFileLayer& layer) {
          SaveFixture f;
          f.state.files = &layer;
          road.run(f);
          if (!layer.failedAt.empty()) ExpectNothingChanged(f, road, layer.failedAt);
        });
    EXPECT_EQ(points, kLevelSetOperations) << road.name;

    // The same road with nothing failing saves the work.
    SaveFixture f;
    road.run(f);
    EXPECT_EQ(ReadBytes(f.target), EncodeLevelSet(f.work)) << road.name;
    EXPECT_EQ(f.dir.List(), std::vector<std::string>{"set.kxl"}) << road.name;
    EXPECT_EQ(MessageTexts(f.host).size(), road.messages.size() - 1) << road.name;
  }
}

TEST(SaveFaultMatrix, BackupFailsSilently) {
  TempDir dir;
  InDirectory here(dir.Root());
  const std::vector<uint8_t> previous = EncodeLevelSet(MarkedLevels(3));
  const std::vector<std::string> points = EachFailurePoint(
      [&](FailingFileLayer& layer) {
        WriteBytes(dir.Path(kBackupFileName), previous);
        EditorState state;
        FakeHost host;
        state.files = &layer;
        state.settings.autosave = 1;
        SetUnsaved(state.document, MarkedLevels(1), "set.kxl");
        OnBackupTimer(state, host);
        if (layer.failedAt.empty()) return;
        SCOPED_TRACE("failing at " + layer.failedAt);
        EXPECT_EQ(ReadBytes(dir.Path(kBackupFileName)), previous);
        EXPECT_EQ(dir.List(), std::vector<std::string>{kBackupFileName});
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(state.document.Modified(), true);
      });
  EXPECT_EQ(points, kLevelSetOperations);
  EXPECT_EQ(ReadBytes(dir.Path(kBackupFileName)), EncodeLevelSet(MarkedLevels(1)));
}

TEST(SaveFaultMatrix, SettingsFile) {
  TempDir dir;
  const std::string ini = dir.Path(kSettingsFileName);
  const std::string previous = "[Kraxolan Editor Settings]\r\nZoom = TRUE\r\nLoadFile = x.kxl\r\n\r\n";
  auto fresh = [&] {
    EditorState state;
    state.programDirectory = (dir.Root() / "").make_preferred().string();
    state.document.SetFileName(kNoFileMarker);
    return state;
  };

  // Written from the editor settings dialog and at shutdown.
  const std::vector<std::string> written = EachFailurePoint(
      [&](FailingFileLayer& layer) {
        WriteText(ini, previous);
        EditorState state = fresh();
        state.files = &layer;
        state.settings.autosave = 1;
        WriteSettings(state);
        if (layer.failedAt.empty()) return;
        SCOPED_TRACE("writing, failing at " + layer.failedAt);
        EXPECT_EQ(ReadText(ini), previous);
        EXPECT_EQ(dir.List(), std::vector<std::string>{kSettingsFileName});
        EXPECT_EQ(state.settings.autosave, 1);
      });
  EXPECT_EQ(written, kSettingsOperations);

  // Rewritten at start-up: what was read stays in force, and nobody is told.
  const std::vector<std::string> rewritten = EachFailurePoint(
      [&](FailingFileLayer& layer) {
        WriteText(ini, previous);
        EditorState state = fresh();
        FakeHost host;
        state.files = &layer;
        ReadSettings(state, host);
        if (layer.failedAt.empty()) return;
        SCOPED_TRACE("start-up, failing at " + layer.failedAt);
        EXPECT_EQ(ReadText(ini), previous);
        EXPECT_EQ(dir.List(), std::vector<std::string>{kSettingsFileName});
        EXPECT_EQ(state.settings.zoom, 2);
        // The message is the missing recent file's, not the write's.
        EXPECT_EQ(MessageTexts(host),
                  std::vector<std::string>{
                      "x.kxl could not be loaded and has been removed from recent file list"});
      });
  EXPECT_EQ(rewritten, kSettingsOperations);
}

TEST(SaveFaultMatrix, FoldersThatRefuse) {
  // A folder in the file's place.
  {
    SaveFixture f;
    fs::remove(f.target);
    fs::create_directory(f.target);
    WriteBytes(f.dir.Path("set.kxl/inside"), f.previous);
    RunCommand(f.state, f.host, f.transfer, kCmdSave);
    EXPECT_EQ(MessageTexts(f.host), std::vector<std::string>{"Couldn't save file!"});
    EXPECT_TRUE(fs::is_directory(f.target));
    EXPECT_EQ(ReadBytes(f.dir.Path("set.kxl/inside")), f.previous);
    EXPECT_EQ(f.dir.List(), std::vector<std::string>{"set.kxl"});
    EXPECT_EQ(f.state.document.Modified(), true);
  }
  // A folder that does not exist.
  {
    SaveFixture f;
    f.state.document.SetFileName(f.dir.Path("missing/set.kxl"));
    RunCommand(f.state, f.host, f.transfer, kCmdSave);
    EXPECT_EQ(MessageTexts(f.host), std::vector<std::string>{"Couldn't save file!"});
    EXPECT_EQ(f.dir.List(), std::vector<std::string>{"set.kxl"});
    EXPECT_EQ(f.state.document.Modified(), true);
  }
}

TEST(SaveFaultMatrix, ReadOnlyFolder) {
  SaveFixture f;
  WritableAgain afterwards(f.dir.Root());
  fs::permissions(f.dir.Root(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  if (CanCreateIn(f.dir.Root()))
    GTEST_SKIP() << "this user can create files in a folder without write permission "
                    "(root, or a platform without such folders)";
  RunCommand(f.state, f.host, f.transfer, kCmdSave);
  EXPECT_EQ(MessageTexts(f.host), std::vector<std::string>{"Couldn't save file!"});
  EXPECT_EQ(ReadBytes(f.target), f.previous);
  EXPECT_EQ(f.dir.List(), std::vector<std::string>{"set.kxl"});
  EXPECT_EQ(f.state.document.Modified(), true);
}

TEST(SaveFaultMatrix, ReadOnlyFile) {
  SaveFixture f;
  WritableAgain afterwards(f.target);
  fs::permissions(f.target, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  if (CanWrite(f.target))
    GTEST_SKIP() << "this user can write a file without write permission (root, under Wine too)";
  // A write-protected file stays as it is, though its folder would allow
  // replacing it.
  RunCommand(f.state, f.host, f.transfer, kCmdSave);
  EXPECT_EQ(MessageTexts(f.host), std::vector<std::string>{"Couldn't save file!"});
  EXPECT_EQ(ReadBytes(f.target), f.previous);
  EXPECT_EQ(f.dir.List(), std::vector<std::string>{"set.kxl"});
  EXPECT_EQ(f.state.document.Modified(), true);
}

TEST(SaveFaultMatrix, PathsOf255Characters) {
  // Both shapes of a 255-character path: a long file name, and a long
  // folder holding a short one (the temporary file beside it must fit too).
  TempDir dir;
  const std::string base = dir.Path("");
  ASSERT_LT(base.size() + 20, 255u);
  const std::string longName = base + std::string(255 - base.size() - 4, 'n') + ".kxl";
  // The folder at 247 characters, the most Windows creates a folder with.
  const char separator = static_cast<char>(fs::path::preferred_separator);
  std::string folder = base;
  while (folder.size() + 11 <= 246) folder += std::string(10, 'f') + separator;
  folder += std::string(247 - folder.size(), 'g');
  const std::string shortName = folder + separator + "abc.kxl";
  ASSERT_EQ(longName.size(), 255u);
  ASSERT_EQ(shortName.size(), 255u);

  std::error_code error;
  fs::create_directories(folder, error);
  {
    std::ofstream probe(longName, std::ios::binary);
    if (error || !probe.is_open())
      GTEST_SKIP() << "this platform takes no 255-character path here (" << base.size()
                   << " characters of temporary folder)";
  }
  fs::remove(longName);
  for (const std::string& path : {longName, shortName}) {
    SCOPED_TRACE(path);
    EditorState state;
    FakeHost host;
    FailingFileLayer recorder;  // fails nothing; records the temporary file's path
    state.files = &recorder;
    SetUnsaved(state.document, MarkedLevels(1), "set.kxl");
    ASSERT_EQ(SaveLevelSet(state, host, path), 0);
    ASSERT_EQ(recorder.created.size(), 1u);
    EXPECT_LE(recorder.created[0].size(), 255u);
    EXPECT_EQ(DirectoryOf(recorder.created[0]), DirectoryOf(path));
    EXPECT_EQ(state.document.Modified(), false);
    EXPECT_EQ(ReadBytes(path), EncodeLevelSet(state.document.Levels()));
    LevelSet back;
    EXPECT_TRUE(ReadLevelSetFile(path, back).ok);
    EXPECT_EQ(back, state.document.Levels());
    // Beside the saved file nothing but what the test made.
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path()))
      names.push_back(entry.path().filename().string());
    EXPECT_EQ(names.size(), path == longName ? 2u : 1u) << "temporary file left behind";
  }
}
