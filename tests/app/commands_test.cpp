#include "app/commands.h"

#include <gtest/gtest.h>

#include <deque>

#include "app/editor_state.h"
#include "dialogs/named_catalogue.h"
#include "gfx/png_io.h"
#include "level/level_file.h"
#include "support/editor_harness.h"
#include "support/failing_file_layer.h"
#include "support/held_level.h"
#include "support/temp_dir.h"
#include "support/test_sheets.h"
#include "view/level_picture.h"

namespace {

using Texts = std::vector<std::string>;
using Message = FakeHost::Message;
using Messages = std::vector<Message>;

const Message kSaveQuestion{"Save changes?", "Kraxolan Editor", MessageKind::YesNoCancel};
const Message kExitQuestion{"Save Changes?", "Kraxolan Editor", MessageKind::YesNoCancel};
const Message kCannotLoad{"Couldn't load file!", "Error", MessageKind::Error};
const Message kClearQuestion{"Do you really want to clear this level?", "Clear level", MessageKind::YesNo};
const Message kHelp{"Just read kraxed_manual.pdf or kraxed_tutorial.pdf!", "Help", MessageKind::Info};
const Message kNoProblems{"No problems found in the ten levels.", "Check levels", MessageKind::Information};
// A pseudo command of the table: a drop of b.kxl and a.kxl.
constexpr int kDropTwoFiles = -1;
// Goals of level 1 tell the sets apart: a new set has goal 0.
constexpr int kGoalOfA = 1;
constexpr int kGoalOfB = 2;
constexpr int kGoalOfStart = 3;
constexpr int kShownLevel = 4;
// On the shown level: a wall, and below it a walkable pattern its shadow has not reached yet.
constexpr int kWallCell = 3 * kGridColumns + 5;
constexpr int kBelowWall = 4 * kGridColumns + 5;
constexpr int kPlainFloor = 3;
constexpr int kShadowedFloor = 11;  // pattern 3 in the shadow of a wall

// How the set stands when the command comes: Flawless is a saved set the checks find nothing wrong with.
enum class Work { Saved, Unsaved, UnsavedNoQuestions, Flawless };

const Texts kRecent = {"a.kxl", "start.kxl", "gone.kxl"};

// What a command leaves: the open file (its name alone), whether it is
// modified, which set is open, the level shown, the cell below the wall on
// level 5, the recent files, the dialogs run, and whether the window went.
// The defaults are the start as the fixture leaves it.
struct Outcome {
  std::string file = "start.kxl";
  bool modified = false;
  int goal = kGoalOfStart;
  int level = kShownLevel;
  int floor = kPlainFloor;
  Texts recent = kRecent;
  std::vector<std::pair<DialogKind, int>> dialogs = {};
  bool closed = false;
  bool operator==(const Outcome&) const = default;
};

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

// start.kxl open with level 5 shown (a wall on it), the recent files a.kxl,
// start.kxl and gone.kxl (which does not exist); beside them b.kxl.
struct CommandFixture {
  TempDir dir;
  EditorState state;
  FakeHost host;
  HeldLevel transfer;

