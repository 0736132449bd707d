// The steps of the document's history. A step keeps, for every level it
// changed, one snapshot: the level as it was before the step while the step
// can be undone, as it was after the step while it can be redone. Undo and
// redo swap the snapshot with the live level, so a level costs its size once
// per step, whatever the step did to it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "level/level.h"

constexpr size_t kHistorySteps = 1000;  // the oldest steps go beyond this

struct LevelSnapshot {
  int level = 0;
  Level content;
};

struct Step {
  std::vector<LevelSnapshot> levels;
  int shownLevel = 0;           // the level shown when undoing or redoing it
  uint64_t revisionBefore = 0;  // the document's revision before and after it
  uint64_t revisionAfter = 0;
};

class History {
 public:
  void Clear();
  // A new step: the steps that could be redone are gone, and the oldest
  // step goes when there are more than kHistorySteps.
  void Record(Step step);
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // The step to undo (redo), moved to the other side; nullptr when none.
  Step* TakeUndo();
  Step* TakeRedo();
  size_t UndoCount() const { return undo_.size(); }
  size_t RedoCount() const { return redo_.size(); }
  // The bytes the steps hold, for the benchmark.
  size_t Bytes() const;

 private:
  std::deque<Step> undo_;  // oldest first
  std::deque<Step> redo_;  // next to redo last
};
