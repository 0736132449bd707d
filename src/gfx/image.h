// An RGB picture in memory: what the GE5 decoders produce, what the software
// painter draws into and what the Windows shell turns into a tile sheet.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

class Image {
 public:
  Image() = default;
  Image(int width, int height, Rgb fill = {});

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // Unchecked access; callers keep x and y inside the picture.
  Rgb& At(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  const Rgb& At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

  const std::vector<Rgb>& Pixels() const { return pixels_; }
  bool operator==(const Image&) const = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Rgb> pixels_;
};
