// The edits: every named way a level of the document changes. Each runs in
// the document's open step or in a step of its own, and reports whether the
// level changed; the view decides what to repaint.
//
// Grid edits take the cell (0..220) the user pointed at; the canvas tool
// turns mouse positions into cells, so nothing here knows about pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "level/level.h"
#include "level/level_area.h"

class Document;

// selectionCategory values
constexpr int32_t kSelectPattern = 0;
constexpr int32_t kSelectPlayer = 1;
constexpr int32_t kSelectEnemy = 2;
constexpr int32_t kSelectTeleport = 3;

// What the side panel has chosen: a pattern, a player image (0..3, up,
// right, down, left), an enemy (1..5) or a teleport end (0 start, 1 end) of
// pair teleportPair (0..7).
struct Selection {
  int32_t selectionCategory = kSelectPattern;
  int32_t selectionValue = 0;
  int32_t teleportPair = 0;
};

// What the view does after a grid edit: inspect the cell (the inspector
// follows it), and which parts to repaint (repaintFlags bits; 0: none).
struct EditOutcome {
  bool inspect = false;
  int32_t repaint = 0;
  bool Ran() const { return inspect || repaint != 0; }
};

// What placing or flipping an area did: whether the level changed, why the
// level's rules refused it (empty when they did not), and how many enemies
// found no free record.
struct AreaOutcome {
  bool changed = false;
  std::string refusal;
  int enemiesLeftOut = 0;
};

// repaintFlags bits
constexpr int32_t kRepaintCanvas = 1;
constexpr int32_t kRepaintPanel = 2;
constexpr int32_t kRepaintAll = 3;

class Edits {
 public:
  // A left click (or a drag reaching the cell) with the selection. The edge
  // columns take a pattern raw; in the main grid the exit moves, teleport
  // ends move, walkable patterns set their floor and walls put pattern 7
  // under them; the exit, actors and teleports never go into row 0.
  static EditOutcome ApplyLeft(Document& document, int level, const Selection& selection, int cell);
  // A right click: the selected pattern goes under or into what the cell
  // holds (main grid and patterns only).
  static EditOutcome ApplyRight(Document& document, int level, const Selection& selection, int cell);

  // The fills: the left-click (or right-click) rules in every cell of the
  // rectangle between two cells, row by row, or of the area of cells holding
  // exactly what `cell` holds. Patterns only, never the exit: with anything
  // else selected they change nothing. Each cell keeps its own rule: the
  // edge columns store the pattern raw, or nothing under the right-click rules.
  static EditOutcome FillRectangle(Document& document, int level, const Selection& selection,
                                   int first, int last, bool right);
  static EditOutcome FloodFill(Document& document, int level, const Selection& selection, int cell,
                               bool right);
  // Whether the selection is one the fills take.
  static bool Fills(const Selection& selection);

  // Delete with enemy 1..5 selected: takes it off the level.
  static bool RemoveEnemy(Document& document, int level, int enemy);
  static bool ClearLevel(Document& document, int level);
  static bool CorrectShadows(Document& document, int level);
  static bool PasteLevel(Document& document, int level, const Level& pasted);
  // All ten levels at once (the file reloaded), one step; `shown` is the
  // level the user looks at.
  static bool ReplaceLevels(Document& document, const LevelSet& levels, int shown);
  // a and b exchange places (one step); the shown level is `shown`.
  static bool SwapLevels(Document& document, int a, int b, int shown);
  static bool SetPatternSet(Document& document, int level, int32_t value);

  // Areas: a selection cleared (Cut, Delete), an area placed (Paste) and a
  // selection or the whole level mirrored, one step each.
  static bool ClearArea(Document& document, int level, const CellRect& rect);
  static AreaOutcome PlaceArea(Document& document, int level, const LevelArea& area, int column,
                               int row);
  static AreaOutcome FlipArea(Document& document, int level, const CellRect& rect, FlipAxis axis);

  // The level dialog's settings.
  static bool SetGoal(Document& document, int level, int32_t goal);
  static bool SetMusic(Document& document, int level, int32_t music);
  static bool SetEnemyType(Document& document, int level, int slot, int32_t spriteSet);
  static bool SetTimeLimit(Document& document, int level, int seconds);

  // The enemy dialog's settings of enemy 1..5.
  static bool SetEnemySpeed(Document& document, int level, int enemy, int32_t speed);
  static bool SetEnemyDirection(Document& document, int level, int enemy, int32_t direction);
  static bool SetEnemyAiType(Document& document, int level, int enemy, int32_t aiType);
  static bool SetEnemyTypeCode(Document& document, int level, int enemy, int32_t typeCode);

 private:
  static EditOutcome FillCells(Document& document, int level, const Selection& selection,
                               const std::vector<int>& cells, bool right);
  // Every edit of enemy 1..5 goes through here.
  static bool ChangeEnemy(Document& document, int level, int enemy,
                          const std::function<void(ActorRecord&)>& change);
};
