// Copy and Paste with areas beside the level's shared block, and the menu
// states of the area commands.
#include <gtest/gtest.h>

#include <array>
#include <algorithm>

#include "app/commands.h"
#include "level/level_image.h"
#include "level/level_json.h"
#include "level/level_transfer.h"
#include "support/editor_harness.h"
#include "view/area_tool.h"

// Named, not anonymous: the test files are compiled in batches.
namespace area_commands_test {
namespace {

constexpr int kWallCell = 4 * kGridColumns + 4;

class BlockInMemory : public LevelTransfer {
 public:
  BlockInMemory() { ClearLevelImage(block_.data()); }
  void PutTempLevel(const Level& level) override { PutLevelImage(block_.data(), level); }
  int HasTempLevel() override { return LevelImageFlag(block_.data()); }
  Level GetTempLevel() override { return GetLevelImage(block_.data()); }

 private:
  std::array<uint8_t, kLevelImageBytes> block_{};
};

struct Fixture : Harness {
  BlockInMemory block;
  Fixture() {
    Open([](LevelSet& levels) { levels[0].SetCell(kWallCell, kCellWall1); });
  }
  void Run(int command) { RunCommand(state, host, block, command); }
  bool Enabled(int command) const { return Find(command).enabled; }
  bool Checked(int command) const { return Find(command).checked; }
  CommandState Find(int command) const {
    const std::vector<CommandState> states = CommandStates(state);
    return *std::find_if(states.begin(), states.end(), [command](const CommandState& c) { return c.id == command; });
  }
};

}  // namespace

TEST(AreaCommands, CopyWithoutASelectionFillsTheSharedBlockAndPutsTheLevelOnTheClipboardAsText) {
  Fixture f;
  f.Run(kCmdCopy);
  EXPECT_EQ(f.block.HasTempLevel(), 1);
  EXPECT_EQ(f.block.GetTempLevel(), f.level());
  EXPECT_TRUE(f.host.clipboardArea.empty());
  const std::string head = "{\n  \"format\": \"kxl-level\",\n  \"version\": 1,\n";
  EXPECT_EQ(f.host.clipboardText.substr(0, head.size()), head);
}

TEST(AreaCommands, CopyWithASelectionLeavesTheSharedBlockAlone) {
  Fixture f;
  f.Run(kCmdSelectAll);
  f.Run(kCmdCopy);
  EXPECT_EQ(f.block.HasTempLevel(), 0);
  EXPECT_EQ(f.host.clipboardArea, EncodeArea(CopyArea(f.level(), kWholeGrid)));
  EXPECT_EQ(f.host.clipboardText, AreaJson(CopyArea(f.level(), kWholeGrid)));
}

TEST(AreaCommands, PasteFloatsAnAreaAndOtherwisePastesTheSharedLevel) {
  Fixture f;
  Level copied;
  copied.SetGoal(2);
  f.block.PutTempLevel(copied);
  f.host.clipboardText = "not an area";
  f.Run(kCmdPaste);
  EXPECT_EQ(f.level(), copied);
  f.host.clipboardArea = EncodeArea(CopyArea(Level(), {1, 1, 2, 2}));
  f.Run(kCmdPaste);
  EXPECT_TRUE(f.state.session.floating.active);
  EXPECT_EQ(f.level(), copied);
}

TEST(AreaCommands, CutIsGreyedWithoutASelectionAndSelectAreaCheckedInItsMode) {
  Fixture f;
  EXPECT_FALSE(f.Enabled(kCmdCut));
  EXPECT_FALSE(f.Checked(kCmdSelectArea));
  f.Run(kCmdSelectArea);
  EXPECT_TRUE(f.Checked(kCmdSelectArea));
  f.Run(kCmdSelectAll);
  EXPECT_TRUE(f.Enabled(kCmdCut));
  f.Run(kCmdSelectArea);
  EXPECT_FALSE(f.Checked(kCmdSelectArea));
  EXPECT_FALSE(f.Enabled(kCmdCut));
}

TEST(AreaCommands, AFlipIsGreyedWhereItWouldChangeNothing) {
  Fixture f;
  EXPECT_TRUE(f.Enabled(kCmdFlipHorizontally));
  f.Open([](LevelSet&) {});
  EXPECT_FALSE(f.Enabled(kCmdFlipHorizontally));
  EXPECT_FALSE(f.Enabled(kCmdFlipVertically));
}

}  // namespace area_commands_test
