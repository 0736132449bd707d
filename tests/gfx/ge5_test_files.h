// GE5 file bytes made by hand for the tests, so the decoders are checked
// against the file layout itself and not against our own encoder.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/ge5.h"

// A file of exactly the length the decoders need, every byte 0.
inline std::vector<uint8_t> BlankGe5() { return std::vector<uint8_t>(kGe5MinimumBytes, 0); }

inline void SetGe5Pixel(std::vector<uint8_t>& file, int line, int x, int index) {
  uint8_t& byte = file[kGe5HeaderBytes + kGe5LineBytes * line + x / 2];
  if (x % 2 == 0)
    byte = static_cast<uint8_t>((byte & 0x0F) | (index << 4));
  else
    byte = static_cast<uint8_t>((byte & 0xF0) | (index & 0x0F));
}

// Palette entry i from its two bytes: red << 4 | blue, then green.
inline void SetGe5PaletteBytes(std::vector<uint8_t>& file, int i, uint8_t redBlue, uint8_t green) {
  file[kGe5PaletteOffset + 2 * i] = redBlue;
  file[kGe5PaletteOffset + 2 * i + 1] = green;
}

// Palette entry i from its components 0..7.
inline void SetGe5Colour(std::vector<uint8_t>& file, int i, int red, int green, int blue) {
  SetGe5PaletteBytes(file, i, static_cast<uint8_t>(red << 4 | blue), static_cast<uint8_t>(green));
}

inline Rgb MsxColour(int red, int green, int blue) {
  return {MsxLevel(red), MsxLevel(green), MsxLevel(blue)};
}

// Every pixel of lines first..last (inclusive, up to 212, the line the
// smoothing of line 211 reads) in columns x0..x1 set to index.
inline void FillGe5(std::vector<uint8_t>& file, int first, int last, int x0, int x1, int index) {
  for (int line = first; line <= last; ++line)
    for (int x = x0; x <= x1; ++x) SetGe5Pixel(file, line, x, index);
}
