#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "gfx/resource_catalogue.h"
#include "support/temp_dir.h"

namespace {

struct Loaded {
  ResourceCatalogue catalogue;
  std::vector<std::string> reports;  // the paths told, after the program folder
  std::vector<std::string> spriteNames, patternNames;
};

// A program folder (a path ending in a separator) holding enemygfx\player.ge5,
// enemygfx\grunt.ge5 and levelgfx\stone.ge5 unless bare: the left half of
// each screen colour 0 (47, 79, 111), the right half colour 1 (255, 111, 0).
class ProgramFolder {
 public:
  explicit ProgramFolder(bool bare = false) {
    std::filesystem::create_directories(dir_.Root() / "enemygfx");
    std::filesystem::create_directories(dir_.Root() / "levelgfx");
    if (bare) return;
    std::vector<uint8_t> file(30375, 0);
    for (size_t i = 0; i < 213 * 128; ++i) file[7 + i] = i % 128 >= 64 ? 0x11 : 0;
    const uint8_t palette[] = {0x13, 2, 0x70, 3};  // red << 4 | blue, green
    std::copy(std::begin(palette), std::end(palette), file.begin() + 30343);
    for (const char* name : {"enemygfx/player.ge5", "enemygfx/grunt.ge5", "levelgfx/stone.ge5"})
      WriteBytes((dir_.Root() / name).string(), file);
  }
  std::string Directory() const { return (dir_.Root() / "").make_preferred().string(); }

  Loaded Load(const std::string* ini) {
    if (ini) WriteText(dir_.Path("resources.ini"), *ini);
    Loaded out;
    LoadResourceCatalogue(out.catalogue, Directory(), [&](const std::string& path) {
      out.reports.push_back(path.substr(0, Directory().size()) == Directory() ? path.substr(Directory().size())
                                                                              : "elsewhere: " + path);
    });
    for (const SpriteSet& set : out.catalogue.spriteSets) out.spriteNames.push_back(set.name);
    for (const PatternSet& set : out.catalogue.patternSets) out.patternNames.push_back(set.name);
    return out;
  }

