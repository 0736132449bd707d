#include <gtest/gtest.h>

#include <filesystem>

#include "gfx/ge5.h"
#include "gfx/ge5_test_files.h"
#include "gfx/resource_catalogue.h"
#include "support/temp_dir.h"

namespace {

// A program directory with its graphics folders, and the paths the
// catalogue reported as unreadable.
class ProgramFolder {
 public:
  ProgramFolder() {
    std::filesystem::create_directories(dir_.Root() / "enemygfx");
    std::filesystem::create_directories(dir_.Root() / "levelgfx");
  }

  // The program directory as start-up gives it: ending in a separator.
  std::string Directory() const { return (dir_.Root() / "").make_preferred().string(); }

  // A picture whose colour 1 is the given colour: the left half of the
  // screen colour 0, the right half colour 1.
  std::vector<uint8_t> Picture(int red, int green, int blue) const {
    std::vector<uint8_t> file = BlankGe5();
    SetGe5Colour(file, 0, 1, 2, 3);
    SetGe5Colour(file, 1, red, green, blue);
    FillGe5(file, 0, 212, 128, 255, 1);
    return file;
  }

  std::vector<uint8_t> Enemy(const std::string& name, int red, int green, int blue) const {
    std::vector<uint8_t> file = Picture(red, green, blue);
    WriteBytes((dir_.Root() / "enemygfx" / name).string(), file);
    return file;
  }
  std::vector<uint8_t> Pattern(const std::string& name, int red, int green, int blue) const {
    std::vector<uint8_t> file = Picture(red, green, blue);
    WriteBytes((dir_.Root() / "levelgfx" / name).string(), file);
    return file;
  }
  void Ini(const std::string& text) const { WriteText(dir_.Path("resources.ini"), text); }

  ResourceCatalogue Load() {
    reports.clear();
    ResourceCatalogue catalogue;
    LoadResourceCatalogue(catalogue, Directory(),
                          [this](const std::string& path) { reports.push_back(path); });
    return catalogue;
  }

  std::vector<std::string> reports;

 private:
  TempDir dir_;
};

std::vector<std::string> Repeat(const std::string& text, size_t times) {
  return std::vector<std::string>(times, text);
}

}  // namespace

