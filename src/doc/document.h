// The document: the ten levels of the open set, its file name, and the
// history of what was done to them. It is the one owner of the levels: it
// hands them out as const, and every change is an edit (doc/edits.h) that
// runs inside a step of the history.
//
// `modified` is not a flag anyone sets: the set is modified while its
// revision differs from the revision it had when it was last saved or
// loaded, so undoing back to that state makes it unmodified again.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "doc/history.h"
#include "level/level.h"

class Edits;

class Document {
 public:
  Document();

  const LevelSet& Levels() const { return levels_; }
  const Level& GetLevel(int i) const { return levels_[i]; }
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& name) { fileName_ = name; }

  bool Modified() const { return revision_ != savedRevision_; }
  uint64_t Revision() const { return revision_; }
  // Counts every change of the levels by an edit, an undo, a redo or a
  // replacement (not the quiet shadow correction): what the recovery file
  // follows.
  uint64_t Changes() const { return changes_; }

  // A fresh document: these levels, this name, unmodified, no history (New,
  // Open, a drop, a recent file, the first set at start-up).
  void Replace(const LevelSet& levels, const std::string& fileName);
  // Levels brought back from a recovery file: like Replace, but modified,
  // since they were never saved as they are.
  void ReplaceUnsaved(const LevelSet& levels, const std::string& fileName);
  // The levels as they are now were saved under this name.
  void MarkSaved(const std::string& fileName);

  // A step held open across several edits: a stroke of the mouse, a
  // session of a dialog. Edits made meanwhile join it; closing records it
  // when it changed anything. Opening closes a step still open. shownLevel
  // is the level the user looks at; undoing the step shows it again when
  // the step changed it, else the first level the step changed.
  void OpenStep(int shownLevel);
  void CloseStep();
  bool StepOpen() const { return open_; }

  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  // Undoes (redoes) the newest step, closing an open one first. Returns the
  // level to show, or -1 when there was nothing to undo (redo).
  int Undo();
  int Redo();
  const History& GetHistory() const { return history_; }

  // The automatic shadow correction before a paint or an inspection: not a
  // step of its own and no change of revision. Within an open step it
  // becomes part of that step.
  void CorrectShadowsQuietly(int level);

 private:
  friend class Edits;

  // The one way into the levels: runs `change` on level i inside the open
  // step or a step of its own; true when the level changed.
  bool Change(int level, const std::function<void(Level&)>& change, int shownLevel);
  void Touch(int level);
  int Swap(Step& step);

  LevelSet levels_;
  std::string fileName_;
  History history_;
  uint64_t revision_ = 0;
  uint64_t savedRevision_ = 0;
  uint64_t lastRevision_ = 0;  // the newest revision handed out
  uint64_t changes_ = 0;
  bool open_ = false;
  Step pending_;               // the open step: snapshots of the levels before it
};
