// GE5 pictures: MSX SCREEN 5 screens saved by BASIC's BSAVE. A 7-byte
// header, 212 lines of 128 bytes (two 4-bit pixels a byte, the left one in
// the high nibble), and at file offset 30343 a palette of 16 two-byte
// entries (red high nibble and blue low nibble, then green; 0..7 each).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/image.h"

constexpr size_t kGe5HeaderBytes = 7;
constexpr size_t kGe5LineBytes = 128;
constexpr int kGe5Width = 256;
constexpr int kGe5Lines = 212;
constexpr size_t kGe5PaletteOffset = 30343;
constexpr size_t kGe5MinimumBytes = kGe5PaletteOffset + 32;  // 30375: the end of the palette

// The 8-bit channel value of an MSX palette component 0..7 (a component
// above 7 uses its low three bits, as the hardware does).
uint8_t MsxLevel(int component);

// The component 0..7 whose level lies nearest to an 8-bit channel value.
int NearestMsxComponent(uint8_t channel);

struct Ge5Picture {
  std::array<Rgb, 16> palette{};       // as MSX levels
  std::vector<uint8_t> indices;        // kGe5Width x lines, one palette index per pixel
  int lines = 0;
};

// The bytes of a GE5 file for a picture of up to 212 lines (missing lines
// are colour 0); palette colours are rounded to the nearest MSX levels.
std::vector<uint8_t> EncodeGe5(const Ge5Picture& picture);
