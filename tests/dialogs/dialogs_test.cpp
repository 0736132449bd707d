#include <gtest/gtest.h>

#include <cstring>

#include "dialogs/check_levels.h"
#include "dialogs/enemy_settings.h"
#include "dialogs/level_settings.h"
#include "dialogs/named_catalogue.h"
#include "dialogs/swap_levels.h"
#include "level/time_limit.h"
#include "support/editor_harness.h"
#include "support/recording_painter.h"
#include "view/paint.h"

TEST(LevelSettings, ListsAndWhatTheyShow) {
  EXPECT_EQ(LevelChoices(), (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
  EXPECT_EQ(GoalChoices(), (std::vector<std::string>{"Kill enemies", "Collect gems", "Destroy gems",
                                                     "Collect & Destroy gems"}));
  EXPECT_EQ(EnemyTypeChoices(NamedCatalogue()), (std::vector<std::string>{"Blob", "Bat", "Ghost"}));
  EXPECT_TRUE(EnemyTypeChoices(ResourceCatalogue()).empty());
  Harness h;
  h.state.catalogue = NamedCatalogue();
  h.Open([](LevelSet& levels) {
    levels[4].SetGoal(2);
    levels[4].SetMusic(1);  // "Theme", listed after "Theme two"
    levels[4].SetEnemyType(0, 3);
    levels[4].SetEnemyType(1, 1);
    levels[4].SetEnemyType(2, 0);  // the player's set has no entry
    std::memcpy(levels[4].GetTime(), "1:37", 4);
    levels[5].SetGoal(4);
    levels[5].SetMusic(3);
    levels[5].SetEnemyType(0, 4);
    std::memcpy(levels[5].GetTime(), "2:00xyzw", 8);  // no terminator in place
  });
  {
    const LevelSettingsView v = LevelSettingsRules(h.state, h.host, 4).View();
    EXPECT_EQ((std::vector<int>{v.level, v.goal, v.song, v.enemyTypes[0], v.enemyTypes[1],
                                v.enemyTypes[2], v.timePosition}),
              (std::vector<int>{4, 2, 1, 2, 0, -1, 97}));
    EXPECT_EQ(v.time, "1:37");
  }
  {
    const LevelSettingsView v = LevelSettingsRules(h.state, h.host, 5).View();
    EXPECT_EQ((std::vector<int>{v.goal, v.song, v.enemyTypes[0], v.timePosition}),
              (std::vector<int>{-1, -1, -1, 120}));
    EXPECT_EQ(v.time, "2:00xyzw");
  }
  EXPECT_EQ(LevelSettingsRules(h.state, h.host, 10).LevelIndex(), 0);
  EXPECT_EQ(LevelSettingsRules(h.state, h.host, -1).LevelIndex(), 0);
  EXPECT_FALSE(h.state.document.CanUndo());  // sessions that changed nothing
}

TEST(LevelSettings, OneSessionIsOneStep) {
  Harness h;
  h.state.catalogue = NamedCatalogue();
  h.state.session.currentLevel = 1;
  {
    LevelSettingsRules rules(h.state, h.host, 1);
    EXPECT_TRUE(rules.ChooseGoal(2));
    EXPECT_EQ(h.host.LastTitle() + std::to_string(h.host.fullInvalidations), "Kraxolan Editor - [set.kxl *]0");
    EXPECT_TRUE(rules.ChooseSong(2) && rules.ChooseEnemyType(1, 2));  // the third entry: sprite set 3
    EXPECT_EQ(h.state.session.repaintFlags * 10 + h.host.fullInvalidations, kRepaintAll * 10 + 1);
    EXPECT_TRUE(rules.Scroll(kTrackPageDown, 0) && rules.ChooseLevel(6) && rules.ChooseGoal(3));  // the dialog moves
    EXPECT_EQ(h.state.session.currentLevel, 1);
    for (int bad : {4, -1}) EXPECT_FALSE(rules.ChooseGoal(bad));
    for (int bad : {3, -1}) EXPECT_FALSE(rules.ChooseSong(bad));
    for (auto [slot, index] : {std::pair{1, 3}, {1, -1}, {3, 0}, {-1, 0}})
      EXPECT_FALSE(rules.ChooseEnemyType(slot, index));
    for (int bad : {10, -1}) EXPECT_FALSE(rules.ChooseLevel(bad));
    EXPECT_FALSE(rules.Scroll(kTrackEndTrack, 0));
    EXPECT_EQ(rules.LevelIndex(), 6);
    EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 0u);  // still open
  }
  EXPECT_EQ(h.level(1).GetGoal() * 100 + h.level(1).GetMusic() * 10 + h.level(1).GetEnemyType(1), 223);
  EXPECT_STREQ(h.level(1).GetTime(), "3:00");
  EXPECT_EQ(h.level(6).GetGoal(), 3);
  ASSERT_EQ(h.state.document.GetHistory().UndoCount(), 1u);
  EXPECT_EQ(h.state.document.Undo(), 1);
  EXPECT_EQ(h.state.document.Levels(), LevelSet());
  EXPECT_FALSE(h.modified());

  // The preview: each type's frame at double size, masked, whatever the zoom.
  Level level;
  level.SetEnemyType(0, 1);
  level.SetEnemyType(1, 3);
  level.SetEnemyType(2, 9);  // no such sprite set: nothing drawn
  RecordingPainter painter;
  PaintEnemyTypePreview(level, h.state.catalogue, painter);
  const std::vector<RecordedBlit> expected = {
      {{SheetKind::SpriteMask, 1, 2}, 256, 0, 32, 48, 50, 175, RasterOp::And},
      {{SheetKind::SpriteColour, 1, 2}, 256, 0, 32, 48, 50, 175, RasterOp::Paint},
      {{SheetKind::SpriteMask, 3, 2}, 256, 0, 32, 48, 170, 175, RasterOp::And},
      {{SheetKind::SpriteColour, 3, 2}, 256, 0, 32, 48, 170, 175, RasterOp::Paint},
  };
  EXPECT_EQ(painter.BlitList(), expected);
  level.SetEnemyType(0, -1);
  level.SetEnemyType(1, 4);
  level.SetEnemyType(2, 2);
  painter.Clear();
  PaintEnemyTypePreview(level, h.state.catalogue, painter);
  ASSERT_EQ(painter.BlitList().size(), 2u);
  EXPECT_EQ(painter.BlitList()[0].dx, 290);
}

TEST(EnemySettings, EncodingsAndView) {
  EXPECT_EQ(SpeedChoices(), (std::vector<std::string>{"Slow", "Normal", "Fast"}));
  EXPECT_EQ(DirectionChoices(), (std::vector<std::string>{"Up", "Right", "Down", "Left"}));
  const ResourceCatalogue catalogue = NamedCatalogue();
  struct Row {
    int32_t stored;
    int speed, direction, ai;
  } rows[] = {{0, -1, -1, -1}, {1, -1, 0, -1}, {2, 0, -1, -1}, {3, -1, 1, -1}, {4, 1, -1, -1},
              {5, -1, 2, 0},   {6, -1, -1, 1}, {7, -1, 3, 2},  {8, 2, -1, 3},  {9, -1, -1, -1},
              {16, -1, -1, -1}, {-2, -1, -1, -1}};
  for (const Row& r : rows) {
    EXPECT_EQ(SpeedChoiceOf(r.stored), r.speed) << r.stored;
    EXPECT_EQ(DirectionChoiceOf(r.stored), r.direction) << r.stored;
    EXPECT_EQ(AiTypeChoiceOf(catalogue, r.stored), r.ai) << r.stored;
  }
  EXPECT_EQ((std::vector<int>{SpeedOfChoice(2), DirectionOfChoice(3), AiTypeOfChoice(2),
                              TypeCodeOfPosition(3)}),
            (std::vector<int>{8, 7, 7, 72}));

  Harness h;
  h.state.catalogue = catalogue;
  h.Open([](LevelSet& levels) {
    for (int slot = 0; slot < 3; ++slot) levels[2].SetEnemyType(slot, (slot + 1) % 3 + 1);  // Bat, Ghost, Blob
    levels[2].GetActor(4).Set(72, 48, 7, 48, 6, 8);
    levels[2].GetActor(5).Set(0, 0, 4, 25, 40, 5);  // from a file made elsewhere
    levels[2].GetActor(3).Set(0, 0, 5, 72, 5, 2);
    levels[2].SetEnemyType(2, 17);  // a slot naming no sprite set
  });
  h.state.session.currentLevel = 2;
  const auto view = [&h](int enemy) { return EnemySettingsRules(h.state, h.host, enemy).View(); };
  const EnemySettingsView four = view(4);
  EXPECT_EQ((std::vector<int>{four.enemy, four.speed, four.direction, four.aiType, four.enemyType}),
            (std::vector<int>{3, 2, 3, 1, 2}));
  EXPECT_EQ(four.typeName, "Ghost");
  const EnemySettingsView odd = view(5);
  EXPECT_EQ((std::vector<int>{odd.speed, odd.direction, odd.aiType, odd.enemyType}),
            (std::vector<int>{-1, -1, -1, 1}));
  EXPECT_EQ(odd.typeName, "");
  EXPECT_EQ(view(3).typeName + std::to_string(view(3).enemyType), "3");
  EXPECT_EQ(view(1).typeName, "Bat");
  h.Open([](LevelSet& levels) { levels[2].SetEnemyType(0, 0); });  // the player's set draws type 1
  EXPECT_EQ(view(1).typeName, "Player");
  EXPECT_EQ(EnemySettingsRules(h.state, h.host, 0).Enemy(), 1);
  EXPECT_EQ(EnemySettingsRules(h.state, h.host, 6).Enemy(), 1);
}

TEST(EnemySettings, OneSessionIsOneStepAndThePreviewShowsTheFacing) {
  Harness h;
  h.state.catalogue = NamedCatalogue();
  h.Open([](LevelSet& levels) { levels[2].SetEnemyType(0, 2); });
  h.state.session.currentLevel = 2;
  {
    EnemySettingsRules rules(h.state, h.host, 3);
    EXPECT_TRUE(rules.ChooseEnemy(1));  // only moves the dialog
    EXPECT_FALSE(h.modified());
    EXPECT_TRUE(rules.ChooseSpeed(2));
    EXPECT_EQ(h.host.fullInvalidations, 0);
    EXPECT_TRUE(rules.ChooseDirection(3));
    EXPECT_EQ(h.host.fullInvalidations, 1);
    EXPECT_TRUE(rules.ChooseAiType(0) && rules.ChooseAiType(2) && rules.ChooseEnemyType(3));
    EXPECT_EQ(rules.View().typeName, "Ghost");
    for (int bad : {3, -1}) EXPECT_FALSE(rules.ChooseSpeed(bad));
    for (int bad : {4, -1}) EXPECT_FALSE(rules.ChooseDirection(bad));
    for (int bad : {4, -1}) EXPECT_FALSE(rules.ChooseAiType(bad));
    for (int bad : {0, 4}) EXPECT_FALSE(rules.ChooseEnemyType(bad));
    for (int bad : {5, -1}) EXPECT_FALSE(rules.ChooseEnemy(bad));
    EXPECT_EQ(rules.Enemy(), 2);
  }
  ActorRecord edited;
  edited.Set(0, 0, 7, 72, 7, 8);
  EXPECT_EQ(h.level(2).GetActor(2), edited);
  EXPECT_EQ(h.level(2).GetActor(3), ActorRecord());
  EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 1u);
  { EnemySettingsRules nothing(h.state, h.host, 1); }
  EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 1u);

  // The preview: the first frame of the facing, from the level's slot of the type.
  EnemySettingsRules rules(h.state, h.host, 1);
  const int sourceX[] = {0, 96, 192, 288};
  for (int i = 0; i < 4; ++i) {
    rules.ChooseDirection(i);
    RecordingPainter painter;
    rules.PaintPreview(painter);
    EXPECT_EQ(painter.BlitList(), (std::vector<RecordedBlit>{{{SheetKind::SpriteColour, 2, 2},
                                                              sourceX[i], 0, 32, 48, 182, 16,
                                                              RasterOp::Copy}}));
    EXPECT_TRUE(rules.HasPreview());
  }
  rules.ChooseEnemyType(3);  // slot 2 holds sprite set 3 of four: still shown
  EXPECT_TRUE(rules.HasPreview());
  Level level;
  ActorRecord enemy;
  for (auto [direction, typeCode] : {std::pair{4, 24}, {9, 24}, {5, 0}, {5, 100}}) {
    enemy.SetDirection(direction);
    enemy.SetTypeCode(typeCode);
    RecordingPainter painter;
    PaintEnemyPreview(level, enemy, h.state.catalogue, painter);
    EXPECT_TRUE(painter.BlitList().empty()) << direction << " " << typeCode;
  }
  level.SetEnemyType(0, 4);  // past the sprite sets
  enemy.Set(0, 0, 5, 24, 5, 2);
  EXPECT_EQ(EnemySpriteSet(level, enemy, h.state.catalogue), -1);
  level.SetEnemyType(0, 0);  // the player's sprite set, shown as the canvas shows it
  RecordingPainter player;
  PaintEnemyPreview(level, enemy, h.state.catalogue, player);
  ASSERT_EQ(player.BlitList().size(), 1u);
  EXPECT_EQ(player.BlitList()[0].sheet, (SheetRef{SheetKind::SpriteColour, 0, 2}));
}

