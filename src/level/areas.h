// Sets of cells of the 17 x 13 grid: rectangles between two cells and the
// areas that hang together from one cell. Every cell they give is 0..220.
#pragma once

#include <functional>
#include <vector>

// The cells of the rectangle with corners a and b (any two corners), row by
// row from the top, each row from the left. Empty when either is no cell.
std::vector<int> RectangleCells(int a, int b);

// The rectangle's size in cells: columns and rows.
int RectangleWidth(int a, int b);
int RectangleHeight(int a, int b);

// The cells reachable from `start` through their four neighbours, every one
// of which `joins` accepts (start included, when it does), in the order
// found. Empty when start is no cell or is not accepted. `jump`, when given,
// names one more cell a cell leads to (a teleport start to its end), or -1.
std::vector<int> ConnectedCells(int start, const std::function<bool(int cell)>& joins,
                                const std::function<int(int cell)>& jump = nullptr);
