// The recovery file (its form, when it is written and removed, which one is
// offered) and the open file changed by another program.
#include "app/recovery.h"

#include <gtest/gtest.h>

#include <map>

#include "app/level_set_io.h"
#include "level/level_file.h"
#include "support/editor_harness.h"
#include "support/failing_file_layer.h"
#include "support/temp_dir.h"

// Named, not anonymous: the test files are compiled in batches.
namespace recovery_test {
namespace {

constexpr long long kSize = 3770;
constexpr long long kNine = 90000000000LL;  // two ticks of the clock, 100 ns each
constexpr long long kTen = 100000000000LL;

// The real files, with the stamps a test gives them.
struct StampedFiles : FailingFileLayer {
  std::map<std::string, FileStamp> stamps;
  FileStamp Stamp(const std::string& path) override { return stamps[path]; }
};

LevelSet WithGoal(int goal) {
  LevelSet levels;
  levels[4].SetGoal(goal);
  return levels;
}

// The set at set.kxl with goal 1 loaded at stamp kNine; a recovery folder.
struct Fixture : Harness {
  TempDir dir;
  StampedFiles files;
  std::string set = dir.Path("set.kxl");
  std::string folder = dir.Path("rec") + "/";
  RecoveryKeeper keeper{files, folder + "own.kxr"};
  Fixture() {
    state.files = &files;
    files.MakeFolders(folder);
    WriteBytes(set, EncodeLevelSet(WithGoal(1)));
    files.stamps[set] = {true, kSize, kNine};
    LoadLevelSet(state, set);
  }
  void Follow() { keeper.Follow(state.document, true, host); }
  void Leave(const std::string& name, const std::vector<uint8_t>& bytes, long long time) {
    WriteBytes(folder + name, bytes);
    files.stamps[folder + name] = {true, static_cast<long long>(bytes.size()), time};
  }
  int Goal() const { return state.document.GetLevel(4).GetGoal(); }
};

std::vector<uint8_t> With(std::vector<uint8_t> bytes, size_t at, uint8_t value) {
  bytes[at] = value;
  return bytes;
}

}  // namespace

TEST(Recovery, TheFileHoldsTheNameTheFlagAndTheLevels) {
  const std::vector<uint8_t> bytes = EncodeRecovery({"C:\\a.kxl", true, WithGoal(2)});
  const std::string header = "kraxed recovery 1\nC:\\a.kxl\n1\n";
  const long long split = static_cast<long long>(header.size());
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + split), header);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + split, bytes.end()), EncodeLevelSet(WithGoal(2)));
}

TEST(Recovery, ADamagedOrCutOffFileIsNoRecovery) {
  const std::vector<uint8_t> good = EncodeRecovery({"a.kxl", false, WithGoal(2)});
  const size_t flag = std::string("kraxed recovery 1\na.kxl\n").size();
  const struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"cut off", std::vector<uint8_t>(good.begin(), good.end() - 1)},
      {"another first line", With(good, 0, 'K')},
      {"a flag other than 0 and 1", With(good, flag, '2')},
      {"no name", EncodeRecovery({"", false, WithGoal(2)})},
  };
  for (const Case& c : cases) {
    RecoveredSet set;
    EXPECT_FALSE(DecodeRecovery(c.bytes, set)) << c.what;
  }
}

TEST(Recovery, WrittenAfterAClosedStepAndGoneOnceNothingIsLeftToRecover) {
  Fixture f;
  const std::string own = f.folder + "own.kxr";
  f.state.document.OpenStep(4);
  Edits::SetGoal(f.state.document, 4, 2);
  f.Follow();
  EXPECT_EQ(f.dir.List(), (std::vector<std::string>{"rec", "set.kxl"}));  // a step still open
  f.state.document.CloseStep();
  f.Follow();
  RecoveredSet kept;
  ASSERT_TRUE(DecodeRecovery(ReadBytes(own), kept));
  EXPECT_EQ(kept.levels, WithGoal(2));
  f.state.document.Undo();
  f.Follow();
  EXPECT_FALSE(std::filesystem::exists(own));
}

TEST(Recovery, AFolderThatCannotBeWrittenIsSaidOnce) {
  Fixture f;
  FailingFileLayer failing(-1, "create");
  RecoveryKeeper keeper(failing, f.folder + "own.kxr");
  for (int goal : {2, 3}) {
    Edits::SetGoal(f.state.document, 4, goal);
    keeper.Follow(f.state.document, true, f.host);
  }
  EXPECT_EQ(f.host.statusTexts.size(), 1u);
}

