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
  const std::filesystem::path folder = std::filesystem::path(__FILE__).parent_path() / "golden";
  const std::string path = (folder / name).string();
  if (std::getenv("KRAXED_UPDATE_GOLDEN")) {
    std::filesystem::create_directories(folder);
    if (WritePng(path, picture)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "cannot write " << path;
  }
  Image golden;
  std::string error;
  if (!ReadPng(path, golden, &error)) return ::testing::AssertionFailure() << path << ": " << error;
  if (golden.Width() != picture.Width() || golden.Height() != picture.Height())
    return ::testing::AssertionFailure() << name << " is " << golden.Width() << " x " << golden.Height()
                                         << ", the picture " << picture.Width() << " x " << picture.Height();
  int differing = 0;
  std::string first;
  for (int y = 0; y < golden.Height(); ++y)
    for (int x = 0; x < golden.Width(); ++x)
      if (!(golden.At(x, y) == picture.At(x, y)) && differing++ == 0)
        first = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
  if (differing == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << differing << " pixels differ from " << name << ", the first at " << first;
}
