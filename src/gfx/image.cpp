#include "gfx/image.h"

#include <algorithm>
#include <cstring>

Image::Image(int width, int height, Rgb fill)
    : width_(width > 0 && height > 0 ? width : 0),
      height_(width > 0 && height > 0 ? height : 0),
      pixels_(static_cast<size_t>(width_) * height_) {
  // Zeroed pixels come at the speed of memset; another colour is copied in
  // doubling blocks, far faster than pixel by pixel.
  if (pixels_.empty() || fill == Rgb{}) return;
  pixels_[0] = fill;
  for (size_t done = 1; done < pixels_.size(); done *= 2)
    std::memcpy(&pixels_[done], pixels_.data(), sizeof(Rgb) * std::min(done, pixels_.size() - done));
}
