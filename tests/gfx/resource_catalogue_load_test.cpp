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

// Loads from a program folder (a path ending in a separator) holding resources.ini with the text given,
// enemygfx\player.ge5, enemygfx\grunt.ge5 and levelgfx\stone.ge5.
Loaded Load(const std::string* ini) {
  TempDir dir;
  std::filesystem::create_directories(dir.Root() / "enemygfx");
  std::filesystem::create_directories(dir.Root() / "levelgfx");
  for (const char* name : {"enemygfx/player.ge5", "enemygfx/grunt.ge5", "levelgfx/stone.ge5"})
    WriteBytes((dir.Root() / name).string(), std::vector<uint8_t>(kGe5MinimumBytes, 0));
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
