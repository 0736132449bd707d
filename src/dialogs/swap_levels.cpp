#include "dialogs/swap_levels.h"

#include "app/editor_state.h"
#include "app/host.h"
#include "app/title.h"

namespace {

bool IsLevelIndex(int index) { return index >= 0 && index < kLevelCount; }

}  // namespace

bool SwapLevels(EditorState& state, Host& host, int a, int b) {
  if (!IsLevelIndex(a) || !IsLevelIndex(b)) return false;
  const Level first = state.levels[a];
  state.levels[a] = state.levels[b];
  state.levels[b] = first;
  if (a == state.currentLevel || b == state.currentLevel)
    host.SetSelectorPosition(Selector::Graphics, state.CurrentLevel().GetPatternSet() - 3);
  RequestFullRepaint(state, host);
  MarkModified(state, host);
  return true;
}
