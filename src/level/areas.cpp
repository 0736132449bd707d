#include "level/areas.h"

#include <algorithm>
#include <cstdlib>
#include <deque>

#include "level/level.h"

std::vector<int> RectangleCells(int a, int b) {
  if (!IsIndex(a, kCellCount) || !IsIndex(b, kCellCount)) return {};
  // std::minmax of two temporaries would hand back references to them: copy the values.
  const int top = std::min(RowOf(a), RowOf(b)), bottom = std::max(RowOf(a), RowOf(b));
  const int left = std::min(ColumnOf(a), ColumnOf(b)), right = std::max(ColumnOf(a), ColumnOf(b));
  std::vector<int> cells;
  for (int row = top; row <= bottom; ++row)
    for (int column = left; column <= right; ++column) cells.push_back(row * kGridColumns + column);
  return cells;
}

int RectangleWidth(int a, int b) { return std::abs(ColumnOf(a) - ColumnOf(b)) + 1; }
int RectangleHeight(int a, int b) { return std::abs(RowOf(a) - RowOf(b)) + 1; }

std::vector<int> ConnectedCells(int start, const std::function<bool(int cell)>& joins,
                                const std::function<int(int cell)>& jump) {
  if (!IsIndex(start, kCellCount) || !joins(start)) return {};
  std::vector<bool> seen(kCellCount, false);
  std::vector<int> area;
  std::deque<int> next = {start};
  seen[start] = true;
  while (!next.empty()) {
    const int cell = next.front();
    next.pop_front();
    area.push_back(cell);
    const int row = RowOf(cell), column = ColumnOf(cell);
    const int neighbours[5][2] = {{row - 1, column}, {row + 1, column}, {row, column - 1},
                                  {row, column + 1}, {-1, -1}};
    const int far = jump ? jump(cell) : -1;
    for (const auto& [r, c] : neighbours) {
      const bool beyond = r < 0 && c < 0;
      if (beyond ? !IsIndex(far, kCellCount) : !IsIndex(r, kGridRows) || !IsIndex(c, kGridColumns))
        continue;
      const int n = beyond ? far : r * kGridColumns + c;
      if (seen[n] || !joins(n)) continue;
      seen[n] = true;
      next.push_back(n);
    }
  }
  return area;
}
