// Paletted PNG files written by hand (stb writes only RGB and RGBA), for the
// tests of the PNG-to-GE5 path and the seeds of its fuzz target.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/image.h"

// Colour type 3 of bit depth 4 or 8, unfiltered.
std::vector<uint8_t> PalettedPng(int width, int height, const std::vector<Rgb>& palette,
                                 const std::vector<uint8_t>& indices, int depth = 8);

// One chunk: length, type, data and CRC.
std::vector<uint8_t> PngChunk(const char* type, const std::vector<uint8_t>& data);
