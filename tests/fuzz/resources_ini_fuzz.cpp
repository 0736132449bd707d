// resources.ini text from anywhere: the tables never grow past their
// capacity and no name past its limit.
#include <cstddef>
#include <cstdint>
#include <string>

#include "gfx/resource_catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  ResourceCatalogue catalogue;
  // A folder that does not exist: every picture is reported, none is read.
  LoadResourceCatalogueFromText(catalogue, text, "/nonexistent-kraxed-fuzz/", [](const std::string&) {});
  if (catalogue.spriteSets.empty() || catalogue.spriteSets.size() > static_cast<size_t>(kMaxSpriteSets) ||
      catalogue.patternSets.size() > static_cast<size_t>(kMaxPatternSets) ||
      catalogue.songs.size() > static_cast<size_t>(kMaxSongs) ||
      catalogue.aiTypes.size() > static_cast<size_t>(kMaxAiTypes))
    __builtin_trap();
  for (const SpriteSet& set : catalogue.spriteSets)
    if (set.name.size() > kMaxSpriteSetName) __builtin_trap();
  for (const std::string& song : catalogue.songs)
    if (song.empty() || song.size() > kMaxIniLine) __builtin_trap();
  return 0;
}
