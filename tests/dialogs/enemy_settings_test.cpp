#include "dialogs/enemy_settings.h"

#include <gtest/gtest.h>

#include "app/editor_state.h"
#include "dialogs/named_catalogue.h"
#include "support/recording_painter.h"
#include "support/fake_host.h"

namespace {

struct EnemyDialogFixture {
  EditorState state;
  FakeHost host;
  EnemyDialogFixture() {
    state.catalogue = NamedCatalogue();
    state.currentFileName = "set.kxl";
    state.currentLevel = 2;
    Level& level = state.levels[2];
    level.enemyTypes[0] = 2;  // "Bat"
    level.enemyTypes[1] = 3;  // "Ghost"
    level.enemyTypes[2] = 1;  // "Blob"
  }
  ActorRecord& Enemy(int n) { return state.levels[2].actors[n]; }
};

}  // namespace

TEST(EnemySettings, Encodings) {
  EXPECT_EQ(EnemyChoices(), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  EXPECT_EQ(SpeedChoices(), (std::vector<std::string>{"Slow", "Normal", "Fast"}));
  EXPECT_EQ(DirectionChoices(), (std::vector<std::string>{"Up", "Right", "Down", "Left"}));
  EXPECT_EQ(AiTypeChoices(NamedCatalogue()), NamedCatalogue().aiTypes);

  const int32_t speeds[] = {2, 4, 8};
  const int32_t directions[] = {1, 3, 5, 7};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(SpeedOfChoice(i), speeds[i]);
    EXPECT_EQ(SpeedChoiceOf(speeds[i]), i);
  }
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(DirectionOfChoice(i), directions[i]);
    EXPECT_EQ(DirectionChoiceOf(directions[i]), i);
  }
  EXPECT_EQ(AiTypeOfChoice(2), 7);
  EXPECT_EQ(TypeCodeOfPosition(1), 24);
  EXPECT_EQ(TypeCodeOfPosition(3), 72);
  EXPECT_EQ(EnemyTypeSlotOf(24), 0);
  EXPECT_EQ(EnemyTypeSlotOf(72), 2);

  // Values outside the encodings have no entry.
  for (int32_t speed : {0, 1, 3, 6, 16, -2}) EXPECT_EQ(SpeedChoiceOf(speed), -1) << speed;
  for (int32_t direction : {0, 2, 9, -1}) EXPECT_EQ(DirectionChoiceOf(direction), -1);
  for (int32_t code : {0, 23, 25, 47, 96, -24}) EXPECT_EQ(EnemyTypeSlotOf(code), -1) << code;
  const ResourceCatalogue catalogue = NamedCatalogue();
  EXPECT_EQ(AiTypeChoiceOf(catalogue, 5), 0);
  EXPECT_EQ(AiTypeChoiceOf(catalogue, 6), 1);  // "Chase", not "Chase fast" listed before it
  EXPECT_EQ(AiTypeChoiceOf(catalogue, 8), 3);
  for (int32_t ai : {0, 4, 9, -100}) EXPECT_EQ(AiTypeChoiceOf(catalogue, ai), -1) << ai;
}

TEST(EnemySettings, ViewOfTheEnemy) {
  EnemyDialogFixture f;
  ActorRecord& enemy = f.Enemy(4);
  enemy.Set(72, 48, 7, 48, 6, 8);
  const EnemySettingsRules rules(f.state, f.host, 4);
  EXPECT_EQ(&rules.Record(), &enemy);
  const EnemySettingsView view = rules.View();
  EXPECT_EQ(view.enemy, 3);
  EXPECT_EQ(view.speed, 2);
  EXPECT_EQ(view.direction, 3);
  EXPECT_EQ(view.aiType, 1);
  EXPECT_EQ(view.enemyType, 2);
  EXPECT_EQ(view.typeName, "Ghost");  // the level's second slot

  // Opened from the menu, and with a number outside 1..5: enemy 1.
  EXPECT_EQ(EnemySettingsRules(f.state, f.host, 1).View().enemy, 0);
  EXPECT_EQ(EnemySettingsRules(f.state, f.host, 0).Enemy(), 1);
  EXPECT_EQ(EnemySettingsRules(f.state, f.host, 6).Enemy(), 1);
  EXPECT_EQ(EnemySettingsRules(f.state, f.host, 1).View().typeName, "Bat");

  // A record from a file made elsewhere: nothing looked up past a table.
  enemy.Set(0, 0, 4, 25, 40, 5);
  const EnemySettingsView odd = rules.View();
  EXPECT_EQ(odd.speed, -1);
  EXPECT_EQ(odd.direction, -1);
  EXPECT_EQ(odd.aiType, -1);
  EXPECT_EQ(odd.typeName, "");
  EXPECT_EQ(odd.enemyType, 1);
  // A valid type whose level slot names no sprite set.
  enemy.typeCode = 72;
  f.state.levels[2].enemyTypes[2] = 17;
  EXPECT_EQ(rules.View().typeName, "");
  EXPECT_EQ(rules.View().enemyType, 3);
  EXPECT_EQ(EnemySpriteSet(f.state.levels[2], enemy, f.state.catalogue), -1);
}

