#include "app/active_border.h"

#include <algorithm>

namespace {

// Reads one number at pos; pos moves behind the blank that ends the field,
// or to the end when there is none.
uint32_t ReadComponent(const std::string& text, size_t& pos) {
  size_t p = pos;
  while (p < text.size() && text[p] == ' ') ++p;
  uint32_t value = 0;
  while (p < text.size() && text[p] >= '0' && text[p] <= '9') {
    value = std::min<uint32_t>(value * 10 + static_cast<uint32_t>(text[p] - '0'), 255);
    ++p;
  }
  const size_t blank = text.find(' ', p);
  pos = blank == std::string::npos ? text.size() : blank + 1;
  return value;
}

}  // namespace

uint32_t ParseActiveBorder(const std::string& value) {
  size_t pos = 0;
  const uint32_t red = ReadComponent(value, pos);
  const uint32_t green = ReadComponent(value, pos);
  const uint32_t blue = ReadComponent(value, pos);
  return red | (green << 8) | (blue << 16);
}