  explicit CommandFixture(Work work = Work::Saved) {
    WriteSet("a.kxl", kGoalOfA);
    WriteSet("b.kxl", kGoalOfB);
    LevelSet levels;
    levels[0].SetGoal(kGoalOfStart);
    levels[kShownLevel].SetCell(kWallCell, kCellWall1);
    levels[kShownLevel].SetCell(kBelowWall, kPlainFloor);
    state.document.Replace(levels, dir.Path("start.kxl"));
    for (const char* name : {"gone.kxl", "start.kxl", "a.kxl"}) state.recent.Add(dir.Path(name));
    state.session.currentLevel = kShownLevel;
    state.settings.questions = work == Work::UnsavedNoQuestions ? 0 : 1;
    if (work == Work::Unsaved || work == Work::UnsavedNoQuestions) Edits::SetMusic(state.document, kShownLevel, 1);
    if (work == Work::Flawless) {
      state.catalogue = NamedCatalogue();
      state.document.Replace(FlawlessLevels(), "set.kxl");
    }
  }
  void WriteSet(const char* name, int goal) {
    LevelSet levels;
    levels[0].SetGoal(goal);
    WriteBytes(dir.Path(name), EncodeLevelSet(levels));
  }
  void Run(int command) {
    if (command == kDropTwoFiles)
      OpenDroppedFile(state, host, {dir.Path("b.kxl"), dir.Path("a.kxl")});
    else
      RunCommand(state, host, transfer, command);
  }
  Outcome Now() const {
    Outcome now{NameOf(state.document.FileName()), state.document.Modified(), state.document.GetLevel(0).GetGoal(),
                state.session.currentLevel, state.document.GetLevel(kShownLevel).GetCell(kBelowWall)};
    now.recent.clear();
    for (const std::string& path : state.recent.Files()) now.recent.push_back(NameOf(path));
    for (const FakeHost::DialogRun& run : host.dialogs) now.dialogs.emplace_back(run.dialog, run.param);
    now.closed = host.destroyed;
    return now;
  }
};

const Texts kBOnTop = {"b.kxl", "a.kxl", "start.kxl", "gone.kxl"};
const Texts kSavedOnTop = {"saved.kxl", "a.kxl", "start.kxl", "gone.kxl"};
const Outcome kUntouched = {};
const Outcome kStillUnsaved = {.modified = true};
const Outcome kOpenedB = {.file = "b.kxl", .goal = kGoalOfB, .level = 0, .floor = 0, .recent = kBOnTop};
const Outcome kSavedAs = {.file = "saved.kxl", .level = 0, .recent = kSavedOnTop};
const Outcome kNewSet = {.file = kUntitledName, .goal = 0, .level = 0, .floor = 0};
const Outcome kOpenedA = {.file = "a.kxl", .goal = kGoalOfA, .level = 0, .floor = 0};
const Outcome kCleared = {.modified = true, .floor = 0};
const Outcome kShadowsCorrected = {.modified = true, .floor = kShadowedFloor};
const Outcome kClosed = {.closed = true};
const Outcome kFlawlessSet = {.file = "set.kxl", .goal = 0, .floor = 0};

const Outcome kCheckLevelsRun = {.dialogs = {{DialogKind::CheckLevels, 0}}};

}  // namespace

