#include "app/commands.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/editor_state.h"
#include "level/level_file.h"
#include "level/level_image.h"
#include "level/level_transfer.h"
#include "support/failing_file_layer.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace {

// The shared block, in memory.
class MemoryTransfer : public LevelTransfer {
 public:
  MemoryTransfer() { ClearLevelImage(block_.data()); }
  void PutTempLevel(const Level& level) override { PutLevelImage(block_.data(), level); }
  int HasTempLevel() override { return LevelImageFlag(block_.data()); }
  Level GetTempLevel() override { return GetLevelImage(block_.data()); }

 private:
  std::array<uint8_t, kLevelImageBytes> block_{};
};

struct CommandFixture {
  TempDir dir;
  EditorState state;
  FakeHost host;
  MemoryTransfer transfer;

  CommandFixture() {
    state.currentFileName = kUntitledName;
    state.settings.questions = 1;
  }
  void Run(int id) { RunCommand(state, host, transfer, id); }
  std::string MakeSet(const std::string& name, int goal) {
    LevelSet levels;
    levels[0].goal = goal;
    levels[0].patternSet = 4;
    WriteBytes(dir.Path(name), EncodeLevelSet(levels));
    return dir.Path(name);
  }
  void Modify() {
    state.levels[3].cells[50] = 64;
    state.modified = 1;
  }
};

}  // namespace

TEST(Commands, ResetPutsTheEditorBackToItsStart) {
  CommandFixture f;
  f.state.currentLevel = 4;
  f.state.selectionCategory = 2;
  f.state.selectionValue = 3;
  f.state.teleportPair = 6;
  f.state.canvasReady = 1;
  f.state.modified = 1;
  f.state.levels[0].patternSet = 5;
  ResetEditorState(f.state, f.host);
  EXPECT_EQ(f.state.currentLevel, 0);
  EXPECT_EQ(f.state.selectionCategory, 0);
  EXPECT_EQ(f.state.selectionValue, 0);
  EXPECT_EQ(f.state.teleportPair, 0);
  EXPECT_EQ(f.state.canvasReady, 0);
  EXPECT_EQ(f.state.modified, 0);
  EXPECT_EQ(f.state.repaintFlags, 3);
  for (int32_t tile : f.state.inspectorTiles) EXPECT_EQ(tile, -1);
  EXPECT_EQ(f.host.selectorPositions,
            (std::vector<std::pair<Selector, int>>{
                {Selector::Level, 0}, {Selector::Graphics, 2}, {Selector::Teleport, 0}}));
  EXPECT_EQ(f.host.LastTitle(), "Kraxolan Editor - [Untitled.kxl]");
}

TEST(Commands, OpenAsksAboutUnsavedWork) {
  CommandFixture f;
  const std::string a = f.MakeSet("a.kxl", 1);
  // Cancel: nothing happens, no file dialog.
  f.Modify();
  f.host.answers = {Answer::Cancel};
  f.Run(kCmdOpen);
  EXPECT_TRUE(f.host.openDialogDirs.empty());
  EXPECT_EQ(f.state.modified, 1);
  // Yes: Save as, then the command ends without the Open dialog.
  f.host.answers = {Answer::Yes};
  f.host.savePaths = {f.dir.Path("saved.kxl")};
  f.Run(kCmdOpen);
  EXPECT_TRUE(f.host.openDialogDirs.empty());
  EXPECT_EQ(f.state.currentFileName, f.dir.Path("saved.kxl"));
  EXPECT_EQ(ReadBytes(f.dir.Path("saved.kxl")), EncodeLevelSet(f.state.levels));
  // Not modified any more: no question, straight to the dialog.
  f.host.openPaths = {a};
  const size_t asked = f.host.messages.size();
  f.Run(kCmdOpen);
  EXPECT_EQ(f.host.messages.size(), asked);
  EXPECT_EQ(f.state.currentFileName, a);
  EXPECT_EQ(f.state.levels[0].goal, 1);
  EXPECT_EQ(f.state.recent.recentFiles[0], a);
  EXPECT_EQ(f.host.LastTitle(), "Kraxolan Editor - [" + a + "]");
}

