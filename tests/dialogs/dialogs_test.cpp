#include <gtest/gtest.h>

#include "dialogs/check_levels.h"
#include "dialogs/enemy_settings.h"
#include "dialogs/level_settings.h"
#include "dialogs/named_catalogue.h"
#include "dialogs/swap_levels.h"
#include "level/time_limit.h"
#include "support/editor_harness.h"
#include "support/recording_painter.h"
#include "view/paint.h"

namespace {

using Names = std::vector<std::string>;

constexpr const char* kModifiedTitle = "Kraxolan Editor - [set.kxl *]";

}  // namespace

TEST(LevelSettings, OneSessionIsOneStep) {
  Harness h;
  h.state.catalogue = NamedCatalogue();  // four goals, three songs, three enemy types
  h.state.session.currentLevel = 1;
  {
    LevelSettingsRules rules(h.state, h.host, 1);
    EXPECT_FALSE(rules.ChooseGoal(4));
    EXPECT_FALSE(rules.ChooseSong(3));
    EXPECT_FALSE(rules.ChooseEnemyType(1, 3));
    EXPECT_FALSE(rules.ChooseEnemyType(3, 0));
    EXPECT_FALSE(rules.ChooseLevel(10));
    EXPECT_FALSE(rules.ChooseLevel(-1));
    EXPECT_FALSE(rules.Scroll(kTrackEndTrack, 0));
    EXPECT_EQ(rules.LevelIndex(), 1);
    EXPECT_FALSE(h.modified());
    EXPECT_TRUE(rules.ChooseGoal(2));
    EXPECT_EQ(h.host.LastTitle(), kModifiedTitle);
    EXPECT_EQ(h.host.fullInvalidations, 0);
    EXPECT_TRUE(rules.ChooseSong(2));
    EXPECT_TRUE(rules.ChooseEnemyType(1, 2));  // the third entry: sprite set 3
    EXPECT_EQ(h.state.session.repaintFlags, kRepaintAll);
    EXPECT_EQ(h.host.fullInvalidations, 1);
    EXPECT_TRUE(rules.Scroll(kTrackPageDown, 0));
    EXPECT_TRUE(rules.ChooseLevel(6));  // the dialog moves on, the window stays
    EXPECT_TRUE(rules.ChooseGoal(3));
    EXPECT_EQ(h.state.session.currentLevel, 1);
    EXPECT_EQ(rules.LevelIndex(), 6);
    EXPECT_TRUE(rules.ChooseLevel(1));  // what the controls show again
    const LevelSettingsView view = rules.View();
    EXPECT_EQ(view.goal, 2);
    EXPECT_EQ(view.song, 2);
    EXPECT_EQ(view.enemyTypes[1], 2);
    EXPECT_EQ(view.time, "3:00");
    EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 0u);  // still open
  }
  EXPECT_EQ(h.level(1).GetGoal(), 2);
  EXPECT_EQ(h.level(1).GetMusic(), 2);
  EXPECT_EQ(h.level(1).GetEnemyType(1), 3);
  EXPECT_EQ(h.level(6).GetGoal(), 3);
  ASSERT_EQ(h.state.document.GetHistory().UndoCount(), 1u);
}

// The stored values the choices write are seen in OneSessionIsOneStep.
TEST(EnemySettings, ListsAndWhatTheControlsShow) {
  EXPECT_EQ(SpeedChoices(), (Names{"Slow", "Normal", "Fast"}));
  EXPECT_EQ(DirectionChoices(), (Names{"Up", "Right", "Down", "Left"}));
  Harness h;
  h.state.catalogue = NamedCatalogue();
  h.Open([](LevelSet& levels) {
    levels[2].SetEnemyType(0, 0);  // the player's set draws type 1
    levels[2].SetEnemyType(1, 3);  // Ghost
    levels[2].SetEnemyType(2, 17);  // names no sprite set
    levels[2].GetActor(1).Set(0, 0, 1, 24, 5, 2);
    levels[2].GetActor(2).Set(0, 0, 4, 24, 5, 2);  // an even facing
    levels[2].GetActor(3).Set(0, 0, 5, 72, 5, 2);
    levels[2].GetActor(4).Set(72, 48, 7, 48, 6, 8);
    levels[2].GetActor(5).Set(0, 0, 4, 25, 40, 5);  // from a file made elsewhere
  });
  h.state.session.currentLevel = 2;
  const auto view = [&h](int enemy) { return EnemySettingsRules(h.state, h.host, enemy).View(); };
  const EnemySettingsView four = view(4);
  EXPECT_EQ(four.enemy, 3);
  EXPECT_EQ(four.speed, 2);
  EXPECT_EQ(four.direction, 3);
  EXPECT_EQ(four.aiType, 1);
  EXPECT_EQ(four.enemyType, 2);
  EXPECT_EQ(four.typeName, "Ghost");
  const EnemySettingsView odd = view(5);
  EXPECT_EQ(odd.speed, -1);
  EXPECT_EQ(odd.enemyType, 1);
  EXPECT_EQ(odd.typeName, "");
  EXPECT_EQ(view(1).typeName, "Player");
  EXPECT_EQ(view(3).typeName, "");
  // The preview needs a sprite set and an odd facing; it shows the facing's
  // first frame, 32 x 48 of the double-size sheet, at (182, 16).
  EXPECT_TRUE(EnemySettingsRules(h.state, h.host, 1).HasPreview());
  EXPECT_FALSE(EnemySettingsRules(h.state, h.host, 2).HasPreview());
  EXPECT_FALSE(EnemySettingsRules(h.state, h.host, 3).HasPreview());
  RecordingPainter painter;
  EnemySettingsRules(h.state, h.host, 4).PaintPreview(painter);
  const RecordedBlit facingLeft = {{SheetKind::SpriteColour, 3, 2}, 288, 0, 32, 48, 182, 16, RasterOp::Copy};
  EXPECT_EQ(painter.BlitList(), std::vector{facingLeft});
}

