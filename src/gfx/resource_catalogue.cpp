#include "gfx/resource_catalogue.h"

namespace {

template <typename T>
const T* EntryAt(const std::vector<T>& table, int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < table.size() ? &table[index] : nullptr;
}

}  // namespace

const PatternSet* ResourceCatalogue::PatternSetAt(int32_t index) const {
  return EntryAt(patternSets, index);
}
const SpriteSet* ResourceCatalogue::SpriteSetAt(int32_t index) const {
  return EntryAt(spriteSets, index);
}
const std::string* ResourceCatalogue::SongAt(int32_t index) const { return EntryAt(songs, index); }
const std::string* ResourceCatalogue::AiTypeAt(int32_t index) const {
  return EntryAt(aiTypes, index);
}