TEST(ResourceCatalogueLoad, PlayerComesFirstAndNeedsNoIni) {
  ProgramFolder folder;
  ResourceCatalogue catalogue = folder.Load();
  // Without player.ge5 and resources.ini: the player's set, empty, told four times.
  ASSERT_EQ(catalogue.spriteSets.size(), 1u);
  EXPECT_TRUE(catalogue.spriteSets[0].colour.Get().Empty());
  EXPECT_TRUE(catalogue.spriteSets[0].maskDouble.Get().Empty());
  EXPECT_EQ(folder.reports, Repeat(folder.Directory() + "enemygfx\\player.ge5", 4));
  EXPECT_TRUE(catalogue.patternSets.empty());
  EXPECT_TRUE(catalogue.songs.empty());
  EXPECT_TRUE(catalogue.aiTypes.empty());

  // With the player's file each sheet is its own decode of it.
  const std::vector<uint8_t> player = folder.Enemy("player.ge5", 7, 3, 0);
  catalogue = folder.Load();
  EXPECT_TRUE(folder.reports.empty());
  ASSERT_EQ(catalogue.spriteSets.size(), 1u);
  const SpriteSet& set = catalogue.spriteSets[0];
  EXPECT_EQ(set.colour.Get(), DecodeGe5(player, false, 24));
  EXPECT_EQ(set.mask.Get(), DecodeGe5(player, true, 24));
  EXPECT_EQ(set.colourDouble.Get(), DecodeGe5Double(player, false, 24, true));
  EXPECT_EQ(set.maskDouble.Get(), DecodeGe5Double(player, true, 24, true));
  EXPECT_EQ(set.colour.Get().At(0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(set.colour.Get().At(200, 0), MsxColour(7, 3, 0));
  EXPECT_EQ(set.name, "");
}

TEST(ResourceCatalogueLoad, SongHeaderAndThreeLines) {
  ProgramFolder folder;
  folder.Enemy("player.ge5", 7, 7, 7);
  folder.Ini("[Song Names]\nIntro\n  Two blanks before\n[Other],x\n");
  const ResourceCatalogue catalogue = folder.Load();
  EXPECT_EQ(catalogue.songs, (std::vector<std::string>{"Intro", "  Two blanks before", "[Other],x"}));
  EXPECT_TRUE(catalogue.patternSets.empty());
  EXPECT_EQ(catalogue.spriteSets.size(), 1u);
  EXPECT_TRUE(catalogue.aiTypes.empty());
  EXPECT_TRUE(folder.reports.empty());
}

TEST(ResourceCatalogueLoad, EntriesOfEachSection) {
  ProgramFolder folder;
  folder.Enemy("player.ge5", 7, 7, 7);
  const std::vector<uint8_t> grunt = folder.Enemy("grunt.ge5", 7, 0, 0);
  const std::vector<uint8_t> bat = folder.Enemy("bat.ge5", 0, 7, 0);
  const std::vector<uint8_t> stone = folder.Pattern("stone.ge5", 0, 0, 7);
  const std::vector<uint8_t> plain = folder.Pattern("plain.ge5", 5, 5, 0);
  folder.Ini(
      "grunt.ge5,Grunt\n"                // before any header: an enemy
      "nocomma.ge5\n"                    // an enemy without a name adds nothing
      "\n"
      "bat.ge5, Bat, the big one\n"      // the blank and the further comma are the name's
      "[Level Resources]\n"
      "stone.ge5,Stone\n"
      "\n"
      "plain.ge5\n"                      // no comma: "No name"
      "gone.ge5,Gone\n"
      "[AI Types]\n"
      "Chaser\n"
      "[level resources]\n"              // not a header: an AI type
      "[Enemy Resources]\n"
      "ghost.ge5,Ghost\n"
      "[Song Names] \n"                  // a blank after it: an entry of the enemy section, no comma
      "[Song Names]\n"
      "Theme\n"
      "[AI Types]\n"
      "Wanderer\n");
  const ResourceCatalogue catalogue = folder.Load();

  ASSERT_EQ(catalogue.spriteSets.size(), 4u);
  EXPECT_EQ(catalogue.spriteSets[1].name, "Grunt");
  EXPECT_EQ(catalogue.spriteSets[1].colour.Get(), DecodeGe5(grunt, false, 24));
  EXPECT_EQ(catalogue.spriteSets[1].maskDouble.Get(), DecodeGe5Double(grunt, true, 24, true));
  EXPECT_EQ(catalogue.spriteSets[2].name, " Bat, the big one");
  EXPECT_EQ(catalogue.spriteSets[2].colourDouble.Get(), DecodeGe5Double(bat, false, 24, true));
  EXPECT_EQ(catalogue.spriteSets[2].mask.Get(), DecodeGe5(bat, true, 24));
  EXPECT_EQ(catalogue.spriteSets[3].name, "Ghost");
  EXPECT_TRUE(catalogue.spriteSets[3].colour.Get().Empty());

  ASSERT_EQ(catalogue.patternSets.size(), 3u);
  EXPECT_EQ(catalogue.patternSets[0].name, "Stone");
  EXPECT_EQ(catalogue.patternSets[0].normal.Get(), DecodeGe5(stone, false, 128));
  EXPECT_EQ(catalogue.patternSets[0].doubled.Get(), DecodeGe5Double(stone, false, 128, false));
  EXPECT_EQ(catalogue.patternSets[0].normal.Get().At(0, 0), MsxColour(1, 2, 3));  // colour 0 kept
  EXPECT_EQ(catalogue.patternSets[1].name, "No name");
  EXPECT_EQ(catalogue.patternSets[1].normal.Get(), DecodeGe5(plain, false, 128));
  EXPECT_EQ(catalogue.patternSets[2].name, "Gone");
  EXPECT_TRUE(catalogue.patternSets[2].normal.Get().Empty());
  EXPECT_TRUE(catalogue.patternSets[2].doubled.Get().Empty());

  EXPECT_EQ(catalogue.aiTypes, (std::vector<std::string>{"Chaser", "[level resources]", "Wanderer"}));
  EXPECT_EQ(catalogue.songs, (std::vector<std::string>{"Theme"}));

  // Each failed decode is told, in file order, with the path as formed.
  std::vector<std::string> expected = Repeat(folder.Directory() + "levelgfx\\gone.ge5", 2);
  for (const std::string& path : Repeat(folder.Directory() + "enemygfx\\ghost.ge5", 4))
    expected.push_back(path);
  EXPECT_EQ(folder.reports, expected);

  // Loading again starts afresh.
  EXPECT_EQ(folder.Load().spriteSets.size(), 4u);
}

TEST(ResourceCatalogueLoad, LineEndsAndOddBytes) {
  ProgramFolder folder;
  folder.Enemy("player.ge5", 7, 7, 7);
  const std::vector<uint8_t> grunt = folder.Enemy("grunt.ge5", 7, 0, 0);
  std::string ini = "[Enemy Resources]\r\ngrunt.ge5,Grunt\r\n";
  ini += std::string("grunt.ge5\0,Hidden name", 22) + "\r\n";  // no comma before the zero byte
  ini += "[Song Names]\r\nOne\r\n\r\nTwo\r\n";
  ini += std::string("Bin\x01\x7F\xFF\xE9", 7) + "\r\n";
  ini += std::string("Cut\0here", 8) + "\n";  // the text ends at a zero byte
  ini += std::string("\0hidden", 7) + "\n";   // and is then empty: skipped
  ini += "Last";                              // no line end at the end of the file
  folder.Ini(ini);
  const ResourceCatalogue catalogue = folder.Load();
  EXPECT_EQ(catalogue.songs,
            (std::vector<std::string>{"One", "Two", std::string("Bin\x01\x7F\xFF\xE9", 7), "Cut", "Last"}));
  ASSERT_EQ(catalogue.spriteSets.size(), 2u);
  EXPECT_EQ(catalogue.spriteSets[1].name, "Grunt");
  EXPECT_EQ(catalogue.spriteSets[1].colour.Get(), DecodeGe5(grunt, false, 24));
  EXPECT_TRUE(folder.reports.empty());

  // The same text handed over directly reads the same.
  ResourceCatalogue direct;
  int told = 0;
  LoadResourceCatalogueFromText(direct, ini, folder.Directory(), [&](const std::string&) { ++told; });
  EXPECT_EQ(direct.songs, catalogue.songs);
  EXPECT_EQ(direct.spriteSets.size(), 2u);
  EXPECT_EQ(told, 0);
}

TEST(ResourceCatalogueLoad, LongLinesAreCut) {
  ProgramFolder folder;
  folder.Enemy("player.ge5", 7, 7, 7);
  folder.Enemy("grunt.ge5", 7, 0, 0);
  const std::string longName(80, 'n');
  const std::string huge(5000, 'h');
  std::string ini;
  ini += "grunt.ge5," + longName + "\n";              // name cut at 63 characters
  ini += std::string(110, 'x') + ",Far comma\n";      // the comma lies past the 99th character
  ini += "[Song Names]\n" + huge + "\n";
  ini += "After\n";
  ini += "[Level Resources]\n" + std::string(200, 'p') + "\n";
  folder.Ini(ini);
  const ResourceCatalogue catalogue = folder.Load();

  ASSERT_EQ(catalogue.spriteSets.size(), 2u);
  EXPECT_EQ(catalogue.spriteSets[1].name, longName.substr(0, 63));
  ASSERT_EQ(catalogue.songs.size(), 2u);
  EXPECT_EQ(catalogue.songs[0], huge.substr(0, 99));  // the rest of the line is not a line
  EXPECT_EQ(catalogue.songs[1], "After");
  ASSERT_EQ(catalogue.patternSets.size(), 1u);
  EXPECT_EQ(catalogue.patternSets[0].name, "No name");
  EXPECT_EQ(folder.reports, Repeat(folder.Directory() + "levelgfx\\" + std::string(99, 'p'), 2));
}

TEST(ResourceCatalogueLoad, TablesStopAtTheirCapacity) {
  ProgramFolder folder;
  folder.Enemy("player.ge5", 7, 7, 7);
  folder.Enemy("e.ge5", 3, 3, 3);
  std::string ini;
  for (int i = 0; i < 100; ++i) ini += (i < 95 ? "e.ge5" : "missing.ge5") + (",Enemy " + std::to_string(i) + "\n");
  ini += "[Level Resources]\n";
  for (int i = 0; i < 40; ++i) ini += "level" + std::to_string(i) + ".ge5,Set " + std::to_string(i) + "\n";
  ini += "[Song Names]\n";
  for (int i = 0; i < 40; ++i) ini += "Song " + std::to_string(i) + "\n";
  ini += "[AI Types]\n";
  for (int i = 0; i < 40; ++i) ini += "AI " + std::to_string(i) + "\n";
  folder.Ini(ini);
  const ResourceCatalogue catalogue = folder.Load();

  ASSERT_EQ(catalogue.spriteSets.size(), static_cast<size_t>(kMaxSpriteSets));
  EXPECT_EQ(catalogue.spriteSets[95].name, "Enemy 94");
  EXPECT_FALSE(catalogue.spriteSets[95].colour.Get().Empty());
  ASSERT_EQ(catalogue.patternSets.size(), static_cast<size_t>(kMaxPatternSets));
  EXPECT_EQ(catalogue.patternSets[31].name, "Set 31");
  ASSERT_EQ(catalogue.songs.size(), static_cast<size_t>(kMaxSongs));
  EXPECT_EQ(catalogue.songs[31], "Song 31");
  ASSERT_EQ(catalogue.aiTypes.size(), static_cast<size_t>(kMaxAiTypes));
  EXPECT_EQ(catalogue.aiTypes[31], "AI 31");
  // Excess entries are not decoded: no enemy past the 95th is looked for,
  // and only the 32 pattern sets kept report their missing files.
  ASSERT_EQ(folder.reports.size(), 64u);
  EXPECT_EQ(folder.reports.back(), folder.Directory() + "levelgfx\\level31.ge5");
  for (const std::string& path : folder.reports) EXPECT_EQ(path.find("missing"), std::string::npos);
}

TEST(ResourceCatalogueLoad, EmptyFileNamesAndFolders) {
  ProgramFolder folder;
  folder.Enemy("player.ge5", 7, 7, 7);
  // An empty file name names the graphics folder itself, which is no picture.
  folder.Ini(",Nameless file\n[Level Resources]\n,Pattern\n");
  const ResourceCatalogue catalogue = folder.Load();
  ASSERT_EQ(catalogue.spriteSets.size(), 2u);
  EXPECT_EQ(catalogue.spriteSets[1].name, "Nameless file");
  ASSERT_EQ(catalogue.patternSets.size(), 1u);
  EXPECT_EQ(catalogue.patternSets[0].name, "Pattern");
  std::vector<std::string> expected = Repeat(folder.Directory() + "enemygfx\\", 4);
  expected.push_back(folder.Directory() + "levelgfx\\");
  expected.push_back(folder.Directory() + "levelgfx\\");
  EXPECT_EQ(folder.reports, expected);
}