TEST(SwapLevels, WholeLevelsChangePlacesInOneStep) {
  Harness h;
  h.Open([](LevelSet& levels) {
    levels[2].SetPatternSet(6);
    levels[7].SetGoal(3);
  });
  h.state.session.currentLevel = 2;
  EXPECT_TRUE(SwapLevels(h.state, h.host, 2, 7));
  EXPECT_EQ(h.level(2).GetGoal() * 10 + h.level(7).GetPatternSet(), 36);
  EXPECT_EQ(h.host.selectorPositions.back(), std::make_pair(Selector::Graphics, 0));
  EXPECT_EQ(h.state.session.repaintFlags, 3);
  const size_t positions = h.host.selectorPositions.size();
  EXPECT_TRUE(SwapLevels(h.state, h.host, 4, 4));  // changes nothing
  EXPECT_TRUE(SwapLevels(h.state, h.host, 0, 9));  // not the shown level: no selector
  EXPECT_EQ(h.host.selectorPositions.size(), positions);
  for (auto [a, b] : {std::pair{10, 1}, {1, -1}}) EXPECT_FALSE(SwapLevels(h.state, h.host, a, b));
  EXPECT_EQ(h.state.document.GetHistory().UndoCount(), 1u);  // 0 and 9 are alike
  h.state.document.Undo();
  EXPECT_EQ(h.level(2).GetPatternSet(), 6);
  EXPECT_FALSE(h.modified());
}

