#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "gfx/ge5.h"
#include "gfx/resource_catalogue.h"
#include "support/temp_dir.h"

namespace {

using Names = std::vector<std::string>;

struct Loaded {
  ResourceCatalogue catalogue;
  Names reports;  // the paths told, after the program folder
  Names spriteNames, patternNames;
};

// A GE5 screen whose left half is colour 0 (47, 79, 111) and right half
// colour 1 (255, 111, 0): the halves meet between two tiles.
std::vector<uint8_t> HalvesGe5() {
  std::vector<uint8_t> file(30375, 0);
  for (size_t i = 0; i < 213 * 128; ++i) file[7 + i] = i % 128 >= 64 ? 0x11 : 0;
  const uint8_t palette[] = {0x13, 2, 0x70, 3};  // red << 4 | blue, green
  std::copy(std::begin(palette), std::end(palette), file.begin() + 30343);
  return file;
}

// Loads from a program folder (a path ending in a separator) holding resources.ini with the text given and,
// unless bare, enemygfx\player.ge5, enemygfx\grunt.ge5 and levelgfx\stone.ge5, each HalvesGe5().
Loaded Load(const std::string* ini, bool bare = false) {
  TempDir dir;
  std::filesystem::create_directories(dir.Root() / "enemygfx");
  std::filesystem::create_directories(dir.Root() / "levelgfx");
  for (const char* name : {"enemygfx/player.ge5", "enemygfx/grunt.ge5", "levelgfx/stone.ge5"})
    if (!bare) WriteBytes((dir.Root() / name).string(), HalvesGe5());
  if (ini) WriteText(dir.Path("resources.ini"), *ini);
  const std::string folder = (dir.Root() / "").make_preferred().string();
  Loaded out;
  LoadResourceCatalogue(out.catalogue, folder, [&](const std::string& path) {
    out.reports.push_back(path.substr(0, folder.size()) == folder ? path.substr(folder.size()) : "elsewhere: " + path);
  });
  for (const SpriteSet& set : out.catalogue.spriteSets) out.spriteNames.push_back(set.name);
  for (const PatternSet& set : out.catalogue.patternSets) out.patternNames.push_back(set.name);
  return out;
}

}  // namespace

TEST(ResourceCatalogueLoad, PicturesOfTheSetsAndThePlayerWithoutIni) {
  Loaded none = Load(nullptr, true);
  EXPECT_EQ(none.spriteNames, Names{""});  // the player's, whose four pictures are told missing
  EXPECT_EQ(none.reports, Names(4, "enemygfx\\player.ge5"));

  const std::string ini = "grunt.ge5,Grunt\n[Level Resources]\nstone.ge5,Stone\n";
  Loaded loaded = Load(&ini);
  ASSERT_EQ(loaded.catalogue.patternSets.size(), 1u);
  // Sprites: 24 lines (colour 0 black), doubled smoothing across tiles;
  // patterns: 128 lines, doubled smoothing within each tile.
  const std::vector<uint8_t> file = HalvesGe5();
  const SpriteSet& grunt = loaded.catalogue.spriteSets.back();
  EXPECT_TRUE(grunt.colour.Get() == DecodeGe5(file, false, 24));
  EXPECT_TRUE(grunt.maskDouble.Get() == DecodeGe5Double(file, true, 24, true));
  EXPECT_TRUE(loaded.catalogue.patternSets[0].doubled.Get() == DecodeGe5Double(file, false, 128, false));
}

