#include "gfx/software_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <utility>

#include "gfx/resource_catalogue.h"
#include "gfx/sheet_lookup.h"
#include "support/test_sheets.h"

namespace {

constexpr Rgb kBackground{10, 20, 30};

using Pixels = std::set<std::pair<int, int>>;

// The pixels of `image` that hold `colour`.
Pixels PixelsOf(const Image& image, Rgb colour) {
  Pixels out;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (image.At(x, y) == colour) out.insert({x, y});
  return out;
}

// A catalogue with one pattern set and one sprite set, each picture filled
// with a colour of its own.
ResourceCatalogue SolidCatalogue() {
  ResourceCatalogue catalogue;
  catalogue.patternSets.push_back(
      {Image(8, 8, {0xF0, 0x0F, 0xAA}), Image(16, 16, {1, 2, 3}), "Plain"});
  catalogue.spriteSets.push_back({Image(8, 8, {4, 4, 4}), Image(16, 16, {5, 5, 5}),
                                  Image(8, 8, {6, 6, 6}), Image(16, 16, {7, 7, 7}), ""});
  return catalogue;
}


Pixels DrawLine(int x0, int y0, int x1, int y1) {
  const ResourceCatalogue catalogue;
  Image target(40, 40);
  SoftwarePainter painter(catalogue, target);
  painter.Line(x0, y0, x1, y1, {255, 255, 255});
  return PixelsOf(target, {255, 255, 255});
}

}  // namespace

TEST(SoftwarePainter, SheetsByKindAndZoom) {
  ResourceCatalogue catalogue = SolidCatalogue();
  catalogue.patternSets.push_back({Image(), Image(), "Unreadable"});
  EXPECT_EQ(FindSheet(catalogue, {SheetKind::Pattern, 0, 1}), &catalogue.patternSets[0].normal.Get());
  EXPECT_EQ(FindSheet(catalogue, {SheetKind::Pattern, 0, 2}), &catalogue.patternSets[0].doubled.Get());
  EXPECT_EQ(FindSheet(catalogue, {SheetKind::SpriteColour, 0, 1}), &catalogue.spriteSets[0].colour.Get());
  EXPECT_EQ(FindSheet(catalogue, {SheetKind::SpriteColour, 0, 2}),
            &catalogue.spriteSets[0].colourDouble.Get());
  EXPECT_EQ(FindSheet(catalogue, {SheetKind::SpriteMask, 0, 1}), &catalogue.spriteSets[0].mask.Get());
  EXPECT_EQ(FindSheet(catalogue, {SheetKind::SpriteMask, 0, 2}),
            &catalogue.spriteSets[0].maskDouble.Get());
  EXPECT_EQ(FindSheet(catalogue, {SheetKind::Pattern, 1, 1}), nullptr);   // empty picture
  EXPECT_EQ(FindSheet(catalogue, {SheetKind::Pattern, 2, 1}), nullptr);   // no such set
  EXPECT_EQ(FindSheet(catalogue, {SheetKind::Pattern, -1, 1}), nullptr);
  EXPECT_EQ(FindSheet(catalogue, {SheetKind::SpriteMask, 1, 1}), nullptr);
  EXPECT_EQ(FindSheet(catalogue, {SheetKind::Pattern, 0, 3}), nullptr);   // no such zoom
  EXPECT_EQ(FindSheet(catalogue, {SheetKind::Pattern, 0, 0}), nullptr);
}

