// Artwork sources: a sheet of the game's graphics written as text, one
// character per pixel, so that every tile can be reviewed in a diff. The
// format is described in data/art/README.md; in short:
//
//   sheet pattern garden          a 256 x 128 tile sheet -> levelgfx/garden.ge5
//   sheet sprite slime            a 256 x 24 sprite sheet -> enemygfx/slime.ge5
//   colour 3 g 2 6 1              palette entry 3 is drawn with 'g', MSX r g b 0..7
//   shade gG Gd                   what 'g' and 'G' become in a cast shadow
//   shadowrows 5                  depth of the shadow band (default 5)
//   include items.part            more tiles from a file beside this one
//   tile 17                       followed by 16 rows of 16 characters
//   tile 96 2x2 over 0            a block of 2 x 2 tiles; '_' shows tile 0 through
//   tile 8 = shadow 0             derived: copy, flipx, flipy, shadow, recolour
//   frame 4                       (sprite sheets) followed by 24 rows of 16
//   frame 12 = flipx 4
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/ge5.h"
#include "source_text.h"

enum class SheetKind { Pattern, Sprite };

constexpr int kArtTile = 16;           // tiles and frames are 16 pixels wide
constexpr int kArtSheetWidth = 256;
constexpr int kPatternSheetLines = 128;  // 8 rows of 16 tiles
constexpr int kSpriteSheetLines = 24;    // one row of 16 x 24 frames
constexpr int kPatternTiles = 128;
constexpr int kSpriteFrames = 16;
constexpr int kDefaultShadowRows = 5;

struct ArtColour {
  bool defined = false;
  char symbol = 0;
  int r = 0, g = 0, b = 0;  // MSX components 0..7
};

struct ArtSheet {
  SheetKind kind = SheetKind::Pattern;
  std::string name;  // the GE5 file's name without ".ge5"
  std::array<ArtColour, 16> colours{};
  std::vector<uint8_t> indices;  // kArtSheetWidth x Lines(), one palette index a pixel
  std::vector<bool> drawn;       // per tile (pattern sheet) or frame (sprite sheet)

  int Lines() const { return kind == SheetKind::Pattern ? kPatternSheetLines : kSpriteSheetLines; }
  uint8_t At(int x, int y) const { return indices[static_cast<size_t>(y) * kArtSheetWidth + x]; }
  // The picture for the GE5 encoder; undrawn areas are colour 0.
  Ge5Picture Picture() const;
  // The sheet as the editor shows it at normal size (for previews); in a
  // sprite sheet colour 0 is black, as the editor draws it.
  Image ToImage() const;
};

// Reads the sheet source at `path` (and the files it includes) through
// `read`. On failure `error` names the file and line and says what is wrong.
bool ParseArtSheet(const std::string& path, const ReadTextFn& read, ArtSheet& sheet,
                   SourceError& error);

// The picture with every pixel repeated `scale` times in both directions.
Image ScaleImage(const Image& image, int scale);