TEST(CheckLevelsDialog, LinesAndShow) {
  Harness h;
  h.state.catalogue = NamedCatalogue();
  h.state.catalogue.patternSets.push_back(PatternSet{{}, {}, "set"});
  h.Open([](LevelSet& levels) {
    for (Level& l : levels) l.PlaceCell(40, kCellExit), l.GetActor(0).Set(8, 16, 5, 0, 0, 4), l.GetActor(1).Set(24, 16, 5, 24, 5, 2);
    levels[4].SetCell(0, 70);
    levels[4].GetActor(0).Set(-8, 0, 5, 0, 0, 4);  // on cell 0
  });
  const std::vector<Problem> problems = CheckEditorLevels(h.state);
  std::vector<std::string> lines;
  for (const Problem& p : problems) lines.push_back(ProblemLine(p));
  EXPECT_EQ(lines, (std::vector<std::string>{"Level 5, row 1, column 1: error: the player stands on a solid pattern",
                                             "Level 5, row 3, column 7: warning: the exit cannot be reached from the player's square"}));
  EXPECT_FALSE(ShowProblem(h.state, h.host, problems, 2) || ShowProblem(h.state, h.host, problems, -1));
  EXPECT_TRUE(ShowProblem(h.state, h.host, problems, 0));
  EXPECT_EQ(h.state.session.currentLevel * 1000 + h.state.session.mark.level * 100 + h.state.session.mark.cell, 4400);
  RecordingPainter marked;  // the frame around cell 0
  PaintMainWindow(h.state, marked);
  size_t white = 0;
  for (const PaintCall& c : marked.Of(PaintCall::Kind::Line)) white += c.offscreen && c.colour == Rgb{255, 255, 255};
  EXPECT_EQ(white, 4u);
  EXPECT_EQ(h.state.session.inspectorTiles[0] * 1000 + h.state.session.repaintFlags, 70003);
  const std::vector<Problem> none = {{2, -1, false, "x"}};
  EXPECT_TRUE(ShowProblem(h.state, h.host, none, 0));
  EXPECT_EQ(h.state.session.currentLevel * 100 + h.state.session.mark.level * 10 + h.state.session.mark.cell, 240);
}
