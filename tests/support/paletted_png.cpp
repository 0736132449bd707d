#include "support/paletted_png.h"

#include <algorithm>

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t Crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void Chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
  Put32(png, static_cast<uint32_t>(data.size()));
  const size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  Put32(png, Crc32(&png[start], png.size() - start));
}

// zlib stream of stored (uncompressed) deflate blocks.
std::vector<uint8_t> Stored(const std::vector<uint8_t>& raw) {
  std::vector<uint8_t> z = {0x78, 0x01};
  size_t pos = 0;
  do {
    const size_t n = std::min<size_t>(65535, raw.size() - pos);
    z.push_back(pos + n == raw.size() ? 1 : 0);
    z.push_back(static_cast<uint8_t>(n));
    z.push_back(static_cast<uint8_t>(n >> 8));
    z.push_back(static_cast<uint8_t>(~n));
    z.push_back(static_cast<uint8_t>(~n >> 8));
    z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
    pos += n;
  } while (pos < raw.size());
  uint32_t a = 1, b = 0;
  for (uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  Put32(z, b << 16 | a);
  return z;
}

}  // namespace

std::vector<uint8_t> PngChunk(const char* type, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> chunk;
  Chunk(chunk, type, data);
  return chunk;
}

std::vector<uint8_t> PalettedPng(int width, int height, const std::vector<Rgb>& palette,
                                 const std::vector<uint8_t>& indices, int depth) {
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  std::vector<uint8_t> header;
  Put32(header, static_cast<uint32_t>(width));
  Put32(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {static_cast<uint8_t>(depth), 3, 0, 0, 0});
  Chunk(png, "IHDR", header);
  std::vector<uint8_t> plte;
  for (const Rgb& c : palette) plte.insert(plte.end(), {c.r, c.g, c.b});
  Chunk(png, "PLTE", plte);
  std::vector<uint8_t> raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < width; x += 8 / depth) {
      const size_t at = static_cast<size_t>(y) * width + x;
      if (depth == 8)
        raw.push_back(indices[at]);
      else
        raw.push_back(static_cast<uint8_t>(indices[at] << 4 | (x + 1 < width ? indices[at + 1] : 0)));
    }
  }
  Chunk(png, "IDAT", Stored(raw));
  Chunk(png, "IEND", {});
  return png;
}
