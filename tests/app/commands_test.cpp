#include "app/commands.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/editor_state.h"
#include "gfx/png_io.h"
#include "level/level_file.h"
#include "level/level_image.h"
#include "level/level_transfer.h"
#include "support/editor_harness.h"
#include "support/failing_file_layer.h"
#include "support/temp_dir.h"
#include "support/test_sheets.h"
#include "view/level_picture.h"

using Texts = std::vector<std::string>;

namespace {

class MemoryTransfer : public LevelTransfer {  // the shared block, in memory
 public:
  MemoryTransfer() { ClearLevelImage(block_.data()); }
  void PutTempLevel(const Level& level) override { PutLevelImage(block_.data(), level); }
  int HasTempLevel() override { return LevelImageFlag(block_.data()); }
  Level GetTempLevel() override { return GetLevelImage(block_.data()); }

 private:
  std::array<uint8_t, kLevelImageBytes> block_{};
};

struct Fixture {
  TempDir dir;
  EditorState state;
  FakeHost host;
  MemoryTransfer transfer;
  Fixture() {
    state.document.Replace(LevelSet(), kUntitledName);
    state.settings.questions = 1;
  }
  void Run(int id, std::deque<Answer> answers = {}) {
    host.answers = answers;
    RunCommand(state, host, transfer, id);
  }
  std::string MakeSet(const std::string& name, int goal) {
    LevelSet levels;
    levels[0].SetGoal(goal);
    WriteBytes(dir.Path(name), EncodeLevelSet(levels));
    return dir.Path(name);
  }
  void Modify() {
    Level changed = state.document.GetLevel(3);
    changed.SetCell(50, changed.GetCell(50) + 1);
    Edits::PasteLevel(state.document, 3, changed);
  }
  const LevelSet& levels() const { return state.document.Levels(); }
  std::string Summary() const {  // file name, modified, goal of level 1, recent files
    std::string s = state.document.FileName() + (state.document.Modified() ? " *" : "") + " goal " +
                    std::to_string(levels()[0].GetGoal());
    for (int i = 0; i < state.recent.recentFileCount; ++i) s += " | " + state.recent.recentFiles[i];
    return s;
  }
};

}  // namespace

TEST(Commands, ResetPutsTheEditorBackToItsStart) {
  Fixture f;
  f.state.session.currentLevel = 4;
  f.state.session.selectionCategory = 2;
  f.state.session.selectionValue = 3;
  f.state.session.teleportPair = 6;
  f.state.session.canvasReady = 1;
  ResetEditorState(f.state, f.host);
  const Session& s = f.state.session;
  EXPECT_EQ((std::vector<int>{s.currentLevel, s.selectionCategory, s.selectionValue, s.teleportPair, s.canvasReady,
                              s.repaintFlags, s.inspectorTiles[0], s.inspectorTiles[1], s.inspectorTiles[2]}),
            (std::vector<int>{0, 0, 0, 0, 0, 3, -1, -1, -1}));
  EXPECT_EQ(f.host.selectorPositions, (std::vector<std::pair<Selector, int>>{
                                          {Selector::Level, 0}, {Selector::Graphics, 0}, {Selector::Teleport, 0}}));
  EXPECT_EQ(f.host.LastTitle(), "Kraxolan Editor - [Untitled.kxl]");
}