TEST(ResourceCatalogueLoad, LinesOfResourcesIni) {
  const std::string longName(80, 'n');
  const std::string huge(5000, 'h');
  const struct {
    const char* situation;
    std::string ini;
    Names sprites, patterns, songs, aiTypes, reports;
  } rows[] = {
      {"sections",
       "grunt.ge5,Grunt\nnocomma.ge5\n\ngrunt.ge5, Big, bad\n[Level Resources]\nstone.ge5,Stone\n\nstone.ge5\n"
       "gone.ge5,Gone\n[AI Types]\nChaser\n[level resources]\n[Enemy Resources]\nghost.ge5,Ghost\n"
       "[Song Names] \n[Song Names]\nTheme\n[AI Types]\nWanderer\n",
       {"", "Grunt", " Big, bad", "Ghost"}, {"Stone", "No name", "Gone"}, {"Theme"},
       {"Chaser", "[level resources]", "Wanderer"}, {"levelgfx\\gone.ge5", "levelgfx\\gone.ge5", "enemygfx\\ghost.ge5", "enemygfx\\ghost.ge5",
        "enemygfx\\ghost.ge5", "enemygfx\\ghost.ge5"}},
      {"line ends and odd bytes",
       "[Enemy Resources]\r\ngrunt.ge5,Grunt\r\n" + std::string("grunt.ge5\0,Hidden", 17) +
           "\r\n[Song Names]\r\nOne\r\n\r\nTwo\r\nBin\x01\x7F\xFF\r\n" + std::string("Cut\0here\n\0hidden\nLast", 21),
       {"", "Grunt"}, {}, {"One", "Two", "Bin\x01\x7F\xFF", "Cut", "Last"}, {}, {}},
      {"long lines are cut",
       "grunt.ge5," + longName + "\n" + std::string(110, 'x') + ",Far comma\n[Song Names]\n" + huge +
           "\nAfter\n[Level Resources]\n" + std::string(200, 'p') + "\n",
       {"", std::string(63, 'n')}, {"No name"}, {std::string(99, 'h'), "After"}, {},
       Names(2, "levelgfx\\" + std::string(99, 'p'))},
  };
  for (const auto& row : rows) {
    const Loaded loaded = Load(&row.ini);
    EXPECT_EQ(loaded.spriteNames, row.sprites) << row.situation;
    EXPECT_EQ(loaded.patternNames, row.patterns) << row.situation;
    EXPECT_EQ(loaded.catalogue.songs, row.songs) << row.situation;
    EXPECT_EQ(loaded.catalogue.aiTypes, row.aiTypes) << row.situation;
    EXPECT_EQ(loaded.reports, row.reports) << row.situation;
  }
}

TEST(ResourceCatalogueLoad, TablesStopAtTheirCapacity) {
  std::string ini;
  for (int i = 0; i < 100; ++i) ini += (i < 95 ? "grunt.ge5" : "missing.ge5") + (",E" + std::to_string(i) + "\n");
  for (const char* section : {"[Level Resources]\n", "[Song Names]\n", "[AI Types]\n"}) {
    ini += section;
    for (int i = 0; i < 40; ++i) ini += "s" + std::to_string(i) + "\n";
  }
  const Loaded loaded = Load(&ini);
  const ResourceCatalogue& c = loaded.catalogue;
  ASSERT_EQ(c.spriteSets.size(), 96u);
  ASSERT_EQ(c.patternSets.size(), 32u);
  ASSERT_EQ(c.songs.size(), 32u);
  ASSERT_EQ(c.aiTypes.size(), 32u);
  EXPECT_EQ(loaded.spriteNames[95], "E94");
  EXPECT_EQ(loaded.patternNames[31], "No name");
  EXPECT_EQ(c.songs[31], "s31");
  EXPECT_EQ(c.aiTypes[31], "s31");
  EXPECT_FALSE(c.spriteSets[95].colour.Get().Empty());
  // Excess entries are not read: no enemy past the 95th, 32 pattern sets of two pictures each.
  EXPECT_EQ(loaded.reports.size(), 64u);
  EXPECT_EQ(c.PatternSetForLevel(34), &c.patternSets[31]);
  EXPECT_EQ(c.PatternSetForLevel(35), nullptr);
  EXPECT_EQ(c.PatternSetForLevel(2), nullptr);
}
