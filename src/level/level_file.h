// The level-set file (.kxl): ten levels back to back, no header, recognised
// by its length alone. The current form is 3770 bytes (377 per level, with the
// floor layer); the older form is 2670 bytes (267 per level, no floors).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "level/level.h"

class FileLayer;

constexpr size_t kLevelBytes = 377;
constexpr size_t kOldLevelBytes = 267;
constexpr size_t kLevelSetBytes = kLevelBytes * kLevelCount;        // 3770
constexpr size_t kOldLevelSetBytes = kOldLevelBytes * kLevelCount;  // 2670

// One level in the current form, appended to out (377 bytes).
void SaveLevel(const Level& level, std::vector<uint8_t>& out);
// One level from bytes in the current (withFloors) or older form; `in` must
// hold 377 or 267 bytes.
void LoadLevel(Level& level, const uint8_t* in, bool withFloors);

std::vector<uint8_t> EncodeLevelSet(const LevelSet& levels);

// Decodes a whole file image. Leaves `levels` untouched unless the length is
// one of the two accepted ones; returns whether it decoded.
bool DecodeLevelSet(const uint8_t* bytes, size_t size, LevelSet& levels);

struct LevelSetReadResult {
  bool ok = false;
  std::string reason;   // why the file cannot be used, for messages
  long long length = -1;  // the file's length when known
};

// Reads the file at path into `levels`. The whole file is read before any
// level is touched, so on any failure the levels stay as they were.
LevelSetReadResult ReadLevelSetFile(const std::string& path, LevelSet& levels);

// Writes the whole set in the current form to path through the file layer:
// a temporary file beside the target, every write and the close checked, then
// the target replaced in one step. On failure the target is as it was and no
// temporary file is left; the reason says what went wrong.
bool WriteLevelSetFile(FileLayer& files, const std::string& path, const LevelSet& levels,
                       std::string* reason = nullptr);
