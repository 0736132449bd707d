#include "art_source.h"

#include <gtest/gtest.h>

#include <map>

#include "level/level_file.h"
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
    return found != files.end() && (text = found->second, true);
  }, sheet, error);
}

const std::string kHead = "sheet pattern test\ncolour 0 . 0 0 0\ncolour 1 a 7 0 0\ncolour 2 b 0 7 0\ncolour 3 c 0 0 7\n";

ResourceList Resources() {
  ResourceList list;
  SourceError error;
  EXPECT_TRUE(ParseResourceList("resources.ini",
                                "[Enemy Resources]\r\nslime.ge5,Slime\r\nrobot.ge5,Robot\r\nbat.ge5,Bat\r\n\r\n"
                                "[Level Resources]\r\ngarden.ge5,Garden\r\ndungeon.ge5,Dungeon\r\n"
                                "[Song Names]\r\nOne\r\nTwo\r\nThree\r\n[AI Types]\r\nA\r\nB\r\n",
                                list, error)) << error.Text();
  return list;
}

const std::string kKeys = "key . 0\nkey : 3\nkey # 64\nkey + wall1\nkey S wall1 speed-up\nkey G wall2 gem\n"
                          "key E exit\nkey < start 1\nkey > end 1\nkey * gem\nkey u destroyable\n";  // 11 lines

std::string LevelText(int number, const std::string& settings = "patterns garden\n", std::string row1 = "#@..............#",
                  const std::string& after = "") {
  return "level " + std::to_string(number) + "\n" + settings + "map\n#################\n" + row1 + "\n" +
         Rows(4, "#...............#") + "#.......E.......#\n" + Rows(5, "#...............#") + "#################\n" +
         "player down\n" + after;
}
std::string Levels(int from, int to) {
  std::string text;
  for (int n = from; n <= to; ++n) text += LevelText(n);
  return text;
}

}  // namespace

TEST(ArtSource, SpriteSheetBytesAndDerivedTiles) {
  ArtSheet sheet;
  SourceError error;
  ASSERT_TRUE(Parse({{"art/sheet.art", "sheet sprite tiny\ncolour 0 . 0 0 0\ncolour 1 x 7 0 0\ncolour 2 y 1 7 3\n"
                                       "frame 0\nxy..............\n" + Rows(22, "................") +
                                       "...............x\nframe 1 = flipx 0\nframe 2 over 0\n" +
                                       Rows(23, "________________") + "y_______________\n"}},
                    sheet, error)) << error.Text();
  EXPECT_EQ(sheet.name, "tiny");
  const std::vector<uint8_t> bytes = EncodeGe5(sheet.Picture());
  ASSERT_EQ(bytes.size(), 30375u);
  const std::pair<size_t, uint8_t> at[] = {
      {0, 0xFE}, {7, 0x12}, {8, 0x00}, {7 + 15, 0x21}, {7 + 16, 0x12},  // frame 1 the mirror of frame 0
      {7 + 128 * 23 + 7, 0x01}, {7 + 128 * 23 + 8, 0x10}, {7 + 128 * 23 + 16, 0x20}, {7 + 128 * 23 + 23, 0x01},
      {7 + 128 * 24, 0}, {30342, 0}, {30343 + 2, 0x70}, {30343 + 3, 0x00}, {30343 + 4, 0x13}, {30343 + 5, 0x07}};
  for (const auto& [offset, value] : at) EXPECT_EQ(bytes[offset], value) << offset;
  const Image image = sheet.ToImage();  // colour 0 of a sprite sheet black, as the editor shows it
  EXPECT_EQ(image.Height(), 24);
  EXPECT_EQ(image.At(1, 0), (Rgb{47, 255, 111}));
  EXPECT_EQ(ScaleImage(image, 2).At(3, 1), (Rgb{47, 255, 111}));

  ASSERT_TRUE(Parse({{"art/sheet.art", kHead + "shade ab bc\nshadowrows 2\ntile 0\nab..............\n" +
                                           Rows(14, "aaaaaaaaaaaaaaaa") + "c...............\ntile 1 = flipx 0\n"
                                           "tile 16 = flipy 0\ntile 2 = recolour 0 ab ba\ntile 8 = shadow 0\n"
                                           "include parts/more.part\n"},
                     {"art/parts/more.part", "tile 4 2x1 over 0\n" + Rows(16, "__bb____________c_______________")}},
                    sheet, error)) << error.Text();
  const int pixels[][3] = {{0, 0, 1},    {1, 0, 2},   {0, 15, 3},  {31, 0, 1},   {30, 0, 2},  {31, 15, 3},
                           {0, 31, 1},   {0, 16, 3},  {32, 0, 2},  {33, 0, 1},   {32, 15, 3}, {128, 0, 2},
                           {129, 0, 3},  {128, 1, 2}, {128, 2, 2}, {129, 2, 1},  {128, 3, 1}, {64, 0, 1},
                           {66, 0, 2},   {64, 15, 3}, {80, 0, 3},  {81, 0, 2},   {100, 100, 0}};
  for (const auto& p : pixels) EXPECT_EQ(sheet.At(p[0], p[1]), p[2]) << p[0] << "," << p[1];
  EXPECT_EQ(std::vector<bool>(sheet.drawn.begin() + 4, sheet.drawn.begin() + 7), (std::vector<bool>{true, true, false}));
}

