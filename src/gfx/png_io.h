// PNG files: pictures out (the editor's and kxl's pictures of levels, sheets
// to look at) and indexed pictures in (artwork for GE5 files). Built on stb.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/image.h"

class FileLayer;

// Writes the picture through the file layer in one step (a temporary file
// replaced into place), so a failed write leaves no partial file.
bool WritePng(const std::string& path, const Image& image);
bool WritePng(FileLayer& files, const std::string& path, const Image& image);
// The PNG file's bytes.
std::vector<uint8_t> EncodePng(const Image& image);

// A paletted PNG: one palette index per pixel, palette in file order.
struct IndexedPicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> indices;
  std::vector<Rgb> palette;
};

// Reads a paletted PNG with at most 16 palette entries; on failure *error
// says why in words for the user.
bool ReadIndexedPng(const std::string& path, IndexedPicture& picture, std::string* error);
// The same from the bytes of a PNG file; picture is changed only on success.
bool DecodeIndexedPng(const std::vector<uint8_t>& bytes, IndexedPicture& picture, std::string* error);

// Reads any PNG as RGB (alpha dropped).
bool ReadPng(const std::string& path, Image& image, std::string* error);
bool DecodePng(const std::vector<uint8_t>& bytes, Image& image, std::string* error);