TEST(Commands, FileCommandsAskAboutUnsavedWork) {
  Fixture f;
  const std::string a = f.MakeSet("a.kxl", 1), b = f.MakeSet("b.kxl", 2), bad = f.dir.Path("bad.kxl");
  WriteBytes(bad, std::vector<uint8_t>(100, 0));
  FailingFileLayer failing(-1, "replace");
  const std::string untitled = std::string(kUntitledName) + " *";
  // (command, answers, path chosen, save failing; messages, then the summary afterwards)
  const struct Row {
    std::function<void()> run;
    Texts messages;
    std::string after;
  } rows[] = {
      {[&] { f.Modify(), f.Run(kCmdOpen, {Answer::Cancel}); }, {"Save changes?"}, untitled + " goal 0"},
      {[&] { f.host.savePaths = {f.dir.Path("x.kxl")}, f.state.files = &failing, f.Run(kCmdNew, {Answer::Yes}); },
       {"Save changes?", "Couldn't save file!"}, untitled + " goal 0"},
      {[&] { f.state.files = &SystemFileLayer(), f.Run(kCmdNew, {Answer::Yes}); }, {"Save changes?"}, untitled + " goal 0"},
      {[&] { f.Run(kCmdNew, {Answer::Cancel}); }, {"Save changes?"}, untitled + " goal 0"},
      {[&] { f.host.savePaths = {f.dir.Path("s.kxl")}, f.Run(kCmdOpen, {Answer::Yes}); }, {"Save changes?"},
       f.dir.Path("s.kxl") + " goal 0 | " + f.dir.Path("s.kxl")},  // saved; no Open dialog after it
      {[&] { f.host.openPaths = {a}, f.Run(kCmdOpen); }, {}, a + " goal 1 | " + a + " | " + f.dir.Path("s.kxl")},
      {[&] { f.Modify(), f.host.openPaths = {bad}, f.state.settings.questions = 0, f.Run(kCmdOpen); },
       {"Couldn't load file!"}, a + " * goal 1 | " + a + " | " + f.dir.Path("s.kxl")},
      {[&] { f.Run(kCmdNew); }, {}, std::string(kUntitledName) + " goal 0 | " + a + " | " + f.dir.Path("s.kxl")},
      {[&] { f.state.settings.questions = 1, OpenDroppedFile(f.state, f.host, {b, a}); }, {},  // only the first
       b + " goal 2 | " + b + " | " + a + " | " + f.dir.Path("s.kxl")},
      {[&] { f.Run(kRecentFileCommand + 1); }, {}, a + " goal 1 | " + a + " | " + b + " | " + f.dir.Path("s.kxl")},
      {[&] { f.Run(kRecentFileCommand + 3); }, {}, a + " goal 1 | " + a + " | " + b + " | " + f.dir.Path("s.kxl")},
      {[&] { f.Modify(), f.Run(kRecentFileCommand + 1, {Answer::Cancel}); }, {"Save changes?"},
       a + " * goal 1 | " + a + " | " + b + " | " + f.dir.Path("s.kxl")},
      {[&] { f.host.answers = {Answer::No}, OpenDroppedFile(f.state, f.host, {b}); }, {"Save changes?"},
       b + " goal 2 | " + b + " | " + a + " | " + f.dir.Path("s.kxl")},
      {[&] { std::filesystem::remove(a), f.Run(kRecentFileCommand + 1); }, {"Couldn't load file!"},  // stays listed
       b + " goal 2 | " + b + " | " + a + " | " + f.dir.Path("s.kxl")},
  };
  for (size_t i = 0; i < std::size(rows); ++i) {
    f.host.messages.clear();
    rows[i].run();
    EXPECT_EQ(f.host.Texts(), rows[i].messages) << "row " << i;
    EXPECT_EQ(f.Summary(), rows[i].after) << "row " << i;
  }
  EXPECT_EQ(ReadBytes(f.dir.Path("s.kxl")).at(377 * 3 + 10 + 50), 1);  // row 4 saved the edit of level 4
  f.host.openDialogDirs.clear();
  f.state.document.SetFileName(R"(C:\Levels\set1.kxl)");  // file dialogs start in the folder of the open file
  f.Run(kCmdOpen);
  f.Run(kCmdSaveAs);
  f.state.document.SetFileName(kUntitledName);
  f.Run(kCmdSaveAs);
  EXPECT_EQ(f.host.openDialogDirs, Texts{R"(C:\Levels)"});
  EXPECT_EQ(f.host.saveDialogDirs.back(), "Untitled.kxl");
  EXPECT_EQ(f.host.saveDialogDirs[f.host.saveDialogDirs.size() - 2], R"(C:\Levels)");
}

