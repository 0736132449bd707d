// What the user is doing with the document: the level shown, the palette's
// selection, what the next paint must draw, and the state of the mouse.
#pragma once

#include <cstdint>

#include "doc/edits.h"
#include "gfx/region_list.h"

struct Session : Selection {
  int32_t currentLevel = 0;
  int32_t repaintFlags = kRepaintAll;
  // 0 from a reset (New, Open) until a paint has completed, and during a
  // paint: clicks are ignored meanwhile.
  int32_t canvasReady = 0;
  int32_t inspectorTiles[3] = {0, 0, 0};
  uint8_t layoutChanged = 0;
  RegionList regionList;
  bool stroke = false;  // the left button went down and has not come up yet
  // A rectangle being dragged out with Shift: from cell `first` to `last`,
  // to be filled by the left-click rules or, with the right button, the
  // right-click rules.
  struct Rectangle {
    bool active = false;
    bool right = false;
    int first = -1, last = -1;
  } rectangle;
  // Select mode: a left drag on the canvas frames a rectangle of cells, from
  // cell `first` to `last`, instead of painting. The selection stays, framed,
  // until a new drag, Esc, leaving the mode or another level.
  bool selectMode = false;
  struct AreaSelection {
    bool shown = false;
    bool dragging = false;  // the left button is down and the frame follows it
    int first = -1, last = -1;
  } areaSelection;
  // A pasted area floating over the canvas with its top-left cell at `cell`,
  // until a left click places it or Esc or a right click drops it.
  struct Floating {
    bool active = false;
    LevelArea area;
    int cell = -1;
  } floating;
  // The press placed a floating area: the moves until its release belong to
  // it and paint nothing.
  bool pressTaken = false;
  // The cell a level check pointed at, framed on the canvas until the level
  // changes or the document does (its revision then differs).
  struct Mark {
    int level = -1, cell = -1;
    uint64_t revision = 0;
  } mark;
};
