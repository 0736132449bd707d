#include "art_source.h"

#include <gtest/gtest.h>

#include <map>

#include "level_preview.h"
#include "level_source.h"
#include "resource_list.h"

namespace {

std::string Rows(int count, const std::string& row) {
  std::string text;
  for (int i = 0; i < count; ++i) text += row + "\n";
  return text;
}

// Parses art/sheet.art (and the other files given) held in memory.
bool Parse(const std::map<std::string, std::string>& files, ArtSheet& sheet, SourceError& error) {
  return ParseArtSheet("art/sheet.art", [&](const std::string& path, std::string& text) {
    const auto found = files.find(path);
    if (found == files.end()) return false;
    text = found->second;
    return true;
  }, sheet, error);
}

// `width` pixels of the sheet from (x, y), each written as its colour's character.
std::string Drawn(const ArtSheet& sheet, int x, int y, int width) {
  std::string text;
  for (int i = 0; i < width; ++i) text += sheet.colours[sheet.At(x + i, y)].symbol;
  return text;
}

const std::string kHead = "sheet pattern test\ncolour 0 . 0 0 0\ncolour 1 a 7 0 0\ncolour 2 b 0 7 0\ncolour 3 c 0 0 7\n";
const std::string kSprites = "sheet sprite sp_r-9\ncolour 0 . 0 0 0\ncolour 1 x 7 0 0\ncolour 2 y 1 7 3\n";

const std::string kKeys = "key . 0\nkey : 3\nkey # 64\nkey + wall1\nkey S wall1 speed-up\nkey G wall2 gem\n"
                          "key E exit\nkey < start 1\nkey > end 1\nkey * gem\nkey u destroyable\n";  // lines 1..11

// A level whose map starts on its fourth line; its second row is `row1`.
std::string LevelText(int number, const std::string& row1 = "#@..............#") {
  return "level " + std::to_string(number) + "\npatterns garden\nmap\n#################\n" + row1 + "\n" +
         Rows(4, "#...............#") + "#.......E.......#\n" + Rows(5, "#...............#") + "#################\n" +
         "player down\n";
}

std::string Levels(int from, int to) {
  std::string text;
  for (int n = from; n <= to; ++n) text += LevelText(n);
  return text;
}

bool ParseLevels(const std::string& text, LevelSet& levels, SourceError& error) {
  ResourceList resources;
  EXPECT_TRUE(ParseResourceList("resources.ini",
                                "[Enemy Resources]\r\nslime.ge5,Slime\r\nrobot.ge5,Robot\r\nbat.ge5,Bat\r\n\r\n"
                                "[Level Resources]\r\ngarden.ge5,Garden\r\ndungeon.ge5,Dungeon\r\n"
                                "[Song Names]\r\nOne\r\nTwo\r\nThree\r\n[AI Types]\r\nA\r\nB\r\n",
                                resources, error));
  return ParseLevelSource("levels.txt", text, resources, levels, error);
}

ActorRecord Actor(int32_t x, int32_t y, int32_t direction, int32_t typeCode, int32_t aiType, int32_t speed) {
  ActorRecord actor;
  actor.Set(x, y, direction, typeCode, aiType, speed);
  return actor;
}

}  // namespace

