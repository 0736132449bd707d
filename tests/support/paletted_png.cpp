#include "support/paletted_png.h"

#include <cstdlib>
#include <utility>

// The deflate of stb, which the program's own PNG writer is built with.
extern "C" unsigned char* stbi_zlib_compress(unsigned char* data, int data_len, int* out_len, int quality);

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

}  // namespace

std::vector<uint8_t> PngChunk(const char* type, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> chunk;
  Put32(chunk, static_cast<uint32_t>(data.size()));
  for (int i = 0; i < 4; ++i) chunk.push_back(static_cast<uint8_t>(type[i]));
  chunk.insert(chunk.end(), data.begin(), data.end());
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 4; i < chunk.size(); ++i) {
    crc ^= chunk[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  Put32(chunk, ~crc);
  return chunk;
}

std::vector<uint8_t> PalettedPng(int width, int height, const std::vector<Rgb>& palette,
                                 const std::vector<uint8_t>& indices, int depth) {
  std::vector<uint8_t> header;
  Put32(header, static_cast<uint32_t>(width));
  Put32(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {static_cast<uint8_t>(depth), 3, 0, 0, 0});
  std::vector<uint8_t> plte;
  for (const Rgb& c : palette)
    for (uint8_t v : {c.r, c.g, c.b}) plte.push_back(v);
  std::vector<uint8_t> raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < width; x += 8 / depth) {
      const size_t at = static_cast<size_t>(y) * width + x;
      raw.push_back(depth == 8 ? indices[at]
                               : static_cast<uint8_t>(indices[at] << 4 | (x + 1 < width ? indices[at + 1] : 0)));
    }
  }
  int size = 0;
  unsigned char* deflated = stbi_zlib_compress(raw.data(), static_cast<int>(raw.size()), &size, 8);
  const std::vector<uint8_t> data(deflated, deflated + size);
  std::free(deflated);
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  using Part = std::pair<const char*, std::vector<uint8_t>>;
  for (const Part& part : {Part{"IHDR", header}, Part{"PLTE", plte}, Part{"IDAT", data}, Part{"IEND", {}}}) {
    const std::vector<uint8_t> chunk = PngChunk(part.first, part.second);
    png.insert(png.end(), chunk.begin(), chunk.end());
  }
  return png;
}
