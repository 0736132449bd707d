#include "art_source.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// Sources held in memory, by path.
struct Files {
  std::map<std::string, std::string> texts;
  ReadTextFn Reader() const {
    return [this](const std::string& path, std::string& text) {
      const auto found = texts.find(path);
      if (found == texts.end()) return false;
      text = found->second;
      return true;
    };
  }
};

std::string Rows(int count, const std::string& row) {
  std::string text;
  for (int i = 0; i < count; ++i) text += row + "\n";
  return text;
}

SourceError ParseFailure(const std::string& text, const std::string& extraName = "",
                         const std::string& extraText = "") {
  Files files;
  files.texts["art/sheet.art"] = text;
  if (!extraName.empty()) files.texts[extraName] = extraText;
  ArtSheet sheet;
  SourceError error;
  EXPECT_FALSE(ParseArtSheet("art/sheet.art", files.Reader(), sheet, error)) << text;
  return error;
}

const char kPatternHead[] =
    "sheet pattern test\n"
    "colour 0 . 0 0 0\n"
    "colour 1 a 7 0 0\n"
    "colour 2 b 0 7 0\n"
    "colour 3 c 0 0 7\n";

}  // namespace

TEST(ArtSource, TinySpriteSheetEncodesToTheExpectedGe5Bytes) {
  Files files;
  files.texts["s.art"] =
      "# two frames, the second the mirror of the first\n"
      "sheet sprite tiny\n"
      "colour 0 . 0 0 0\n"
      "colour 1 x 7 0 0\n"
      "colour 2 y 1 7 3\n"
      "frame 0\n"
      "xy..............\n" +
      Rows(22, "................") +
      "...............x\n"
      "frame 1 = flipx 0\n"
      "frame 2 over 0\n" +
      Rows(23, "________________") + "y_______________\n";
  ArtSheet sheet;
  SourceError error;
  ASSERT_TRUE(ParseArtSheet("s.art", files.Reader(), sheet, error)) << error.Text();
  EXPECT_EQ(sheet.kind, SheetKind::Sprite);
  EXPECT_EQ(sheet.name, "tiny");

  const std::vector<uint8_t> bytes = EncodeGe5(sheet.Picture());
  ASSERT_EQ(bytes.size(), 30375u);
  EXPECT_EQ(bytes[0], 0xFE);
  // Line 0: frame 0 starts with colours 1, 2; frame 1 (x 16..31) ends with 2, 1.
  EXPECT_EQ(bytes[7 + 0], 0x12);
  EXPECT_EQ(bytes[7 + 1], 0x00);
  EXPECT_EQ(bytes[7 + 15], 0x21);
  // Line 23: the last pixel of frame 0, mirrored to the first of frame 1.
  EXPECT_EQ(bytes[7 + 128 * 23 + 7], 0x01);
  EXPECT_EQ(bytes[7 + 128 * 23 + 8], 0x10);
  // Frame 2 shows frame 0 through its '_' pixels, down to the last line.
  EXPECT_EQ(bytes[7 + 128 * 23 + 16], 0x20);
  EXPECT_EQ(bytes[7 + 128 * 23 + 23], 0x01);
  EXPECT_EQ(bytes[7 + 16], 0x12);
  // Nothing below the 24 sprite lines.
  for (size_t i = 7 + 128 * 24; i < 30343; ++i) ASSERT_EQ(bytes[i], 0) << i;
  // Palette: red high nibble and blue low nibble, then green.
  EXPECT_EQ(bytes[30343 + 2], 0x70);
  EXPECT_EQ(bytes[30343 + 3], 0x00);
  EXPECT_EQ(bytes[30343 + 4], 0x13);
  EXPECT_EQ(bytes[30343 + 5], 0x07);

  // The preview shows colour 0 of a sprite sheet black, as the editor does.
  const Image image = sheet.ToImage();
  EXPECT_EQ(image.Width(), 256);
  EXPECT_EQ(image.Height(), 24);
  EXPECT_EQ(image.At(0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(image.At(1, 0), (Rgb{47, 255, 111}));
  EXPECT_EQ(image.At(2, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(ScaleImage(image, 2).At(3, 1), (Rgb{47, 255, 111}));
}

TEST(ArtSource, DerivedTilesBlocksAndSeeThroughPixels) {
  Files files;
  files.texts["p.art"] = std::string(kPatternHead) +
                         "shade ab bc\n"
                         "shadowrows 2\n"
                         "tile 0\n"
                         "ab..............\n" +
                         Rows(14, "aaaaaaaaaaaaaaaa") +
                         "c...............\n"
                         "tile 1 = flipx 0\n"
                         "tile 16 = flipy 0\n"
                         "tile 2 = recolour 0 ab ba\n"
                         "tile 8 = shadow 0\n"
                         "include parts/more.part\n";
  files.texts["parts/more.part"] =
      "# a two-tile block drawn over tile 0\n"
      "tile 4 2x1 over 0\n" +
      Rows(16, "__bb____________c_______________");
  ArtSheet sheet;
  SourceError error;
  ASSERT_TRUE(ParseArtSheet("p.art", files.Reader(), sheet, error)) << error.Text();
  EXPECT_EQ(sheet.At(0, 0), 1);
  EXPECT_EQ(sheet.At(1, 0), 2);
  EXPECT_EQ(sheet.At(0, 15), 3);
  // flipx: tile 1 is at x 16..31.
  EXPECT_EQ(sheet.At(31, 0), 1);
  EXPECT_EQ(sheet.At(30, 0), 2);
  EXPECT_EQ(sheet.At(31, 15), 3);
  // flipy: tile 16 is at y 16..31.
  EXPECT_EQ(sheet.At(0, 31), 1);
  EXPECT_EQ(sheet.At(0, 16), 3);
  // recolour swaps a and b.
  EXPECT_EQ(sheet.At(32, 0), 2);
  EXPECT_EQ(sheet.At(33, 0), 1);
  EXPECT_EQ(sheet.At(32, 15), 3);
  // shadow: rows 0 and 1 shaded, row 2 every other pixel, then untouched.
  EXPECT_EQ(sheet.At(128, 0), 2);
  EXPECT_EQ(sheet.At(129, 0), 3);
  EXPECT_EQ(sheet.At(128, 1), 2);
  EXPECT_EQ(sheet.At(128, 2), 2);
  EXPECT_EQ(sheet.At(129, 2), 1);
  EXPECT_EQ(sheet.At(128, 3), 1);
  // The block covers tiles 4 and 5; '_' shows tile 0 through in each.
  EXPECT_EQ(sheet.At(64, 0), 1);
  EXPECT_EQ(sheet.At(65, 0), 2);
  EXPECT_EQ(sheet.At(66, 0), 2);
  EXPECT_EQ(sheet.At(64, 15), 3);
  EXPECT_EQ(sheet.At(80, 0), 3);
  EXPECT_EQ(sheet.At(81, 0), 2);
  EXPECT_TRUE(sheet.drawn[4]);
  EXPECT_TRUE(sheet.drawn[5]);
  EXPECT_FALSE(sheet.drawn[6]);
  // Undrawn tiles stay colour 0.
  EXPECT_EQ(sheet.At(100, 100), 0);
}

TEST(ArtSource, MalformedSourcesAreReportedWithFileAndLine) {
  const std::string head = kPatternHead;  // 5 lines
  SourceError e = ParseFailure(head + "tile 0\n" + Rows(1, "aaaaaaaaaaaaaaaa") + "aaaaaaaaaaaaaaa\n");
  EXPECT_EQ(e.Text(), "art/sheet.art:8: row 2 of tile 0 has 15 pixels, expected 16");

  e = ParseFailure(head + "tile 0\n" + Rows(3, "aaaaaaaaaaaaaaaa") + "aaaaaaazaaaaaaaa\n");
  EXPECT_EQ(e.line, 10);
  EXPECT_NE(e.message.find("unknown colour 'z' in column 8"), std::string::npos) << e.message;

  e = ParseFailure(head + "tile 3\n" + Rows(15, "aaaaaaaaaaaaaaaa"));
  EXPECT_EQ(e.Text(), "art/sheet.art:6: tile 3 ends after 15 of 16 rows");

  e = ParseFailure(head + "tile 0\n" + Rows(16, "aaaaaaaaaaaaaaaa") + "tile 0 = copy 1\n");
  EXPECT_EQ(e.Text(), "art/sheet.art:23: tile 0 is drawn twice");

  e = ParseFailure(head + "tile 1 = flipx 0\n");
  EXPECT_EQ(e.Text(), "art/sheet.art:6: tile 0 is not drawn yet");

  e = ParseFailure(head + "tile 0\n" + Rows(16, "____aaaaaaaaaaaa"));
  EXPECT_EQ(e.line, 7);
  EXPECT_NE(e.message.find("'_' needs 'over TILE'"), std::string::npos) << e.message;

  e = ParseFailure(head + "tile 15 2x1\n");
  EXPECT_EQ(e.Text(), "art/sheet.art:6: the block runs off the sheet");

  e = ParseFailure(head + "frame 0\n");
  EXPECT_EQ(e.Text(), "art/sheet.art:6: a pattern sheet has tiles, not frames");

  e = ParseFailure(head + "colour 4 d 8 0 0\n");
  EXPECT_EQ(e.line, 6);
  EXPECT_NE(e.message.find("R G B 0..7"), std::string::npos);

  e = ParseFailure(head + "colour 4 a 1 1 1\n");
  EXPECT_EQ(e.Text(), "art/sheet.art:6: character 'a' already names a colour");

  e = ParseFailure(head + "tile 0 = spin 0\n");
  EXPECT_EQ(e.line, 6);

  e = ParseFailure("colour 0 . 0 0 0\n");
  EXPECT_EQ(e.Text(), "art/sheet.art:1: 'colour' before the 'sheet' line");

  e = ParseFailure("# nothing but a comment\n");
  EXPECT_EQ(e.Text(), "art/sheet.art: no 'sheet' line: the file does not say what it draws");

  e = ParseFailure("sheet pattern Bad.Name\n");
  EXPECT_EQ(e.line, 1);

  // Faults inside an included file name that file and its line.
  e = ParseFailure(head + "include inc.part\n", "art/inc.part", "\n\ntile 0\nshort\n");
  EXPECT_EQ(e.Text(), "art/inc.part:4: row 1 of tile 0 has 5 pixels, expected 16");

  e = ParseFailure(head + "include missing.part\n");
  EXPECT_EQ(e.Text(), "art/missing.part: cannot read the file");

  // A file including itself is stopped, not followed forever.
  e = ParseFailure(head + "include loop.part\n", "art/loop.part", "include loop.part\n");
  EXPECT_EQ(e.file, "art/loop.part");
  EXPECT_NE(e.message.find("nested too deeply"), std::string::npos);
}
