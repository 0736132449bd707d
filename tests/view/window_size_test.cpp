// The main window's outer size holds the whole layout whatever the system
// puts around it.
#include <gtest/gtest.h>

#include "view/layout.h"

namespace window_size_test {

TEST(WindowSize, GrowsJustEnoughForTallerChrome) {
  const struct Case {
    const char* what;
    int zoom;
    WindowChrome chrome;
    WindowSize expected;
  } cases[] = {
      {"Wine at 96 DPI", 1, {6, 44, 20}, {523, 290}},
      {"Wine at 96 DPI, double size", 2, {6, 44, 20}, {1046, 499}},
      {"Wine at 144 DPI", 1, {6, 62, 28}, {523, 316}},
      {"Wine at 144 DPI, double size", 2, {6, 62, 28}, {1046, 525}},
      {"thicker borders", 1, {10, 48, 20}, {527, 294}},
      {"smaller chrome keeps the documented size", 1, {2, 30, 16}, {523, 290}},
  };
  for (const Case& c : cases) EXPECT_EQ(MainWindowSize(c.zoom, c.chrome), c.expected) << c.what;
}

}  // namespace window_size_test
