#include "level/level_json.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "kxl_commands.h"
#include "level/level_file.h"
#include "support/level_bytes.h"
#include "support/temp_dir.h"

namespace {

// A grid row of 17 zeros but for its last value.
std::string GridRowEndingIn(int last) {
  std::string row = "[";
  for (int i = 0; i < kGridColumns - 1; ++i) row += "0, ";
  return row + std::to_string(last) + "]";
}

}  // namespace

TEST(LevelJson, RandomFilesComeBackByteForByte) {
  std::mt19937 random(7);
  for (int n = 0; n < 20; ++n) {
    std::vector<uint8_t> file(kLevelSetBytes), back;
    for (uint8_t& b : file) b = static_cast<uint8_t>(random());
    // The four time bytes as plain text, with terminators or without.
    const uint8_t times[][4] = {{'1', ':', '3', 0}, {'1', ':', 0, 0}, {' ', '~', ':', '~'}};
    if (n % 2) std::memcpy(&file[6], times[n / 2 % 3], sizeof times[0]);
    JsonImportError error;
    ASSERT_TRUE(ImportLevelSetJson(ExportLevelSetJson(file, nullptr), back, error)) << error.place << error.reason;
    ASSERT_EQ(back, file) << "file " << n;
  }
}

TEST(LevelJson, TheFormAndWhatImportRefuses) {
  LevelSet levels;
  levels[0].SetCell(16, 200);
  std::memcpy(levels[2].GetTime(), " ~:~", 4);
  const std::string good = ExportLevelSetJson(EncodeLevelSet(levels), nullptr);
  const char* parts[] = {
      "{\n  \"format\": \"kxl-json\",\n  \"version\": 1,\n  \"levels\": [\n    {\n      \"level\": 1,\n",
      "\"goal\": {\"number\": 0, \"name\": \"Kill enemies\"},\n",
      "\"patternSet\": {\"number\": 3},\n",
      "\"time\": \"2:00\",\n",
      "\"time\": \" ~:~\",\n",
      "\"cells\": [\n        [0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 200],\n",
      "\"player\": {\"x\": 0, \"y\": 0, \"direction\": 5, \"typeCode\": 24, \"aiType\": 5, \"speed\": 2}",
  };
  for (const char* part : parts) EXPECT_NE(good.find(part), std::string::npos) << part;
  std::vector<uint8_t> imported;
  JsonImportError error;
  ASSERT_TRUE(ImportLevelSetJson(good, imported, error));
  EXPECT_EQ(imported, EncodeLevelSet(levels));

  const auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    return text.replace(text.find(from), from.size(), to);
  };
  const std::string song = "\"song\": {\"number\": 0}", time = "\"time\": \"2:00\"";
  const std::string zeros = GridRowEndingIn(0), floors = "\"floors\": [\n        " + zeros;
  const std::pair<std::string, std::string> rows[] = {
      {"{\n  \"format\": \"kxl-json\",\n  oops",
       "line 3, column 3 syntax error while parsing object key - invalid literal; last read: '\"kxl-json\",<U+000A>  o'; "
       "expected string literal"},
      {replaced("\"kxl-json\"", "\"kxl\""), "/format is not \"kxl-json\""},
      {replaced("\"version\": 1", "\"version\": 2"), "/version is not 1"},
      {replaced("\"version\": 1", "\"version\": 1, \"extra\": 2"), "/extra is not a field of this form"},
      {replaced("\"level\": 4,\n      \"goal\"", "\"level\": 4,\n      \"gaol\""), "/levels/3/gaol is not a field of this form"},
      {replaced(song + ",\n      ", ""), "/levels/0 has no field \"song\""},
      {replaced("\"level\": 2,", "\"level\": 3,"), "/levels/1/level is not 2"},
      {replaced(song, "\"song\": {\"number\": 256}"), "/levels/0/song/number 256 is outside 0..255"},
      {replaced(song, "\"song\": {\"number\": -1}"), "/levels/0/song/number -1 is outside 0..255"},
      {replaced(song, "\"song\": {\"number\": 1.5}"), "/levels/0/song/number is not a whole number in 0..255"},
      {replaced(song, "\"song\": {\"number\": 1e999}"), "line 9, column 26 number overflow parsing '1e999'"},
      {replaced(song, "\"song\": {\"number\": 10e10210}"), "line 9, column 26 number overflow parsing '10e10210'"},
      {replaced(time, "\"time\": \"12:00\""), "/levels/0/time is longer than the four places of a time"},
      {replaced(time, "\"time\": \"2:0\\u001f\""), "/levels/0/time holds a character that is not plain text"},
      {replaced(time, "\"time\": \"2:0\\u007f\""), "/levels/0/time holds a character that is not plain text"},
      {replaced(time, "\"time\": [1, 2, 3]"), "/levels/0/time is not a list of 4"},
      {replaced(zeros + ",\n", "[0, 0],\n"), "/levels/0/cells/1 is not a list of 17"},
      {replaced("\"enemies\": [\n", "\"enemies\": [\n        {\"x\": 0},\n"), "/levels/0/enemies is not a list of 5"},
      {replaced(floors, "\"floors\": [\n        " + GridRowEndingIn(16)), "/levels/0/floors/0/16 16 is outside 0..15"},
      {replaced(zeros + "\n      ]\n    }", GridRowEndingIn(1) + "\n      ]\n    }"),
       "/levels/0/floors/12/16 must be 0: the file keeps no floor for the last cell"},
  };
  for (const auto& [text, expected] : rows) {
    std::vector<uint8_t> file = {1, 2, 3};
    EXPECT_FALSE(ImportLevelSetJson(text, file, error)) << expected;
    EXPECT_EQ(error.place + " " + error.reason, expected);
    EXPECT_EQ(file, (std::vector<uint8_t>{1, 2, 3}));  // untouched on failure
  }
}

