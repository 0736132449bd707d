// Golden pictures: PNG files in tests/view/golden, made once by the software
// painter and looked at by a person before they were committed. A test
// compares its picture with one pixel for pixel. Run the tests with
// KRAXED_UPDATE_GOLDEN=1 to write the pictures anew, on purpose only: look at
// every picture it wrote before committing it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "gfx/image.h"
#include "gfx/png_io.h"

inline ::testing::AssertionResult MatchesGolden(const Image& picture, const std::string& name) {
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
