#include "dialogs/enemy_settings.h"

#include <iterator>

#include "doc/edits.h"
#include "gfx/painter.h"
#include "gfx/resource_catalogue.h"
#include "view/editor.h"
#include "view/host.h"
#include "view/title.h"

namespace {

constexpr const char* kSpeedNames[] = {"Slow", "Normal", "Fast"};
constexpr const char* kDirectionNames[] = {"Up", "Right", "Down", "Left"};
constexpr int kSpeedCount = 3;
constexpr int kDirectionCount = 4;

// The preview: a 32 x 48 frame of the double-size sheet, whose facing groups
// lie 96 pixels apart, drawn at (182, 16) of the dialog at its own font.
constexpr int kPreviewX = 182;
constexpr int kPreviewY = 16;
constexpr int kPreviewWidth = 32;
constexpr int kPreviewHeight = 48;
constexpr int kFacingStride = 48;  // per direction step of 2

}  // namespace

std::vector<std::string> EnemyChoices() {
  std::vector<std::string> choices;
  for (int i = 1; i <= kEnemyCount; ++i) choices.push_back(std::to_string(i));
  return choices;
}

std::vector<std::string> SpeedChoices() { return {std::begin(kSpeedNames), std::end(kSpeedNames)}; }

std::vector<std::string> DirectionChoices() {
  return {std::begin(kDirectionNames), std::end(kDirectionNames)};
}

std::vector<std::string> AiTypeChoices(const ResourceCatalogue& catalogue) {
  return catalogue.aiTypes;
}

int32_t SpeedOfChoice(int i) { return 2 << i; }
int32_t DirectionOfChoice(int i) { return 2 * i + 1; }
int32_t AiTypeOfChoice(int i) { return i + kAiTypeBase; }
int32_t TypeCodeOfPosition(int p) { return kTypeCodeStep * p; }

int SpeedChoiceOf(int32_t speed) {
  for (int i = 0; i < kSpeedCount; ++i)
    if (SpeedOfChoice(i) == speed) return i;
  return -1;
}

int DirectionChoiceOf(int32_t direction) {
  for (int i = 0; i < kDirectionCount; ++i)
    if (DirectionOfChoice(i) == direction) return i;
  return -1;
}

int AiTypeChoiceOf(const ResourceCatalogue& catalogue, int32_t aiType) {
  if (aiType < kAiTypeBase) return -1;
  return catalogue.AiTypeAt(aiType - kAiTypeBase) ? aiType - kAiTypeBase : -1;
}

int32_t EnemySpriteSet(const Level& level, const ActorRecord& enemy,
                       const ResourceCatalogue& catalogue) {
  const int32_t set = EnemySpriteSet(level, enemy);
  return set >= 0 && catalogue.SpriteSetAt(set) ? set : -1;
}

namespace {

bool PreviewShown(const Level& level, const ActorRecord& enemy,
                  const ResourceCatalogue& catalogue) {
  return EnemySpriteSet(level, enemy, catalogue) >= 0 && DirectionChoiceOf(enemy.direction()) >= 0;
}

}  // namespace

void PaintEnemyPreview(const Level& level, const ActorRecord& enemy,
                       const ResourceCatalogue& catalogue, Painter& painter, DialogBase base) {
  if (!PreviewShown(level, enemy, catalogue)) return;
  const int32_t set = EnemySpriteSet(level, enemy, catalogue);
  const SheetRef colour{SheetKind::SpriteColour, set, 2};
  const DialogPoint at = PlaceInDialog(kPreviewX, kPreviewY, base);
  painter.Blit(colour, kFacingStride * enemy.direction() - kFacingStride, 0, kPreviewWidth,
               kPreviewHeight, at.x, at.y, RasterOp::Copy);
}

EnemySettingsRules::EnemySettingsRules(Editor& editor, Host& host, int enemy)
    : editor_(editor), host_(host), enemy_(InRange(enemy, 1, kEnemyCount) ? enemy : 1) {
  editor_.document.OpenStep(editor_.session.currentLevel);
}

EnemySettingsRules::~EnemySettingsRules() {
  editor_.document.CloseStep();
  UpdateTitle(editor_, host_);
}

// The record is found afresh each time: the current level cannot change
// while the modal dialog runs, but no pointer into it is kept either way.
const ActorRecord& EnemySettingsRules::Record() const {
  return editor_.CurrentLevel().GetActor(enemy_);
}

EnemySettingsView EnemySettingsRules::View() const {
  const ActorRecord& record = Record();
  const ResourceCatalogue& catalogue = editor_.catalogue;
  EnemySettingsView view;
  view.enemy = enemy_ - 1;
  view.speed = SpeedChoiceOf(record.speed());
  view.direction = DirectionChoiceOf(record.direction());
  view.aiType = AiTypeChoiceOf(catalogue, record.aiType());
  const int slot = EnemyTypeSlot(record.typeCode());
  view.enemyType = slot < 0 ? 1 : slot + 1;
  const int32_t set = EnemySpriteSet(editor_.CurrentLevel(), record, catalogue);
  if (set >= 0) view.typeName = catalogue.SpriteSetAt(set)->name;
  return view;
}

void EnemySettingsRules::PaintPreview(Painter& painter, DialogBase base) const {
  PaintEnemyPreview(editor_.CurrentLevel(), Record(), editor_.catalogue, painter, base);
}

bool EnemySettingsRules::HasPreview() const {
  return PreviewShown(editor_.CurrentLevel(), Record(), editor_.catalogue);
}

bool EnemySettingsRules::ChooseEnemy(int index) {
  if (!InRange(index, 0, kEnemyCount - 1)) return false;
  enemy_ = index + 1;
  return true;
}

bool EnemySettingsRules::ChooseSpeed(int index) {
  if (!InRange(index, 0, kSpeedCount - 1)) return false;
  Edits::SetEnemySpeed(editor_.document, editor_.session.currentLevel, enemy_, SpeedOfChoice(index));
  UpdateTitle(editor_, host_);
  return true;
}

bool EnemySettingsRules::ChooseDirection(int index) {
  if (!InRange(index, 0, kDirectionCount - 1)) return false;
  Edits::SetEnemyDirection(editor_.document, editor_.session.currentLevel, enemy_,
                           DirectionOfChoice(index));
  Repaint(editor_, host_, kRepaintAll);
  UpdateTitle(editor_, host_);
  return true;
}

bool EnemySettingsRules::ChooseAiType(int index) {
  if (index < 0 || !editor_.catalogue.AiTypeAt(index)) return false;
  Edits::SetEnemyAiType(editor_.document, editor_.session.currentLevel, enemy_,
                        AiTypeOfChoice(index));
  UpdateTitle(editor_, host_);
  return true;
}

bool EnemySettingsRules::ChooseEnemyType(int p) {
  if (!InRange(p, 1, kEnemyTypeCount)) return false;
  Edits::SetEnemyTypeCode(editor_.document, editor_.session.currentLevel, enemy_,
                          TypeCodeOfPosition(p));
  UpdateTitle(editor_, host_);
  Repaint(editor_, host_, kRepaintAll);
  return true;
}
