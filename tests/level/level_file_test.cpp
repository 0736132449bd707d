#include "level/level_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "level/level_image.h"
#include "support/level_bytes.h"
#include "support/temp_dir.h"

using Bytes = std::vector<uint8_t>;

TEST(LevelFile, BytesOfEveryField) {
  LevelSet levels;
  Level& level = levels[3];
  level.SetGoal(3);
  level.SetPatternSet(260);  // 260 & 255 = 4
  level.SetMusic(7);
  level.SetEnemyType(2, 9);
  std::strcpy(level.GetTime(), "1:37");
  level.SetCell(0, 200);
  level.SetCell(220, 64);
  level.SetFloor(0, 10);
  level.SetFloor(1, 3);
  level.SetFloor(219, 15);
  level.SetFloor(220, 9);  // not kept by the file
  level.GetActor(5).Set(232, 192, 7, 72, 9, 8);
  const Bytes bytes = EncodeLevelSet(levels);
  ASSERT_EQ(bytes.size(), kLevelSetBytes);
  const auto at = [&](size_t from, size_t n) { return Bytes(bytes.begin() + from, bytes.begin() + from + n); };
  EXPECT_EQ(at(377 * 3, 11), (Bytes{3, 4, 7, 1, 2, 9, '1', ':', '3', '7', 200}));
  EXPECT_EQ(at(377 * 3 + 230, 2), (Bytes{64, 0x3A}));
  EXPECT_EQ(at(377 * 3 + 340, 1), Bytes{0xF0});
  EXPECT_EQ(at(377 * 3 + 371, 6), (Bytes{232, 192, 7, 72, 9, 8}));
  EXPECT_EQ(at(0, 11), (Bytes{0, 3, 0, 1, 2, 3, '2', ':', '0', '0', 0}));  // the other levels: defaults
  // Read back, into levels that held other floors (the last one is cleared).
  LevelSet back;
  back[3].SetFloor(220, 6);
  ASSERT_TRUE(DecodeLevelSet(bytes.data(), bytes.size(), back));
  Level expected = level;
  expected.SetPatternSet(4);
  expected.SetFloor(220, 0);
  EXPECT_EQ(back[3], expected);
  EXPECT_EQ(back[0], Level());
}

// Pattern sets below 3 are raised; walls stand on pattern 7, first-kind
// walls hiding items 144..158 too (not 159).
TEST(LevelFile, TheOldFormRaisesPatternSetsConvertsExitsAndDerivesFloors) {
  const Bytes cells = {kCellExit, 5, 15, 16, 32, 42, 150, 158, 159, 165, 64, 130, 144, 20, 143};
  const int floors[] = {0, 5, 15, 0, 7, 7, 7, 7, 0, 0, 0, 0, 7, 0, 0};
  Bytes first = OldFormLevel(2, cells);
  first[266] = 8;  // the last actor's speed
  const Bytes file = OldFormSet(first);
  ASSERT_EQ(file.size(), kOldLevelSetBytes);
  LevelSet old;
  ASSERT_TRUE(DecodeLevelSet(file.data(), file.size(), old));
  EXPECT_EQ(old[0].GetPatternSet(), 3);
  EXPECT_EQ(old[0].GetCell(0), kCellExitOnFloor);
  for (size_t i = 0; i < cells.size(); ++i) EXPECT_EQ(old[0].GetFloor(i), floors[i]) << i;
  EXPECT_EQ(old[0].GetActor(5).speed(), 8);
}

TEST(LevelFile, OnlyTheTwoLengthsAreRead) {
  TempDir dir;
  LevelSet levels;
  levels[0].SetGoal(2);
  const LevelSet before = levels;
  for (size_t length : {0u, 2669u, 2671u, 3769u, 3771u, 7540u}) {
    const std::string path = dir.Path("len" + std::to_string(length) + ".kxl");
    WriteBytes(path, Bytes(length, 17));
    const LevelSetReadResult result = ReadLevelSetFile(path, levels);
    EXPECT_FALSE(result.ok) << length;
    EXPECT_EQ(result.length, static_cast<long long>(length));
    EXPECT_EQ(result.reason, "is " + std::to_string(length) + " bytes long, not 3770 or 2670");
  }
  EXPECT_EQ(ReadLevelSetFile(dir.Path("missing.kxl"), levels).reason, "cannot be opened");
  EXPECT_EQ(levels, before);
}

TEST(LevelImage, LayoutOfTheSharedBlock) {
  Level level;
  level.SetGoal(2);
  level.SetPatternSet(4);
  level.SetMusic(6);
  level.SetEnemyType(2, 7);
  level.SetCell(0, 150);
  level.SetCell(220, -1);
  level.SetFloor(220, 9);  // kept here, unlike in a file
  level.GetActor(5).Set(232, 192, 7, 72, 9, 8);
  std::strcpy(level.GetTime(), "3:45");
  Bytes block(kLevelImageBytes, 0xCC);
  ClearLevelImage(block.data());
  EXPECT_EQ(LevelImageFlag(block.data()), 0);
  PutLevelImage(block.data(), level);
  EXPECT_EQ(LevelImageFlag(block.data()), 1);
  const std::pair<size_t, int32_t> words[] = {{4, 2},     {8, 4},      {12, 6},     {24, 7},    {28, 150},
                                              {908, -1},  {1792, 9},   {1916, 232}, {1936, 8}};
  for (auto [at, value] : words) {
    int32_t word;
    std::memcpy(&word, block.data() + at, 4);
    EXPECT_EQ(word, value) << at;
  }
  EXPECT_EQ(std::memcmp(block.data() + kLevelImageTimeOffset, "3:45", 5), 0);
  EXPECT_EQ(GetLevelImage(block.data()), level);
  // Another process's unterminated time is cut within its eight bytes.
  std::memset(block.data() + kLevelImageTimeOffset, 'X', 8);
  EXPECT_EQ(GetLevelImage(block.data()).TimeText(), "XXXXXXX");
}
