// The one guard for every index that comes from outside: a file, a click
// position, a pasted block, a control's notification or another process.
#pragma once

constexpr bool InRange(int value, int first, int last) { return value >= first && value <= last; }

// 0 <= index < count.
constexpr bool IsIndex(int index, int count) { return index >= 0 && index < count; }
