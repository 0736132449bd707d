// The graphics and name lists named in resources.ini: pattern sets (the tile
// graphics of levels), sprite sets (the player first, then the enemies), song
// names and AI type names. Filled once at start-up, never changed after.
//
// Levels refer to entries by number: patternSet is the pattern-set index + 3,
// music the song index, enemyTypes sprite-set indexes, aiType the AI type
// index + 5. Numbers from files made elsewhere may point past a table, so
// every lookup here is checked and gives nullptr for a missing entry.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gfx/image.h"
#include "level/checks.h"

constexpr int kMaxPatternSets = 32;
constexpr int kMaxSpriteSets = 96;  // the player's and 95 enemy sets
constexpr int kMaxSongs = 32;
constexpr int kMaxAiTypes = 32;
constexpr size_t kMaxSpriteSetName = 63;
constexpr size_t kMaxIniLine = 99;

// A picture of the catalogue, decoded from its GE5 file's bytes when it is
// first asked for: a full catalogue names hundreds and a session shows a
// few. Or given ready-made. Decoding cannot fail once the file was read
// whole, so whether a picture is usable is known at start-up.
class CataloguePicture {
 public:
  struct Decoding {
    bool doubled = false;
    bool mask = false;
    int height = 0;
    bool acrossTiles = false;
  };
  CataloguePicture() = default;
  CataloguePicture(Image ready) : image_(std::move(ready)), decoded_(true) {}  // NOLINT: implicit
  CataloguePicture(std::shared_ptr<const std::vector<uint8_t>> file, Decoding decoding)
      : file_(std::move(file)), decoding_(decoding) {}

  const Image& Get() const;

 private:
  mutable std::shared_ptr<const std::vector<uint8_t>> file_;  // dropped once decoded
  Decoding decoding_;
  mutable Image image_;
  mutable bool decoded_ = false;
};

struct PatternSet {
  CataloguePicture normal;   // 256 x 128, colour
  CataloguePicture doubled;  // 512 x 256, smoothed within each tile
  std::string name;
};

struct SpriteSet {
  CataloguePicture colour;        // 256 x 24, colour 0 black
  CataloguePicture colourDouble;  // 512 x 48, smoothed across tiles
  CataloguePicture mask;          // 256 x 24, white where transparent
  CataloguePicture maskDouble;    // 512 x 48
  std::string name;               // at most 63 characters
};

struct ResourceCatalogue {
  std::vector<PatternSet> patternSets;
  std::vector<SpriteSet> spriteSets;  // entry 0 is the player's
  std::vector<std::string> songs;
  std::vector<std::string> aiTypes;

  const PatternSet* PatternSetAt(int32_t index) const;
  // The pattern set a level's stored patternSet value (index + 3) names.
  const PatternSet* PatternSetForLevel(int32_t patternSetValue) const {
    return patternSetValue < 3 ? nullptr : PatternSetAt(patternSetValue - 3);
  }
  const SpriteSet* SpriteSetAt(int32_t index) const;
  const std::string* SongAt(int32_t index) const;
  const std::string* AiTypeAt(int32_t index) const;
  // The sizes of the tables, for the level checks.
  CatalogueSizes Sizes() const {
    return {static_cast<int>(patternSets.size()), static_cast<int>(spriteSets.size()),
            static_cast<int>(songs.size()), static_cast<int>(aiTypes.size())};
  }
};

// Empties the catalogue and fills it: first the player's sprite set from
// programDirectory + "enemygfx\player.ge5", then what programDirectory +
// "resources.ini" names (programDirectory ends in a separator or is empty).
// Without resources.ini the catalogue holds the player's set alone, and
// nobody is told: a fresh install may have none.
//
// A picture that cannot be used still gives its entry, with empty images;
// reportUnreadable gets its path once for every image that could not be
// made from it (four for a sprite set, two for a pattern set), so the user
// learns of each.
//
// Entries past a table's capacity are ignored and their files not read;
// a line ends at a zero byte and is cut at 99 characters (the rest of it is
// dropped, not read as a line of its own), sprite-set names at 63.
void LoadResourceCatalogue(ResourceCatalogue& catalogue, const std::string& programDirectory,
                           const std::function<void(const std::string& path)>& reportUnreadable);

// The same with the text of resources.ini already in hand.
void LoadResourceCatalogueFromText(
    ResourceCatalogue& catalogue, const std::string& iniText, const std::string& programDirectory,
    const std::function<void(const std::string& path)>& reportUnreadable);
