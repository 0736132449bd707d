#include "view/selectors.h"

#include <string>

#include "app/editor_state.h"
#include "app/title.h"
#include "view/layout.h"

namespace {

constexpr int kTeleportPairs = 8;

bool IsLevelIndex(int n) { return n >= 0 && n < kLevelCount; }

// The graphics selector counts pattern sets from 0; a level stores the index
// plus 3. The control takes a 16-bit position.
int GraphicsPosition(const Level& level) { return (level.GetPatternSet() - 3) & 0xFFFF; }

void ShowLevelPatternSet(EditorState& state, Host& host) {
  host.SetSelectorPosition(Selector::Graphics, GraphicsPosition(state.CurrentLevel()));
}

}  // namespace

int OnSelectorScroll(EditorState& state, Host& host, Selector selector, int p) {
  switch (selector) {
    case Selector::Level:
      if (!IsLevelIndex(p)) break;
      state.currentLevel = p;
      ShowLevelPatternSet(state, host);
      RequestFullRepaint(state, host);
      host.SetStatusText("Level " + std::to_string(p + 1));
      break;
    case Selector::Graphics:
      if (p < 0 || p >= static_cast<int>(state.catalogue.patternSets.size())) break;
      state.CurrentLevel().SetPatternSet(p + 3);
      RequestFullRepaint(state, host);
      MarkModified(state, host);
      break;
    case Selector::Teleport:
      if (p < 0 || p >= kTeleportPairs) break;
      state.repaintFlags = kRepaintAll;
      state.teleportPair = p;
      host.Invalidate(nullptr);
      break;
  }
  return 1;
}

void SelectLevel(EditorState& state, Host& host, int n) {
  if (!IsLevelIndex(n)) return;
  state.currentLevel = n;
  host.SetSelectorPosition(Selector::Level, n);
  ShowLevelPatternSet(state, host);
  RequestFullRepaint(state, host);
}

void ApplyZoom(EditorState& state, Host& host, int z) {
  if (z != 1 && z != 2) return;
  state.settings.zoom = z;
  // Hit tests and drawing positions both come from the regions, so they are
  // laid out again before anything else can look at them.
  state.regionList.Clear();
  LayoutRegions(state.regionList, z);
  host.ApplyWindowZoom(z);
  state.repaintFlags = kRepaintAll;
  state.layoutChanged = 1;
  host.Invalidate(nullptr);
}
