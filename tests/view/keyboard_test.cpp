#include "view/keyboard.h"

#include <gtest/gtest.h>

#include "view_harness.h"

namespace {

struct Selection {
  int32_t category, value;
  bool operator==(const Selection&) const = default;
};

// One key release from a selection: where the selection went. Checks on the
// way that every arrow asks for the panel to be framed anew.
Selection Press(uint32_t key, int32_t category, int32_t value) {
  ViewHarness h;
  h.Select(category, value);
  EXPECT_EQ(OnKeyUp(h.state, h.host, key, 0), 0);
  EXPECT_EQ(h.state.repaintFlags, 2);
  EXPECT_EQ(h.host.fullInvalidations, 1);
  EXPECT_EQ(h.state.modified, 0);
  return {h.state.selectionCategory, h.state.selectionValue};
}

int32_t PressPattern(uint32_t key, int32_t value) {
  const Selection s = Press(key, kSelectPattern, value);
  EXPECT_EQ(s.category, kSelectPattern);
  return s.value;
}

}  // namespace

TEST(KeyboardAcross, RowsStepAndWrap) {
  struct Row {
    int first, last;
  };
  for (const Row row : {Row{0, 15}, Row{18, 29}, Row{64, 79}, Row{80, 95}, Row{96, 111},
                        Row{112, 127}}) {
    for (int s = row.first; s <= row.last; ++s) {
      EXPECT_EQ(PressPattern(kKeyRight, s), s == row.last ? row.first : s + 1) << s;
      EXPECT_EQ(PressPattern(kKeyLeft, s), s == row.first ? row.last : s - 1) << s;
    }
  }
  EXPECT_EQ(PressPattern(kKeyRight, 15), 0);
  EXPECT_EQ(PressPattern(kKeyLeft, 0), 15);
  // The third row is a ring over its five entries.
  const int ring[] = {17, 31, 52, 32, 42};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(PressPattern(kKeyRight, ring[i]), ring[(i + 1) % 5]);
    EXPECT_EQ(PressPattern(kKeyLeft, ring[i]), ring[(i + 4) % 5]);
  }
  EXPECT_EQ(PressPattern(kKeyLeft, 17), 42);
  EXPECT_EQ(PressPattern(kKeyRight, 42), 17);
  // Values no palette entry holds stay where they are.
  for (int s : {16, 30, 33, 128, 200, -1}) {
    EXPECT_EQ(PressPattern(kKeyRight, s), s);
    EXPECT_EQ(PressPattern(kKeyLeft, s), s);
  }
}

TEST(KeyboardAcross, ActorRingAndTeleportEnds) {
  const Selection ring[] = {{1, 0}, {1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}, {2, 3}, {2, 4}, {2, 5}};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(Press(kKeyRight, ring[i].category, ring[i].value), ring[(i + 1) % 9]) << i;
    EXPECT_EQ(Press(kKeyLeft, ring[i].category, ring[i].value), ring[(i + 8) % 9]) << i;
  }
  EXPECT_EQ(Press(kKeyRight, kSelectPlayer, 3), (Selection{kSelectEnemy, 1}));
  EXPECT_EQ(Press(kKeyLeft, kSelectEnemy, 1), (Selection{kSelectPlayer, 3}));
  EXPECT_EQ(Press(kKeyRight, kSelectPlayer, 7), (Selection{kSelectPlayer, 7}));

  EXPECT_EQ(Press(kKeyRight, kSelectTeleport, 0), (Selection{kSelectTeleport, 1}));
  EXPECT_EQ(Press(kKeyRight, kSelectTeleport, 1), (Selection{kSelectTeleport, 1}));
  EXPECT_EQ(Press(kKeyLeft, kSelectTeleport, 1), (Selection{kSelectTeleport, 0}));
  EXPECT_EQ(Press(kKeyLeft, kSelectTeleport, 0), (Selection{kSelectTeleport, 0}));
  EXPECT_EQ(Press(kKeyRight, 5, 2), (Selection{5, 2}));  // no such category
}

TEST(KeyboardDown, EveryRowOfTheTable) {
  for (int s = 0; s <= 11; ++s) EXPECT_EQ(PressPattern(kKeyDown, s), s + 18) << s;
  for (int s = 12; s <= 15; ++s) EXPECT_EQ(PressPattern(kKeyDown, s), 29) << s;
  struct Move {
    int from, to;
  };
  for (const Move m : {Move{18, 17}, Move{19, 17}, Move{20, 31}, Move{21, 31}, Move{22, 52},
                       Move{23, 52}, Move{24, 32}, Move{25, 42}, Move{26, 42}, Move{27, 42},
                       Move{28, 42}, Move{29, 42}, Move{17, 64}, Move{31, 66}, Move{52, 68},
                       Move{32, 70}, Move{42, 71}})
    EXPECT_EQ(PressPattern(kKeyDown, m.from), m.to) << m.from;
  for (int s = 64; s <= 111; ++s) EXPECT_EQ(PressPattern(kKeyDown, s), s + 16) << s;
  for (int s = 112; s <= 127; ++s) EXPECT_EQ(PressPattern(kKeyDown, s), s) << s;
  EXPECT_EQ(PressPattern(kKeyDown, 13), 29);
  EXPECT_EQ(PressPattern(kKeyDown, 26), 42);
  EXPECT_EQ(PressPattern(kKeyDown, 120), 120);
}

