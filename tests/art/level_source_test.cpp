#include "level_source.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "level/level_file.h"
#include "resource_list.h"

namespace {

ResourceList Resources() {
  ResourceList list;
  SourceError error;
  const std::string text =
      "[Enemy Resources]\r\nslime.ge5,Slime\r\nrobot.ge5,Robot\r\nbat.ge5,Bat\r\n\r\n"
      "[Level Resources]\r\ngarden.ge5,Garden\r\ndungeon.ge5,Dungeon\r\n"
      "[Song Names]\r\nOne\r\nTwo\r\nThree\r\n[AI Types]\r\nA\r\nB\r\n";
  EXPECT_TRUE(ParseResourceList("resources.ini", text, list, error)) << error.Text();
  return list;
}

const char kPlainMap[] =
    "map\n"
    "#################\n"
    "#@..............#\n"
    "#...............#\n"
    "#...............#\n"
    "#...............#\n"
    "#...............#\n"
    "#.......E.......#\n"
    "#...............#\n"
    "#...............#\n"
    "#...............#\n"
    "#...............#\n"
    "#...............#\n"
    "#################\n"
    "player down\n";

std::string PlainLevel(int number) {
  return "level " + std::to_string(number) + "\npatterns garden\n" + kPlainMap;
}

std::string PlainLevels(int from, int to) {
  std::string text;
  for (int n = from; n <= to; ++n) text += PlainLevel(n);
  return text;
}

const char kKeys[] =
    "key . 0\nkey : 3\nkey # 64\nkey + wall1\nkey S wall1 speed-up\nkey G wall2 gem\n"
    "key E exit\nkey < start 1\nkey > end 1\nkey * gem\nkey u destroyable\n";

SourceError Failure(const std::string& text) {
  LevelSet levels;
  SourceError error;
  EXPECT_FALSE(ParseLevelSource("levels.txt", text, Resources(), levels, error)) << text;
  return error;
}

}  // namespace