TEST(Recovery, TheNewestFileOfAnEditorGoneIsOfferedAndADamagedOneRemoved) {
  Fixture f;
  f.Leave("older.kxr", EncodeRecovery({"old.kxl", true, WithGoal(3)}), kNine);
  f.Leave("newer.kxr", EncodeRecovery({"new.kxl", true, WithGoal(4)}), kTen);
  f.Leave("running.kxr", EncodeRecovery({"run.kxl", true, WithGoal(5)}), kTen + 1);
  f.Leave("own.kxr", EncodeRecovery({"own.kxl", true, WithGoal(6)}), kTen + 2);
  f.Leave("damaged.kxr", {1, 2, 3}, kTen + 3);
  RecoveryOffer offer;
  const auto running = [&f](const std::string& path) { return path == f.folder + "running.kxr"; };
  ASSERT_TRUE(FindRecovery(f.files, f.folder, f.folder + "own.kxr", running, offer));
  EXPECT_EQ(offer.path, f.folder + "newer.kxr");
  EXPECT_EQ(offer.set.levels, WithGoal(4));
  EXPECT_TRUE(offer.set.everSaved);
  EXPECT_FALSE(std::filesystem::exists(f.folder + "damaged.kxr"));
}

TEST(Recovery, YesOpensTheLevelsModifiedUnderTheirNameAndEitherAnswerRemovesTheFile) {
  for (const Answer answer : {Answer::Yes, Answer::No}) {
    Fixture f;
    f.Leave("gone.kxr", EncodeRecovery({"C:\\levels\\a.kxl", true, WithGoal(7)}), kTen);
    const RecoveryOffer offer{f.folder + "gone.kxr", {true, 0, kTen}, {"C:\\levels\\a.kxl", true, WithGoal(7)}};
    f.host.answers = {answer};
    OfferRecovery(f.state, f.host, f.keeper, offer);
    EXPECT_EQ(f.Goal(), answer == Answer::Yes ? 7 : 1);
    EXPECT_EQ(f.state.document.Modified(), answer == Answer::Yes);
    EXPECT_FALSE(std::filesystem::exists(offer.path));
  }
}

TEST(FileOnDisk, AChangeIsReloadedAsOneStepOrAskedAboutWhenTheSetIsModified) {
  const struct Case {
    const char* what;
    bool modified;
    std::deque<Answer> answers;
    int goalAfter, goalAfterUndo;
  } cases[] = {
      {"unmodified: reloaded at once", false, {}, 8, 1},
      {"modified, Yes: reloaded", true, {Answer::Yes}, 8, 2},
      {"modified, No: kept", true, {Answer::No}, 2, 1},
  };
  for (const Case& c : cases) {
    Fixture f;
    if (c.modified) Edits::SetGoal(f.state.document, 4, 2);
    WriteBytes(f.set, EncodeLevelSet(WithGoal(8)));
    f.files.stamps[f.set] = {true, kSize, kTen};
    f.host.answers = c.answers;
    CheckFileOnDisk(f.state, f.host);
    EXPECT_EQ(f.Goal(), c.goalAfter) << c.what;
    f.state.document.Undo();
    EXPECT_EQ(f.Goal(), c.goalAfterUndo) << c.what;
  }
}

TEST(FileOnDisk, SaveAsksBeforeOverwritingAChangeAndNotForAFileGone) {
  const struct Case {
    const char* what;
    FileStamp onDisk;
    std::deque<Answer> answers;
    size_t questions;
    bool saved;
  } cases[] = {
      {"unchanged", {true, kSize, kNine}, {}, 0, true},
      {"changed, No", {true, kSize, kTen}, {Answer::No}, 1, false},
      {"changed, Yes", {true, kSize + 1, kNine}, {Answer::Yes}, 1, true},
      {"gone", {}, {}, 0, true},
  };
  for (const Case& c : cases) {
    Fixture f;
    Edits::SetGoal(f.state.document, 4, 2);
    f.files.stamps[f.set] = c.onDisk;
    f.host.answers = c.answers;
    const bool overwrite = MayOverwrite(f.state, f.host, f.set);
    EXPECT_EQ(overwrite, c.saved) << c.what;
    EXPECT_EQ(f.host.messages.size(), c.questions) << c.what;
  }
}

}  // namespace recovery_test
