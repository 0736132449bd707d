#include "app/commands.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/editor_state.h"
#include "level/level_file.h"
#include "level/level_image.h"
#include "level/level_transfer.h"
#include "support/failing_file_layer.h"
#include "support/editor_harness.h"
#include "support/temp_dir.h"
#include "support/test_sheets.h"
#include "gfx/png_io.h"
#include "view/level_picture.h"

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
    state.document.Replace(LevelSet(), kUntitledName);
    state.settings.questions = 1;
  }
  void Run(int id) { RunCommand(state, host, transfer, id); }
  std::string MakeSet(const std::string& name, int goal) {
    LevelSet levels;
    levels[0].SetGoal(goal);
    levels[0].SetPatternSet(4);
    WriteBytes(dir.Path(name), EncodeLevelSet(levels));
    return dir.Path(name);
  }
  void Modify() {
    Level changed = state.document.GetLevel(3);
    changed.SetCell(50, changed.GetCell(50) + 1);
    Edits::PasteLevel(state.document, 3, changed);
  }
  const LevelSet& levels() const { return state.document.Levels(); }
  bool modified() const { return state.document.Modified(); }
};

}  // namespace

TEST(Commands, ResetPutsTheEditorBackToItsStart) {
  CommandFixture f;
  LevelSet levels;
  levels[0].SetPatternSet(5);
  SetUnsaved(f.state.document, levels, kUntitledName);
  f.state.session.currentLevel = 4;
  f.state.session.selectionCategory = 2;
  f.state.session.selectionValue = 3;
  f.state.session.teleportPair = 6;
  f.state.session.canvasReady = 1;
  f.state.document.MarkSaved(kUntitledName);
  ResetEditorState(f.state, f.host);
  EXPECT_EQ(f.state.session.currentLevel, 0);
  EXPECT_EQ(f.state.session.selectionCategory, 0);
  EXPECT_EQ(f.state.session.selectionValue, 0);
  EXPECT_EQ(f.state.session.teleportPair, 0);
  EXPECT_EQ(f.state.session.canvasReady, 0);
  EXPECT_FALSE(f.modified());
  EXPECT_EQ(f.state.session.repaintFlags, 3);
  for (int32_t tile : f.state.session.inspectorTiles) EXPECT_EQ(tile, -1);
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
  EXPECT_TRUE(f.modified());
  // Yes: Save as, then the command ends without the Open dialog.
  f.host.answers = {Answer::Yes};
  f.host.savePaths = {f.dir.Path("saved.kxl")};
  f.Run(kCmdOpen);
  EXPECT_TRUE(f.host.openDialogDirs.empty());
  EXPECT_EQ(f.state.document.FileName(), f.dir.Path("saved.kxl"));
  EXPECT_EQ(ReadBytes(f.dir.Path("saved.kxl")), EncodeLevelSet(f.levels()));
  // Not modified any more: no question, straight to the dialog.
  f.host.openPaths = {a};
  const size_t asked = f.host.messages.size();
  f.Run(kCmdOpen);
  EXPECT_EQ(f.host.messages.size(), asked);
  EXPECT_EQ(f.state.document.FileName(), a);
  EXPECT_EQ(f.levels()[0].GetGoal(), 1);
  EXPECT_EQ(f.state.recent.recentFiles[0], a);
  EXPECT_EQ(f.host.LastTitle(), "Kraxolan Editor - [" + a + "]");
}

