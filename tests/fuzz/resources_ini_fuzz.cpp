// resources.ini text from anywhere, in a folder without pictures. The tables
// stay within their capacity, no name runs past its limit or holds a zero
// byte, the player's set comes first, and every picture is reported once per
// image it should have given: four for a sprite set, two for a pattern set.
#include "fuzz/fuzz_checks.h"
#include "gfx/resource_catalogue.h"

namespace {

bool Clean(const std::string& name, size_t limit) {
  return name.size() <= limit && name.find('\0') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ResourceCatalogue catalogue;
  size_t reports = 0;
  LoadResourceCatalogueFromText(catalogue, FuzzText(data, size), "/nonexistent-kraxed-fuzz/",
                                [&reports](const std::string&) { ++reports; });
  FUZZ_REQUIRE(!catalogue.spriteSets.empty());
  FUZZ_REQUIRE(catalogue.spriteSets[0].name.empty());
  FUZZ_REQUIRE(catalogue.spriteSets.size() <= static_cast<size_t>(kMaxSpriteSets));
  FUZZ_REQUIRE(catalogue.patternSets.size() <= static_cast<size_t>(kMaxPatternSets));
  FUZZ_REQUIRE(catalogue.songs.size() <= static_cast<size_t>(kMaxSongs));
  FUZZ_REQUIRE(catalogue.aiTypes.size() <= static_cast<size_t>(kMaxAiTypes));
  FUZZ_REQUIRE(reports == 4 * catalogue.spriteSets.size() + 2 * catalogue.patternSets.size());
  for (const SpriteSet& set : catalogue.spriteSets) FUZZ_REQUIRE(Clean(set.name, kMaxSpriteSetName));
  for (const PatternSet& set : catalogue.patternSets) FUZZ_REQUIRE(Clean(set.name, kMaxIniLine));
  for (const std::string& song : catalogue.songs) FUZZ_REQUIRE(!song.empty() && Clean(song, kMaxIniLine));
  for (const std::string& ai : catalogue.aiTypes) FUZZ_REQUIRE(!ai.empty() && Clean(ai, kMaxIniLine));
  return 0;
}
