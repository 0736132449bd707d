// Copy and Paste with areas beside the level's shared block, and the menu
// states of the area commands.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/commands.h"
#include "level/level_json.h"
#include "support/editor_harness.h"
#include "support/held_level.h"

// Named, not anonymous: the test files are compiled in batches.
namespace area_commands_test {
namespace {

struct Fixture : Harness {
  HeldLevel block;
  Fixture() {
    Open([](LevelSet& levels) { levels[0].SetCell(4 * kGridColumns + 4, kCellWall1); });
  }
  void Run(int command) { RunCommand(state, host, block, command); }
  CommandState Menu(int command) const {
    const std::vector<CommandState> states = CommandStates(state);
    return *std::find_if(states.begin(), states.end(), [command](const CommandState& c) { return c.id == command; });
  }
};

}  // namespace

TEST(AreaCommands, CopyPutsTheLevelOrTheSelectedAreaOnTheClipboard) {
  Fixture level;  // no selection: the level, into the shared block as well
  level.Run(kCmdCopy);
  EXPECT_EQ(level.block.held, level.level());
  EXPECT_TRUE(level.host.clipboardArea.empty());
  EXPECT_NE(level.host.clipboardText.find("\"format\": \"kxl-level\""), std::string::npos);
  EXPECT_NE(level.host.clipboardText.find("[0, 0, 0, 0, 32, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0]"), std::string::npos);
  Fixture area;  // the wall and the cell right of it
  area.state.session.selectMode = true;
  area.state.session.areaSelection = {true, false, 4 * kGridColumns + 4, 4 * kGridColumns + 5};
  area.Run(kCmdCopy);
  EXPECT_FALSE(area.block.held);
  LevelArea copied;
  ASSERT_TRUE(DecodeArea(area.host.clipboardArea, copied));
  EXPECT_EQ(copied, (LevelArea{2, 1, {kCellWall1, 0}, {0, 0}, {}}));
  EXPECT_EQ(area.host.clipboardText.rfind("{\n  \"format\": \"kxl-area\"", 0), 0u);
}

TEST(AreaCommands, PasteFloatsAnAreaAndOtherwisePastesTheSharedLevel) {
  Fixture f;
  f.block.held = Level();
  f.host.clipboardArea = EncodeArea(CopyArea(Level(), {1, 1, 2, 2}));
  f.Run(kCmdPaste);
  EXPECT_TRUE(f.state.session.floating.active);
  EXPECT_NE(f.level(), Level());  // the wall is still there: no level was pasted
  f.host.clipboardArea.clear();
  f.host.clipboardClosed = true;  // held by another program: what it holds is not known
  f.Run(kCmdPaste);
  EXPECT_NE(f.level(), Level());
  f.host.clipboardClosed = false;
  f.host.clipboardText = "not an area";
  f.Run(kCmdPaste);
  EXPECT_EQ(f.level(), Level());
}

TEST(AreaCommands, MenuStatesFollowTheSelectionTheModeAndTheLevel) {
  Fixture f;
  EXPECT_FALSE(f.Menu(kCmdCut).enabled);
  EXPECT_FALSE(f.Menu(kCmdSelectArea).checked);
  EXPECT_TRUE(f.Menu(kCmdFlipHorizontally).enabled);
  f.Run(kCmdSelectAll);
  EXPECT_TRUE(f.Menu(kCmdCut).enabled);
  EXPECT_TRUE(f.Menu(kCmdSelectArea).checked);
  f.Open([](LevelSet&) {});  // nothing a flip would change
  EXPECT_FALSE(f.Menu(kCmdFlipHorizontally).enabled);
  EXPECT_FALSE(f.Menu(kCmdFlipVertically).enabled);
}

}  // namespace area_commands_test
