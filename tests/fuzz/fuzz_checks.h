// What every fuzz target shares: a failed expectation is a crash the fuzzer
// keeps, and a level from outside bytes goes through what the editor does
// with a level it has opened or pasted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gfx/sheet_lookup.h"
#include "level/level_summary.h"
#include "support/fake_host.h"
#include "support/recording_painter.h"
#include "support/test_sheets.h"
#include "view/editor.h"
#include "view/inspector.h"
#include "view/layout.h"
#include "view/paint.h"

// Stops the run with the broken expectation named; libFuzzer saves the input.
#define FUZZ_REQUIRE(condition)                                                                  \
  do {                                                                                           \
    if (!(condition)) {                                                                          \
      std::fprintf(stderr, "%s:%d: expectation failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                              \
    }                                                                                            \
  } while (0)

// The input as text.
inline std::string FuzzText(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// What the editor does with a level it has opened or pasted: describe it,
// find its exit, correct its shadows, inspect a cell, paint the window.
// `choice` picks the zoom (bit 0), the cell (bits 1..8) and whether shadows
// are corrected on the way (bit 9). The painting is recorded, not drawn (the
// painters clip): nothing may read outside what it has, or blit a sheet the
// catalogue does not hold.
inline void ExerciseLevel(const Level& level, uint32_t choice) {
  static Editor* states[2] = {nullptr, nullptr};
  const int zoom = 1 + static_cast<int>(choice & 1);
  Editor*& state = states[zoom - 1];
  if (!state) {
    state = new Editor;
    state->catalogue = MakeTestCatalogue(2, 3);
    state->settings.zoom = zoom;
    LayoutRegions(state->session.regionList, zoom);
  }
  (void)DescribeLevel(level);
  const int exit = level.FindExit();
  FUZZ_REQUIRE(exit >= -1 && exit < kCellCount);
  Level corrected = level;
  corrected.CorrectShadows();
  Level twice = corrected;
  twice.CorrectShadows();
  FUZZ_REQUIRE(twice == corrected);  // shadow casters never receive shadows

  LevelSet levels;
  levels[0] = level;
  state->document.Replace(levels, "");
  state->session.currentLevel = 0;
  state->settings.correctShadow = static_cast<int32_t>(choice >> 9 & 1);
  FakeHost host;
  ShowCellInspector(*state, host, static_cast<int>((choice >> 1 & 0xFF) % kCellCount));
  state->session.repaintFlags = kRepaintAll;
  RecordingPainter painter;
  PaintMainWindow(*state, painter);
  FUZZ_REQUIRE(!painter.calls.empty());
  for (const PaintCall& call : painter.calls)
    if (call.kind == PaintCall::Kind::Blit) FUZZ_REQUIRE(FindSheet(state->catalogue, call.sheet) != nullptr);
}
