#include "dialogs/level_settings.h"

#include <algorithm>
#include <iterator>

#include "doc/edits.h"
#include "gfx/painter.h"
#include "gfx/resource_catalogue.h"
#include "level/time_limit.h"
#include "view/editor.h"
#include "view/host.h"
#include "view/title.h"

namespace {

// The preview frame: 32 x 48 from (256, 0) of the double-size sheets, drawn
// at these client positions of the dialog at its own font.
constexpr int kPreviewX[3] = {50, 170, 290};
constexpr int kPreviewY = 175;
constexpr int kPreviewSourceX = 256;
constexpr int kPreviewWidth = 32;
constexpr int kPreviewHeight = 48;

bool InList(int index, size_t size) { return IsIndex(index, static_cast<int>(size)); }

// The enemy-type lists leave out the player's sprite set, number 0.
size_t EnemyTypeCount(const ResourceCatalogue& catalogue) {
  return catalogue.spriteSets.empty() ? 0 : catalogue.spriteSets.size() - 1;
}

}  // namespace

std::vector<std::string> LevelChoices() {
  std::vector<std::string> choices;
  for (int i = 1; i <= kLevelCount; ++i) choices.push_back(std::to_string(i));
  return choices;
}

std::vector<std::string> GoalChoices() {
  std::vector<std::string> choices;
  for (int goal = 0; goal < kGoalCount; ++goal) choices.push_back(GoalName(goal));
  return choices;
}

std::vector<std::string> SongChoices(const ResourceCatalogue& catalogue) {
  return catalogue.songs;
}

std::vector<std::string> EnemyTypeChoices(const ResourceCatalogue& catalogue) {
  std::vector<std::string> choices;
  for (size_t i = 1; i < catalogue.spriteSets.size(); ++i)
    choices.push_back(catalogue.spriteSets[i].name);
  return choices;
}

int GoalChoiceOf(int32_t goal) { return InList(goal, kGoalCount) ? goal : -1; }

int SongChoiceOf(const ResourceCatalogue& catalogue, int32_t music) {
  return catalogue.SongAt(music) ? music : -1;
}

int EnemyTypeChoiceOf(const ResourceCatalogue& catalogue, int32_t spriteSet) {
  return spriteSet >= 1 && catalogue.SpriteSetAt(spriteSet) ? spriteSet - 1 : -1;
}

void PaintEnemyTypePreview(const Level& level, const ResourceCatalogue& catalogue,
                           Painter& painter, DialogBase base) {
  for (int slot = 0; slot < 3; ++slot) {
    const int32_t set = level.GetEnemyType(slot);
    if (!catalogue.SpriteSetAt(set)) continue;
    const SheetRef mask{SheetKind::SpriteMask, set, 2};
    const SheetRef colour{SheetKind::SpriteColour, set, 2};
    const DialogPoint at = PlaceInDialog(kPreviewX[slot], kPreviewY, base);
    painter.Blit(mask, kPreviewSourceX, 0, kPreviewWidth, kPreviewHeight, at.x, at.y, RasterOp::And);
    painter.Blit(colour, kPreviewSourceX, 0, kPreviewWidth, kPreviewHeight, at.x, at.y, RasterOp::Paint);
  }
}

LevelSettingsRules::LevelSettingsRules(Editor& editor, Host& host, int level)
    : editor_(editor), host_(host), level_(InList(level, kLevelCount) ? level : 0) {
  editor_.document.OpenStep(editor_.session.currentLevel);
}

LevelSettingsRules::~LevelSettingsRules() {
  editor_.document.CloseStep();
  UpdateTitle(editor_, host_);
}

const Level& LevelSettingsRules::EditedLevel() const { return editor_.document.GetLevel(level_); }

LevelSettingsView LevelSettingsRules::View() const {
  const Level& level = EditedLevel();
  const ResourceCatalogue& catalogue = editor_.catalogue;
  LevelSettingsView view;
  view.level = level_;
  view.goal = GoalChoiceOf(level.GetGoal());
  view.song = SongChoiceOf(catalogue, level.GetMusic());
  for (int slot = 0; slot < 3; ++slot)
    view.enemyTypes[slot] = EnemyTypeChoiceOf(catalogue, level.GetEnemyType(slot));
  // A level that came from elsewhere need not hold its terminator in place.
  view.time = level.TimeText();
  view.timePosition = TimeLimitSeconds(level.GetTime());
  return view;
}

bool LevelSettingsRules::ChooseLevel(int index) {
  if (!InList(index, kLevelCount)) return false;
  level_ = index;
  return true;
}

bool LevelSettingsRules::ChooseGoal(int index) {
  if (!InList(index, kGoalCount)) return false;
  Edits::SetGoal(editor_.document, level_, index);
  UpdateTitle(editor_, host_);
  return true;
}

bool LevelSettingsRules::ChooseSong(int index) {
  if (!InList(index, editor_.catalogue.songs.size())) return false;
  Edits::SetMusic(editor_.document, level_, index);
  UpdateTitle(editor_, host_);
  return true;
}

bool LevelSettingsRules::ChooseEnemyType(int slot, int index) {
  if (!InList(slot, 3) || !InList(index, EnemyTypeCount(editor_.catalogue))) return false;
  Edits::SetEnemyType(editor_.document, level_, slot, index + 1);
  Repaint(editor_, host_, kRepaintAll);
  UpdateTitle(editor_, host_);
  return true;
}

bool LevelSettingsRules::Scroll(int code, int thumb) {
  const std::optional<int> next = TrackBarStep(TimeLimitSeconds(EditedLevel().GetTime()), code, thumb);
  if (!next) return false;
  Edits::SetTimeLimit(editor_.document, level_, *next);
  UpdateTitle(editor_, host_);
  return true;
}