 private:
  TempDir dir_;
};

using Names = std::vector<std::string>;

Names Times(int n, const std::string& text) { return Names(n, text); }
Names operator+(Names a, const Names& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

TEST(ResourceCatalogueLoad, PicturesOfTheSetsAndThePlayerWithoutIni) {
  ProgramFolder bare(true);
  Loaded none = bare.Load(nullptr);
  ASSERT_EQ(none.catalogue.spriteSets.size(), 1u);
  EXPECT_TRUE(none.catalogue.spriteSets[0].colour.Empty());
  EXPECT_TRUE(none.catalogue.spriteSets[0].maskDouble.Empty());
  EXPECT_EQ(none.reports, Times(4, "enemygfx\\player.ge5"));

  ProgramFolder folder;
  const std::string ini = "grunt.ge5,Grunt\n[Level Resources]\nstone.ge5,Stone\n";
  Loaded loaded = folder.Load(&ini);
  EXPECT_EQ(loaded.reports, Names{});
  ASSERT_EQ(loaded.spriteNames, (Names{"", "Grunt"}));
  ASSERT_EQ(loaded.patternNames, Names{"Stone"});
  const Rgb zero{47, 79, 111}, one{255, 111, 0}, black{0, 0, 0}, white{255, 255, 255};
  for (const SpriteSet& set : loaded.catalogue.spriteSets) {
    ASSERT_EQ(set.colour.Width(), 256);
    ASSERT_EQ(set.colour.Height(), 24);
    EXPECT_EQ(set.colour.At(0, 0), black);  // colour 0 of a sprite sheet
    EXPECT_EQ(set.colour.At(200, 23), one);
    EXPECT_EQ(set.mask.At(0, 0), white);
    EXPECT_EQ(set.mask.At(200, 23), black);
    ASSERT_EQ(set.colourDouble.Height(), 48);
    EXPECT_EQ(set.colourDouble.At(255, 0), (Rgb{127, 55, 0}));  // smoothed across the tiles
    EXPECT_EQ(set.maskDouble.At(255, 47), white);
    EXPECT_EQ(set.maskDouble.At(256, 47), black);
  }
  const PatternSet& stone = loaded.catalogue.patternSets[0];
  ASSERT_EQ(stone.normal.Height(), 128);
  EXPECT_EQ(stone.normal.At(0, 0), zero);
  EXPECT_EQ(stone.normal.At(128, 127), one);
  ASSERT_EQ(stone.doubled.Height(), 256);
  EXPECT_EQ(stone.doubled.At(255, 0), zero);  // kept within the tile
  EXPECT_EQ(stone.doubled.At(256, 255), one);
}

TEST(ResourceCatalogueLoad, LinesOfResourcesIni) {
  const std::string longName(80, 'n'), huge(5000, 'h');
  const struct {
    const char* situation;
    std::string ini;
    Names sprites, patterns, songs, aiTypes, reports;
  } rows[] = {
      {"songs", "[Song Names]\nIntro\n  Two blanks before\n[Other],x\n", {""}, {},
       {"Intro", "  Two blanks before", "[Other],x"}, {}, {}},
      {"sections",
       "grunt.ge5,Grunt\nnocomma.ge5\n\ngrunt.ge5, Big, bad\n[Level Resources]\nstone.ge5,Stone\n\nstone.ge5\n"
       "gone.ge5,Gone\n[AI Types]\nChaser\n[level resources]\n[Enemy Resources]\nghost.ge5,Ghost\n"
       "[Song Names] \n[Song Names]\nTheme\n[AI Types]\nWanderer\n",
       {"", "Grunt", " Big, bad", "Ghost"}, {"Stone", "No name", "Gone"}, {"Theme"},
       {"Chaser", "[level resources]", "Wanderer"}, Times(2, "levelgfx\\gone.ge5") + Times(4, "enemygfx\\ghost.ge5")},
      {"line ends and odd bytes",
       "[Enemy Resources]\r\ngrunt.ge5,Grunt\r\n" + std::string("grunt.ge5\0,Hidden", 17) +
           "\r\n[Song Names]\r\nOne\r\n\r\nTwo\r\nBin\x01\x7F\xFF\r\n" + std::string("Cut\0here\n\0hidden\nLast", 21),
       {"", "Grunt"}, {}, {"One", "Two", "Bin\x01\x7F\xFF", "Cut", "Last"}, {}, {}},
      {"long lines are cut",
       "grunt.ge5," + longName + "\n" + std::string(110, 'x') + ",Far comma\n[Song Names]\n" + huge +
           "\nAfter\n[Level Resources]\n" + std::string(200, 'p') + "\n",
       {"", std::string(63, 'n')}, {"No name"}, {std::string(99, 'h'), "After"}, {},
       Times(2, "levelgfx\\" + std::string(99, 'p'))},
      {"empty file names", ",Nameless\n[Level Resources]\n,Pattern\n", {"", "Nameless"}, {"Pattern"}, {}, {},
       Times(4, "enemygfx\\") + Times(2, "levelgfx\\")},
  };
  for (const auto& row : rows) {
    ProgramFolder folder;
    const Loaded loaded = folder.Load(&row.ini);
    EXPECT_EQ(loaded.spriteNames, row.sprites) << row.situation;
    EXPECT_EQ(loaded.patternNames, row.patterns) << row.situation;
    EXPECT_EQ(loaded.catalogue.songs, row.songs) << row.situation;
    EXPECT_EQ(loaded.catalogue.aiTypes, row.aiTypes) << row.situation;
    EXPECT_EQ(loaded.reports, row.reports) << row.situation;
    for (size_t i = 0; i < loaded.patternNames.size(); ++i)
      EXPECT_EQ(loaded.catalogue.patternSets[i].normal.Empty(), row.reports.size() && i + 1 == row.patterns.size())
          << row.situation << " " << i;
  }
}

TEST(ResourceCatalogueLoad, TablesStopAtTheirCapacity) {
  ProgramFolder folder;
  std::string ini;
  for (int i = 0; i < 100; ++i) ini += (i < 95 ? "grunt.ge5" : "missing.ge5") + (",E" + std::to_string(i) + "\n");
  for (const char* section : {"[Level Resources]\n", "[Song Names]\n", "[AI Types]\n"}) {
    ini += section;
    for (int i = 0; i < 40; ++i) ini += "s" + std::to_string(i) + "\n";
  }
  const Loaded loaded = folder.Load(&ini);
  ASSERT_EQ(loaded.spriteNames.size(), 96u);
  EXPECT_EQ(loaded.spriteNames[95], "E94");
  EXPECT_FALSE(loaded.catalogue.spriteSets[95].colour.Empty());
  ASSERT_EQ(loaded.patternNames.size(), 32u);
  EXPECT_EQ(loaded.patternNames[31], "No name");
  ASSERT_EQ(loaded.catalogue.songs.size(), 32u);
  EXPECT_EQ(loaded.catalogue.songs[31], "s31");
  ASSERT_EQ(loaded.catalogue.aiTypes.size(), 32u);
  EXPECT_EQ(loaded.catalogue.aiTypes[31], "s31");
  // Excess entries are not read: no enemy past the 95th, 32 pattern sets.
  ASSERT_EQ(loaded.reports.size(), 64u);
  EXPECT_EQ(loaded.reports[0], "levelgfx\\s0");
  EXPECT_EQ(loaded.reports[63], "levelgfx\\s31");
  EXPECT_EQ(loaded.catalogue.PatternSetForLevel(34), &loaded.catalogue.patternSets[31]);
  EXPECT_EQ(loaded.catalogue.PatternSetForLevel(35), nullptr);
  EXPECT_EQ(loaded.catalogue.PatternSetForLevel(2), nullptr);
  EXPECT_EQ(loaded.catalogue.SpriteSetAt(0), &loaded.catalogue.spriteSets[0]);
  EXPECT_EQ(loaded.catalogue.SpriteSetAt(96), nullptr);
  EXPECT_EQ(loaded.catalogue.SongAt(-1), nullptr);
  EXPECT_EQ(*loaded.catalogue.AiTypeAt(0), "s0");
}
