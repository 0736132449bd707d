#pragma once

#include <cstdint>
#include <string>

constexpr uint32_t kDefaultActiveBorderColour = 0xC0C0C0;

// The "ActiveBorder" system colour as the registry keeps it: three decimal
// numbers separated by blanks, red green blue ("212 208 200"). Each number
// skips leading blanks and stops at the first non-digit; a missing number
// reads as 0 and a number above 255 as 255. Result 0x00BBGGRR.
uint32_t ParseActiveBorder(const std::string& value);
