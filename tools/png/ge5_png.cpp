#include "ge5_png.h"

#include <cstring>

#include "base/file_layer.h"
#include "gfx/png_io.h"

namespace {

constexpr size_t kSignatureBytes = 8;
// Signature, then the IHDR chunk's length, type, width and height.
constexpr size_t kSizeBytes = kSignatureBytes + 16;

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// The size from the PNG header, looked at before anything is decoded: a
// picture of the wrong size is refused without inflating it (and a huge
// one never gets a buffer).
bool CheckSize(const std::vector<uint8_t>& head, std::string* error) {
  auto fail = [error](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  static const uint8_t kSignature[kSignatureBytes] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (head.size() < kSizeBytes || std::memcmp(head.data(), kSignature, kSignatureBytes) != 0 ||
      std::memcmp(&head[12], "IHDR", 4) != 0)
    return fail("is not a PNG picture");
  const uint32_t width = BigEndian32(&head[16]);
  const uint32_t height = BigEndian32(&head[20]);
  if (width != static_cast<uint32_t>(kGe5Width))
    return fail("is " + std::to_string(width) + " pixels wide; a GE5 picture is 256");
  if (height < 1 || height > static_cast<uint32_t>(kGe5Lines))
    return fail("is " + std::to_string(height) + " lines high; 1 to 212 are allowed");
  return true;
}

}  // namespace

bool Ge5PictureFromPng(const std::vector<uint8_t>& bytes, Ge5Picture& picture, std::string* error) {
  if (!CheckSize(bytes, error)) return false;
  IndexedPicture png;
  if (!DecodeIndexedPng(bytes, png, error)) return false;
  // The header said 256 x 1..212; the decoder must have found the same.
  if (png.width != kGe5Width || png.height < 1 || png.height > kGe5Lines) {
    if (error) *error = "is not a PNG picture of the size its header gives";
    return false;
  }
  // The reader finds indices by colour, so twins would all come back as the
  // first of them; colour 0 (transparent in sprites) must not spread that way.
  for (size_t i = 0; i < png.palette.size(); ++i)
    for (size_t j = i + 1; j < png.palette.size(); ++j)
      if (png.palette[i] == png.palette[j]) {
        if (error)
          *error = "has palette entries " + std::to_string(i) + " and " + std::to_string(j) +
                   " of the same colour; each entry needs its own";
        return false;
      }
  picture = Ge5Picture{};
  for (size_t i = 0; i < png.palette.size(); ++i) picture.palette[i] = png.palette[i];
  picture.indices = png.indices;
  picture.lines = png.height;
  return true;
}

bool ReadGe5PictureFromPng(const std::string& path, Ge5Picture& picture, std::string* error) {
  auto fail = [error](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  std::vector<uint8_t> head;
  if (ReadFilePrefix(path, kSizeBytes, head, nullptr) != FileReadStatus::Ok) return fail("cannot be read");
  if (!CheckSize(head, error)) return false;
  // Artwork of 256 x 212 pixels is small; anything this large is not one.
  constexpr size_t kLimit = 64u << 20;
  std::vector<uint8_t> bytes;
  if (ReadFilePrefix(path, kLimit + 1, bytes, nullptr) != FileReadStatus::Ok || bytes.size() > kLimit)
    return fail("cannot be read");
  return Ge5PictureFromPng(bytes, picture, error);
}
