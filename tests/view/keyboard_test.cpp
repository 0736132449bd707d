#include "view/keyboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/editor_harness.h"

namespace {

// Presses the keys (R, L, U, D) one by one from the selection and gives the
// selection after each as category * 1000 + value.
std::vector<int> Walk(int32_t category, int32_t value, const std::string& keys) {
  Harness h;
  h.Select(category, value);
  std::vector<int> visited;
  for (char key : keys) {
    const uint32_t code = key == 'R' ? kKeyRight : key == 'L' ? kKeyLeft : key == 'U' ? kKeyUp : kKeyDown;
    EXPECT_EQ(OnKeyUp(h.state, h.host, code, 0), 0);
    EXPECT_EQ(h.state.session.repaintFlags, 2);
    visited.push_back(h.state.session.selectionCategory * 1000 + h.state.session.selectionValue);
  }
  EXPECT_EQ(h.host.fullInvalidations, static_cast<int>(keys.size()));
  return visited;
}

using V = std::vector<int>;

}  // namespace

TEST(Keyboard, ArrowsWalkThePalette) {
  // Down through the rows and back up.
  EXPECT_EQ(Walk(0, 0, "DDDDDDDUUUUUUU"), (V{18, 17, 64, 80, 96, 112, 112, 96, 80, 64, 17, 18, 0, 0}));
  EXPECT_EQ(Walk(0, 13, "DUDDUU"), (V{29, 11, 29, 42, 25, 7}));
  EXPECT_EQ(Walk(0, 11, "DDDUUU"), (V{29, 42, 71, 42, 25, 7}));
  EXPECT_EQ(Walk(0, 19, "DRRRRRDULLLLL"), (V{17, 31, 52, 32, 42, 17, 64, 17, 42, 32, 52, 31, 17}));
  EXPECT_EQ(Walk(0, 20, "DD"), (V{31, 66}));
  EXPECT_EQ(Walk(0, 23, "DDUUU"), (V{52, 68, 52, 22, 4}));
  EXPECT_EQ(Walk(0, 24, "DDUUU"), (V{32, 70, 32, 24, 6}));
  EXPECT_EQ(Walk(0, 65, "UU"), (V{17, 18}));
  EXPECT_EQ(Walk(0, 67, "U"), (V{31}));
  EXPECT_EQ(Walk(0, 69, "U"), (V{52}));
  EXPECT_EQ(Walk(0, 75, "UD"), (V{42, 71}));
  EXPECT_EQ(Walk(0, 111, "DD"), (V{127, 127}));
  // Across every row, wrapping at its ends.
  EXPECT_EQ(Walk(0, 14, "RRLL"), (V{15, 0, 15, 14}));
  EXPECT_EQ(Walk(0, 29, "RL"), (V{18, 29}));
  for (int first : {64, 80, 96, 112})
    EXPECT_EQ(Walk(0, first, "LRR"), (V{first + 15, first, first + 1})) << first;
  // The actors' ring, the teleport ends; Up and Down leave them.
  EXPECT_EQ(Walk(1, 2, "RRRRRRRRLL"), (V{1003, 2001, 2002, 2003, 2004, 2005, 1000, 1001, 1000, 2005}));
  EXPECT_EQ(Walk(2, 1, "LUD"), (V{1003, 1003, 1003}));
  EXPECT_EQ(Walk(3, 0, "LRRLLUD"), (V{3000, 3001, 3001, 3000, 3000, 3000, 3000}));
}

TEST(Keyboard, DeleteRemovesThePlacedSelectedEnemy) {
  Harness h;
  h.Open([](LevelSet& levels) {
    levels[0].GetActor(4).Set(40, 80, 7, 48, 6, 8);
    levels[0].GetActor(0).Set(56, 96, 5, 0, 0, 4);
  });
  h.Select(kSelectPlayer, 0);
  EXPECT_EQ(OnKeyUp(h.state, h.host, kKeyDelete, 0), 1);
  h.Select(kSelectPattern, 4);
  EXPECT_EQ(OnKeyUp(h.state, h.host, kKeyDelete, 0), 1);
  EXPECT_FALSE(h.modified());
  EXPECT_EQ(h.host.fullInvalidations, 0);
  h.Select(kSelectEnemy, 4);
  EXPECT_EQ(OnKeyUp(h.state, h.host, kKeyDelete, 0), 1);
  ActorRecord removed;
  removed.Set(0, 0, 7, 48, 6, 8);
  EXPECT_EQ(h.level().GetActor(4), removed);
  EXPECT_TRUE(h.level().GetActor(0).IsPlaced());
  EXPECT_EQ(h.host.LastTitle(), "Kraxolan Editor - [set.kxl *]");
  EXPECT_EQ(h.state.session.repaintFlags, 3);
  // Again: nothing more; other keys do nothing at all.
  EXPECT_EQ(OnKeyUp(h.state, h.host, kKeyDelete, 0), 1);
  for (uint32_t key : {13u, 27u, 65u, 45u}) EXPECT_EQ(OnKeyUp(h.state, h.host, key, 0), 0);
  EXPECT_EQ(h.host.fullInvalidations, 1);
  EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 1u);
}
