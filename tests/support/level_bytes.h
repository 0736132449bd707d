#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

// Level sets of the old form (2670 bytes, no floors), written byte by byte:
// a 267-byte level block is goal, pattern set, song, three enemy types, the
// four time characters, 221 cells and six actors of six bytes.
inline std::vector<uint8_t> OldFormLevel(uint8_t patternSet, const std::vector<uint8_t>& firstCells) {
  std::vector<uint8_t> block = {0, patternSet, 0, 1, 2, 3, '2', ':', '0', '0'};
  std::vector<uint8_t> cells(221, 0);
  std::copy(firstCells.begin(), firstCells.end(), cells.begin());
  block.insert(block.end(), cells.begin(), cells.end());
  for (int a = 0; a < 6; ++a) block.insert(block.end(), {0, 0, 5, 24, 5, 2});
  return block;
}

// The first level as given, the other nine plain.
inline std::vector<uint8_t> OldFormSet(const std::vector<uint8_t>& firstLevel) {
  std::vector<uint8_t> file = firstLevel;
  const std::vector<uint8_t> plain = OldFormLevel(3, {});
  for (int i = 1; i < 10; ++i) file.insert(file.end(), plain.begin(), plain.end());
  return file;
}
