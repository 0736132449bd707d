// Where the editor's files go on systems that keep the program's folder to
// themselves, and paths longer than the editor takes.
#include <gtest/gtest.h>

#include <filesystem>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "app/commands.h"
#include "app/settings_file.h"
#include "level/level_file.h"
#include "support/editor_harness.h"
#include "support/failing_file_layer.h"
#include "support/temp_dir.h"

// Named, not anonymous: the test files are compiled in batches.
namespace storage_test {
namespace {

// The real files, but nothing can be created where `locked` says.
struct LockedFolder : FailingFileLayer {
  std::function<bool(const std::string&)> locked = [](const std::string&) { return false; };
  Handle Create(const std::string& path) override {
    return locked(path) ? nullptr : FailingFileLayer::Create(path);
  }
};

std::function<bool(const std::string&)> Under(const std::string& folder) {
  return [folder](const std::string& path) { return path.rfind(folder, 0) == 0; };
}

struct Fixture : Harness {
  TempDir dir;
  LockedFolder files;
  std::string program = dir.Path("program") + "/";
  std::string user = dir.Path("user") + "/kraxed/kraxed.ini";
  Fixture() {
    std::filesystem::create_directory(dir.Path("program"));
    state.files = &files;
    state.programDirectory = program;
    state.userSettingsFile = user;
  }
};

const std::string kLongPath = "C:\\" + std::string(252, 'a') + ".kxl";  // 259 characters

}  // namespace

TEST(Storage, SettingsGoBesideTheProgramOrElseToTheUsersFolder) {
  const struct Case {
    const char* what;
    bool programLocked, userLocked;
    bool besideTheProgram, inTheUsersFolder;
  } cases[] = {
      {"a folder of the user's own", false, false, true, false},
      {"an installed program", true, false, false, true},
      {"nowhere at all", true, true, false, false},
  };
  for (const Case& c : cases) {
    Fixture f;
    if (c.programLocked) f.files.locked = Under(c.userLocked ? f.dir.Path("") : f.program);
    WriteSettings(f.state);
    WriteSettings(f.state);
    EXPECT_EQ(std::filesystem::exists(f.program + kSettingsFileName), c.besideTheProgram) << c.what;
    EXPECT_EQ(std::filesystem::exists(f.user), c.inTheUsersFolder) << c.what;
    const std::string ini = f.program + kSettingsFileName;
    const std::vector<std::string> notices =
        !c.programLocked ? std::vector<std::string>{}
        : c.userLocked   ? std::vector<std::string>{"Neither " + ini + " nor " + f.user + " can be written"}
                         : std::vector<std::string>{ini + " cannot be written: it is kept in " + f.user};
    EXPECT_EQ(f.state.notices, notices) << c.what;  // once, though written twice
  }
}

TEST(Storage, TheBackUpGoesToTheUsersFolderWhenTheCurrentOneCannotTakeIt) {
  Fixture f;
  // The current folder: a name without a folder.
  f.files.locked = [](const std::string& path) { return DirectoryOf(path).empty(); };
  f.state.settings.autosave = 1;
  f.state.userBackupFile = f.dir.Path("local") + "/kraxed/backup.kxl";
  OnBackupTimer(f.state, f.host);
  OnBackupTimer(f.state, f.host);
  EXPECT_EQ(ReadBytes(f.state.userBackupFile), EncodeLevelSet(LevelSet()));
  EXPECT_EQ(f.host.statusTexts.size(), 1u);
}

TEST(Storage, APathLongerThanTheEditorTakesIsRefusedOnEveryRoad) {
  const struct Case {
    const char* what;
    std::function<void(Fixture&)> run;
  } cases[] = {
      {"Open", [](Fixture& f) { f.host.openPaths = {kLongPath}; OpenLevelSet(f.state, f.host); }},
      {"Save as", [](Fixture& f) { f.host.savePaths = {kLongPath}; SaveAs(f.state, f.host); }},
      {"a drop", [](Fixture& f) { OpenDroppedFile(f.state, f.host, {kLongPath}); }},
      {"a recent file", [](Fixture& f) { f.state.recent.Add(kLongPath); OpenRecentFile(f.state, f.host, 0); }},
      {"the command line", [](Fixture& f) { f.state.document.SetFileName(kLongPath); OpenFirstLevelSet(f.state, f.host); }},
  };
  for (const Case& c : cases) {
    Fixture f;
    c.run(f);
    ASSERT_EQ(f.host.messages.size(), 1u) << c.what;
    EXPECT_EQ(f.host.messages[0].text, "The path is too long: it has 259 characters, and the editor takes paths of at most 255.\n\n" + kLongPath) << c.what;
    EXPECT_TRUE(f.files.created.empty()) << c.what;
  }
  Fixture f;  // 255 characters are the editor's to try
  f.host.openPaths = {"C:\\" + std::string(248, 'a') + ".kxl"};
  OpenLevelSet(f.state, f.host);
  EXPECT_EQ(f.host.Texts(), std::vector<std::string>{"Couldn't load file!"});
}

#ifndef _WIN32
TEST(Storage, AReplacedFileKeepsItsPermissions) {
  TempDir dir;
  const std::string path = dir.Path("set.kxl");
  WriteBytes(path, {1});
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  ASSERT_TRUE(WriteFileSafely(SystemFileLayer(), path, {{2}}));
  EXPECT_EQ(std::filesystem::status(path).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  // A file its owner may not write is not replaced (root may write anything:
  // the test command runs this as an ordinary user too).
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  if (geteuid() == 0) GTEST_SKIP() << "root writes any file";
  EXPECT_FALSE(WriteFileSafely(SystemFileLayer(), path, {{3}}));
  EXPECT_EQ(ReadBytes(path), (std::vector<uint8_t>{2}));
}
#endif

}  // namespace storage_test