TEST(Commands, SavingClosingAndTheBackup) {
  Fixture f;
  f.Modify();
  f.Run(kCmdExit, {Answer::Cancel});
  EXPECT_EQ(f.host.messages.back().text + "|" + f.host.messages.back().caption, "Save Changes?|Kraxolan Editor");
  FailingFileLayer failing(-1, "create");
  f.state.files = &failing;
  f.host.answers = {Answer::Yes};
  ConfirmClose(f.state, f.host);  // the save fails: the window stays
  f.state.document.SetFileName(f.dir.Path("missing/set.kxl"));
  f.Run(kCmdSave);
  f.state.files = &SystemFileLayer();
  f.state.document.SetFileName(f.dir.Path("c.kxl"));
  f.state.session.currentLevel = 3;
  f.host.savePaths = {f.dir.Path("other.kxl")};
  f.state.files = &failing;
  f.Run(kCmdSaveAs);  // a failed Save as keeps the name
  f.state.files = &SystemFileLayer();
  EXPECT_EQ(f.host.Texts(), (Texts{"Save Changes?", "Save Changes?", "Couldn't save file!", "Couldn't save file!", "Couldn't save file!"}));
  EXPECT_FALSE(f.host.destroyed);
  EXPECT_EQ(f.Summary(), f.dir.Path("c.kxl") + " * goal 0");
  // The back-up is no save, and only with autosave on.
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(f.dir.Root());
  OnBackupTimer(f.state, f.host);
  const bool before = std::filesystem::exists(kBackupFileName);
  f.state.settings.autosave = 1;
  OnBackupTimer(f.state, f.host);
  std::filesystem::current_path(cwd);
  EXPECT_FALSE(before);
  EXPECT_EQ(ReadBytes(f.dir.Path(kBackupFileName)), EncodeLevelSet(f.levels()));
  EXPECT_EQ(f.Summary(), f.dir.Path("c.kxl") + " * goal 0");
  EXPECT_TRUE(f.host.titles.empty() || f.host.LastTitle() == "Kraxolan Editor - [" + f.dir.Path("c.kxl") + " *]");
  // Save as shows level 1 again; then Exit saves and lets the window go.
  f.host.savePaths = {f.dir.Path("new.kxl")};
  f.Run(kCmdSaveAs);
  EXPECT_EQ(f.state.session.currentLevel, 0);
  EXPECT_EQ(f.host.LastTitle(), "Kraxolan Editor - [" + f.dir.Path("new.kxl") + "]");
  f.Modify();
  f.Run(kCmdExit, {Answer::Yes});
  EXPECT_TRUE(f.host.destroyed);
  EXPECT_EQ(ReadBytes(f.dir.Path("new.kxl")), EncodeLevelSet(f.levels()));
  EXPECT_FALSE(std::filesystem::exists(f.dir.Path("other.kxl")));
  // Without questions nothing is asked.
  f.state.settings.questions = 0;
  f.host.destroyed = false;
  f.host.messages.clear();
  f.Modify();
  f.Run(kCmdExit);
  f.Run(kCmdClearLevel);
  EXPECT_TRUE(f.host.destroyed && f.host.messages.empty());
}