TEST(ArtSource, MalformedSourcesNameFileAndLine) {
  const std::string tile = "tile 0\n" + Rows(16, "aaaaaaaaaaaaaaaa");
  const struct {
    std::string text, includeName, includeText, expected;
  } rows[] = {
      {kHead + "tile 0\naaaaaaaaaaaaaaaa\naaaaaaaaaaaaaaa\n", "", "", "art/sheet.art:8: row 2 of tile 0 has 15 pixels, expected 16"},
      {kHead + "tile 3\n" + Rows(15, "aaaaaaaaaaaaaaaa"), "", "", "art/sheet.art:6: tile 3 ends after 15 of 16 rows"},
      {kHead + tile + "tile 0 = copy 1\n", "", "", "art/sheet.art:23: tile 0 is drawn twice"},
      {kHead + "tile 1 = flipx 0\n", "", "", "art/sheet.art:6: tile 0 is not drawn yet"},
      {kHead + "tile 15 2x1\n", "", "", "art/sheet.art:6: the block runs off the sheet"},
      {kHead + "frame 0\n", "", "", "art/sheet.art:6: a pattern sheet has tiles, not frames"},
      {kHead + "colour 4 a 1 1 1\n", "", "", "art/sheet.art:6: character 'a' already names a colour"},
      {"colour 0 . 0 0 0\n", "", "", "art/sheet.art:1: 'colour' before the 'sheet' line"},
      {"# a comment\n", "", "", "art/sheet.art: no 'sheet' line: the file does not say what it draws"},
      {kHead + "include inc.part\n", "art/inc.part", "\n\ntile 0\nshort\n", "art/inc.part:4: row 1 of tile 0 has 5 pixels, expected 16"},
      {kHead + "include missing.part\n", "", "", "art/missing.part: cannot read the file"},
  };
  for (const auto& row : rows) {
    ArtSheet sheet;
    SourceError error;
    EXPECT_FALSE(Parse({{"art/sheet.art", row.text}, {row.includeName, row.includeText}}, sheet, error));
    EXPECT_EQ(error.Text(), row.expected);
  }
  ArtSheet sheet;  // a file including itself is stopped, not followed forever
  SourceError error;
  EXPECT_FALSE(Parse({{"art/sheet.art", kHead + "include loop.part\n"}, {"art/loop.part", "include loop.part\n"}}, sheet, error));
  EXPECT_NE(error.Text().find("art/loop.part:1: "), std::string::npos) << error.Text();
}

