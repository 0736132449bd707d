// An area: a rectangle of cells cut out of a level, with the floors under
// them and the actors standing on them. It is what Copy takes with a
// selection, what Paste places somewhere else (in another level, another
// set, another editor) and what Flip mirrors in place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "level/level.h"

// A rectangle of grid cells: columns left..left + width - 1, rows
// top..top + height - 1.
struct CellRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const CellRect&) const = default;
  bool Contains(int column, int row) const {
    return column >= left && column < left + width && row >= top && row < top + height;
  }
};

// The rectangle with corners at cells a and b (any two corners); empty when
// either is no cell.
CellRect CellRectBetween(int a, int b);
// The whole grid, edge columns included.
constexpr CellRect kWholeGrid{0, 0, kGridColumns, kGridRows};

// An actor standing in an area: the record it came from (0 the player, 1..5
// an enemy), its cell relative to the area's top-left cell, and the fields
// that travel with it.
struct AreaActor {
  int32_t record = 0;
  int32_t column = 0;
  int32_t row = 0;
  int32_t direction = 5;
  int32_t typeCode = 24;
  int32_t aiType = 5;
  int32_t speed = 2;
  bool operator==(const AreaActor&) const = default;
};

struct LevelArea {
  int width = 0;
  int height = 0;
  std::vector<int32_t> cells;   // row by row, width x height
  std::vector<int32_t> floors;  // the same
  std::vector<AreaActor> actors;
  bool operator==(const LevelArea&) const = default;
  bool Empty() const { return width <= 0 || height <= 0; }
};

// The largest area: the whole grid.
constexpr int kMaxAreaCells = kCellCount;

// The cells, floors and placed actors inside the rectangle (clipped to the grid).
LevelArea CopyArea(const Level& level, const CellRect& rect);

// Cells and floors of the rectangle become 0; every actor standing in it,
// the player too, is taken off the level.
void ClearArea(Level& level, const CellRect& rect);

// Placing an area with its top-left cell at (column, row); what lies beyond
// the grid is left out.
struct PlaceResult {
  bool placed = false;       // false: refused, the level is unchanged
  std::string refusal;       // why, when refused
  int enemiesLeftOut = 0;    // enemies that found no free enemy record
};
// The level's rules hold as for clicks: an exit in the area moves the
// level's exit, a teleport end in it moves that end, the player in it moves
// the player there, and each enemy takes the next free enemy record (one not
// placed) keeping its type, speed, facing and AI. Nothing lands where no
// click could put it: an exit, a teleport end or an actor on row 0 or in an
// edge column, or any value of 128 or more (a hidden item) in an edge column
// refuses the whole placement.
PlaceResult PlaceArea(Level& level, const LevelArea& area, int column, int row);

enum class FlipAxis { Horizontal, Vertical };

// Mirrors the rectangle: cells, floors and the actors standing in it, whose
// facing turns with them (left and right swap in a horizontal flip, up and
// down in a vertical one). Afterwards the shadows of the rectangle and of the
// row below it follow the walls above them. Returns why it was refused, or an
// empty text when done: refused where placing would be (see PlaceArea).
std::string FlipArea(Level& level, const CellRect& rect, FlipAxis axis);

// The clipboard's own form of an area, for exact round trips between
// editors: 32-bit little-endian words, width, height, the cells, the floors,
// the number of actors, then seven words an actor (record, column, row,
// direction, type code, AI type, speed).
std::vector<uint8_t> EncodeArea(const LevelArea& area);
// False, and `area` untouched, for bytes that are not such an area: sizes,
// counts and actor places are checked, and every value must be one a level
// file keeps (cells and actors' fields 0..255, floors 0..15).
bool DecodeArea(const std::vector<uint8_t>& bytes, LevelArea& area);