TEST(EnemySettings, ChoicesWriteTheRecord) {
  EnemyDialogFixture f;
  EnemySettingsRules rules(f.state, f.host, 3);

  EXPECT_TRUE(rules.ChooseSpeed(2));
  EXPECT_EQ(f.Enemy(3).speed, 8);
  EXPECT_EQ(f.state.modified, 1);
  EXPECT_EQ(f.host.LastTitle(), "Kraxolan Editor - [set.kxl *]");
  EXPECT_TRUE(rules.ChooseSpeed(0));
  EXPECT_EQ(f.Enemy(3).speed, 2);
  EXPECT_EQ(f.host.fullInvalidations, 0);

  f.state.repaintFlags = 0;
  EXPECT_TRUE(rules.ChooseDirection(3));
  EXPECT_EQ(f.Enemy(3).direction, 7);
  EXPECT_EQ(f.host.fullInvalidations, 1);
  EXPECT_EQ(f.state.repaintFlags, kRepaintAll);

  EXPECT_TRUE(rules.ChooseAiType(2));
  EXPECT_EQ(f.Enemy(3).aiType, 7);

  EXPECT_TRUE(rules.ChooseEnemyType(3));
  EXPECT_EQ(f.Enemy(3).typeCode, 72);
  EXPECT_EQ(rules.View().typeName, "Blob");
  EXPECT_EQ(f.host.fullInvalidations, 2);

  // Switching the enemy shows actor 2 and marks the set modified by itself.
  f.state.modified = 0;
  const LevelSet before = f.state.levels;
  EXPECT_TRUE(rules.ChooseEnemy(1));
  EXPECT_EQ(rules.Enemy(), 2);
  EXPECT_EQ(&rules.Record(), &f.Enemy(2));
  EXPECT_EQ(rules.View().enemy, 1);
  EXPECT_EQ(f.state.levels, before);
  EXPECT_EQ(f.state.modified, 1);

  // The edited level is the current one; the other levels stay as they were.
  EXPECT_TRUE(rules.ChooseSpeed(1));
  EXPECT_EQ(f.Enemy(2).speed, 4);
  EXPECT_EQ(f.state.levels[0].actors[2].speed, 2);

  // Indexes outside the lists change nothing and mark nothing.
  f.state.modified = 0;
  const LevelSet unchanged = f.state.levels;
  const size_t titles = f.host.titles.size();
  EXPECT_FALSE(rules.ChooseSpeed(3));
  EXPECT_FALSE(rules.ChooseSpeed(-1));
  EXPECT_FALSE(rules.ChooseDirection(4));
  EXPECT_FALSE(rules.ChooseDirection(-1));
  EXPECT_FALSE(rules.ChooseAiType(4));
  EXPECT_FALSE(rules.ChooseAiType(-1));
  EXPECT_FALSE(rules.ChooseEnemyType(0));
  EXPECT_FALSE(rules.ChooseEnemyType(4));
  EXPECT_FALSE(rules.ChooseEnemy(5));
  EXPECT_FALSE(rules.ChooseEnemy(-1));
  EXPECT_EQ(rules.Enemy(), 2);
  EXPECT_EQ(f.state.levels, unchanged);
  EXPECT_EQ(f.state.modified, 0);
  EXPECT_EQ(f.host.titles.size(), titles);
}

TEST(EnemySettings, PreviewShowsTheFacing) {
  EnemyDialogFixture f;
  const EnemySettingsRules rules(f.state, f.host, 1);
  ActorRecord& enemy = f.Enemy(1);
  const int sourceX[] = {0, 96, 192, 288};
  for (int i = 0; i < 4; ++i) {
    enemy.direction = DirectionOfChoice(i);
    RecordingPainter painter;
    rules.PaintPreview(painter);
    const std::vector<RecordedBlit> expected = {
        {{SheetKind::SpriteColour, 2, 2}, sourceX[i], 0, 32, 48, 182, 16, RasterOp::Copy}};
    EXPECT_EQ(painter.BlitList(), expected) << i;
    EXPECT_TRUE(rules.HasPreview());
  }
  enemy.typeCode = 48;
  RecordingPainter ghost;
  rules.PaintPreview(ghost);
  ASSERT_EQ(ghost.BlitList().size(), 1u);
  EXPECT_EQ(ghost.BlitList()[0].sheet.index, 3);
  // A slot naming no sprite set of the catalogue.
  f.state.levels[2].enemyTypes[1] = 4;
  EXPECT_FALSE(rules.HasPreview());
  RecordingPainter missing;
  rules.PaintPreview(missing);
  EXPECT_TRUE(missing.BlitList().empty());
  f.state.levels[2].enemyTypes[1] = 3;

  // No picture for a facing or a type outside the encodings.
  for (const auto& [direction, typeCode] :
       {std::pair{4, 48}, std::pair{9, 48}, std::pair{-1, 48}, std::pair{5, 0},
        std::pair{5, 100}}) {
    enemy.direction = direction;
    enemy.typeCode = typeCode;
    RecordingPainter painter;
    rules.PaintPreview(painter);
    EXPECT_TRUE(painter.BlitList().empty()) << direction << " " << typeCode;
    EXPECT_FALSE(rules.HasPreview()) << direction << " " << typeCode;
  }
}
