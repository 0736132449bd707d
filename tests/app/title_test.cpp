#include "app/title.h"

#include <gtest/gtest.h>

#include "app/active_border.h"
#include "app/editor_state.h"
#include "support/fake_host.h"

TEST(Title, ShowsFileAndModifiedMark) {
  EXPECT_EQ(TitleText("Untitled.kxl", 0), "Kraxolan Editor - [Untitled.kxl]");
  EXPECT_EQ(TitleText(R"(C:\Levels\set1.kxl)", 1), R"(Kraxolan Editor - [C:\Levels\set1.kxl *])");
  EXPECT_EQ(TitleText("a.kxl", 2), "Kraxolan Editor - [a.kxl]");  // only exactly 1 marks

  EditorState state;
  FakeHost host;
  state.currentFileName = R"(C:\a.kxl)";
  MarkModified(state, host);
  EXPECT_EQ(state.modified, 1);
  EXPECT_EQ(host.LastTitle(), R"(Kraxolan Editor - [C:\a.kxl *])");
  state.repaintFlags = 1;
  RequestFullRepaint(state, host);
  EXPECT_EQ(state.repaintFlags, 3);
  EXPECT_EQ(host.fullInvalidations, 1);
}

TEST(ActiveBorder, ThreeDecimalNumbers) {
  EXPECT_EQ(ParseActiveBorder("212 208 200"), 212u | 208u << 8 | 200u << 16);
  EXPECT_EQ(ParseActiveBorder("  1 2 3"), 0x030201u);
  EXPECT_EQ(ParseActiveBorder("10 20"), 0x00140Au);  // missing blue reads 0
  EXPECT_EQ(ParseActiveBorder("7"), 7u);
  EXPECT_EQ(ParseActiveBorder(""), 0u);
  EXPECT_EQ(ParseActiveBorder("x y z"), 0u);
  EXPECT_EQ(ParseActiveBorder("999 300 256"), 0xFFFFFFu);  // no channel spills into the next
  EXPECT_EQ(ParseActiveBorder("12a 34 56"), 12u | 34u << 8 | 56u << 16);
  EXPECT_EQ(ParseActiveBorder(std::string(10000, '9')), 255u);
}
