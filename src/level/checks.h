// Level checks: the mistakes that make a level unplayable (errors) or
// probably not what was meant (warnings), found by reading the levels only.
#pragma once

#include <string>
#include <vector>

#include "level/level.h"

struct Problem {
  int level = 0;     // 0..9
  int cell = -1;     // 0..220, or -1 when the problem has no cell
  bool error = true; // false: a warning
  std::string text;  // "the player stands on a solid pattern"
};

// How many entries each table of the catalogue holds, when one is known.
struct CatalogueSizes {
  int patternSets = 0, spriteSets = 0, songs = 0, aiTypes = 0;
};

// Every problem of the ten levels, errors first, then by level and cell.
// Without catalogue sizes the catalogue's tables are not checked.
std::vector<Problem> CheckLevels(const LevelSet& levels, const CatalogueSizes* catalogue);

// "level 3, row 5, column 7: error: the player stands on a solid pattern"
// (rows and columns counted from 1 at the top left); without a cell, just
// "level 3: warning: ...".
std::string DescribeProblem(const Problem& problem);

// Whether any of them is an error.
bool AnyError(const std::vector<Problem>& problems);
