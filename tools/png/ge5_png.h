// GE5 pictures from paletted PNG artwork: the colour indices of the PNG
// become the GE5 colour indices, so colour 0 stays the transparent one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/ge5.h"

// Reads a paletted PNG of 256 x 1..212 pixels with at most 16 palette
// entries, each a different colour; a shorter palette is filled up with
// black. False with *error (in words for the user) for anything else.
bool ReadGe5PictureFromPng(const std::string& path, Ge5Picture& picture, std::string* error);

// The same from the bytes of a PNG file (what `kxl ge5 from-png` reads).
bool Ge5PictureFromPng(const std::vector<uint8_t>& bytes, Ge5Picture& picture, std::string* error);