TEST(SoftwarePainter, RasterOpsWorkChannelByChannel) {
  const ResourceCatalogue catalogue = SolidCatalogue();
  Image target(12, 4, {0x3C, 0x3C, 0x3C});
  SoftwarePainter painter(catalogue, target);
  const SheetRef pattern{SheetKind::Pattern, 0, 1};
  painter.Blit(pattern, 0, 0, 2, 2, 0, 0, RasterOp::Copy);
  painter.Blit(pattern, 0, 0, 2, 2, 4, 0, RasterOp::And);
  painter.Blit(pattern, 0, 0, 2, 2, 8, 0, RasterOp::Paint);
  EXPECT_EQ(target.At(1, 1), (Rgb{0xF0, 0x0F, 0xAA}));
  EXPECT_EQ(target.At(4, 0), (Rgb{0x30, 0x0C, 0x28}));
  EXPECT_EQ(target.At(9, 1), (Rgb{0xFC, 0x3F, 0xBE}));
  EXPECT_EQ(target.At(2, 0), (Rgb{0x3C, 0x3C, 0x3C}));  // just right of the first copy
  EXPECT_EQ(target.At(0, 2), (Rgb{0x3C, 0x3C, 0x3C}));  // just below it

  // The zoom and the kind pick the picture.
  painter.Blit({SheetKind::Pattern, 0, 2}, 0, 0, 1, 1, 0, 3, RasterOp::Copy);
  painter.Blit({SheetKind::SpriteColour, 0, 1}, 0, 0, 1, 1, 1, 3, RasterOp::Copy);
  painter.Blit({SheetKind::SpriteColour, 0, 2}, 0, 0, 1, 1, 2, 3, RasterOp::Copy);
  painter.Blit({SheetKind::SpriteMask, 0, 1}, 0, 0, 1, 1, 3, 3, RasterOp::Copy);
  painter.Blit({SheetKind::SpriteMask, 0, 2}, 0, 0, 1, 1, 4, 3, RasterOp::Copy);
  EXPECT_EQ(target.At(0, 3), (Rgb{1, 2, 3}));
  EXPECT_EQ(target.At(1, 3), (Rgb{4, 4, 4}));
  EXPECT_EQ(target.At(2, 3), (Rgb{5, 5, 5}));
  EXPECT_EQ(target.At(3, 3), (Rgb{6, 6, 6}));
  EXPECT_EQ(target.At(4, 3), (Rgb{7, 7, 7}));

  // A sprite over a tile: the mask keeps the tile where it is white, the
  // colour fills what the mask cleared.
  const ResourceCatalogue sheets = MakeTestCatalogue(1, 1);
  Image canvas(16, 24, PatternSheetPixel(0, 5, false, false));
  SoftwarePainter sprites(sheets, canvas);
  sprites.Blit({SheetKind::SpriteMask, 0, 1}, 64, 0, 16, 24, 0, 0, RasterOp::And);
  sprites.Blit({SheetKind::SpriteColour, 0, 1}, 64, 0, 16, 24, 0, 0, RasterOp::Paint);
  EXPECT_EQ(canvas.At(3, 7), PatternSheetPixel(0, 5, false, false));
  EXPECT_EQ(canvas.At(3, 8), SpriteColourAt(0, 64));
  EXPECT_EQ(canvas.At(15, 23), SpriteColourAt(0, 64));
}

TEST(SoftwarePainter, BlitsAreClippedToSheetAndTarget) {
  const ResourceCatalogue catalogue = SolidCatalogue();  // the normal pattern sheet is 8 x 8
  const Rgb sheet{0xF0, 0x0F, 0xAA};
  const SheetRef pattern{SheetKind::Pattern, 0, 1};

  // Source running past the sheet's right and bottom edges: only the part
  // inside the sheet arrives.
  Image target(20, 20, kBackground);
  SoftwarePainter painter(catalogue, target);
  painter.Blit(pattern, 4, 6, 10, 10, 0, 0, RasterOp::Copy);
  EXPECT_EQ(PixelsOf(target, sheet).size(), 4u * 2u);
  EXPECT_EQ(target.At(3, 1), sheet);
  EXPECT_EQ(target.At(4, 1), kBackground);
  EXPECT_EQ(target.At(3, 2), kBackground);

  // Source starting left of and above the sheet: the destination shifts with it.
  Image left(20, 20, kBackground);
  SoftwarePainter leftPainter(catalogue, left);
  leftPainter.Blit(pattern, -3, -2, 5, 5, 10, 10, RasterOp::Copy);
  EXPECT_EQ(PixelsOf(left, sheet), (Pixels{{13, 12}, {14, 12}, {13, 13}, {14, 13}, {13, 14},
                                           {14, 14}}));

  // Destination partly outside the target, on every side; nothing wraps.
  Image small(6, 6, kBackground);
  SoftwarePainter smallPainter(catalogue, small);
  smallPainter.Blit(pattern, 0, 0, 8, 8, -5, -5, RasterOp::Copy);
  smallPainter.Blit(pattern, 0, 0, 8, 8, 5, 5, RasterOp::Copy);
  EXPECT_EQ(PixelsOf(small, sheet), (Pixels{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1},
                                            {0, 2}, {1, 2}, {2, 2}, {5, 5}}));

  // Nothing at all from a missing or empty sheet, a negative size, or a
  // rectangle entirely outside.
  ResourceCatalogue withEmpty = SolidCatalogue();
  withEmpty.patternSets.push_back({Image(), Image(), "Unreadable"});
  Image untouched(10, 10, kBackground);
  SoftwarePainter none(withEmpty, untouched);
  none.Blit({SheetKind::Pattern, 1, 1}, 0, 0, 8, 8, 0, 0, RasterOp::Copy);
  none.Blit({SheetKind::Pattern, 7, 1}, 0, 0, 8, 8, 0, 0, RasterOp::Copy);
  none.Blit({SheetKind::SpriteColour, 3, 1}, 0, 0, 8, 8, 0, 0, RasterOp::Copy);
  none.Blit(pattern, 0, 0, -4, 4, 2, 2, RasterOp::Copy);
  none.Blit(pattern, 8, 0, 4, 4, 0, 0, RasterOp::Copy);
  none.Blit(pattern, 0, 0, 4, 4, 10, 0, RasterOp::Copy);
  none.Blit(pattern, 0, 0, 4, 4, 0, -4, RasterOp::Copy);
  none.Blit(pattern, 2000000000, 2000000000, 2000000000, 2000000000, -2000000000, 0,
            RasterOp::Copy);
  EXPECT_EQ(untouched, Image(10, 10, kBackground));
}