TEST(Commands, WhatEachCommandLeaves) {
  const struct Row {
    const char* what;
    Work work;
    int command;
    std::deque<Answer> answers;
    const char* chosen;  // the open dialog's choice (the save dialog's is saved.kxl); nullptr: both cancelled
    Messages messages;
    Outcome after;
  } rows[] = {
      {"Open", Work::Saved, kCmdOpen, {}, "b.kxl", {}, kOpenedB},
      {"Open, unsaved, Cancel", Work::Unsaved, kCmdOpen, {Answer::Cancel}, "b.kxl", {kSaveQuestion}, kStillUnsaved},
      {"Open, Yes: saved as instead", Work::Unsaved, kCmdOpen, {Answer::Yes}, "b.kxl", {kSaveQuestion}, kSavedAs},
      {"New", Work::Saved, kCmdNew, {}, nullptr, {}, kNewSet},
      {"New, unsaved, Cancel", Work::Unsaved, kCmdNew, {Answer::Cancel}, nullptr, {kSaveQuestion}, kStillUnsaved},
      {"New, unsaved, Yes: saved as, then new", Work::Unsaved, kCmdNew, {Answer::Yes}, "b.kxl", {kSaveQuestion},
       {.file = kUntitledName, .goal = 0, .level = 0, .floor = 0, .recent = kSavedOnTop}},
      {"New, Yes, not saved: kept", Work::Unsaved, kCmdNew, {Answer::Yes}, nullptr, {kSaveQuestion}, kStillUnsaved},
      {"Exit, unsaved, Cancel", Work::Unsaved, kCmdExit, {Answer::Cancel}, nullptr, {kExitQuestion}, kStillUnsaved},
      {"Exit, unsaved, Yes: saved first", Work::Unsaved, kCmdExit, {Answer::Yes}, nullptr, {kExitQuestion}, kClosed},
      {"A drop opens its first file", Work::Unsaved, kDropTwoFiles, {Answer::No}, nullptr, {kSaveQuestion}, kOpenedB},
      {"Recent file 1", Work::Unsaved, kRecentFileCommand, {Answer::No}, nullptr, {kSaveQuestion}, kOpenedA},
      {"Recent file 3, gone: kept", Work::Saved, kRecentFileCommand + 2, {}, nullptr, {kCannotLoad}, kUntouched},
      {"Recent file 4, not listed", Work::Saved, kRecentFileCommand + 3, {}, nullptr, {}, kUntouched},
      {"Clear, No", Work::Saved, kCmdClearLevel, {Answer::No}, nullptr, {kClearQuestion}, kUntouched},
      {"Clear, Yes", Work::Saved, kCmdClearLevel, {Answer::Yes}, nullptr, {kClearQuestion}, kCleared},
      {"Clear without questions", Work::UnsavedNoQuestions, kCmdClearLevel, {}, nullptr, {}, kCleared},
      {"Correct shadows", Work::Saved, kCmdCorrectShadows, {}, nullptr, {}, kShadowsCorrected},
      {"Paste, nothing copied yet", Work::Saved, kCmdPaste, {}, nullptr, {}, kUntouched},
      {"Level 1", Work::Saved, kCmdSelectLevel1, {}, nullptr, {}, {.level = 0}},
      {"Help", Work::Saved, kCmdHelp, {}, nullptr, {kHelp}, kUntouched},
      {"Check levels, problems found", Work::Saved, kCmdCheckLevels, {}, nullptr, {}, kCheckLevelsRun},
      {"Check levels, nothing to list", Work::Flawless, kCmdCheckLevels, {}, nullptr, {kNoProblems}, kFlawlessSet},
  };
  for (const Row& row : rows) {
    CommandFixture f(row.work);
    f.host.answers = row.answers;
    if (row.chosen) {
      f.host.openPaths = {f.dir.Path(row.chosen)};
      f.host.savePaths = {f.dir.Path("saved.kxl")};
    }
    f.Run(row.command);
    EXPECT_EQ(f.host.messages, row.messages) << row.what;
    EXPECT_EQ(f.Now(), row.after) << row.what;
  }
}

TEST(Commands, ExportPictureWritesTheCanvasAsShown) {
  CommandFixture f;
  f.state.document.Replace(LevelSet(), R"(C:\Levels\set1.kxl)");  // the dialog starts in its folder
  f.state.catalogue = MakeTestCatalogue(1, 1);
  f.state.settings.zoom = 2;
  LayoutRegions(f.state.session.regionList, 2);
  f.state.session.currentLevel = 0;
  f.host.savePaths = {f.dir.Path("level.png")};
  f.Run(kCmdExportPicture);
  EXPECT_EQ(f.host.saveDialogDirs, Texts{R"(C:\Levels)"});
  EXPECT_EQ(f.host.saveDialogKinds, std::vector<FileKind>{FileKind::Picture});
  Image picture;
  ASSERT_TRUE(ReadPng(f.dir.Path("level.png"), picture, nullptr));
  Editor expected;
  expected.catalogue = MakeTestCatalogue(1, 1);
  LevelPictureOptions options;
  options.zoom = 2;
  EXPECT_TRUE(picture == RenderLevelPicture(expected, 0, options));
  FailingFileLayer failing(-1, "write");  // a failed write is told
  f.state.files = &failing;
  f.host.savePaths = {f.dir.Path("other.png")};
  f.Run(kCmdExportPicture);
  EXPECT_EQ(f.host.messages, (Messages{{"Couldn't save picture!", "Error", MessageKind::Error}}));
}
