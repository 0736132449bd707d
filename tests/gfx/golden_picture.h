// Golden pictures: PNG files in tests/gfx/golden, made once by the code they
// check and looked at by a person before they were committed. A test compares
// its picture with one pixel for pixel. KRAXED_UPDATE_GOLDEN=1 writes them
// anew: on purpose only, and every picture written is looked at again.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "gfx/image.h"
#include "gfx/png_io.h"

inline ::testing::AssertionResult MatchesGoldenPicture(const Image& picture, const std::string& name) {
  const std::string path = (std::filesystem::path(__FILE__).parent_path() / "golden" / name).string();
  if (std::getenv("KRAXED_UPDATE_GOLDEN") && !WritePng(path, picture))
    return ::testing::AssertionFailure() << "cannot write " << path;
  Image golden;
  std::string error;
  if (!ReadPng(path, golden, &error)) return ::testing::AssertionFailure() << path << ": " << error;
  if (golden.Width() != picture.Width() || golden.Height() != picture.Height())
    return ::testing::AssertionFailure() << name << " is " << golden.Width() << " x " << golden.Height();
  for (int y = 0; y < golden.Height(); ++y)
    for (int x = 0; x < golden.Width(); ++x)
      if (!(golden.At(x, y) == picture.At(x, y)))
        return ::testing::AssertionFailure() << name << " differs first at (" << x << ", " << y << ")";
  return ::testing::AssertionSuccess();
}
