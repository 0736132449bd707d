// The rules of the "Edit Enemy" dialog: speed, facing, AI type and enemy
// type of the five enemies of the current level, one at a time, written
// into the record the moment they are chosen. Everything changed between
// the dialog's opening and its closing is one step of the history.
//
// Combo entries are chosen by list index; a stored value outside the
// encodings (a speed other than 2, 4, 8, an AI type past the catalogue's
// names, a type code other than 24, 48, 72) leaves its combo without a
// choice (-1), and an enemy type without a sprite set shows no name and no
// preview.
#pragma once

#include <string>
#include <vector>

#include "dialogs/dialog_units.h"
#include "level/level.h"

class Host;
class Painter;
struct Editor;
struct ResourceCatalogue;

constexpr int kEnemyTypeCount = 3;  // the up-down's range 1..3

// What the controls show for the edited enemy.
struct EnemySettingsView {
  int enemy = 0;       // enemy combo: the enemy number - 1
  int speed = -1;      // "Slow", "Normal", "Fast"
  int direction = -1;  // "Up", "Right", "Down", "Left"
  int aiType = -1;     // the catalogue's AI type names
  int enemyType = 1;   // up-down position 1..3
  std::string typeName;  // the sprite set drawing the enemy's type, or empty
};

std::vector<std::string> EnemyChoices();  // "1" to "5"
std::vector<std::string> SpeedChoices();
std::vector<std::string> DirectionChoices();
std::vector<std::string> AiTypeChoices(const ResourceCatalogue& catalogue);

// The stored values of list index i: 2, 4, 8 (2 to the power i + 1); 1, 3,
// 5, 7 (2i + 1); i + 5; and the type code 24p of up-down position p.
int32_t SpeedOfChoice(int i);
int32_t DirectionOfChoice(int i);
int32_t AiTypeOfChoice(int i);
int32_t TypeCodeOfPosition(int p);

// The list index of a stored value, or -1 when it has no entry.
int SpeedChoiceOf(int32_t speed);
int DirectionChoiceOf(int32_t direction);
int AiTypeChoiceOf(const ResourceCatalogue& catalogue, int32_t aiType);
// The sprite-set number drawing an enemy of the level, or -1 when its type
// code or the level's slot names no sprite set of the catalogue.
int32_t EnemySpriteSet(const Level& level, const ActorRecord& enemy,
                       const ResourceCatalogue& catalogue);

// The preview: the first frame of the enemy's facing from the double-size
// colour sheet, black background included. Nothing for a facing outside
// 1, 3, 5, 7 or a type without a sprite set.
void PaintEnemyPreview(const Level& level, const ActorRecord& enemy,
                       const ResourceCatalogue& catalogue, Painter& painter, DialogBase base = {});

class EnemySettingsRules {
 public:
  // enemy is the number 1..5 the dialog opens on; anything else opens on 1.
  // The session's step opens here and closes with the object.
  EnemySettingsRules(Editor& editor, Host& host, int enemy);
  ~EnemySettingsRules();
  EnemySettingsRules(const EnemySettingsRules&) = delete;
  EnemySettingsRules& operator=(const EnemySettingsRules&) = delete;

  int Enemy() const { return enemy_; }
  const ActorRecord& Record() const;
  EnemySettingsView View() const;
  void PaintPreview(Painter& painter, DialogBase base = {}) const;
  // Whether the preview draws anything; when it does not, the caller has to
  // erase the picture it drew before.
  bool HasPreview() const;

  // Each takes a list index as the combo reports it; an index outside the
  // list changes nothing and gives false. A choice that changes the record
  // marks the level set modified; switching the enemy changes nothing.
  bool ChooseEnemy(int index);
  bool ChooseSpeed(int index);
  // The canvas shows the new facing, so the main window is asked to repaint;
  // the dialog's preview has to be redrawn by the caller.
  bool ChooseDirection(int index);
  bool ChooseAiType(int index);
  // The up-down moved to p (1..3); the main window is asked to repaint.
  bool ChooseEnemyType(int p);

 private:
  Editor& editor_;
  Host& host_;
  int enemy_;
};
