// The rules of the "Check levels" dialog: one line per problem of the ten
// levels, errors first, and "Show", which closes the dialog, shows the
// problem's level and frames its cell on the canvas and in the inspector.
#pragma once

#include <string>
#include <vector>

#include "level/checks.h"

class Host;
struct Editor;

// "Level 3, row 5, column 7: error: the player stands on a solid pattern".
std::string ProblemLine(const Problem& problem);

// The problems of the editor's levels, the catalogue's tables checked too.
std::vector<Problem> CheckEditorLevels(const Editor& editor);

// Shows the problem: its level, and its cell framed and inspected. False
// for an index outside the list.
bool ShowProblem(Editor& editor, Host& host, const std::vector<Problem>& problems, int index);
