#include "support/test_sheets.h"

#include <cstdint>
#include <string>

namespace {

Image MakeSpriteSheet(int set, int zoom, bool mask) {
  Image sheet(256 * zoom, 24 * zoom);
  for (int y = 0; y < sheet.Height(); ++y)
    for (int x = 0; x < sheet.Width(); ++x) {
      const bool transparent = y / zoom < 8;
      const Rgb colour{static_cast<uint8_t>(128 + x / zoom / 16), static_cast<uint8_t>(8 * set + 1), 7};
      sheet.At(x, y) = mask ? (transparent ? Rgb{255, 255, 255} : Rgb{}) : (transparent ? Rgb{} : colour);
    }
  return sheet;
}

// The digits 0..9, three pixels wide and five high, row by row from the top.
constexpr const char* kDigitPixels[] = {
    "111101101101111", "010110010010111", "111001111100111", "111001111001111", "101101111001001",
    "111100111001111", "111100111101111", "111001001001001", "111101111101111", "111101111001111",
};

// Whether (x, y) of a 16 x 8 half tile is part of the tile's number, written from (2, 2).
bool IsLabelPixel(int tile, int x, int y) {
  const std::string text = std::to_string(tile);
  const int column = x - 2;
  const int row = y - 2;
  if (column < 0 || row < 0 || row >= 5 || column >= 4 * static_cast<int>(text.size()) || column % 4 == 3)
    return false;
  return kDigitPixels[text[column / 4] - '0'][3 * row + column % 4] == '1';
}

Image MakePatternSheet(int set, int zoom) {
  Image sheet(256 * zoom, 128 * zoom);
  for (int y = 0; y < sheet.Height(); ++y)
    for (int x = 0; x < sheet.Width(); ++x) {
      const int nx = x / zoom;
      const int ny = y / zoom;
      const int tile = 16 * (ny / 16) + nx / 16;
      const bool lower = ny % 16 >= 8;
      const Rgb label = lower ? Rgb{255, 230, 0} : Rgb{0, 0, 0};
      const Rgb colour{static_cast<uint8_t>(15 * (tile % 16)), static_cast<uint8_t>(60 + 25 * (tile / 16)),
                       static_cast<uint8_t>(90 + 60 * set)};
      sheet.At(x, y) = IsLabelPixel(tile, nx % 16, ny % 8) ? label : colour;
    }
  return sheet;
}

}  // namespace

ResourceCatalogue MakeTestCatalogue(int patternSets, int spriteSets) {
  ResourceCatalogue catalogue;
  for (int i = 0; i < patternSets; ++i)
    catalogue.patternSets.push_back({MakePatternSheet(i, 1), MakePatternSheet(i, 2), "Set " + std::to_string(i)});
  for (int i = 0; i < spriteSets; ++i)
    catalogue.spriteSets.push_back({MakeSpriteSheet(i, 1, false), MakeSpriteSheet(i, 2, false),
                                    MakeSpriteSheet(i, 1, true), MakeSpriteSheet(i, 2, true),
                                    i == 0 ? "" : "Enemy " + std::to_string(i)});
  return catalogue;
}
