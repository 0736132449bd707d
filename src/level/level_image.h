// The byte image of one level as it travels between running editors through
// the shared block "KraxoLevel": a flag word, then the Level's fields in
// their order, every integer a little-endian 32-bit word, then the 8-byte
// time text. 1948 bytes in all.
#pragma once

#include <cstddef>
#include <cstdint>

#include "level/level.h"

constexpr size_t kLevelImageBytes = 1948;
constexpr size_t kLevelImageFlagOffset = 0;
constexpr size_t kLevelImageTimeOffset = 1940;

// Writes the level into bytes 4..1947 of the block, then sets the flag word
// to 1 (in that order, so another process never sees the flag before the level).
void PutLevelImage(uint8_t* block, const Level& level);

// The flag word of the block: 1 when it holds a level.
int32_t LevelImageFlag(const uint8_t* block);

// Reads the level out of the block. Whatever another process wrote is taken,
// but the time text is terminated within its 8 bytes first.
Level GetLevelImage(const uint8_t* block);

// The first editor to create the block marks it empty.
void ClearLevelImage(uint8_t* block);
