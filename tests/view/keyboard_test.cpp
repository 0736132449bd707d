#include "view/keyboard.h"

#include <gtest/gtest.h>

#include "support/editor_harness.h"

namespace {

uint32_t KeyOf(char key) {
  switch (key) {
    case 'R': return kKeyRight;
    case 'L': return kKeyLeft;
    case 'U': return kKeyUp;
    default: return kKeyDown;
  }
}

struct Selected {
  int32_t category, value;
  bool operator==(const Selected&) const = default;
};

// The selection after each key of `keys` (R, L, U, D) from `start`.
std::vector<Selected> Walk(Selected start, const std::string& keys) {
  Harness h;
  h.Select(start.category, start.value);
  std::vector<Selected> visited;
  for (char key : keys) {
    EXPECT_EQ(OnKeyUp(h.state, h.host, KeyOf(key), 0), 0);
    EXPECT_EQ(h.state.session.repaintFlags, kRepaintPanel);
    visited.push_back({h.state.session.selectionCategory, h.state.session.selectionValue});
  }
  return visited;
}

}  // namespace

TEST(Keyboard, ArrowsWalkThePatterns) {
  const struct Row {
    int32_t start;
    std::string keys;
    std::vector<int32_t> visited;
  } rows[] = {
      {0, "DDDDDDDUUUUUUU", {18, 17, 64, 80, 96, 112, 112, 96, 80, 64, 17, 18, 0, 0}},
      {13, "DUDDDUUU", {29, 11, 29, 42, 71, 42, 25, 7}},
      {19, "DRRRRRDULLLLL", {17, 31, 52, 32, 42, 17, 64, 17, 42, 32, 52, 31, 17}},
      {14, "RRLL", {15, 0, 15, 14}},
      {64, "LDRDLDR", {79, 95, 80, 96, 111, 127, 112}},  // the four rows of solids wrap
  };
  for (const Row& r : rows) {
    std::vector<Selected> expected;
    for (int32_t value : r.visited) expected.push_back({kSelectPattern, value});
    EXPECT_EQ(Walk({kSelectPattern, r.start}, r.keys), expected) << r.start << " " << r.keys;
  }
}

// The player's four images and the five enemies are one ring; the teleport
// ends are two places without a ring.
TEST(Keyboard, ArrowsWalkTheActorsAndTheTeleportEnds) {
  const Selected player0{kSelectPlayer, 0};
  const Selected player3{kSelectPlayer, 3};
  const Selected enemy1{kSelectEnemy, 1};
  const Selected enemy5{kSelectEnemy, 5};
  EXPECT_EQ(Walk(player3, "RLL"), (std::vector<Selected>{enemy1, player3, {kSelectPlayer, 2}}));
  EXPECT_EQ(Walk(enemy5, "RL"), (std::vector<Selected>{player0, enemy5}));
  const Selected start{kSelectTeleport, 0};
  const Selected end{kSelectTeleport, 1};
  EXPECT_EQ(Walk(start, "LRRLLUD"), (std::vector<Selected>{start, end, end, start, start, start, start}));
}

TEST(Keyboard, DeleteRemovesThePlacedSelectedEnemy) {
  constexpr uint32_t kEnter = 13;
  const struct Row {
    uint32_t key;
    int32_t category, value;
    bool removed;
  } rows[] = {
      {kKeyDelete, kSelectPlayer, 0, false},
      {kKeyDelete, kSelectPattern, 4, false},  // the number of a placed enemy
      {kKeyDelete, kSelectEnemy, 3, false},  // not placed
      {kKeyDelete, kSelectEnemy, 4, true},
      {kEnter, kSelectEnemy, 4, false},
      {kKeyEscape, kSelectEnemy, 4, false},
  };
  for (const Row& r : rows) {
    Harness h;
    h.Open([](LevelSet& levels) { levels[0].GetActor(4).Set(40, 80, 7, 48, 6, 8); });
    h.Select(r.category, r.value);
    EXPECT_EQ(OnKeyUp(h.state, h.host, r.key, 0), r.key == kKeyDelete ? 1 : 0) << r.key;
    EXPECT_EQ(h.level().GetActor(4).IsPlaced(), !r.removed) << r.key << ": " << r.category << " " << r.value;
    EXPECT_EQ(h.host.LastTitle(), r.removed ? "Kraxolan Editor - [set.kxl *]" : "");
    EXPECT_EQ(h.state.session.repaintFlags, r.removed ? kRepaintAll : 0);
    EXPECT_EQ(h.state.document.GetHistory().UndoCount(), r.removed ? 1u : 0u);
  }
}