TEST(SoftwarePainter, LinesSetPixelsAsGdiDoes) {
  // Horizontal and vertical, both ways: every pixel from the start up to,
  // not including, the end.
  EXPECT_EQ(DrawLine(2, 3, 6, 3), (Pixels{{2, 3}, {3, 3}, {4, 3}, {5, 3}}));
  EXPECT_EQ(DrawLine(6, 3, 2, 3), (Pixels{{6, 3}, {5, 3}, {4, 3}, {3, 3}}));
  EXPECT_EQ(DrawLine(4, 1, 4, 4), (Pixels{{4, 1}, {4, 2}, {4, 3}}));
  EXPECT_EQ(DrawLine(4, 4, 4, 1), (Pixels{{4, 4}, {4, 3}, {4, 2}}));
  // Diagonals.
  EXPECT_EQ(DrawLine(1, 1, 5, 5), (Pixels{{1, 1}, {2, 2}, {3, 3}, {4, 4}}));
  EXPECT_EQ(DrawLine(5, 1, 1, 5), (Pixels{{5, 1}, {4, 2}, {3, 3}, {2, 4}}));
  EXPECT_EQ(DrawLine(3, 3, 0, 0), (Pixels{{3, 3}, {2, 2}, {1, 1}}));
  // A point and a one-pixel step.
  EXPECT_EQ(DrawLine(7, 7, 7, 7), Pixels{});
  EXPECT_EQ(DrawLine(7, 7, 8, 7), (Pixels{{7, 7}}));
  // Half-way ties go to the smaller minor coordinate, in both directions.
  EXPECT_EQ(DrawLine(0, 0, 4, 2), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
  EXPECT_EQ(DrawLine(4, 2, 0, 0), (Pixels{{4, 2}, {3, 1}, {2, 1}, {1, 0}}));
  EXPECT_EQ(DrawLine(0, 0, 2, 4), (Pixels{{0, 0}, {0, 1}, {1, 2}, {1, 3}}));
  EXPECT_EQ(DrawLine(0, 4, 4, 2), (Pixels{{0, 4}, {1, 3}, {2, 3}, {3, 2}}));

  // Any line: as many pixels as its longer extent, each within half a pixel
  // of the ideal line, and its reverse sets the same pixels but the ends.
  for (int x0 : {3, 17, 30})
    for (int y0 : {2, 20, 33})
      for (int x1 : {0, 11, 19, 36})
        for (int y1 : {5, 14, 21, 39}) {
          const Pixels forward = DrawLine(x0, y0, x1, y1);
          const Pixels backward = DrawLine(x1, y1, x0, y0);
          ASSERT_EQ(forward.size(),
                    static_cast<size_t>(std::max(std::abs(x1 - x0), std::abs(y1 - y0))));
          EXPECT_EQ(forward.count({x1, y1}), 0u);
          Pixels a = forward, b = backward;
          a.insert({x1, y1});
          b.insert({x0, y0});
          EXPECT_EQ(a, b) << x0 << "," << y0 << " to " << x1 << "," << y1;
          for (const auto& [x, y] : forward) {
            const double dx = x1 - x0, dy = y1 - y0;
            if (std::abs(dx) >= std::abs(dy))
              EXPECT_LE(std::abs(y0 + dy * (x - x0) / dx - y), 0.5);
            else
              EXPECT_LE(std::abs(x0 + dx * (y - y0) / dy - x), 0.5);
          }
        }

  // Lines leaving the target are clipped, not wrapped.
  const ResourceCatalogue catalogue;
  Image target(5, 5);
  SoftwarePainter painter(catalogue, target);
  painter.Line(-3, 2, 9, 2, {255, 255, 255});
  painter.Line(1, -100, 1, 100, {255, 255, 255});
  EXPECT_EQ(PixelsOf(target, {255, 255, 255}),
            (Pixels{{0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {1, 0}, {1, 1}, {1, 3}, {1, 4}}));
}

TEST(SoftwarePainter, BackgroundFillsAndCaptionsAreRecorded) {
  const ResourceCatalogue catalogue;
  Image target(10, 10, {1, 1, 1});
  SoftwarePainter painter(catalogue, target, kBackground);
  EXPECT_EQ(painter.WindowBackground(), kBackground);
  painter.FillBackground({2, 3, 5, 4});
  painter.FillBackground({8, 8, 20, 20});
  painter.FillBackground({-5, -5, 1, 1});
  EXPECT_EQ(PixelsOf(target, kBackground),
            (Pixels{{2, 3}, {3, 3}, {4, 3}, {8, 8}, {9, 8}, {8, 9}, {9, 9}, {0, 0}}));

  const Image before = target;
  painter.Caption({1, 2, 9, 9}, "Level 1  ", {7, 7, 7});
  painter.Caption({0, 0, 3, 3}, "Player", {8, 8, 8});
  EXPECT_EQ(target, before);  // captions leave the pixels alone
  ASSERT_EQ(painter.Captions().size(), 2u);
  EXPECT_EQ(painter.Captions()[0].text, "Level 1  ");
  EXPECT_EQ(painter.Captions()[0].rect, (ClientRect{1, 2, 9, 9}));
  EXPECT_EQ(painter.Captions()[0].background, (Rgb{7, 7, 7}));
  EXPECT_EQ(painter.Captions()[1].text, "Player");
}

TEST(SoftwarePainter, OffscreenPictureArrivesInOneTransfer) {
  const ResourceCatalogue catalogue = SolidCatalogue();
  const Rgb sheet{0xF0, 0x0F, 0xAA};
  Image target(12, 12, {1, 1, 1});
  SoftwarePainter painter(catalogue, target, kBackground);
  painter.EndOffscreen({0, 0, 12, 12});  // nothing begun: nothing copied
  EXPECT_EQ(painter.OffscreenTransfers(), 0);

  painter.BeginOffscreen(10, 10);
  EXPECT_TRUE(painter.Offscreen());
  painter.Blit({SheetKind::Pattern, 0, 1}, 0, 0, 8, 8, 0, 0, RasterOp::Copy);
  painter.Line(0, 9, 9, 9, {255, 255, 255});
  painter.FillBackground({8, 0, 10, 2});
  EXPECT_EQ(target, Image(12, 12, {1, 1, 1}));  // nothing reached the target yet
  painter.EndOffscreen({1, 1, 11, 11});
  EXPECT_FALSE(painter.Offscreen());
  EXPECT_EQ(painter.OffscreenTransfers(), 1);

  EXPECT_EQ(target.At(0, 0), (Rgb{1, 1, 1}));   // outside the copied area
  EXPECT_EQ(target.At(1, 1), sheet);
  EXPECT_EQ(target.At(7, 7), sheet);
  EXPECT_EQ(target.At(8, 1), kBackground);
  EXPECT_EQ(target.At(8, 2), (Rgb{0, 0, 0}));   // the hidden picture starts black
  EXPECT_EQ(target.At(5, 9), (Rgb{255, 255, 255}));
  EXPECT_EQ(target.At(10, 10), (Rgb{1, 1, 1}));  // beyond the hidden picture
  EXPECT_EQ(target.At(11, 11), (Rgb{1, 1, 1}));  // beyond the area

  // After the transfer, drawing goes to the target again.
  painter.FillBackground({0, 0, 1, 1});
  EXPECT_EQ(target.At(0, 0), kBackground);
  painter.EndOffscreen({0, 0, 12, 12});
  EXPECT_EQ(painter.OffscreenTransfers(), 1);

  const Image part = CropImage(target, 1, 1, 3, 2);
  EXPECT_EQ(part.Width(), 3);
  EXPECT_EQ(part.Height(), 2);
  EXPECT_EQ(part.At(0, 0), sheet);
  const Image past = CropImage(target, 10, 10, 4, 4);
  EXPECT_EQ(past.At(1, 1), (Rgb{1, 1, 1}));
  EXPECT_EQ(past.At(3, 3), (Rgb{0, 0, 0}));
}