TEST(LevelSource, BuildsTheLevelsFromTheirMaps) {
  const std::string first =
      "level 1\npatterns dungeon\ngoal collect-destroy\nmusic 2\ntime 4:05\nenemies bat slime 2\nfloor 0\nkey x 70\n"
      "map\n#################\n#@::x..........G#\n#::S...........u#\n#.:E:...<...*..1#\n#...............#\n"
      "#.......2.......#\n#...............#\n#...............#\n#...+...........#\n#...............#\n"
      "#...........>...#\n#...............#\n#################\nplayer left\n"
      "enemy 1 up type 3 ai 1 speed fast\nenemy 2 right type 1 ai 0 speed normal\n";
  LevelSet levels;
  SourceError error;
  ASSERT_TRUE(ParseLevelSource("levels.txt", kKeys + first + Levels(2, 10), Resources(), levels, error))
      << error.Text();
  const Level& level = levels[0];
  EXPECT_EQ(std::vector<int>({level.GetPatternSet(), level.GetGoal(), level.GetMusic(), level.GetEnemyType(0),
                              level.GetEnemyType(1), level.GetEnemyType(2), level.FindExit()}),
            std::vector<int>({4, 3, 2, 3, 1, 2, 3 * 17 + 3}));
  EXPECT_STREQ(level.GetTime(), "4:05");
  // {row, column, cell, floor}: own keys, walls hiding things, shadows below walls, floors from the neighbours.
  const int cells[][4] = {{0, 0, 64, -1},     {1, 4, 70, 8},   {1, 15, 175, -1}, {2, 3, 146, 3}, {2, 15, 52, -1},
                          {3, 12, 31, -1},    {3, 8, 176, -1}, {10, 12, 177, -1}, {1, 2, 11, 11}, {9, 4, 8, -1},
                          {2, 1, 3, -1},      {3, 3, 139, -1}, {8, 4, -1, 0},     {1, 1, 11, -1}};
  for (const auto& c : cells) {
    EXPECT_EQ(c[2] < 0 ? c[2] : level.GetCell(c[0] * 17 + c[1]), c[2]) << c[0] << "," << c[1];
    EXPECT_EQ(c[3] < 0 ? c[3] : level.GetFloor(c[0] * 17 + c[1]), c[3]) << c[0] << "," << c[1];
  }
  std::vector<std::vector<int>> actors;  // x = 16 * column - 8, y = 16 * row
  for (int i = 0; i < 4; ++i) {
    const ActorRecord& a = level.GetActor(i);
    actors.push_back({a.x(), a.y(), a.direction(), a.typeCode(), a.aiType(), a.speed(), a.IsPlaced()});
  }
  EXPECT_EQ(actors, (std::vector<std::vector<int>>{{8, 16, 7, 0, 0, 4, 1}, {232, 48, 1, 72, 6, 8, 1},
                                                   {120, 80, 3, 24, 5, 4, 1}, {0, 0, 5, 24, 5, 2, 0}}));
  EXPECT_EQ(levels[9].GetPatternSet() * 1000 + levels[9].GetCell(6 * 17 + 8), 3128);  // the defaults, the exit
}

TEST(LevelSource, MistakesAreReportedWithTheirLine) {
  const std::string rest = Levels(2, 10), enemy = "enemy 2 up type 1 ai 0 speed slow\n";
  const struct {
    std::string text;
    int line;
    std::string fragment;
  } rows[] = {
      {kKeys + LevelText(1, "patterns garden\n", "#@.............#") + rest, 16, "map row 2 has 16 cells, expected 17"},
      {kKeys + LevelText(1, "patterns garden\n", "#@q.............#") + rest, 16, "no key for map character 'q'"},
      {kKeys + LevelText(1, "patterns garden\n", "#@<.............#") + rest, 0, "teleport 1 needs exactly one start and one end"},
      {kKeys + LevelText(1, "patterns garden\n", "#@3.............#") + rest, 16, "enemy 3 is on the map but has no 'enemy' line"},
      {kKeys + LevelText(1, "patterns garden\n", "#@..............#", enemy) + rest, 29, "not on the map"},
      {kKeys + Levels(1, 9), 0, "holds 9 levels; a level set has 10"},
      {kKeys + LevelText(2), 12, "expected level 1"},
      {kKeys + "level 1\npatterns castle\n", 13, "no pattern set 'castle' in resources.ini"},
      {kKeys + "level 1\nmap\n#################\n", 13, "the map ends after 1 of 13 rows"},
  };
  for (const auto& row : rows) {
    LevelSet levels;
    SourceError error;
    EXPECT_FALSE(ParseLevelSource("levels.txt", row.text, Resources(), levels, error)) << row.text;
    EXPECT_EQ(row.line ? error.line : 0, row.line) << error.Text();
    EXPECT_NE(error.message.find(row.fragment), std::string::npos) << error.Text();
  }
  ResourceList list;
  SourceError error;
  EXPECT_FALSE(ParseResourceList("r.ini", "[Song Names]\r\nOne\nTwo\r\n", list, error));
  EXPECT_EQ(error.Text(), "r.ini:2: lines end in CR LF in this file (the game reads it so)");
}