TEST(Commands, LevelCommandsUndoAndDialogs) {
  Fixture f;
  LevelSet levels;
  levels[2].SetPatternSet(6);
  levels[2].SetCell(3 * 17 + 5, 32);
  levels[2].SetCell(4 * 17 + 5, 3);
  levels[2].SetFloor(220, 5);
  std::strcpy(levels[2].GetTime(), "4:44");
  f.state.document.Replace(levels, f.dir.Path("set.kxl"));
  f.state.session.currentLevel = 2;
  EXPECT_FALSE(CommandStates(f.state)[0].enabled);
  f.Run(kCmdCorrectShadows);
  EXPECT_EQ(f.levels()[2].GetCell(4 * 17 + 5) * 10 + f.state.session.repaintFlags, 113);
  f.Run(kCmdClearLevel, {Answer::No});
  EXPECT_EQ(f.levels()[2].GetCell(4 * 17 + 5), 11);
  EXPECT_EQ(f.host.messages.back().text + "|" + f.host.messages.back().caption, "Do you really want to clear this level?|Clear level");
  EXPECT_EQ(f.host.messages.back().kind, MessageKind::YesNo);
  f.Run(kCmdClearLevel, {Answer::Yes});
  Level cleared;
  cleared.SetPatternSet(6);
  EXPECT_EQ(f.levels()[2], cleared);
  const std::vector<CommandState> states = CommandStates(f.state);
  EXPECT_TRUE(states[0].id == kCmdUndo && states[0].enabled && states[1].id == kCmdRedo && !states[1].enabled);
  f.Run(kCmdUndo);  // Clear and Correct shadows are a step each
  f.Run(kCmdUndo);
  EXPECT_EQ(f.levels()[2], levels[2]);
  EXPECT_FALSE(f.state.document.Modified());
  EXPECT_EQ(f.host.LastTitle(), "Kraxolan Editor - [" + f.dir.Path("set.kxl") + "]");
  EXPECT_TRUE(CommandStates(f.state)[1].enabled);
  f.Run(kCmdRedo);
  EXPECT_TRUE(f.state.document.Modified());
  // Copy and paste through the shared block; the same level again makes no step.
  f.state.session.currentLevel = 4;
  f.Run(kCmdPaste);  // nothing copied yet
  EXPECT_EQ(f.levels()[4], Level());
  f.Run(kCmdUndo);
  f.state.session.currentLevel = 2;
  f.Run(kCmdCopy);
  f.Run(kCmdPaste);
  EXPECT_FALSE(f.state.document.Modified());
  f.state.session.currentLevel = 4;
  f.Run(kCmdPaste);
  EXPECT_EQ(f.levels()[4], levels[2]);
  EXPECT_TRUE(f.state.document.Modified());
  // Dialogs and shortcuts; unknown ids are ignored.
  for (int id : {kCmdLevelSettings, kCmdEnemySettings, kCmdSwapLevels, kCmdEditorSettings, kCmdAbout, kCmdSelectLevel1 + 9, 12345})
    f.Run(id);
  std::vector<std::pair<DialogKind, int>> dialogs;
  for (const FakeHost::DialogRun& d : f.host.dialogs) dialogs.push_back({d.dialog, d.dialog <= DialogKind::EnemySettings ? d.param : 0});
  EXPECT_EQ(dialogs, (std::vector<std::pair<DialogKind, int>>{{DialogKind::LevelSettings, 4}, {DialogKind::EnemySettings, 1},
                                                               {DialogKind::SwapLevels, 0}, {DialogKind::EditorSettings, 0},
                                                               {DialogKind::About, 0}}));
  EXPECT_EQ(f.state.session.currentLevel, 9);
  f.Run(kCmdSelectLevel1);
  EXPECT_EQ(f.state.session.currentLevel, 0);
  f.Run(kCmdHelp);
  EXPECT_EQ(f.host.messages.back().text + "|" + f.host.messages.back().caption, "Just read kraxed_manual.pdf or kraxed_tutorial.pdf!|Help");
  EXPECT_EQ(f.host.messages.back().kind, MessageKind::Info);
  f.host.openPaths = {f.MakeSet("a.kxl", 2)};  // Open starts a fresh history
  f.state.settings.questions = 0;
  f.Run(kCmdOpen);
  EXPECT_FALSE(f.state.document.CanUndo() || f.state.document.CanRedo());
}

TEST(Commands, ExportPictureWritesTheCanvasAsShown) {
  Fixture f;
  f.state.catalogue = MakeTestCatalogue(1, 1);
  f.state.settings.zoom = 2;
  LayoutRegions(f.state.session.regionList, 2);
  f.state.session.teleportPair = 3;
  f.state.session.repaintFlags = kRepaintPanel;
  f.host.savePaths = {f.dir.Path("level.png")};
  f.Run(kCmdExportPicture);
  EXPECT_EQ(f.host.saveDialogKinds, std::vector<FileKind>{FileKind::Picture});
  Image picture;
  ASSERT_TRUE(ReadPng(f.dir.Path("level.png"), picture, nullptr));
  Editor expected;
  expected.catalogue = MakeTestCatalogue(1, 1);
  LevelPictureOptions options;
  options.zoom = 2;
  EXPECT_TRUE(picture == RenderLevelPicture(expected, 0, options));
  EXPECT_EQ(f.state.session.teleportPair * 10 + f.state.session.repaintFlags, 30 + kRepaintPanel);  // as it was
  FailingFileLayer failing(-1, "write");  // a failed write says so and leaves no file
  f.state.files = &failing;
  f.host.savePaths = {f.dir.Path("other.png")};
  f.Run(kCmdExportPicture);
  f.Run(kCmdExportPicture);  // cancelled: nothing
  EXPECT_EQ(f.host.Texts(), Texts{"Couldn't save picture!"});
  EXPECT_EQ(f.dir.List(), Texts{"level.png"});
}
