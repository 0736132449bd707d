#include "doc/document.h"

#include <algorithm>
#include <utility>

Document::Document() { Replace(LevelSet(), ""); }

void Document::Replace(const LevelSet& levels, const std::string& fileName) {
  levels_ = levels;
  fileName_ = fileName;
  history_.Clear();
  open_ = false;
  pending_ = Step();
  revision_ = savedRevision_ = ++lastRevision_;
  ++changes_;
}

void Document::ReplaceUnsaved(const LevelSet& levels, const std::string& fileName) {
  Replace(levels, fileName);
  savedRevision_ = 0;  // no revision is ever 0
}

void Document::MarkSaved(const std::string& fileName) {
  fileName_ = fileName;
  savedRevision_ = revision_;
}

void Document::OpenStep(int shownLevel) {
  CloseStep();
  open_ = true;
  pending_ = Step();
  pending_.shownLevel = shownLevel;
  pending_.revisionBefore = revision_;
}

void Document::Touch(int level) {
  for (const LevelSnapshot& s : pending_.levels)
    if (s.level == level) return;
  pending_.levels.push_back({level, levels_[level]});
}

void Document::CloseStep() {
  if (!open_) return;
  open_ = false;
  Step step = std::move(pending_);
  pending_ = Step();
  std::erase_if(step.levels,
                [this](const LevelSnapshot& s) { return s.content == levels_[s.level]; });
  if (step.levels.empty()) {
    // Changed and changed back, or not changed at all: no step, and the
    // set is as modified as it was before.
    revision_ = step.revisionBefore;
    return;
  }
  if (revision_ == step.revisionBefore) revision_ = ++lastRevision_;
  step.revisionAfter = revision_;
  const bool shownChanged = std::any_of(step.levels.begin(), step.levels.end(),
                                        [&step](const LevelSnapshot& s) { return s.level == step.shownLevel; });
  if (!shownChanged) step.shownLevel = step.levels.front().level;
  history_.Record(std::move(step));
}

bool Document::Change(int level, const std::function<void(Level&)>& change, int shownLevel) {
  if (!IsIndex(level, kLevelCount)) return false;
  const bool ownStep = !open_;
  if (ownStep) OpenStep(shownLevel);
  Touch(level);
  const Level before = levels_[level];
  change(levels_[level]);
  const bool changed = !(before == levels_[level]);
  // The title shows the change at once, not only when a stroke ends.
  if (changed && revision_ == pending_.revisionBefore) revision_ = ++lastRevision_;
  if (changed) ++changes_;
  if (ownStep) CloseStep();
  return changed;
}

int Document::Swap(Step& step) {
  ++changes_;
  for (LevelSnapshot& s : step.levels) std::swap(s.content, levels_[s.level]);
  return step.shownLevel;
}

int Document::Undo() {
  CloseStep();
  Step* step = history_.TakeUndo();
  if (!step) return -1;
  revision_ = step->revisionBefore;
  return Swap(*step);
}

int Document::Redo() {
  CloseStep();
  Step* step = history_.TakeRedo();
  if (!step) return -1;
  revision_ = step->revisionAfter;
  return Swap(*step);
}

void Document::CorrectShadowsQuietly(int level) {
  if (!IsIndex(level, kLevelCount)) return;
  if (open_) Touch(level);
  levels_[level].CorrectShadows();
}
