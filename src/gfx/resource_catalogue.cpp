#include "gfx/resource_catalogue.h"

#include "gfx/ge5.h"

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

const Image& CataloguePicture::Get() const {
  if (!decoded_) {
    decoded_ = true;
    if (file_) {
      const Decoding& d = decoding_;
      image_ = d.doubled ? DecodeGe5Double(*file_, d.mask, d.height, d.acrossTiles)
                         : DecodeGe5(*file_, d.mask, d.height);
    }
    file_.reset();
  }
  return image_;
}