TEST(LevelSource, BuildsTheLevelsFromTheirMaps) {
  const std::string first =
      "level 1\n"
      "patterns dungeon\n"
      "goal collect-destroy\n"
      "music 2\n"
      "time 4:05\n"
      "enemies bat slime 2\n"
      "floor 0\n"
      "key x 70\n"
      "map\n"
      "#################\n"
      "#@::x..........G#\n"
      "#::S...........u#\n"
      "#.:E:...<...*..1#\n"
      "#...............#\n"
      "#.......2.......#\n"
      "#...............#\n"
      "#...............#\n"
      "#...+...........#\n"
      "#...............#\n"
      "#...........>...#\n"
      "#...............#\n"
      "#################\n"
      "player left\n"
      "enemy 1 up type 3 ai 1 speed fast\n"
      "enemy 2 right type 1 ai 0 speed normal\n";
  LevelSet levels;
  SourceError error;
  ASSERT_TRUE(ParseLevelSource("levels.txt", std::string(kKeys) + first + PlainLevels(2, 10),
                               Resources(), levels, error))
      << error.Text();
  const Level& level = levels[0];
  EXPECT_EQ(level.GetPatternSet(), 4);  // the second pattern set
  EXPECT_EQ(level.GetGoal(), 3);
  EXPECT_EQ(level.GetMusic(), 2);
  EXPECT_STREQ(level.GetTime(), "4:05");
  EXPECT_EQ(level.GetEnemyType(0), 3);  // bat, the third enemy set
  EXPECT_EQ(level.GetEnemyType(1), 1);
  EXPECT_EQ(level.GetEnemyType(2), 2);

  auto cell = [&](int row, int col) { return level.GetCell(row * 17 + col); };
  auto floor = [&](int row, int col) { return level.GetFloor(row * 17 + col); };
  EXPECT_EQ(cell(0, 0), 64);
  EXPECT_EQ(cell(1, 4), 70);                 // a level's own key
  EXPECT_EQ(cell(1, 15), 160 + 15);          // a second-kind wall hiding the gem
  EXPECT_EQ(cell(2, 3), 144 + 2);            // a first-kind wall hiding speed-up
  EXPECT_EQ(cell(2, 15), 52);
  EXPECT_EQ(cell(3, 12), 31);
  EXPECT_EQ(cell(3, 8), 176);
  EXPECT_EQ(cell(10, 12), 177);
  // Shadows: the path below a wall row is shadowed, in both layers.
  EXPECT_EQ(cell(1, 2), 3 + 8);
  EXPECT_EQ(floor(1, 2), 3 + 8);
  EXPECT_EQ(cell(9, 4), 8);                  // below the wall at row 8
  EXPECT_EQ(cell(2, 1), 3);
  // Floors under things follow their neighbours: the speed-up wall and the
  // exit stand on the path, the wall in the lawn on lawn.
  EXPECT_EQ(floor(2, 3), 3);
  EXPECT_EQ(cell(3, 3), 128 + 3 + 8);       // shadowed by the wall above
  EXPECT_EQ(level.FindExit(), 3 * 17 + 3);
  EXPECT_EQ(floor(8, 4), 0);
  EXPECT_EQ(floor(1, 4), 0 + 8);             // more lawn than path around it
  // The player stands on the path it was drawn on.
  EXPECT_EQ(cell(1, 1), 3 + 8);
  // Actors: x = 16 * column - 8, y = 16 * row.
  const auto actor = [&level](int i) {
    const ActorRecord& a = level.GetActor(i);
    return std::vector<int>{a.x(), a.y(), a.direction(), a.typeCode(), a.aiType(), a.speed()};
  };
  EXPECT_EQ(actor(0), (std::vector<int>{8, 16, 7, 0, 0, 4}));
  EXPECT_EQ(actor(1), (std::vector<int>{232, 48, 1, 72, 6, 8}));
  EXPECT_EQ(actor(2), (std::vector<int>{120, 80, 3, 24, 5, 4}));
  EXPECT_FALSE(level.GetActor(3).IsPlaced());

  // The rest take the defaults, and the whole set saves in the current form.
  EXPECT_EQ(levels[9].GetPatternSet(), 3);
  EXPECT_STREQ(levels[9].GetTime(), "2:00");
  EXPECT_EQ(levels[9].GetCell(6 * 17 + 8), 128);
  EXPECT_EQ(EncodeLevelSet(levels).size(), 3770u);
}

