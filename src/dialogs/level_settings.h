// The rules of the "Level settings" dialog: goal, song, time limit and the
// three enemy types of one level, written into the level the moment they
// are chosen. The dialog can move on to another level without closing; the
// main window keeps showing the current level meanwhile. Everything changed
// between the dialog's opening and its closing is one step of the history.
//
// Every combo entry is chosen by its list index, so a name that begins
// another name never picks the wrong entry, and a stored value with no
// entry leaves its combo without a choice (-1).
#pragma once

#include <string>
#include <vector>

#include "dialogs/dialog_units.h"
#include "level/level.h"

class Host;
class Painter;
struct Editor;
struct ResourceCatalogue;

// What the controls show for the dialog's level.
struct LevelSettingsView {
  int level = 0;                      // level combo: the level index
  int goal = -1;                      // goal combo
  int song = -1;                      // song combo
  int enemyTypes[3] = {-1, -1, -1};   // enemy-type combos: sprite-set number - 1
  std::string time;                   // the level's time text, as stored
  int timePosition = 0;               // track bar: the time in seconds, 15..599
};

// The entries of the lists, in order.
std::vector<std::string> LevelChoices();  // "1" to "10"
std::vector<std::string> GoalChoices();
std::vector<std::string> SongChoices(const ResourceCatalogue& catalogue);
// The enemy sprite sets: every sprite set but the player's (number 0).
std::vector<std::string> EnemyTypeChoices(const ResourceCatalogue& catalogue);

// The list index of a stored value, or -1 when it has no entry.
int GoalChoiceOf(int32_t goal);
int SongChoiceOf(const ResourceCatalogue& catalogue, int32_t music);
int EnemyTypeChoiceOf(const ResourceCatalogue& catalogue, int32_t spriteSet);

// The preview: each enemy type's first frame of the side-facing group at
// double size, whatever the zoom, masked onto the dialog's background, below
// the enemy types' lists wherever the dialog's base units put them. Slots
// whose sprite set is not in the catalogue draw nothing.
void PaintEnemyTypePreview(const Level& level, const ResourceCatalogue& catalogue,
                           Painter& painter, DialogBase base = {});

class LevelSettingsRules {
 public:
  // level is the index 0..9 the dialog opens on; anything else opens on 0.
  // The session's step opens here and closes with the object.
  LevelSettingsRules(Editor& editor, Host& host, int level);
  ~LevelSettingsRules();
  LevelSettingsRules(const LevelSettingsRules&) = delete;
  LevelSettingsRules& operator=(const LevelSettingsRules&) = delete;

  int LevelIndex() const { return level_; }
  const Level& EditedLevel() const;
  LevelSettingsView View() const;

  // Each takes a list index as the combo reports it. An index outside the
  // list changes nothing and gives false. A change is written at once and
  // the title follows; ChooseLevel only moves the dialog.
  bool ChooseLevel(int index);
  bool ChooseGoal(int index);
  bool ChooseSong(int index);
  // slot 0..2. The canvas shows the new sprites, so the main window is asked
  // to repaint; the dialog's preview has to be redrawn by the caller.
  bool ChooseEnemyType(int slot, int index);
  // A track-bar notification; true when the time was written.
  bool Scroll(int code, int thumb);

 private:
  Editor& editor_;
  Host& host_;
  int level_;
};
