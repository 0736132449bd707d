#include "gfx/software_painter.h"

#include <gtest/gtest.h>

#include "gfx/resource_catalogue.h"

namespace {

constexpr Rgb kDot{1, 1, 1};
constexpr Rgb kSheet{0xF0, 0x0F, 0xAA};
constexpr Rgb kBack{10, 20, 30};
constexpr Rgb kWhite{255, 255, 255};
const SheetRef kPattern{SheetKind::Pattern, 0, 1};
const std::string kEmpty = "......|......|......|......|......";

// The picture as rows of characters joined by '|': '.' kDot, 's' kSheet, 'b' kBack, '#' white, 'k' black.
std::string Rows(const Image& image) {
  std::string out;
  for (int i = 0; i < image.Width() * image.Height(); ++i) {
    const Rgb p = image.Pixels()[i];
    out += std::string(i && i % image.Width() == 0 ? "|" : "") +
           (p == kDot ? '.' : p == kSheet ? 's' : p == kBack ? 'b' : p == kWhite ? '#' : p == Rgb{} ? 'k' : '?');
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

TEST(SoftwarePainter, TheOffscreenPicture) {
  const ResourceCatalogue catalogue = SolidCatalogue();
  Image target(6, 5, kDot);
  SoftwarePainter painter(catalogue, target, kBack);
  painter.EndOffscreen({0, 0, 6, 5});  // nothing begun: nothing copied
  painter.BeginOffscreen(5, 4);
  painter.Blit(kPattern, 0, 0, 2, 2, 0, 0, RasterOp::Copy);
  painter.Line(0, 3, 4, 3, kWhite);
  painter.FillBackground({3, 0, 5, 2});
  EXPECT_EQ(Rows(target), kEmpty);
  painter.EndOffscreen({1, 1, 6, 5});  // the hidden picture starts black
  painter.FillBackground({0, 0, 1, 1});  // on the target again
  EXPECT_EQ(Rows(target), "b.....|.skbb.|.kkkk.|.###k.|......");
  EXPECT_EQ(Rows(CropImage(target, 4, 3, 4, 3)), "k.kk|..kk|kkkk");
}