TEST(KeyboardUp, EveryRowOfTheTable) {
  for (int s = 0; s <= 15; ++s) EXPECT_EQ(PressPattern(kKeyUp, s), s) << s;
  for (int s = 18; s <= 29; ++s) EXPECT_EQ(PressPattern(kKeyUp, s), s - 18) << s;
  struct Move {
    int from, to;
  };
  for (const Move m : {Move{17, 18}, Move{31, 20}, Move{52, 22}, Move{32, 24}, Move{42, 25},
                       Move{64, 17}, Move{65, 17}, Move{66, 31}, Move{67, 31}, Move{68, 52},
                       Move{69, 52}, Move{70, 32}})
    EXPECT_EQ(PressPattern(kKeyUp, m.from), m.to) << m.from;
  for (int s = 71; s <= 79; ++s) EXPECT_EQ(PressPattern(kKeyUp, s), 42) << s;
  for (int s = 80; s <= 127; ++s) EXPECT_EQ(PressPattern(kKeyUp, s), s - 16) << s;
  EXPECT_EQ(PressPattern(kKeyUp, 42), 25);
  EXPECT_EQ(PressPattern(kKeyUp, 25), 7);
  EXPECT_EQ(PressPattern(kKeyUp, 29), 11);
  EXPECT_EQ(PressPattern(kKeyUp, 75), 42);
}

TEST(KeyboardUpDown, OnlyPatternsMoveButThePanelIsRepainted) {
  for (uint32_t key : {kKeyUp, kKeyDown}) {
    EXPECT_EQ(Press(key, kSelectEnemy, 3), (Selection{kSelectEnemy, 3}));
    EXPECT_EQ(Press(key, kSelectPlayer, 0), (Selection{kSelectPlayer, 0}));
    EXPECT_EQ(Press(key, kSelectTeleport, 1), (Selection{kSelectTeleport, 1}));
  }
  for (int s : {16, 30, 200}) {
    EXPECT_EQ(PressPattern(kKeyDown, s), s);
    EXPECT_EQ(PressPattern(kKeyUp, s), s);
  }
}

TEST(KeyboardDelete, RemovesTheSelectedPlacedEnemy) {
  ViewHarness h;
  h.level().actors[4] = ActorRecord{104, 48, 7, 48, 6, 8};
  h.level().actors[0] = ActorRecord{40, 80, 5, 0, 0, 4};
  h.Select(kSelectEnemy, 4);
  EXPECT_EQ(OnKeyUp(h.state, h.host, kKeyDelete, 0), 1);
  EXPECT_EQ(h.level().actors[4], (ActorRecord{0, 0, 7, 48, 6, 8}));
  EXPECT_EQ(h.level().actors[0], (ActorRecord{40, 80, 5, 0, 0, 4}));
  EXPECT_EQ(h.state.repaintFlags, 3);
  EXPECT_EQ(h.host.fullInvalidations, 1);
  EXPECT_EQ(h.state.modified, 1);
  EXPECT_EQ(h.host.LastTitle(), "Kraxolan Editor - [set.kxl *]");
  // Again: the enemy is gone, nothing happens.
  h.state.repaintFlags = 0;
  EXPECT_EQ(OnKeyUp(h.state, h.host, kKeyDelete, 0), 1);
  EXPECT_EQ(h.host.fullInvalidations, 1);
  EXPECT_EQ(h.host.titles.size(), 1u);
  EXPECT_EQ(h.state.repaintFlags, 0);

  // The player, patterns, teleport ends and impossible enemy numbers: nothing.
  for (Selection s : {Selection{kSelectPlayer, 0}, Selection{kSelectPattern, 4},
                      Selection{kSelectTeleport, 0}, Selection{kSelectEnemy, 0},
                      Selection{kSelectEnemy, 6}, Selection{kSelectEnemy, -3}}) {
    ViewHarness other;
    for (ActorRecord& actor : other.level().actors) actor.x = 40, actor.y = 32;
    const Level before = other.level();
    other.Select(s.category, s.value);
    EXPECT_EQ(OnKeyUp(other.state, other.host, kKeyDelete, 0), 1);
    EXPECT_EQ(other.level(), before);
    EXPECT_EQ(other.state.modified, 0);
    EXPECT_EQ(other.host.fullInvalidations, 0);
  }
}

TEST(KeyboardOther, KeysWithoutMeaningDoNothing) {
  for (uint32_t key : {0u, 13u, 27u, 36u, 41u, 45u, 65u, 0xFFFFFFFFu}) {
    ViewHarness h;
    h.Select(kSelectPattern, 5);
    EXPECT_EQ(OnKeyUp(h.state, h.host, key, 0), 0);
    EXPECT_EQ(h.state.selectionValue, 5);
    EXPECT_EQ(h.state.repaintFlags, 0);
    EXPECT_EQ(h.host.fullInvalidations, 0);
  }
}
