#include "gfx/png_io.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO_WARNINGS
#include "stb_image.h"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include "stb_image_write.h"

#include "base/file_layer.h"

namespace {

bool ReadWhole(const std::string& path, std::vector<uint8_t>& bytes) {
  // Artwork is small; a PNG larger than this is not one of ours to take.
  constexpr size_t kLimit = 64u << 20;
  long long length = 0;
  if (ReadFilePrefix(path, kLimit + 1, bytes, &length) != FileReadStatus::Ok) return false;
  return bytes.size() <= kLimit;
}

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// The palette of a PNG: the PLTE chunk, found by walking the chunk list
// (stb expands palettes, so it cannot tell us the order of the entries).
bool FindPalette(const std::vector<uint8_t>& png, std::vector<Rgb>& palette, uint8_t* colourType) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (png.size() < 8 || std::memcmp(png.data(), kSignature, 8) != 0) return false;
  size_t pos = 8;
  while (pos + 12 <= png.size()) {
    const uint32_t length = BigEndian32(&png[pos]);
    if (length > png.size() - pos - 12) return false;
    const uint8_t* type = &png[pos + 4];
    const uint8_t* data = &png[pos + 8];
    if (std::memcmp(type, "IHDR", 4) == 0 && length >= 13) *colourType = data[9];
    if (std::memcmp(type, "PLTE", 4) == 0) {
      if (length % 3 != 0) return false;
      for (uint32_t i = 0; i + 2 < length; i += 3) palette.push_back({data[i], data[i + 1], data[i + 2]});
      return true;
    }
    if (std::memcmp(type, "IDAT", 4) == 0) return false;
    pos += 12 + length;
  }
  return false;
}

// The bytes as stb gets them, or false for a file whose chunks do not fit
// it: stb sizes its buffer for the picture data from each chunk's length
// before it reads the chunk, so a few damaged bytes could ask for gigabytes.
// Empty IDAT chunks are left out: they add nothing to the picture, but stb
// copies an empty first one to a buffer it has not allocated yet (memcpy from
// a null pointer, undefined even for no bytes). What follows IEND is left out.
bool ChunksForStb(const std::vector<uint8_t>& png, std::vector<uint8_t>& out) {
  constexpr size_t kSignatureBytes = 8;
  out.assign(png.begin(), png.begin() + static_cast<long>(std::min(png.size(), kSignatureBytes)));
  size_t pos = kSignatureBytes;
  while (pos + 12 <= png.size()) {
    const uint32_t length = BigEndian32(&png[pos]);
    if (length > png.size() - pos - 12) return false;
    const size_t end = pos + 12 + length;
    const uint8_t* type = &png[pos + 4];
    if (!(length == 0 && std::memcmp(type, "IDAT", 4) == 0))
      out.insert(out.end(), png.begin() + static_cast<long>(pos), png.begin() + static_cast<long>(end));
    pos = end;
    if (std::memcmp(type, "IEND", 4) == 0) return true;
  }
  // No IEND: a file that ends inside a chunk's header is cut short too (stb
  // would take the missing bytes for an empty chunk).
  return pos >= png.size();
}

}  // namespace

std::vector<uint8_t> EncodePng(const Image& image) {
  std::vector<uint8_t> png;
  if (image.Empty()) return png;
  std::vector<uint8_t> rgb;
  rgb.reserve(image.Pixels().size() * 3);
  for (const Rgb& p : image.Pixels()) {
    rgb.push_back(p.r);
    rgb.push_back(p.g);
    rgb.push_back(p.b);
  }
  const auto append = [](void* out, void* data, int size) {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    static_cast<std::vector<uint8_t>*>(out)->insert(static_cast<std::vector<uint8_t>*>(out)->end(),
                                                    bytes, bytes + size);
  };
  if (!stbi_write_png_to_func(append, &png, image.Width(), image.Height(), 3, rgb.data(),
                              image.Width() * 3))
    png.clear();
  return png;
}

bool WritePng(FileLayer& files, const std::string& path, const Image& image) {
  std::vector<uint8_t> png = EncodePng(image);
  return !png.empty() && WriteFileSafely(files, path, {std::move(png)});
}

bool WritePng(const std::string& path, const Image& image) {
  return WritePng(SystemFileLayer(), path, image);
}

bool DecodePng(const std::vector<uint8_t>& bytes, Image& image, std::string* error) {
  // stb takes the length as an int; no picture of ours comes near that.
  if (bytes.size() > static_cast<size_t>(INT32_MAX)) {
    if (error) *error = "is too large";
    return false;
  }
  std::vector<uint8_t> png;
  if (!ChunksForStb(bytes, png)) {
    if (error) *error = "is damaged (its last chunk runs past the end of the file)";
    return false;
  }
  int w = 0, h = 0, channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &w, &h,
                                          &channels, 3);
  if (!pixels) {
    // The decoder does not always say why; no empty brackets then.
    const std::string why = stbi_failure_reason() ? stbi_failure_reason() : "";
    if (error) *error = "is not a PNG picture" + (why.empty() ? std::string() : " (" + why + ")");
    return false;
  }
  image = Image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const stbi_uc* p = pixels + (static_cast<size_t>(y) * w + x) * 3;
      image.At(x, y) = {p[0], p[1], p[2]};
    }
  stbi_image_free(pixels);
  return true;
}

bool ReadPng(const std::string& path, Image& image, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!ReadWhole(path, bytes)) {
    if (error) *error = "cannot be read";
    return false;
  }
  return DecodePng(bytes, image, error);
}

bool DecodeIndexedPng(const std::vector<uint8_t>& bytes, IndexedPicture& picture, std::string* error) {
  auto fail = [error](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  std::vector<Rgb> palette;
  uint8_t colourType = 0;
  if (!FindPalette(bytes, palette, &colourType) || colourType != 3)
    return fail("is not a paletted (indexed-colour) PNG picture");
  if (palette.empty() || palette.size() > 16)
    return fail("has " + std::to_string(palette.size()) + " palette entries; 1 to 16 are allowed");
  Image rgb;
  if (!DecodePng(bytes, rgb, error)) return false;
  IndexedPicture result;
  result.width = rgb.Width();
  result.height = rgb.Height();
  result.palette = palette;
  result.indices.assign(rgb.Pixels().size(), 0);
  for (size_t i = 0; i < rgb.Pixels().size(); ++i) {
    size_t k = 0;
    while (k < palette.size() && !(palette[k] == rgb.Pixels()[i])) ++k;
    if (k == palette.size()) return fail("holds a colour that is not in its palette");
    result.indices[i] = static_cast<uint8_t>(k);
  }
  picture = std::move(result);
  return true;
}

bool ReadIndexedPng(const std::string& path, IndexedPicture& picture, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!ReadWhole(path, bytes)) {
    if (error) *error = "cannot be read";
    return false;
  }
  return DecodeIndexedPng(bytes, picture, error);
}
