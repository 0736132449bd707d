#include "level/level_image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

int32_t WordAt(const std::vector<uint8_t>& block, size_t offset) {
  return static_cast<int32_t>(block[offset] | block[offset + 1] << 8 | block[offset + 2] << 16 |
                              static_cast<uint32_t>(block[offset + 3]) << 24);
}

}  // namespace

TEST(LevelImage, LayoutOfTheSharedBlock) {
  Level level;
  level.goal = 2;
  level.patternSet = 4;
  level.music = 6;
  level.enemyTypes[2] = 7;
  level.cells[0] = 150;
  level.cells[220] = -1;
  level.floors[220] = 9;  // kept here, unlike in a file
  level.actors[5].Set(232, 192, 7, 72, 9, 8);
  std::strcpy(level.time, "3:45");
  std::vector<uint8_t> block(kLevelImageBytes, 0xCC);
  ClearLevelImage(block.data());
  EXPECT_EQ(LevelImageFlag(block.data()), 0);
  PutLevelImage(block.data(), level);
  EXPECT_EQ(LevelImageFlag(block.data()), 1);
  EXPECT_EQ(WordAt(block, 4), 2);
  EXPECT_EQ(WordAt(block, 8), 4);
  EXPECT_EQ(WordAt(block, 12), 6);
  EXPECT_EQ(WordAt(block, 24), 7);
  EXPECT_EQ(WordAt(block, 28), 150);
  EXPECT_EQ(WordAt(block, 28 + 4 * 220), -1);
  EXPECT_EQ(WordAt(block, 912 + 4 * 220), 9);
  EXPECT_EQ(WordAt(block, 1796 + 24 * 5), 232);
  EXPECT_EQ(WordAt(block, 1796 + 24 * 5 + 20), 8);
  EXPECT_EQ(0, std::memcmp(block.data() + kLevelImageTimeOffset, "3:45", 5));
  EXPECT_EQ(GetLevelImage(block.data()), level);
}

TEST(LevelImage, AnUnterminatedTimeIsCutWithinItsBytes) {
  std::vector<uint8_t> block(kLevelImageBytes, 0);
  PutLevelImage(block.data(), Level());
  std::memset(block.data() + kLevelImageTimeOffset, 'X', 8);
  const Level pasted = GetLevelImage(block.data());
  EXPECT_EQ(std::strlen(pasted.time), 7u);
  EXPECT_EQ(std::string(pasted.time), "XXXXXXX");
}
