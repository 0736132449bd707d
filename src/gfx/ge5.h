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

// Decoding. Only the first kGe5MinimumBytes of a file are used (line r + 1
// is read for the smoothing of line r, so even line 211 finds its
// neighbour inside the file); a shorter file, or a height outside 1..212,
// gives an empty Image.
//
// The palette's colour 0 is turned black when height is exactly 24: sprite
// sheets are painted over the level with a mask, and black leaves the
// background as it is. Pattern sheets keep colour 0 as the file says.
//
// With mask set the picture is white where the colour index is 0 and black
// elsewhere; the palette plays no part.
Image DecodeGe5(const std::vector<uint8_t>& file, bool mask, int height);

// The picture at twice the size, 512 x 2*height. The pixels added between
// source pixels take averages of their neighbours (rounded down) rather than
// copies. acrossTiles false keeps the smoothing inside each 16 x 16 tile, so
// no tile of a pattern sheet takes colour from its neighbour; smoothing
// never crosses the line 15/16 boundaries of the screen. A mask is doubled
// without smoothing.
Image DecodeGe5Double(const std::vector<uint8_t>& file, bool mask, int height, bool acrossTiles);

// Reads the bytes of a GE5 file the decoders need. False (with *reason in
// words for the user) when it cannot be opened or read or is too short.
bool ReadGe5File(const std::string& path, std::vector<uint8_t>& bytes, std::string* reason = nullptr);

// Read and decode in one step; an empty Image when the file cannot be used
// (the caller tells the user), with *reason saying why.
Image LoadGe5(const std::string& path, bool mask, int height, std::string* reason = nullptr);
Image LoadGe5Double(const std::string& path, bool mask, int height, bool acrossTiles,
                    std::string* reason = nullptr);