TEST(ArtSource, TilesFramesAndWhatIsDerivedFromThem) {
  ArtSheet sprites, patterns;
  SourceError error;
  ASSERT_TRUE(Parse({{"art/sheet.art", kSprites + "frame 0\nxy..............\n" + Rows(22, "................") +
                                           "...............x\nframe 1 = flipx 0\nframe 2 over 0\n" +
                                           Rows(23, "________________") + "y_______________\n"}},
                    sprites, error)) << error.Text();
  EXPECT_EQ(sprites.name, "sp_r-9");
  // Shadows turn '.' into 'a', 'a' into 'b' and so on, in five rows and every other pixel of the sixth,
  // then in two and the third. Blanks, tabs and CRs at the end of a line are not pixels.
  ASSERT_TRUE(Parse({{"art/sheet.art", kHead + "shade .abc abc.\ntile 0\nab.............. \n" +
                                           Rows(14, "aaaaaaaaaaaaaaaa\t") + "c...............\ntile 1 = flipx 0\n"
                                           "tile 16 = flipy 0\ntile 2 = recolour 0 ab ba\ntile 9 = shadow 0\n"
                                           "shadowrows 2\ntile 8 = shadow 0\ntile 7 = copy 8\ninclude parts/more.part\n"},
                     {"art/parts/more.part", "tile 14 2x1 over 0\n" + Rows(16, "__bb____________c_______________\r ")}},
                    patterns, error)) << error.Text();
  const struct {
    const char* what;
    const ArtSheet& sheet;
    int x, y, width;
    std::string drawn;
  } rows[] = {
      {"frame 0", sprites, 0, 0, 16, "xy.............."},
      {"frame 1 = flipx 0", sprites, 16, 0, 16, "..............yx"},
      {"frame 2 over 0, last row", sprites, 32, 23, 16, "y..............x"},
      {"tile 1 = flipx 0", patterns, 16, 0, 16, "..............ba"},
      {"tile 16 = flipy 0, first row", patterns, 0, 16, 16, "c..............."},
      {"tile 2 = recolour 0 ab ba", patterns, 32, 0, 16, "ba.............."},
      {"tile 8 = shadow 0", patterns, 128, 0, 16, "bcaaaaaaaaaaaaaa"},
      {"tile 8, the dithered row", patterns, 128, 2, 16, "babababababababa"},
      {"tile 9 = shadow 0, the dithered row", patterns, 144, 5, 16, "abababababababab"},
      {"tile 7 = copy 8, its right neighbour", patterns, 112, 0, 16, "bcaaaaaaaaaaaaaa"},
      {"tiles 14 and 15 over 0, the last of the row", patterns, 224, 0, 32, "abbb............cb.............."},
  };
  for (const auto& row : rows) EXPECT_EQ(Drawn(row.sheet, row.x, row.y, row.width), row.drawn) << row.what;
  EXPECT_TRUE(patterns.drawn[15]);
  EXPECT_FALSE(patterns.drawn[6]);
  EXPECT_EQ(ScaleImage(sprites.ToImage(), 2).At(3, 1), (Rgb{47, 255, 111}));
}

TEST(ArtSource, MalformedSourcesNameFileAndLine) {
  const struct {
    std::string text, includeName, includeText, expected;
  } rows[] = {
      {kHead + "tile 0\naaaaaaaaaaaaaaaa\naaaaaaaaaaaaaaa\n", "", "", "art/sheet.art:8: row 2 of tile 0 has 15 pixels, expected 16"},
      {kHead + "tile 3\n" + Rows(15, "aaaaaaaaaaaaaaaa"), "", "", "art/sheet.art:6: tile 3 ends after 15 of 16 rows"},
      {kHead + "tile 0\n" + Rows(16, "aaaaaaaaaaaaaaaa") + "tile 0 = copy 1\n", "", "", "art/sheet.art:23: tile 0 is drawn twice"},
      {kHead + "tile 1 = flipx 0\n", "", "", "art/sheet.art:6: tile 0 is not drawn yet"},
      {kHead + "tile 1 = flipx 127\n", "", "", "art/sheet.art:6: tile 127 is not drawn yet"},
      {kHead + "tile 1 = flipx 128\n", "", "", "art/sheet.art:6: '128' is not a tile number"},
      {kHead + "tile 15 2x1\n", "", "", "art/sheet.art:6: the block runs off the sheet"},
      {kHead + "colour 4 . 1 1 1\n", "", "", "art/sheet.art:6: character '.' already names a colour"},
      {"sheet tile big\n", "", "", "art/sheet.art:1: expected 'sheet pattern NAME' or 'sheet sprite NAME'"},
      {kHead + "sheet pattern again\n", "", "", "art/sheet.art:6: 'sheet' may only open the main file, once"},
      {"sheet pattern Big\n", "", "", "art/sheet.art:1: sheet names use a-z, 0-9, '_' and '-' only (they name files)"},
      {"# a comment\n", "", "", "art/sheet.art: no 'sheet' line: the file does not say what it draws"},
      {kHead + "include inc.part\n", "art/inc.part", "\n\ntile 0\nshort\n", "art/inc.part:4: row 1 of tile 0 has 5 pixels, expected 16"},
      {kHead + "include loop.part\n", "art/loop.part", "include loop.part\n",
       "art/loop.part:1: includes nested too deeply (an include loop?)"},
  };
  for (const auto& row : rows) {
    ArtSheet sheet;
    SourceError error;
    EXPECT_FALSE(Parse({{"art/sheet.art", row.text}, {row.includeName, row.includeText}}, sheet, error));
    EXPECT_EQ(error.Text(), row.expected);
  }
}

