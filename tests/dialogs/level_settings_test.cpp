#include "dialogs/level_settings.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/editor_state.h"
#include "dialogs/named_catalogue.h"
#include "support/recording_painter.h"
#include "dialogs/time_limit.h"
#include "support/fake_host.h"

namespace {

struct LevelDialogFixture {
  EditorState state;
  FakeHost host;
  LevelDialogFixture() {
    state.catalogue = NamedCatalogue();
    state.currentFileName = "set.kxl";
    state.currentLevel = 1;
  }
};

}  // namespace

TEST(LevelSettings, ListEntries) {
  const std::vector<std::string> levels = LevelChoices();
  ASSERT_EQ(levels.size(), 10u);
  EXPECT_EQ(levels.front(), "1");
  EXPECT_EQ(levels[6], "7");
  EXPECT_EQ(levels.back(), "10");
  EXPECT_EQ(GoalChoices(), (std::vector<std::string>{"Kill enemies", "Collect gems",
                                                     "Destroy gems", "Collect & Destroy gems"}));
  const ResourceCatalogue catalogue = NamedCatalogue();
  EXPECT_EQ(SongChoices(catalogue), catalogue.songs);
  // The player's sprite set is no enemy type.
  EXPECT_EQ(EnemyTypeChoices(catalogue), (std::vector<std::string>{"Blob", "Bat", "Ghost"}));
  EXPECT_TRUE(EnemyTypeChoices(ResourceCatalogue()).empty());
}

TEST(LevelSettings, ViewChoosesByListIndex) {
  LevelDialogFixture f;
  Level& level = f.state.levels[4];
  level.goal = 2;
  level.music = 1;  // "Theme", listed after "Theme two"
  level.enemyTypes[0] = 3;
  level.enemyTypes[1] = 1;
  level.enemyTypes[2] = 2;
  std::memcpy(level.time, "1:37", 4);
  const LevelSettingsRules rules(f.state, f.host, 4);
  const LevelSettingsView view = rules.View();
  EXPECT_EQ(view.level, 4);
  EXPECT_EQ(view.goal, 2);
  EXPECT_EQ(view.song, 1);
  EXPECT_EQ(view.enemyTypes[0], 2);
  EXPECT_EQ(view.enemyTypes[1], 0);
  EXPECT_EQ(view.enemyTypes[2], 1);
  EXPECT_EQ(view.time, "1:37");
  EXPECT_EQ(view.timePosition, 97);

  // A default level: the track bar at 120, the text "2:00".
  const LevelSettingsView fresh = LevelSettingsRules(f.state, f.host, 0).View();
  EXPECT_EQ(fresh.time, "2:00");
  EXPECT_EQ(fresh.timePosition, 120);
  EXPECT_EQ(fresh.goal, 0);
  EXPECT_EQ(fresh.song, 0);
  EXPECT_EQ(fresh.enemyTypes[2], 2);
  // An index outside 0..9 opens on the first level.
  EXPECT_EQ(LevelSettingsRules(f.state, f.host, 10).LevelIndex(), 0);
  EXPECT_EQ(LevelSettingsRules(f.state, f.host, -1).LevelIndex(), 0);
}

TEST(LevelSettings, ValuesWithoutEntryChooseNothing) {
  LevelDialogFixture f;
  Level& level = f.state.levels[1];
  level.goal = 4;
  level.music = 3;  // one past the songs
  level.enemyTypes[0] = 0;  // the player's set has no entry in the lists
  level.enemyTypes[1] = 4;  // past the sprite sets
  level.enemyTypes[2] = -2;
  level.time[4] = 'x';  // a level from elsewhere without its terminator in place
  std::memcpy(level.time + 5, "yzw", 3);
  const LevelSettingsView view = LevelSettingsRules(f.state, f.host, 1).View();
  EXPECT_EQ(view.goal, -1);
  EXPECT_EQ(view.song, -1);
  EXPECT_EQ(view.enemyTypes[0], -1);
  EXPECT_EQ(view.enemyTypes[1], -1);
  EXPECT_EQ(view.enemyTypes[2], -1);
  EXPECT_EQ(view.time, "2:00xyzw");  // never read past the field
  EXPECT_EQ(GoalChoiceOf(-1), -1);
  EXPECT_EQ(SongChoiceOf(f.state.catalogue, -1), -1);
  EXPECT_EQ(SongChoiceOf(ResourceCatalogue(), 0), -1);
  EXPECT_EQ(EnemyTypeChoiceOf(f.state.catalogue, 3), 2);
}

