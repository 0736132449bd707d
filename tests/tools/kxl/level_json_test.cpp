#include "level/level_json.h"

#include <gtest/gtest.h>

#include <cstring>

#include "level/level_file.h"

namespace {

// A grid row of 17 zeros but for its last value.
std::string GridRowEndingIn(int last) {
  std::string row = "[";
  for (int i = 0; i < kGridColumns - 1; ++i) row += "0, ";
  return row + std::to_string(last) + "]";
}

}  // namespace

TEST(LevelJson, TheFormAndWhatImportRefuses) {
  LevelSet levels;
  levels[0].SetCell(0, 'A');  // a plain character right after the time
  std::memcpy(levels[2].GetTime(), " ~:", 4);  // the lowest and highest plain characters, then a terminator
  std::memcpy(levels[3].GetTime(), "1:3\x7f", 4);  // not all text: the four bytes
  const std::string good = ExportLevelSetJson(EncodeLevelSet(levels), nullptr);
  const char* parts[] = {
      "{\n  \"format\": \"kxl-json\",\n  \"version\": 1,\n  \"levels\": [\n    {\n      \"level\": 1,\n",
      "\"goal\": {\"number\": 0, \"name\": \"Kill enemies\"},\n",
      "\"time\": \" ~:\",\n",
      "\"time\": [49, 58, 51, 127],\n",
      "\"cells\": [\n        [65, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0],\n",
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
  const std::string song = "\"song\": {\"number\": 0}", zeros = GridRowEndingIn(0), floors = "\"floors\": [\n        ";
  const struct {
    std::string text, place, reason;
  } rows[] = {
      {replaced("\"kxl-json\"", "\"kxl\""), "/format", "is not \"kxl-json\""},
      {replaced("\"level\": 4,\n      \"goal\"", "\"level\": 4,\n      \"gaol\""), "/levels/3/gaol",
       "is not a field of this form"},
      {replaced(song + ",\n      ", ""), "/levels/0", "has no field \"song\""},
      {replaced(song, "\"song\": {\"number\": 1e999}"), "line 9, column 26", "number overflow parsing '1e999'"},
      {replaced("\"time\": \"2:00\"", "\"time\": \"2:0\\u001f\""), "/levels/0/time",
       "holds a character that is not plain text"},
      {replaced(floors + zeros, floors + GridRowEndingIn(16)), "/levels/0/floors/0/16", "16 is outside 0..15"},
      {replaced(zeros + "\n      ]\n    }", GridRowEndingIn(1) + "\n      ]\n    }"), "/levels/0/floors/12/16",
       "must be 0: the file keeps no floor for the last cell"},
  };
  for (const auto& row : rows) {
    std::vector<uint8_t> file = {1, 2, 3};
    EXPECT_FALSE(ImportLevelSetJson(row.text, file, error)) << row.reason;
    EXPECT_EQ(error.place, row.place) << row.reason;
    EXPECT_EQ(error.reason, row.reason);
    EXPECT_EQ(file, (std::vector<uint8_t>{1, 2, 3}));  // untouched on failure
  }
}
