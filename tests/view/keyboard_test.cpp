#include "view/keyboard.h"

#include <gtest/gtest.h>

#include "support/editor_harness.h"

TEST(Keyboard, ArrowsWalkThePalette) {
  // (category, value, keys pressed; the selection after each as category * 1000 + value)
  const struct Row {
    int32_t category, value;
    std::string keys;
    std::vector<int> visited;
  } rows[] = {
      {0, 0, "DDDDDDDUUUUUUU", {18, 17, 64, 80, 96, 112, 112, 96, 80, 64, 17, 18, 0, 0}},
      {0, 13, "DUDDUU", {29, 11, 29, 42, 25, 7}},  {0, 11, "DDDUUU", {29, 42, 71, 42, 25, 7}},
      {0, 19, "DRRRRRDULLLLL", {17, 31, 52, 32, 42, 17, 64, 17, 42, 32, 52, 31, 17}},
      {0, 20, "DD", {31, 66}},  {0, 23, "DDUUU", {52, 68, 52, 22, 4}},  {0, 24, "DDUUU", {32, 70, 32, 24, 6}},
      {0, 65, "UU", {17, 18}},  {0, 67, "U", {31}},  {0, 69, "U", {52}},  {0, 75, "UD", {42, 71}},  {0, 111, "DD", {127, 127}},
      {0, 14, "RRLL", {15, 0, 15, 14}},  {0, 29, "RL", {18, 29}},  {0, 64, "LRR", {79, 64, 65}},  {0, 80, "LRR", {95, 80, 81}},
      {0, 96, "LRR", {111, 96, 97}},  {0, 112, "LRR", {127, 112, 113}},
      {1, 2, "RRRRRRRRLL", {1003, 2001, 2002, 2003, 2004, 2005, 1000, 1001, 1000, 2005}},
      {2, 1, "LUD", {1003, 1003, 1003}},  {3, 0, "LRRLLUD", {3000, 3001, 3001, 3000, 3000, 3000, 3000}},
  };
  for (const Row& r : rows) {
    Harness h;
    h.Select(r.category, r.value);
    std::vector<int> visited;
    for (char key : r.keys) {
      EXPECT_EQ(OnKeyUp(h.state, h.host, key == 'R' ? kKeyRight : key == 'L' ? kKeyLeft : key == 'U' ? kKeyUp : kKeyDown, 0), 0);
      EXPECT_EQ(h.state.session.repaintFlags, 2);
      visited.push_back(h.state.session.selectionCategory * 1000 + h.state.session.selectionValue);
    }
    EXPECT_EQ(visited, r.visited) << r.category << " " << r.value << " " << r.keys;
    EXPECT_EQ(h.host.fullInvalidations, static_cast<int>(r.keys.size()));
  }
}

TEST(Keyboard, DeleteRemovesThePlacedSelectedEnemy) {
  Harness h;
  h.Open([](LevelSet& levels) {
    levels[0].GetActor(4).Set(40, 80, 7, 48, 6, 8);
    levels[0].GetActor(0).Set(56, 96, 5, 0, 0, 4);
  });
  // (selection; what Delete returns, the title afterwards)
  const struct Row {
    int32_t category, value;
    int result;
    const char* title;
  } rows[] = {{kSelectPlayer, 0, 1, ""}, {kSelectPattern, 4, 1, ""}, {kSelectEnemy, 3, 1, ""},
              {kSelectEnemy, 4, 1, "Kraxolan Editor - [set.kxl *]"}, {kSelectEnemy, 4, 1, "Kraxolan Editor - [set.kxl *]"}};
  for (const Row& r : rows) {
    h.Select(r.category, r.value);
    EXPECT_EQ(OnKeyUp(h.state, h.host, kKeyDelete, 0), r.result);
    EXPECT_EQ(h.host.LastTitle(), r.title);
  }
  ActorRecord removed;
  removed.Set(0, 0, 7, 48, 6, 8);
  EXPECT_EQ(h.level().GetActor(4), removed);
  EXPECT_TRUE(h.level().GetActor(0).IsPlaced());
  EXPECT_EQ(h.state.session.repaintFlags, 3);
  for (uint32_t key : {13u, 27u, 65u, 45u}) EXPECT_EQ(OnKeyUp(h.state, h.host, key, 0), 0);  // other keys: nothing
  EXPECT_EQ(h.host.fullInvalidations * 10 + static_cast<int>(h.state.document.GetHistory().UndoCount()), 11);
}
