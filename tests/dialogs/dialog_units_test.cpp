// What the dialogs draw themselves moves with their base units.
#include "dialogs/dialog_units.h"

#include <gtest/gtest.h>

namespace dialog_units_test {

TEST(DialogUnits, PlacesFollowTheBaseUnits) {
  const struct Case {
    const char* what;
    int x, y;
    DialogBase base;
    DialogPoint expected;
  } cases[] = {
      {"the enemy preview at the dialogs' own font", 182, 16, {6, 13}, {182, 16}},
      {"the third enemy type at the own font", 290, 175, {6, 13}, {290, 175}},
      {"Wine's stand-in font at 96 DPI", 290, 175, {6, 12}, {290, 162}},
      {"144 DPI", 290, 175, {9, 17}, {435, 229}},
  };
  for (const Case& c : cases) EXPECT_EQ(PlaceInDialog(c.x, c.y, c.base), c.expected) << c.what;
}

}  // namespace dialog_units_test