TEST(Commands, OpenFailureChangesNothing) {
  CommandFixture f;
  f.Modify();
  f.state.settings.questions = 0;  // no question: goes on as if No
  WriteBytes(f.dir.Path("bad.kxl"), std::vector<uint8_t>(100, 0));
  f.host.openPaths = {f.dir.Path("bad.kxl")};
  const LevelSet before = f.state.levels;
  f.Run(kCmdOpen);
  ASSERT_EQ(f.host.messages.size(), 1u);
  EXPECT_EQ(f.host.messages[0].text, "Couldn't load file!");
  EXPECT_EQ(f.host.messages[0].caption, "Error");
  EXPECT_EQ(f.host.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(f.state.levels, before);
  EXPECT_EQ(f.state.modified, 1);
  EXPECT_EQ(f.state.currentFileName, kUntitledName);
  EXPECT_EQ(f.state.recent.recentFileCount, 0);
}

TEST(Commands, FileDialogsStartInTheFolderOfTheOpenFile) {
  CommandFixture f;
  f.state.currentFileName = R"(C:\Levels\set1.kxl)";
  f.Run(kCmdOpen);
  f.Run(kCmdSaveAs);
  f.state.currentFileName = kUntitledName;
  f.Run(kCmdSaveAs);
  EXPECT_EQ(f.host.openDialogDirs, std::vector<std::string>{R"(C:\Levels)"});
  EXPECT_EQ(f.host.saveDialogDirs, (std::vector<std::string>{R"(C:\Levels)", "Untitled.kxl"}));
}

TEST(Commands, NewKeepsWorkWhenTheSaveDidNotHappen) {
  CommandFixture f;
  f.Modify();
  const LevelSet before = f.state.levels;
  // Yes, then Save as cancelled: nothing is cleared.
  f.host.answers = {Answer::Yes};
  f.Run(kCmdNew);
  EXPECT_EQ(f.state.levels, before);
  EXPECT_EQ(f.state.modified, 1);
  // Yes, then a save that fails: the error, nothing cleared.
  FailingFileLayer failing(FailingFileLayer::Step::Replace);
  f.state.files = &failing;
  f.host.answers = {Answer::Yes};
  f.host.savePaths = {f.dir.Path("x.kxl")};
  f.Run(kCmdNew);
  EXPECT_EQ(f.host.messages.back().text, "Couldn't save file!");
  EXPECT_EQ(f.state.levels, before);
  f.state.files = &SystemFileLayer();
  // Cancel: nothing.
  f.host.answers = {Answer::Cancel};
  f.Run(kCmdNew);
  EXPECT_EQ(f.state.levels, before);
  // No: cleared, untitled.
  f.state.currentFileName = f.dir.Path("old.kxl");
  f.host.answers = {Answer::No};
  f.Run(kCmdNew);
  EXPECT_EQ(f.state.levels, LevelSet());
  EXPECT_EQ(f.state.currentFileName, kUntitledName);
  EXPECT_EQ(f.state.modified, 0);
  // Yes and a good save: saved, then cleared.
  f.Modify();
  f.host.answers = {Answer::Yes};
  f.host.savePaths = {f.dir.Path("kept.kxl")};
  const LevelSet work = f.state.levels;
  f.Run(kCmdNew);
  EXPECT_EQ(ReadBytes(f.dir.Path("kept.kxl")), EncodeLevelSet(work));
  EXPECT_EQ(f.state.levels, LevelSet());
}

TEST(Commands, ClosingAsksAndKeepsTheWindowWhenTheSaveFails) {
  CommandFixture f;
  f.Modify();
  f.host.answers = {Answer::Cancel};
  f.Run(kCmdExit);
  EXPECT_FALSE(f.host.destroyed);
  EXPECT_EQ(f.host.messages.back().text, "Save Changes?");
  EXPECT_EQ(f.host.messages.back().caption, "Kraxolan Editor");

  FailingFileLayer failing(FailingFileLayer::Step::Create);
  f.state.files = &failing;
  f.host.answers = {Answer::Yes};
  ConfirmClose(f.state, f.host);
  EXPECT_FALSE(f.host.destroyed);
  EXPECT_EQ(f.host.messages.back().text, "Couldn't save file!");
  EXPECT_EQ(f.state.modified, 1);

  f.state.files = &SystemFileLayer();
  f.state.currentFileName = f.dir.Path("closing.kxl");
  f.host.answers = {Answer::Yes};
  ConfirmClose(f.state, f.host);
  EXPECT_TRUE(f.host.destroyed);
  EXPECT_EQ(ReadBytes(f.dir.Path("closing.kxl")), EncodeLevelSet(f.state.levels));
}

TEST(Commands, WithoutQuestionsNothingIsAsked) {
  CommandFixture f;
  f.state.settings.questions = 0;
  f.Modify();
  f.Run(kCmdExit);
  EXPECT_TRUE(f.host.destroyed);
  EXPECT_TRUE(f.host.messages.empty());
  f.Modify();
  f.Run(kCmdClearLevel);  // cleared at once
  EXPECT_TRUE(f.host.messages.empty());
}

TEST(Commands, SaveReportsFailureAndChangesNothing) {
  CommandFixture f;
  f.state.currentFileName = f.dir.Path("missing/set.kxl");
  f.Modify();
  f.Run(kCmdSave);
  ASSERT_EQ(f.host.messages.size(), 1u);
  EXPECT_EQ(f.host.messages[0].text, "Couldn't save file!");
  EXPECT_EQ(f.state.modified, 1);
  f.state.currentFileName = f.dir.Path("set.kxl");
  f.Run(kCmdSave);
  EXPECT_EQ(f.host.messages.size(), 1u);
  EXPECT_EQ(f.state.modified, 0);
  EXPECT_EQ(f.host.LastTitle(), "Kraxolan Editor - [" + f.dir.Path("set.kxl") + "]");
}

TEST(Commands, SaveAsShowsLevelOneAgain) {
  CommandFixture f;
  f.Modify();
  f.state.currentLevel = 3;
  f.host.savePaths = {f.dir.Path("new.kxl")};
  f.Run(kCmdSaveAs);
  EXPECT_EQ(f.state.currentFileName, f.dir.Path("new.kxl"));
  EXPECT_EQ(f.state.currentLevel, 0);
  EXPECT_EQ(f.host.LastTitle(), "Kraxolan Editor - [" + f.dir.Path("new.kxl") + "]");
  // A failed Save as keeps the name.
  FailingFileLayer failing(FailingFileLayer::Step::Write, 4);
  f.state.files = &failing;
  f.host.savePaths = {f.dir.Path("other.kxl")};
  f.Run(kCmdSaveAs);
  EXPECT_EQ(f.state.currentFileName, f.dir.Path("new.kxl"));
  EXPECT_FALSE(std::filesystem::exists(f.dir.Path("other.kxl")));
}

TEST(Commands, DroppedAndRecentFiles) {
  CommandFixture f;
  const std::string a = f.MakeSet("a.kxl", 1);
  const std::string b = f.MakeSet("b.kxl", 2);
  OpenDroppedFile(f.state, f.host, {a, b});  // only the first
  EXPECT_EQ(f.state.currentFileName, a);
  EXPECT_EQ(f.state.recent.recentFileCount, 1);
  OpenDroppedFile(f.state, f.host, {b});
  EXPECT_EQ(f.state.recent.recentFiles[0], b);
  // The recent entry at index 1 is a now; it moves up when opened.
  f.Run(kRecentFileCommand + 1);
  EXPECT_EQ(f.state.currentFileName, a);
  EXPECT_EQ(f.state.recent.recentFiles[0], a);
  EXPECT_EQ(f.state.recent.recentFiles[1], b);
  // Unused recent ids do nothing.
  f.Run(kRecentFileCommand + 3);
  EXPECT_EQ(f.state.currentFileName, a);
  // Unsaved work: a recent file asks first; Cancel keeps everything.
  f.Modify();
  f.host.answers = {Answer::Cancel};
  f.Run(kRecentFileCommand + 1);
  EXPECT_EQ(f.state.currentFileName, a);
  EXPECT_EQ(f.state.modified, 1);
  EXPECT_EQ(f.host.messages.back().text, "Save changes?");
  // A drop asks too; No goes on.
  f.host.answers = {Answer::No};
  OpenDroppedFile(f.state, f.host, {b});
  EXPECT_EQ(f.state.currentFileName, b);
  EXPECT_EQ(f.state.modified, 0);
  // A recent file that no longer loads stays in the list.
  std::filesystem::remove(a);
  f.Run(kRecentFileCommand + 1);
  EXPECT_EQ(f.host.messages.back().text, "Couldn't load file!");
  EXPECT_EQ(f.state.recent.recentFiles[1], a);
}

TEST(Commands, BackupIsNotASave) {
  CommandFixture f;
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(f.dir.Root());
  f.Modify();
  OnBackupTimer(f.state, f.host);
  EXPECT_FALSE(std::filesystem::exists(f.dir.Path(kBackupFileName)));  // autosave off
  f.state.settings.autosave = 1;
  OnBackupTimer(f.state, f.host);
  std::filesystem::current_path(cwd);
  EXPECT_EQ(ReadBytes(f.dir.Path(kBackupFileName)), EncodeLevelSet(f.state.levels));
  EXPECT_EQ(f.state.modified, 1);
  EXPECT_TRUE(f.host.titles.empty());
  EXPECT_EQ(f.state.recent.recentFileCount, 0);
}

TEST(Commands, LevelCommands) {
  CommandFixture f;
  f.state.currentLevel = 2;
  Level& level = f.state.levels[2];
  level.patternSet = 6;
  level.cells[3 * 17 + 5] = 32;
  level.cells[4 * 17 + 5] = 3;
  f.Run(kCmdCorrectShadows);
  EXPECT_EQ(level.cells[4 * 17 + 5], 11);
  EXPECT_EQ(f.state.modified, 1);
  EXPECT_EQ(f.state.repaintFlags, 3);

  f.host.answers = {Answer::No};
  f.Run(kCmdClearLevel);
  EXPECT_EQ(level.cells[4 * 17 + 5], 11);
  EXPECT_EQ(f.host.messages.back().text, "Do you really want to clear this level?");
  EXPECT_EQ(f.host.messages.back().caption, "Clear level");
  EXPECT_EQ(f.host.messages.back().kind, MessageKind::YesNo);
  f.host.answers = {Answer::Yes};
  f.Run(kCmdClearLevel);
  Level cleared;
  cleared.patternSet = 6;
  EXPECT_EQ(level, cleared);

  f.Run(kCmdHelp);
  EXPECT_EQ(f.host.messages.back().text, "Just read kraxed_manual.pdf or kraxed_tutorial.pdf!");
  EXPECT_EQ(f.host.messages.back().caption, "Help");
  EXPECT_EQ(f.host.messages.back().kind, MessageKind::Info);
}

TEST(Commands, CopyAndPaste) {
  CommandFixture f;
  f.Run(kCmdPaste);  // nothing copied yet
  EXPECT_EQ(f.state.modified, 0);
  EXPECT_TRUE(f.host.titles.empty());
  f.state.currentLevel = 1;
  f.state.levels[1].cells[30] = 99;
  f.state.levels[1].floors[220] = 5;
  std::strcpy(f.state.levels[1].time, "4:44");
  f.Run(kCmdCopy);
  EXPECT_EQ(f.state.modified, 0);
  f.state.levels[1].cells[30] = 0;
  f.Run(kCmdPaste);
  EXPECT_EQ(f.state.levels[1].cells[30], 99);
  EXPECT_EQ(f.state.modified, 1);
  f.state.currentLevel = 4;
  f.Run(kCmdPaste);
  EXPECT_EQ(f.state.levels[4], f.state.levels[1]);
  EXPECT_EQ(f.state.levels[4].floors[220], 5);
}

TEST(Commands, DialogsAndLevelShortcuts) {
  CommandFixture f;
  f.state.currentLevel = 3;
  f.Run(kCmdLevelSettings);
  f.Run(kCmdEnemySettings);
  f.Run(kCmdSwapLevels);
  f.Run(kCmdEditorSettings);
  f.Run(kCmdAbout);
  ASSERT_EQ(f.host.dialogs.size(), 5u);
  EXPECT_EQ(f.host.dialogs[0].dialog, DialogKind::LevelSettings);
  EXPECT_EQ(f.host.dialogs[0].param, 3);
  EXPECT_EQ(f.host.dialogs[1].dialog, DialogKind::EnemySettings);
  EXPECT_EQ(f.host.dialogs[1].param, 1);
  EXPECT_EQ(f.host.dialogs[2].dialog, DialogKind::SwapLevels);
  EXPECT_EQ(f.host.dialogs[3].dialog, DialogKind::EditorSettings);
  EXPECT_EQ(f.host.dialogs[4].dialog, DialogKind::About);
  f.Run(kCmdSelectLevel1 + 9);
  EXPECT_EQ(f.state.currentLevel, 9);
  f.Run(kCmdSelectLevel1);
  EXPECT_EQ(f.state.currentLevel, 0);
  f.Run(12345);  // unknown ids are ignored
  EXPECT_EQ(f.state.currentLevel, 0);
}