TEST(LevelSource, MistakesAreReportedWithTheirLine) {
  const std::string keys = kKeys;  // 11 lines
  std::string text = keys + PlainLevel(1);
  text.replace(text.find("#@......"), 17, "#@.............#");
  SourceError e = Failure(text + PlainLevels(2, 10));
  EXPECT_EQ(e.Text(), "levels.txt:16: map row 2 has 16 cells, expected 17");

  text = keys + PlainLevel(1);
  text.replace(text.find("#@......"), 3, "#@q");
  e = Failure(text + PlainLevels(2, 10));
  EXPECT_EQ(e.Text(), "levels.txt:16: no key for map character 'q'");

  text = keys + PlainLevel(1);
  text.replace(text.find("#.......E") + 8, 1, ".");
  e = Failure(text + PlainLevels(2, 10));
  EXPECT_EQ(e.line, 14);
  EXPECT_NE(e.message.find("exactly one exit"), std::string::npos);

  text = keys + PlainLevel(1);
  text.replace(text.find("#@."), 3, "#@<");
  e = Failure(text + PlainLevels(2, 10));
  EXPECT_NE(e.message.find("teleport 1 needs exactly one start and one end"), std::string::npos);

  text = keys + PlainLevel(1);
  text.replace(text.find("#@."), 3, "#@3");
  e = Failure(text + PlainLevels(2, 10));
  EXPECT_EQ(e.Text(), "levels.txt:16: enemy 3 is on the map but has no 'enemy' line");

  e = Failure(keys + PlainLevel(1) + "enemy 2 up type 1 ai 0 speed slow\n" + PlainLevels(2, 10));
  EXPECT_EQ(e.line, 29);
  EXPECT_NE(e.message.find("not on the map"), std::string::npos);

  e = Failure(keys + PlainLevel(1) + "enemy 2 up type 4 ai 0 speed slow\n" + PlainLevels(2, 10));
  EXPECT_EQ(e.line, 29);

  e = Failure(keys + PlainLevel(1) + "enemy 2 up type 1 ai 2 speed slow\n");  // two AI types only
  EXPECT_EQ(e.line, 29);

  e = Failure(keys + PlainLevels(1, 9));
  EXPECT_EQ(e.Text(), "levels.txt: holds 9 levels; a level set has 10");

  e = Failure(keys + PlainLevel(2));
  EXPECT_EQ(e.line, 12);
  EXPECT_NE(e.message.find("expected level 1"), std::string::npos);

  e = Failure(keys + "level 1\npatterns castle\n");
  EXPECT_EQ(e.Text(), "levels.txt:13: no pattern set 'castle' in resources.ini");

  e = Failure(keys + "level 1\ntime 0:10\n");
  EXPECT_EQ(e.line, 13);
  e = Failure(keys + "level 1\ntime 10:00\n");
  EXPECT_EQ(e.line, 13);
  e = Failure(keys + "level 1\nmusic 3\n");  // three songs: 0..2
  EXPECT_EQ(e.line, 13);

  e = Failure(keys + "level 1\nmap\n#################\n");
  EXPECT_EQ(e.Text(), "levels.txt:13: the map ends after 1 of 13 rows");

  e = Failure("key @ 0\n");
  EXPECT_EQ(e.line, 1);
  e = Failure("key x wall1 wall2\n");
  EXPECT_EQ(e.line, 1);
  e = Failure("key x start 9\n");
  EXPECT_EQ(e.line, 1);

  text = keys + PlainLevel(1);
  text.replace(text.find("#@."), 3, "@#.");
  e = Failure(text + PlainLevels(2, 10));
  EXPECT_EQ(e.line, 16);
  EXPECT_NE(e.message.find("actors stand"), std::string::npos);
}

TEST(ResourceList, ReadsOurCatalogueStrictly) {
  const ResourceList list = Resources();
  ASSERT_EQ(list.enemySets.size(), 3u);
  EXPECT_EQ(list.enemySets[2].file, "bat.ge5");
  EXPECT_EQ(list.enemySets[2].name, "Bat");
  EXPECT_EQ(ResourceBaseName(list.patternSets[1]), "dungeon");
  EXPECT_EQ(list.songs.size(), 3u);
  EXPECT_EQ(list.aiTypes.size(), 2u);

  ResourceList other;
  SourceError error;
  // Entries before any header belong to the enemies; names keep further commas.
  ASSERT_TRUE(ParseResourceList("r.ini", "a.ge5,Odd, name\r\n", other, error));
  EXPECT_EQ(other.enemySets[0].name, "Odd, name");

  EXPECT_FALSE(ParseResourceList("r.ini", "[Song Names]\r\nOne\nTwo\r\n", other, error));
  EXPECT_EQ(error.Text(), "r.ini:2: lines end in CR LF in this file (the game reads it so)");
  EXPECT_FALSE(ParseResourceList("r.ini", "[Song Names]\r\nOne", other, error));
  EXPECT_EQ(error.line, 2);
  EXPECT_FALSE(ParseResourceList("r.ini", "[Level Resources]\r\ngarden.ge5\r\n", other, error));
  EXPECT_EQ(error.line, 2);
  EXPECT_FALSE(ParseResourceList("r.ini", "x.ge5," + std::string(64, 'n') + "\r\n", other, error));
  EXPECT_EQ(error.line, 1);
  EXPECT_FALSE(ParseResourceList("r.ini", "[AI Types]\r\n" + std::string(100, 'a') + "\r\n", other, error));
  EXPECT_EQ(error.line, 2);
}
