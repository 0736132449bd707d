// A fresh editor laid out for one zoom, ready for input, with a fake host;
// levels are set up by replacing the document, as opening a file does.
#pragma once

#include <cstdint>
#include <functional>

#include "app/editor_state.h"
#include "doc/edits.h"
#include "support/fake_host.h"
#include "view/layout.h"

// lParam of a mouse message: x in the low word, y in the high word.
inline uint32_t Pack(int x, int y) {
  return (static_cast<uint32_t>(x) & 0xFFFF) | (static_cast<uint32_t>(y) & 0xFFFF) << 16;
}

// The document holds these levels as unsaved work of the file `name` (the
// levels must differ from a new set's).
inline void SetUnsaved(Document& doc, const LevelSet& levels, const std::string& name) {
  doc.Replace(LevelSet(), name);
  doc.OpenStep(0);
  for (int i = 0; i < kLevelCount; ++i) Edits::PasteLevel(doc, i, levels[i]);
  doc.CloseStep();
}

struct Harness {
  EditorState state;
  FakeHost host;
  int z;

  explicit Harness(int zoom = 1) : z(zoom) {
    state.settings.zoom = zoom;
    LayoutRegions(state.session.regionList, zoom);
    state.session.canvasReady = 1;
    state.session.repaintFlags = 0;
    state.document.Replace(LevelSet(), "set.kxl");
  }

  // Opens these levels as if from a file: unmodified, no history.
  void Open(const std::function<void(LevelSet&)>& setUp) {
    LevelSet levels;
    setUp(levels);
    state.document.Replace(levels, "set.kxl");
  }
  const Level& level(int i = -1) const {
    return state.document.GetLevel(i < 0 ? state.session.currentLevel : i);
  }
  bool modified() const { return state.document.Modified(); }

  // The point (dx, dy) unzoomed pixels from the top-left corner of a region.
  uint32_t In(int32_t id, int dx, int dy) const {
    const ScreenRegion* r = state.session.regionList.FindRegionById(id);
    return Pack(r->left + dx * z, r->top + dy * z);
  }
  // A point inside grid cell `cell`, 5 pixels right of and below its corner.
  uint32_t At(int cell) const {
    const int y = 16 * RowOf(cell) + 5;
    if (ColumnOf(cell) == 0) return In(kRegionLeftEdge, 5, y);
    if (ColumnOf(cell) == kGridColumns - 1) return In(kRegionRightEdge, 5, y);
    return In(kRegionGrid, 16 * (ColumnOf(cell) - 1) + 5, y);
  }
  void Select(int32_t category, int32_t value) {
    state.session.selectionCategory = category;
    state.session.selectionValue = value;
  }
};
