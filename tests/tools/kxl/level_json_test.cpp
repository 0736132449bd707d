#include "level_json.h"

#include <gtest/gtest.h>

#include <random>

#include "base/file_layer.h"
#include "kxl_commands.h"
#include "level/level_file.h"
#include "support/level_bytes.h"
#include "support/temp_dir.h"

namespace {

std::vector<uint8_t> RoundTrip(const std::vector<uint8_t>& file) {
  std::vector<uint8_t> back;
  JsonImportError error;
  EXPECT_TRUE(ImportLevelSetJson(ExportLevelSetJson(file, nullptr), back, error))
      << error.place << ": " << error.reason;
  return back;
}

}  // namespace

TEST(LevelJson, EveryFileComesBackByteForByte) {
  std::mt19937 random(7);
  for (int n = 0; n < 40; ++n) {
    std::vector<uint8_t> file(kLevelSetBytes);
    for (uint8_t& b : file) b = static_cast<uint8_t>(random());
    if (n % 2) {  // times that are text, some shorter than four places
      file[6] = '1', file[7] = ':', file[8] = n % 4 ? '3' : 0, file[9] = 0;
    }
    ASSERT_EQ(RoundTrip(file), file) << "file " << n;
  }
  // What people read: names and numbers, a time as text, one row a line.
  LevelSet levels;
  levels[0].SetCell(16, 200);
  const std::string text = ExportLevelSetJson(EncodeLevelSet(levels), nullptr);
  EXPECT_NE(text.find("\"goal\": {\"number\": 0, \"name\": \"Kill enemies\"},\n"), std::string::npos);
  EXPECT_NE(text.find("\"patternSet\": {\"number\": 3},\n"), std::string::npos);
  EXPECT_NE(text.find("\"time\": \"2:00\",\n"), std::string::npos);
  EXPECT_NE(text.find("\"player\": {\"x\": 0, \"y\": 0, \"direction\": 5, \"typeCode\": 24, \"aiType\": 5, \"speed\": 2}"),
            std::string::npos);
  EXPECT_NE(text.find("        [0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 200],\n"), std::string::npos);
}

TEST(LevelJson, BadInputNamesThePlaceAndTheReason) {
  const std::string good = ExportLevelSetJson(EncodeLevelSet(LevelSet()), nullptr);
  const auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  struct Row {
    std::string text, place, reason;
  } rows[] = {
      {"{\n  \"format\": \"kxl-json\",\n  oops", "line 3, column 3", "syntax error while parsing object key - invalid literal; last read: '\"kxl-json\",<U+000A>  o'; expected string literal"},
      {replaced("\"version\": 1", "\"version\": 1, \"extra\": 2"), "/extra", "is not a field of this form"},
      {replaced("\"level\": 4,\n      \"goal\"", "\"level\": 4,\n      \"gaol\""), "/levels/3/gaol", "is not a field of this form"},
      {replaced("\"song\": {\"number\": 0},\n      ", ""), "/levels/0", "has no field \"song\""},
      {replaced("\"level\": 2,", "\"level\": 3,"), "/levels/1/level", "is not 2"},
      {replaced("\"song\": {\"number\": 0}", "\"song\": {\"number\": 256}"), "/levels/0/song/number", "256 is outside 0..255"},
      {replaced("\"song\": {\"number\": 0}", "\"song\": {\"number\": -1}"), "/levels/0/song/number", "-1 is outside 0..255"},
      {replaced("\"song\": {\"number\": 0}", "\"song\": {\"number\": 1.5}"), "/levels/0/song/number", "is not a whole number in 0..255"},
      {replaced("\"time\": \"2:00\"", "\"time\": \"12:00\""), "/levels/0/time", "is longer than the four places of a time"},
      {replaced("\"time\": \"2:00\"", "\"time\": [1, 2, 3]"), "/levels/0/time", "is not a list of 4"},
      {replaced("[0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0],\n", "[0, 0],\n"), "/levels/0/cells/0", "is not a list of 17"},
      {replaced("\"enemies\": [\n", "\"enemies\": [\n        {\"x\": 0},\n"), "/levels/0/enemies", "is not a list of 5"},
      {good.substr(0, good.rfind("]")) + "]}", "", ""},  // still good: the same text
  };
  for (const Row& row : rows) {
    std::vector<uint8_t> file = {1, 2, 3};
    JsonImportError error;
    const bool ok = ImportLevelSetJson(row.text, file, error);
    EXPECT_EQ(ok, row.place.empty()) << row.place;
    EXPECT_EQ(error.place, row.place);
    EXPECT_EQ(error.reason, row.reason);
    EXPECT_EQ(file.size(), ok ? kLevelSetBytes : 3u);  // untouched on failure
  }
  // The floors: nibbles, and none kept for the last cell.
  std::string floors = good;
  const size_t at = floors.find("\"floors\"");
  floors.replace(floors.find("0]", floors.find("[0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0]", at)), 2, "16]");
  std::vector<uint8_t> file;
  JsonImportError error;
  EXPECT_FALSE(ImportLevelSetJson(floors, file, error));
  EXPECT_EQ(error.place + " " + error.reason, "/levels/0/floors/0/16 16 is outside 0..15");
}

TEST(LevelJson, KxlExportAndImport) {
  TempDir dir;
  // An older set exports as its upgraded form.
  const std::vector<uint8_t> old = OldFormSet(OldFormLevel(3, {32, 9}));
  WriteBytes(dir.Path("old.kxl"), old);
  ASSERT_EQ(RunExport({dir.Path("old.kxl"), dir.Path("old.json")}), 0);
  ASSERT_EQ(RunImport({dir.Path("old.json"), dir.Path("new.kxl")}), 0);
  LevelSet levels;
  ASSERT_TRUE(DecodeLevelSet(old.data(), old.size(), levels));
  EXPECT_EQ(ReadBytes(dir.Path("new.kxl")), EncodeLevelSet(levels));
  // Bad input: one line naming the file, and the output left as it was.
  WriteText(dir.Path("bad.json"), "[]");
  WriteBytes(dir.Path("kept.kxl"), {7, 7});
  testing::internal::CaptureStderr();
  EXPECT_EQ(RunImport({dir.Path("bad.json"), dir.Path("kept.kxl")}), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "kxl: " + dir.Path("bad.json") + ": /: is not an object\n");
  EXPECT_EQ(ReadBytes(dir.Path("kept.kxl")), (std::vector<uint8_t>{7, 7}));
  testing::internal::CaptureStderr();
  EXPECT_EQ(RunImport({dir.Path("none.json"), dir.Path("x.kxl")}), 1);
  EXPECT_EQ(RunExport({dir.Path("none.kxl"), dir.Path("x.json")}), 1);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(RunImport({dir.Path("bad.json")}), 2);
}
