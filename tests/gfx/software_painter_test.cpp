#include "gfx/software_painter.h"

#include <gtest/gtest.h>

#include "gfx/resource_catalogue.h"

namespace {

constexpr Rgb kDot{1, 1, 1};
constexpr Rgb kSheet{0xF0, 0x0F, 0xAA};
const SheetRef kPattern{SheetKind::Pattern, 0, 1};
const std::string kEmpty = "......|......|......|......|......";

// The picture as rows of characters joined by '|': '.' kDot, 's' kSheet.
std::string Rows(const Image& image) {
  std::string out;
  for (int i = 0; i < image.Width() * image.Height(); ++i) {
    const Rgb p = image.Pixels()[i];
    out += std::string(i && i % image.Width() == 0 ? "|" : "") +
           (p == kDot ? '.' : p == kSheet ? 's' : '?');
  }
  return out;
}

// Pattern set 0 of 8 x 8 kSheet, pattern set 1 unreadable.
ResourceCatalogue SolidCatalogue() {
  ResourceCatalogue catalogue;
  catalogue.patternSets.push_back({Image(8, 8, kSheet), Image(16, 16, kSheet), "Plain"});
  catalogue.patternSets.push_back({Image(), Image(), "Unreadable"});
  return catalogue;
}

}  // namespace

TEST(SoftwarePainter, BlitsAreClipped) {
  const ResourceCatalogue c = SolidCatalogue();
  const struct {
    SheetRef ref;
    int sx, sy, w, h, dx, dy;
    std::string rows;
  } clips[] = {
      {kPattern, 4, 6, 10, 10, 0, 0, "ssss..|ssss..|......|......|......"},  // past the sheet's edges
      {kPattern, -3, -2, 5, 5, 1, 1, "......|......|......|....ss|....ss"},  // before them: the target shifts
      {kPattern, 0, 0, 8, 8, -5, -5, "sss...|sss...|sss...|......|......"},
      {kPattern, 0, 0, 8, 8, 5, 4, "......|......|......|......|.....s"},
      {{SheetKind::Pattern, 1, 1}, 0, 0, 8, 8, 0, 0, kEmpty},  // unreadable
      {kPattern, 0, 0, -4, 4, 2, 2, kEmpty},
      {kPattern, 2000000000, 2000000000, 2000000000, 2000000000, -2000000000, 0, kEmpty},
  };
  for (const auto& row : clips) {
    Image image(6, 5, kDot);
    SoftwarePainter(c, image).Blit(row.ref, row.sx, row.sy, row.w, row.h, row.dx, row.dy, RasterOp::Copy);
    EXPECT_EQ(Rows(image), row.rows) << row.sx << "," << row.sy << " " << row.dx << "," << row.dy;
  }
}

TEST(SoftwarePainter, LinesAreClippedAndEndBeforeTheirLastPoint) {
  const ResourceCatalogue c = SolidCatalogue();
  Image image(6, 5, kDot);
  SoftwarePainter painter(c, image);
  painter.Line(-2, 1, 3, 1, kSheet);  // from beyond the left edge
  painter.Line(4, -2, 4, 1, kSheet);  // from above the top edge
  EXPECT_EQ(Rows(image), "....s.|sss...|......|......|......");
}