TEST(Commands, OpenFailureChangesNothing) {
  CommandFixture f;
  f.Modify();
  f.state.settings.questions = 0;  // no question: goes on as if No
  WriteBytes(f.dir.Path("bad.kxl"), std::vector<uint8_t>(100, 0));
  f.host.openPaths = {f.dir.Path("bad.kxl")};
  const LevelSet before = f.levels();
  f.Run(kCmdOpen);
  ASSERT_EQ(f.host.messages.size(), 1u);
  EXPECT_EQ(f.host.messages[0].text, "Couldn't load file!");
  EXPECT_EQ(f.host.messages[0].caption, "Error");
  EXPECT_EQ(f.host.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(f.levels(), before);
  EXPECT_TRUE(f.modified());
  EXPECT_EQ(f.state.document.FileName(), kUntitledName);
  EXPECT_EQ(f.state.recent.recentFileCount, 0);
}

TEST(Commands, FileDialogsStartInTheFolderOfTheOpenFile) {
  CommandFixture f;
  f.state.document.SetFileName(R"(C:\Levels\set1.kxl)");
  f.Run(kCmdOpen);
  f.Run(kCmdSaveAs);
  f.state.document.SetFileName(kUntitledName);
  f.Run(kCmdSaveAs);
  EXPECT_EQ(f.host.openDialogDirs, std::vector<std::string>{R"(C:\Levels)"});
  EXPECT_EQ(f.host.saveDialogDirs, (std::vector<std::string>{R"(C:\Levels)", "Untitled.kxl"}));
}

TEST(Commands, NewKeepsWorkWhenTheSaveDidNotHappen) {
  CommandFixture f;
  f.Modify();
  const LevelSet before = f.levels();
  // Yes, then Save as cancelled: nothing is cleared.
  f.host.answers = {Answer::Yes};
  f.Run(kCmdNew);
  EXPECT_EQ(f.levels(), before);
  EXPECT_TRUE(f.modified());
  // Yes, then a save that fails: the error, nothing cleared.
  FailingFileLayer failing(FailingFileLayer::Step::Replace);
  f.state.files = &failing;
  f.host.answers = {Answer::Yes};
  f.host.savePaths = {f.dir.Path("x.kxl")};
  f.Run(kCmdNew);
  EXPECT_EQ(f.host.messages.back().text, "Couldn't save file!");
  EXPECT_EQ(f.levels(), before);
  f.state.files = &SystemFileLayer();
  // Cancel: nothing.
  f.host.answers = {Answer::Cancel};
  f.Run(kCmdNew);
  EXPECT_EQ(f.levels(), before);
  // No: cleared, untitled.
  f.state.document.SetFileName(f.dir.Path("old.kxl"));
  f.host.answers = {Answer::No};
  f.Run(kCmdNew);
  EXPECT_EQ(f.levels(), LevelSet());
  EXPECT_EQ(f.state.document.FileName(), kUntitledName);
  EXPECT_FALSE(f.modified());
  // Yes and a good save: saved, then cleared.
  f.Modify();
  f.host.answers = {Answer::Yes};
  f.host.savePaths = {f.dir.Path("kept.kxl")};
  const LevelSet work = f.levels();
  f.Run(kCmdNew);
  EXPECT_EQ(ReadBytes(f.dir.Path("kept.kxl")), EncodeLevelSet(work));
  EXPECT_EQ(f.levels(), LevelSet());
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
  EXPECT_TRUE(f.modified());

  f.state.files = &SystemFileLayer();
  f.state.document.SetFileName(f.dir.Path("closing.kxl"));
  f.host.answers = {Answer::Yes};
  ConfirmClose(f.state, f.host);
  EXPECT_TRUE(f.host.destroyed);
  EXPECT_EQ(ReadBytes(f.dir.Path("closing.kxl")), EncodeLevelSet(f.levels()));
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
  f.state.document.SetFileName(f.dir.Path("missing/set.kxl"));
  f.Modify();
  f.Run(kCmdSave);
  ASSERT_EQ(f.host.messages.size(), 1u);
  EXPECT_EQ(f.host.messages[0].text, "Couldn't save file!");
  EXPECT_TRUE(f.modified());
  f.state.document.SetFileName(f.dir.Path("set.kxl"));
  f.Run(kCmdSave);
  EXPECT_EQ(f.host.messages.size(), 1u);
  EXPECT_FALSE(f.modified());
  EXPECT_EQ(f.host.LastTitle(), "Kraxolan Editor - [" + f.dir.Path("set.kxl") + "]");
}

TEST(Commands, SaveAsShowsLevelOneAgain) {
  CommandFixture f;
  f.Modify();
  f.state.session.currentLevel = 3;
  f.host.savePaths = {f.dir.Path("new.kxl")};
  f.Run(kCmdSaveAs);
  EXPECT_EQ(f.state.document.FileName(), f.dir.Path("new.kxl"));
  EXPECT_EQ(f.state.session.currentLevel, 0);
  EXPECT_EQ(f.host.LastTitle(), "Kraxolan Editor - [" + f.dir.Path("new.kxl") + "]");
  // A failed Save as keeps the name.
  FailingFileLayer failing(FailingFileLayer::Step::Write, 4);
  f.state.files = &failing;
  f.host.savePaths = {f.dir.Path("other.kxl")};
  f.Run(kCmdSaveAs);
  EXPECT_EQ(f.state.document.FileName(), f.dir.Path("new.kxl"));
  EXPECT_FALSE(std::filesystem::exists(f.dir.Path("other.kxl")));
}

TEST(Commands, DroppedAndRecentFiles) {
  CommandFixture f;
  const std::string a = f.MakeSet("a.kxl", 1);
  const std::string b = f.MakeSet("b.kxl", 2);
  OpenDroppedFile(f.state, f.host, {a, b});  // only the first
  EXPECT_EQ(f.state.document.FileName(), a);
  EXPECT_EQ(f.state.recent.recentFileCount, 1);
  OpenDroppedFile(f.state, f.host, {b});
  EXPECT_EQ(f.state.recent.recentFiles[0], b);
  // The recent entry at index 1 is a now; it moves up when opened.
  f.Run(kRecentFileCommand + 1);
  EXPECT_EQ(f.state.document.FileName(), a);
  EXPECT_EQ(f.state.recent.recentFiles[0], a);
  EXPECT_EQ(f.state.recent.recentFiles[1], b);
  // Unused recent ids do nothing.
  f.Run(kRecentFileCommand + 3);
  EXPECT_EQ(f.state.document.FileName(), a);
  // Unsaved work: a recent file asks first; Cancel keeps everything.
  f.Modify();
  f.host.answers = {Answer::Cancel};
  f.Run(kRecentFileCommand + 1);
  EXPECT_EQ(f.state.document.FileName(), a);
  EXPECT_TRUE(f.modified());
  EXPECT_EQ(f.host.messages.back().text, "Save changes?");
  // A drop asks too; No goes on.
  f.host.answers = {Answer::No};
  OpenDroppedFile(f.state, f.host, {b});
  EXPECT_EQ(f.state.document.FileName(), b);
  EXPECT_FALSE(f.modified());
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
  EXPECT_EQ(ReadBytes(f.dir.Path(kBackupFileName)), EncodeLevelSet(f.levels()));
  EXPECT_TRUE(f.modified());
  EXPECT_TRUE(f.host.titles.empty());
  EXPECT_EQ(f.state.recent.recentFileCount, 0);
}

TEST(Commands, LevelCommands) {
  CommandFixture f;
  LevelSet levels;
  levels[2].SetPatternSet(6);
  levels[2].SetCell(3 * 17 + 5, 32);
  levels[2].SetCell(4 * 17 + 5, 3);
  f.state.document.Replace(levels, kUntitledName);
  f.state.session.currentLevel = 2;
  const Level& level = f.levels()[2];
  f.Run(kCmdCorrectShadows);
  EXPECT_EQ(level.GetCell(4 * 17 + 5), 11);
  EXPECT_TRUE(f.modified());
  EXPECT_EQ(f.state.session.repaintFlags, 3);

  f.host.answers = {Answer::No};
  f.Run(kCmdClearLevel);
  EXPECT_EQ(level.GetCell(4 * 17 + 5), 11);
  EXPECT_EQ(f.host.messages.back().text, "Do you really want to clear this level?");
  EXPECT_EQ(f.host.messages.back().caption, "Clear level");
  EXPECT_EQ(f.host.messages.back().kind, MessageKind::YesNo);
  f.host.answers = {Answer::Yes};
  f.Run(kCmdClearLevel);
  Level cleared;
  cleared.SetPatternSet(6);
  EXPECT_EQ(level, cleared);
  // Clear and Correct shadows are a step each.
  f.Run(kCmdUndo);
  f.Run(kCmdUndo);
  EXPECT_EQ(level, levels[2]);
  EXPECT_FALSE(f.modified());

  f.Run(kCmdHelp);
  EXPECT_EQ(f.host.messages.back().text, "Just read kraxed_manual.pdf or kraxed_tutorial.pdf!");
  EXPECT_EQ(f.host.messages.back().caption, "Help");
  EXPECT_EQ(f.host.messages.back().kind, MessageKind::Info);
}

TEST(Commands, CopyAndPaste) {
  CommandFixture f;
  f.Run(kCmdPaste);  // nothing copied yet
  EXPECT_FALSE(f.modified());
  EXPECT_TRUE(f.host.titles.empty());
  LevelSet levels;
  levels[1].SetCell(30, 99);
  levels[1].SetFloor(220, 5);
  std::strcpy(levels[1].GetTime(), "4:44");
  f.state.document.Replace(levels, kUntitledName);
  f.state.session.currentLevel = 1;
  f.Run(kCmdCopy);
  EXPECT_FALSE(f.modified());
  f.Run(kCmdPaste);  // the same level: no step
  EXPECT_FALSE(f.modified());
  f.state.session.currentLevel = 4;
  f.Run(kCmdPaste);
  EXPECT_EQ(f.levels()[4], levels[1]);
  EXPECT_EQ(f.levels()[4].GetFloor(220), 5);
  EXPECT_TRUE(f.modified());
}

TEST(Commands, DialogsAndLevelShortcuts) {
  CommandFixture f;
  f.state.session.currentLevel = 3;
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
  EXPECT_EQ(f.state.session.currentLevel, 9);
  f.Run(kCmdSelectLevel1);
  EXPECT_EQ(f.state.session.currentLevel, 0);
  f.Run(12345);  // unknown ids are ignored
  EXPECT_EQ(f.state.session.currentLevel, 0);
}

TEST(Commands, UndoFollowsTheSavedState) {
  CommandFixture f;
  f.state.document.SetFileName(f.dir.Path("set.kxl"));
  EXPECT_EQ(CommandStates(f.state)[0].enabled, false);
  f.Modify();
  f.Run(kCmdSave);
  f.Modify();
  EXPECT_TRUE(f.modified());
  EXPECT_EQ(CommandStates(f.state)[0].id, kCmdUndo);
  EXPECT_TRUE(CommandStates(f.state)[0].enabled);
  EXPECT_FALSE(CommandStates(f.state)[1].enabled);
  f.Run(kCmdUndo);
  EXPECT_FALSE(f.modified());
  EXPECT_EQ(f.host.LastTitle(), "Kraxolan Editor - [" + f.dir.Path("set.kxl") + "]");
  EXPECT_EQ(CommandStates(f.state)[1].id, kCmdRedo);
  EXPECT_TRUE(CommandStates(f.state)[1].enabled);
  f.Run(kCmdRedo);
  EXPECT_TRUE(f.modified());
  // The back-up leaves the saved mark where it was.
  f.state.settings.autosave = 1;
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(f.dir.Root());
  OnBackupTimer(f.state, f.host);
  std::filesystem::current_path(cwd);
  f.Run(kCmdUndo);
  EXPECT_FALSE(f.modified());
  // Open starts a fresh history.
  f.host.openPaths = {f.MakeSet("a.kxl", 2)};
  f.Run(kCmdOpen);
  EXPECT_FALSE(f.state.document.CanUndo() || f.state.document.CanRedo());
}

TEST(Commands, ExportPictureWritesTheCanvasAsShown) {
  CommandFixture f;
  f.state.catalogue = MakeTestCatalogue(1, 1);
  f.state.settings.zoom = 2;
  LayoutRegions(f.state.session.regionList, 2);
  f.state.session.teleportPair = 3;
  f.state.session.repaintFlags = kRepaintPanel;
  const std::string path = f.dir.Path("level.png");
  f.host.savePaths = {path};
  f.Run(kCmdExportPicture);
  EXPECT_EQ(f.host.saveDialogKinds, std::vector<FileKind>{FileKind::Picture});
  Image picture;
  ASSERT_TRUE(ReadPng(path, picture, nullptr));
  Editor expected;
  expected.catalogue = MakeTestCatalogue(1, 1);
  LevelPictureOptions options;
  options.zoom = 2;
  EXPECT_TRUE(picture == RenderLevelPicture(expected, 0, options));
  EXPECT_EQ(f.state.session.teleportPair, 3);  // the editor's state as it was
  EXPECT_EQ(f.state.session.repaintFlags, kRepaintPanel);
  // A failed write says so and leaves no file; a cancelled dialog does nothing.
  FailingFileLayer failing(FailingFileLayer::Step::Write, 0);
  f.state.files = &failing;
  f.host.savePaths = {f.dir.Path("other.png")};
  f.Run(kCmdExportPicture);
  EXPECT_EQ(f.host.messages.back().text, "Couldn't save picture!");
  EXPECT_EQ(f.host.messages.back().caption, "Error");
  EXPECT_EQ(f.dir.List(), (std::vector<std::string>{"level.png"}));
  f.Run(kCmdExportPicture);
  EXPECT_EQ(f.host.messages.size(), 1u);
}
