#include "doc/history.h"

#include <utility>

void History::Clear() {
  undo_.clear();
  redo_.clear();
}

void History::Record(Step step) {
  redo_.clear();
  undo_.push_back(std::move(step));
  if (undo_.size() > kHistorySteps) undo_.pop_front();
}

Step* History::TakeUndo() {
  if (undo_.empty()) return nullptr;
  redo_.push_back(std::move(undo_.back()));
  undo_.pop_back();
  return &redo_.back();
}

Step* History::TakeRedo() {
  if (redo_.empty()) return nullptr;
  undo_.push_back(std::move(redo_.back()));
  redo_.pop_back();
  return &undo_.back();
}

size_t History::Bytes() const {
  size_t bytes = 0;
  for (const auto* side : {&undo_, &redo_})
    for (const Step& step : *side)
      bytes += sizeof(Step) + step.levels.capacity() * sizeof(LevelSnapshot);
  return bytes;
}