TEST(LevelSource, BuildsTheLevelsFromTheirMaps) {
  const std::string first =
      "level 1\n# the first\npatterns dungeon\ngoal collect-destroy\nmusic 2\ntime 0:15\nenemies bat slime 2\nfloor 0\nkey x 16\n"
      "map\n#################\n#@::x..........G#\n#::S...........u#\n#.:E:...<...*..1#\n#...............#\n"
      "#.......2.......#\n#...............#\n#...............#\n#...+...........#\n#...............#\n"
      "#...........>...#\n#...............#\n#################\nplayer left\n"
      "enemy 1 up type 3 ai 1 speed fast\nenemy 2 right type 1 ai 0 speed normal\n";
  LevelSet levels;
  SourceError error;
  ASSERT_TRUE(ParseLevels(kKeys + first + Levels(2, 10), levels, error)) << error.Text();
  const Level& level = levels[0];
  EXPECT_EQ(level.GetPatternSet(), 4);  // dungeon, the second
  EXPECT_EQ(level.GetGoal(), 3);
  EXPECT_EQ(level.GetMusic(), 2);
  EXPECT_EQ(level.GetEnemyType(0), 3);  // bat, the third enemy set
  EXPECT_EQ(level.GetEnemyType(1), 1);
  EXPECT_EQ(level.GetEnemyType(2), 2);  // given by its number
  EXPECT_STREQ(level.GetTime(), "0:15");
  const struct {
    int row, column, cell, floor;
  } cells[] = {
      {0, 0, 64, 0},               // a common key: a wall on the level's floor
      {1, 4, 16, 8},               // the level's own key, past the floors: on what most neighbours show, shadowed
      {1, 15, 175, 8},             // the second kind of wall hiding a gem
      {2, 3, 146, 3},              // the first kind hiding an item
      {2, 15, kCellDestroyable, 8},  // on 0 in the shadow of the wall above
      {3, 12, kCellGem, 0},
      {3, 8, 176, 0},              // the start of teleport 1
      {10, 12, 177, 0},            // its end
      {1, 2, 11, 11},              // pattern 3 in the shadow of the wall above
      {1, 1, 11, 11},              // the player's cell shows its floor
      {3, 3, 139, 11},             // the exit on its floor
  };
  for (const auto& c : cells) {
    EXPECT_EQ(level.GetCell(c.row * kGridColumns + c.column), c.cell) << c.row << "," << c.column;
    EXPECT_EQ(level.GetFloor(c.row * kGridColumns + c.column), c.floor) << c.row << "," << c.column;
  }
  EXPECT_EQ(level.GetActor(0), Actor(8, 16, 7, 0, 0, 4));  // x = 16 * column - 8, y = 16 * row
  EXPECT_EQ(level.GetActor(1), Actor(232, 48, 1, 72, 6, 8));
  EXPECT_EQ(level.GetActor(2), Actor(120, 80, 3, 24, 5, 4));
  EXPECT_EQ(level.GetActor(3), ActorRecord());
  EXPECT_EQ(levels[9].GetPatternSet(), 3);
  EXPECT_EQ(levels[9].GetCell(6 * kGridColumns + 8), kCellExitOnFloor);
}

