#pragma once

#include <string>

#include "level/level.h"

// What a level holds, as one line of text for `kxl info` and for tests:
// goal, pattern set, song, time, enemy types, exit and player, teleport
// pairs, gems, items and hidden items.
std::string DescribeLevel(const Level& level);
