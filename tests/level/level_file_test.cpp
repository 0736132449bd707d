#include "level/level_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "level/file_layer.h"
#include "support/level_bytes.h"
#include "support/temp_dir.h"

TEST(LevelFile, DefaultSetBytes) {
  const LevelSet levels;
  const std::vector<uint8_t> bytes = EncodeLevelSet(levels);
  ASSERT_EQ(bytes.size(), 3770u);
  for (int k = 0; k < 10; ++k) {
    const uint8_t* level = bytes.data() + 377 * k;
    const uint8_t header[10] = {0, 3, 0, 1, 2, 3, '2', ':', '0', '0'};
    EXPECT_EQ(0, std::memcmp(level, header, 10)) << "level " << k;
    for (int i = 10; i < 341; ++i) ASSERT_EQ(level[i], 0) << "level " << k << " byte " << i;
    for (int a = 0; a < 6; ++a) {
      const uint8_t actor[6] = {0, 0, 5, 24, 5, 2};
      EXPECT_EQ(0, std::memcmp(level + 341 + 6 * a, actor, 6));
    }
  }
}

TEST(LevelFile, FieldsStoreTheirLowByte) {
  LevelSet levels;
  Level& level = levels[3];
  level.goal = 3;
  level.patternSet = 260;  // 260 & 255 = 4
  level.music = 7;
  level.enemyTypes[2] = 9;
  std::strcpy(level.time, "1:37");
  level.cells[0] = 200;
  level.cells[220] = 64;
  level.floors[0] = 10;
  level.floors[1] = 3;
  level.floors[219] = 15;
  level.floors[220] = 9;  // not kept by the file
  level.actors[5].Set(232, 192, 7, 72, 9, 8);
  const std::vector<uint8_t> bytes = EncodeLevelSet(levels);
  const uint8_t* p = bytes.data() + 377 * 3;
  EXPECT_EQ(p[0], 3);
  EXPECT_EQ(p[1], 4);
  EXPECT_EQ(p[2], 7);
  EXPECT_EQ(p[5], 9);
  EXPECT_EQ(0, std::memcmp(p + 6, "1:37", 4));
  EXPECT_EQ(p[10], 200);
  EXPECT_EQ(p[230], 64);
  EXPECT_EQ(p[231], 0x3A);
  EXPECT_EQ(p[340], 0xF0);
  EXPECT_EQ(p[371], 232);
  EXPECT_EQ(p[376], 8);

  LevelSet back;
  ASSERT_TRUE(DecodeLevelSet(bytes.data(), bytes.size(), back));
  Level expected = level;
  expected.patternSet = 4;
  expected.floors[220] = 0;
  EXPECT_EQ(back[3], expected);
  EXPECT_EQ(back[0], Level());
}

TEST(LevelFile, LoadingRaisesSmallPatternSetsAndConvertsExitBytes) {
  for (uint8_t stored : {0, 2, 3, 40}) {
    std::vector<uint8_t> file = OldFormSet(OldFormLevel(stored, {17, 5}));
    LevelSet levels;
    ASSERT_TRUE(DecodeLevelSet(file.data(), file.size(), levels));
    EXPECT_EQ(levels[0].patternSet, stored < 3 ? 3 : stored);
    EXPECT_EQ(levels[0].cells[0], 128);
    EXPECT_EQ(levels[0].cells[1], 5);
  }
  // Current form too; saving writes 128.
  LevelSet levels;
  std::vector<uint8_t> bytes = EncodeLevelSet(levels);
  bytes[10 + 377] = 17;
  ASSERT_TRUE(DecodeLevelSet(bytes.data(), bytes.size(), levels));
  EXPECT_EQ(levels[1].cells[0], 128);
  EXPECT_EQ(EncodeLevelSet(levels)[10 + 377], 128);
}

TEST(LevelFile, OldFormDerivesFloors) {
  const std::vector<uint8_t> cells = {5, 13, 32, 42, 150, 158, 159, 165, 64, 130, 144, 20};
  const int floors[] = {5, 13, 7, 7, 7, 7, 0, 0, 0, 0, 7, 0};
  std::vector<uint8_t> file = OldFormSet(OldFormLevel(3, cells));
  ASSERT_EQ(file.size(), 2670u);
  LevelSet levels;
  ASSERT_TRUE(DecodeLevelSet(file.data(), file.size(), levels));
  for (size_t i = 0; i < cells.size(); ++i) EXPECT_EQ(levels[0].floors[i], floors[i]) << i;
  EXPECT_EQ(levels[0].actors[0], ActorRecord());
}

TEST(LevelFile, UpgradingAnOldSetKeepsEverything) {
  std::vector<uint8_t> first = OldFormLevel(5, {32, 9, 150});
  first[266] = 8;  // last actor's speed
  std::vector<uint8_t> file = OldFormSet(first);
  LevelSet old;
  ASSERT_TRUE(DecodeLevelSet(file.data(), file.size(), old));
  const std::vector<uint8_t> upgraded = EncodeLevelSet(old);
  ASSERT_EQ(upgraded.size(), 3770u);
  LevelSet again;
  ASSERT_TRUE(DecodeLevelSet(upgraded.data(), upgraded.size(), again));
  EXPECT_EQ(again, old);
  EXPECT_EQ(again[0].floors[0], 7);
  EXPECT_EQ(again[0].floors[1], 9);
  EXPECT_EQ(again[0].actors[5].speed, 8);
}

TEST(LevelFile, OnlyTheTwoLengthsAreAccepted) {
  TempDir dir;
  LevelSet levels;
  levels[0].goal = 2;
  const LevelSet before = levels;
  for (size_t length : {0u, 1u, 2669u, 2671u, 3769u, 3771u, 7540u}) {
    const std::string path = dir.Path("len" + std::to_string(length) + ".kxl");
    WriteBytes(path, std::vector<uint8_t>(length, 17));
    const LevelSetReadResult result = ReadLevelSetFile(path, levels);
    EXPECT_FALSE(result.ok) << length;
    EXPECT_EQ(result.length, static_cast<long long>(length));
    EXPECT_NE(result.reason.find(std::to_string(length) + " bytes"), std::string::npos)
        << result.reason;
    EXPECT_NE(result.reason.find("3770"), std::string::npos);
    EXPECT_EQ(levels, before);
  }
  const LevelSetReadResult missing = ReadLevelSetFile(dir.Path("missing.kxl"), levels);
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(levels, before);
  // A folder is no level set either.
  EXPECT_FALSE(ReadLevelSetFile(dir.Root().string(), levels).ok);
  EXPECT_EQ(levels, before);
}

TEST(LevelFile, SaveReplacesALongerFileAndLeavesNoTemporaryFile) {
  TempDir dir;
  const std::string path = dir.Path("set.kxl");
  WriteBytes(path, std::vector<uint8_t>(10000, 0xEE));
  LevelSet levels;
  levels[9].cells[100] = 64;
  ASSERT_TRUE(WriteLevelSetFile(SystemFileLayer(), path, levels));
  EXPECT_EQ(ReadBytes(path), EncodeLevelSet(levels));
  EXPECT_EQ(dir.List(), std::vector<std::string>{"set.kxl"});

  LevelSet loaded;
  ASSERT_TRUE(ReadLevelSetFile(path, loaded).ok);
  EXPECT_EQ(loaded, levels);
}
