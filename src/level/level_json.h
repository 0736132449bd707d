// The text forms: JSON meant for people, for diffs and for the clipboard.
// A level set holds every byte of the 3770-byte file, so importing an export
// gives the same file again; a level (a whole level copied) and an area (a
// selection copied) are what the clipboard holds as text. The layouts are
// described in the README.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "level/level.h"

struct LevelArea;

// Names written beside the numbers, for reading only; an entry missing from
// a list is written without a name.
struct JsonNames {
  std::vector<std::string> patternSets;  // by catalogue index (stored value - 3)
  std::vector<std::string> songs;
  std::vector<std::string> spriteSets;
};

// The JSON of a 3770-byte level-set file (the bytes as they are).
std::string ExportLevelSetJson(const std::vector<uint8_t>& file, const JsonNames* names);

struct JsonImportError {
  std::string place;   // "line 3, column 5" or a JSON path such as "/levels/2/cells/4"
  std::string reason;
};

// The 3770 bytes of the level set the JSON describes; false with the place
// and the reason when it is not a level set in this form.
bool ImportLevelSetJson(const std::string& text, std::vector<uint8_t>& file, JsonImportError& error);

// One level, as a copied level: {"format": "kxl-level", "version": 1,
// "level": LEVEL}, LEVEL as in a level set (its number is index + 1).
std::string LevelJson(const Level& level, int index);

// An area: {"format": "kxl-area", "version": 1, "width", "height", "cells",
// "floors", "actors"}, cells and floors as rows, actors with their cell
// relative to the area.
std::string AreaJson(const LevelArea& area);
// Whether the text says it is an area ("format": "kxl-area"), without
// reading the rest; text that is no JSON at all is no area.
bool SaysItIsAnArea(const std::string& text);
// The area the text describes; false with the place and the reason when it
// is not an area in this form (cells and actors' fields 0..255, floors
// 0..15, the sizes as given).
bool ImportAreaJson(const std::string& text, LevelArea& area, JsonImportError& error);