TEST(LevelSource, MistakesAreReportedWithTheirLine) {
  const std::string rest = Levels(2, 10);
  const std::pair<std::string, std::string> rows[] = {
      {kKeys + LevelText(1, "#@.............#") + rest, "levels.txt:16: map row 2 has 16 cells, expected 17"},
      {kKeys + LevelText(1, "@...............#") + rest, "levels.txt:16: actors stand in columns 2..16 and rows 2..13 of the map"},
      {kKeys + LevelText(1, "#@<.............#") + rest, "levels.txt:14: level 1: teleport 1 needs exactly one start and one end"},
      {kKeys + Levels(1, 9), "levels.txt: holds 9 levels; a level set has 10"},
      {kKeys + Levels(1, 9) + "level 10\n", "levels.txt:165: level 10 has no 'patterns' line"},  // the last level
      {kKeys + "level 1\ntime 0:14\n", "levels.txt:13: expected 'time M:SS' between 0:15 and 9:59"},
      {kKeys + "level 1\nenemies dragon bat slime\n", "levels.txt:13: no enemy set 'dragon' in resources.ini"},
      {kKeys + "key 5 3\n", "levels.txt:12: '5' marks an actor on the map and cannot be a key"},
      {kKeys + "level 1\nmusic 3\n", "levels.txt:13: expected 'music N' with N 0..2 (the songs of resources.ini)"},
      {kKeys + "level 1\npatterns castle\n", "levels.txt:13: no pattern set 'castle' in resources.ini"},
      {kKeys + "level 1\nmap\n#################\n", "levels.txt:13: the map ends after 1 of 13 rows"},
  };
  for (const auto& [text, expected] : rows) {
    LevelSet levels;
    SourceError error;
    EXPECT_FALSE(ParseLevels(text, levels, error)) << expected;
    EXPECT_EQ(error.Text(), expected);
  }
}

TEST(ResourceList, OurOwnCatalogueIsReadStrictly) {
  ResourceList list;
  SourceError error;
  EXPECT_TRUE(ParseResourceList("r.ini", "[Song Names]\r\n" + std::string(99, 's') + "\r\n", list, error));
  const std::pair<std::string, std::string> rows[] = {
      {std::string(100, 's') + "\r\n", "r.ini:2: longer than 99 characters"},
      {"One\nTwo\r\n", "r.ini:2: lines end in CR LF in this file (the game reads it so)"},
  };
  for (const auto& [songs, expected] : rows) {
    EXPECT_FALSE(ParseResourceList("r.ini", "[Song Names]\r\n" + songs, list, error));
    EXPECT_EQ(error.Text(), expected);
  }
}

TEST(LevelPreview, ASpriteCoversOnlyWhereItIsDrawn) {
  ArtSheet patterns, player;
  SourceError error;
  ASSERT_TRUE(Parse({{"art/sheet.art", kHead + "tile 0\n" + Rows(16, "bbbbbbbbbbbbbbbb")}}, patterns, error));
  const std::string frame = Rows(24, "x...............");
  ASSERT_TRUE(Parse({{"art/sheet.art", kSprites + "frame 0\n" + frame + "frame 4\n" + frame}}, player, error));
  Level level;  // every cell tile 0
  level.GetActor(0).Set(8, 16, 3, 0, 0, 4);  // facing right: frames 4 to 7
  level.GetActor(1).Set(40, 16, 1, 24, 5, 4);  // an enemy of sprite set 1 facing up: frame 0
  const Image preview = PreviewLevel(level, patterns, player, {&player});
  EXPECT_EQ(preview.At(40, 8), (Rgb{255, 0, 0}));
  EXPECT_EQ(preview.At(8, 8), (Rgb{255, 0, 0}));  // the sprite from 8 above its cell
  EXPECT_EQ(preview.At(9, 8), (Rgb{0, 255, 0}));  // the tile where the sprite has colour 0
  EXPECT_EQ(preview.At(8, 32), (Rgb{0, 255, 0}));  // the cell below, where the sprite ends
}