TEST(LevelJson, ExportAndImportOfFiles) {
  TempDir dir;
  // A current set keeps its bytes as they are (a pattern-set byte 0, an exit byte 17);
  // an old set is exported in its current form.
  std::vector<uint8_t> current = EncodeLevelSet(LevelSet());
  current[1] = 0;
  current[10] = kCellExit;
  WriteBytes(dir.Path("current.kxl"), current);
  const std::vector<uint8_t> old = OldFormSet(OldFormLevel(3, {32, 9}));
  WriteBytes(dir.Path("old.kxl"), old);
  LevelSet upgraded;
  ASSERT_TRUE(DecodeLevelSet(old.data(), old.size(), upgraded));
  const std::pair<std::string, std::vector<uint8_t>> rows[] = {{"current", current}, {"old", EncodeLevelSet(upgraded)}};
  for (const auto& [name, expected] : rows) {
    ASSERT_EQ(RunExport({dir.Path(name + ".kxl"), dir.Path(name + ".json")}), 0);
    ASSERT_EQ(RunImport({dir.Path(name + ".json"), dir.Path(name + ".back")}), 0);
    EXPECT_EQ(ReadBytes(dir.Path(name + ".back")), expected) << name;
  }
  // Names from resources.ini beside the set, or in the folder given.
  std::filesystem::create_directories(dir.Path("other"));
  WriteText(dir.Path("resources.ini"),
            "[Enemy Resources]\r\nslime.ge5,Slime\r\n[Level Resources]\r\ngarden.ge5,Garden\r\n[Song Names]\r\nOne\r\n");
  WriteText(dir.Path("other/resources.ini"), "[Level Resources]\r\ncastle.ge5,Castle\r\n");
  ASSERT_EQ(RunExport({dir.Path("old.kxl"), dir.Path("named.json")}), 0);
  ASSERT_EQ(RunExport({dir.Path("old.kxl"), dir.Path("other.json"), "--program-dir", dir.Path("other")}), 0);
  EXPECT_NE(ReadText(dir.Path("named.json")).find("\"patternSet\": {\"number\": 3, \"name\": \"Garden\"},\n      \"song\": "
                                                  "{\"number\": 0, \"name\": \"One\"},\n      \"enemyTypes\": "
                                                  "[{\"number\": 1, \"name\": \"Slime\"}, {\"number\": 2}, {\"number\": 3}]"),
            std::string::npos);
  EXPECT_NE(ReadText(dir.Path("other.json")).find("\"patternSet\": {\"number\": 3, \"name\": \"Castle\"},\n      \"song\": "
                                                  "{\"number\": 0},"),
            std::string::npos);
}