TEST(EnemySettings, OneSessionIsOneStep) {
  Harness h;
  h.state.catalogue = NamedCatalogue();
  h.Open([](LevelSet& levels) { levels[2].SetEnemyType(0, 2); });
  h.state.session.currentLevel = 2;
  {
    EnemySettingsRules rules(h.state, h.host, 3);
    EXPECT_TRUE(rules.ChooseEnemy(1));  // only moves the dialog
    EXPECT_FALSE(h.modified());
    EXPECT_TRUE(rules.ChooseSpeed(2));
    EXPECT_EQ(h.host.LastTitle(), kModifiedTitle);
    EXPECT_EQ(h.host.fullInvalidations, 0);
    EXPECT_TRUE(rules.ChooseDirection(3));
    EXPECT_EQ(h.host.fullInvalidations, 1);  // the canvas shows the facing
    EXPECT_TRUE(rules.ChooseAiType(0));
    EXPECT_TRUE(rules.ChooseEnemyType(3));
    EXPECT_EQ(h.host.fullInvalidations, 2);
    EXPECT_EQ(rules.View().typeName, "Ghost");
    EXPECT_FALSE(rules.ChooseSpeed(3));
    EXPECT_FALSE(rules.ChooseDirection(4));
    EXPECT_FALSE(rules.ChooseAiType(4));
    EXPECT_FALSE(rules.ChooseAiType(-1));
    EXPECT_FALSE(rules.ChooseEnemyType(0));
    EXPECT_FALSE(rules.ChooseEnemyType(4));
    EXPECT_FALSE(rules.ChooseEnemy(5));
    EXPECT_EQ(rules.Enemy(), 2);
  }
  ActorRecord edited;
  edited.Set(0, 0, 7, 72, 5, 8);
  EXPECT_EQ(h.level(2).GetActor(2), edited);
  EXPECT_EQ(h.level(2).GetActor(3), ActorRecord());
  EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 1u);
}

TEST(SwapLevels, TheShownLevelShowsItsPatternSet) {
  Harness h;
  h.state.catalogue = NamedCatalogue();
  h.state.session.currentLevel = 2;
  EXPECT_TRUE(SwapLevels(h.state, h.host, 2, 7));
  const std::vector<std::pair<Selector, int>> shownLevelChanged = {{Selector::Graphics, 0}};
  EXPECT_EQ(h.host.selectorPositions, shownLevelChanged);
  EXPECT_TRUE(SwapLevels(h.state, h.host, 0, 9));  // not the shown level: no selector
  EXPECT_EQ(h.host.selectorPositions, shownLevelChanged);
  EXPECT_FALSE(SwapLevels(h.state, h.host, 10, 1));
}

TEST(CheckLevelsDialog, LinesAndShow) {
  Harness h;
  h.state.catalogue = NamedCatalogue();
  h.Open([](LevelSet& levels) {
    levels = FlawlessLevels();
    levels[4].SetCell(0, 70);
    levels[4].GetActor(0).Set(-8, 0, 5, 0, 0, 4);  // on cell 0
  });
  const std::vector<Problem> problems = CheckEditorLevels(h.state);
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(ProblemLine(problems[0]), "Level 5, row 1, column 1: error: the player stands on a solid pattern");
  EXPECT_EQ(ProblemLine(problems[1]), "Level 5, row 3, column 7: warning: the exit cannot be reached from the player's square");
  EXPECT_FALSE(ShowProblem(h.state, h.host, problems, 2));
  EXPECT_TRUE(ShowProblem(h.state, h.host, problems, 0));
  EXPECT_EQ(h.state.session.currentLevel, 4);
  EXPECT_EQ(h.state.session.mark.cell, 0);
  EXPECT_EQ(h.state.session.inspectorTiles[0], 70);
  RecordingPainter marked;  // the frame around cell 0
  PaintMainWindow(h.state, marked);
  size_t white = 0;
  for (const PaintCall& c : marked.Of(PaintCall::Kind::Line)) white += c.offscreen && c.colour == Rgb{255, 255, 255};
  EXPECT_EQ(white, 4u);
}