TEST(LevelSettings, ChoicesWriteTheDialogsLevel) {
  LevelDialogFixture f;
  LevelSettingsRules rules(f.state, f.host, 1);

  EXPECT_TRUE(rules.ChooseGoal(2));
  EXPECT_EQ(f.state.levels[1].goal, 2);
  EXPECT_EQ(f.state.modified, 1);
  EXPECT_EQ(f.host.LastTitle(), "Kraxolan Editor - [set.kxl *]");
  EXPECT_EQ(rules.View().goal, 2);
  EXPECT_EQ(f.host.fullInvalidations, 0);  // the canvas does not show the goal

  EXPECT_TRUE(rules.ChooseSong(2));
  EXPECT_EQ(f.state.levels[1].music, 2);

  // The third entry of the second enemy-type combo: sprite set 3, and the
  // main window redraws its enemies.
  f.state.repaintFlags = 0;
  EXPECT_TRUE(rules.ChooseEnemyType(1, 2));
  EXPECT_EQ(f.state.levels[1].enemyTypes[1], 3);
  EXPECT_EQ(f.state.repaintFlags, kRepaintAll);
  EXPECT_EQ(f.host.fullInvalidations, 1);

  // Moving to level 7 leaves the editor's current level; later changes go there.
  EXPECT_TRUE(rules.ChooseLevel(6));
  EXPECT_EQ(rules.LevelIndex(), 6);
  EXPECT_EQ(rules.View().level, 6);
  EXPECT_EQ(f.state.currentLevel, 1);
  EXPECT_TRUE(rules.ChooseGoal(3));
  EXPECT_EQ(f.state.levels[6].goal, 3);
  EXPECT_EQ(f.state.levels[1].goal, 2);

  // Indexes outside the lists change nothing and mark nothing.
  const LevelSet before = f.state.levels;
  f.state.modified = 0;
  const size_t titles = f.host.titles.size();
  EXPECT_FALSE(rules.ChooseGoal(4));
  EXPECT_FALSE(rules.ChooseGoal(-1));
  EXPECT_FALSE(rules.ChooseSong(3));
  EXPECT_FALSE(rules.ChooseSong(-1));
  EXPECT_FALSE(rules.ChooseEnemyType(1, 3));
  EXPECT_FALSE(rules.ChooseEnemyType(1, -1));
  EXPECT_FALSE(rules.ChooseEnemyType(3, 0));
  EXPECT_FALSE(rules.ChooseEnemyType(-1, 0));
  EXPECT_FALSE(rules.ChooseLevel(10));
  EXPECT_FALSE(rules.ChooseLevel(-1));
  EXPECT_EQ(rules.LevelIndex(), 6);
  EXPECT_EQ(f.state.levels, before);
  EXPECT_EQ(f.state.modified, 0);
  EXPECT_EQ(f.host.titles.size(), titles);
  EXPECT_EQ(f.host.fullInvalidations, 1);
}

TEST(LevelSettings, TrackBarMovesTheTime) {
  LevelDialogFixture f;
  LevelSettingsRules rules(f.state, f.host, 3);
  EXPECT_TRUE(rules.Scroll(kTrackLineDown, 0));
  EXPECT_STREQ(f.state.levels[3].time, "2:01");
  EXPECT_EQ(f.state.modified, 1);
  EXPECT_EQ(f.host.titles.size(), 1u);
  EXPECT_TRUE(rules.Scroll(kTrackPageDown, 0));
  EXPECT_STREQ(f.state.levels[3].time, "3:01");
  EXPECT_EQ(rules.View().time, "3:01");
  EXPECT_EQ(rules.View().timePosition, 181);
  EXPECT_TRUE(rules.Scroll(kTrackThumbTrack, 75));
  EXPECT_STREQ(f.state.levels[3].time, "1:15");
  EXPECT_TRUE(rules.Scroll(kTrackBottom, 599));
  EXPECT_STREQ(f.state.levels[3].time, "9:59");
  EXPECT_FALSE(rules.Scroll(kTrackLineDown, 0));
  EXPECT_FALSE(rules.Scroll(kTrackEndTrack, 0));
  EXPECT_STREQ(f.state.levels[3].time, "9:59");
  EXPECT_EQ(f.host.titles.size(), 4u);

  // A time read from a file outside the range steps from the nearest end.
  std::memcpy(f.state.levels[3].time, "0:03", 4);
  EXPECT_TRUE(rules.Scroll(kTrackLineDown, 0));
  EXPECT_STREQ(f.state.levels[3].time, "0:16");
  EXPECT_STREQ(f.state.levels[2].time, "2:00");  // other levels untouched
}

TEST(LevelSettings, PreviewMasksEachEnemyType) {
  LevelDialogFixture f;
  Level& level = f.state.levels[0];
  level.enemyTypes[0] = 1;
  level.enemyTypes[1] = 3;
  level.enemyTypes[2] = 9;  // no such sprite set: nothing drawn
  RecordingPainter painter;
  PaintEnemyTypePreview(level, f.state.catalogue, painter);
  const SheetRef mask1{SheetKind::SpriteMask, 1, 2}, colour1{SheetKind::SpriteColour, 1, 2};
  const SheetRef mask3{SheetKind::SpriteMask, 3, 2}, colour3{SheetKind::SpriteColour, 3, 2};
  const std::vector<RecordedBlit> expected = {
      {mask1, 256, 0, 32, 48, 50, 175, RasterOp::And},
      {colour1, 256, 0, 32, 48, 50, 175, RasterOp::Paint},
      {mask3, 256, 0, 32, 48, 170, 175, RasterOp::And},
      {colour3, 256, 0, 32, 48, 170, 175, RasterOp::Paint},
  };
  EXPECT_EQ(painter.BlitList(), expected);
  EXPECT_EQ(painter.NonBlitCalls(), 0);

  // Double size whatever the zoom; the third slot at x 290.
  f.state.settings.zoom = 1;
  level.enemyTypes[0] = -1;
  level.enemyTypes[1] = 4;
  level.enemyTypes[2] = 2;
  painter.Clear();
  PaintEnemyTypePreview(level, f.state.catalogue, painter);
  ASSERT_EQ(painter.BlitList().size(), 2u);
  EXPECT_EQ(painter.BlitList()[0], (RecordedBlit{{SheetKind::SpriteMask, 2, 2}, 256, 0, 32, 48, 290,
                                            175, RasterOp::And}));
  EXPECT_EQ(painter.BlitList()[1].op, RasterOp::Paint);
}
