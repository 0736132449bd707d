// A painter that records the sheet copies a paint asks for, for the
// dialogs' previews.
#pragma once

#include <vector>

#include "gfx/painter.h"
#include "gfx/resource_catalogue.h"

struct RecordedBlit {
  SheetRef sheet;
  int sx, sy, w, h, dx, dy;
  RasterOp op;
  bool operator==(const RecordedBlit&) const = default;
};

class RecordingPainter : public Painter {
 public:
  std::vector<RecordedBlit> blits;
  int otherCalls = 0;

  void Blit(const SheetRef& sheet, int sx, int sy, int w, int h, int dx, int dy,
            RasterOp op) override {
    blits.push_back({sheet, sx, sy, w, h, dx, dy, op});
  }
  void Line(int, int, int, int, Rgb) override { ++otherCalls; }
  void Caption(const ClientRect&, const std::string&, Rgb) override { ++otherCalls; }
  void FillBackground(const ClientRect&) override { ++otherCalls; }
  void BeginOffscreen(int, int) override { ++otherCalls; }
  void EndOffscreen(const ClientRect&) override { ++otherCalls; }
};

// A catalogue with names only (no pictures are needed to test the rules):
// the player's sprite set and three enemy sets, songs and AI types whose
// names begin other names listed before them.
inline ResourceCatalogue NamedCatalogue() {
  ResourceCatalogue catalogue;
  for (const char* name : {"Player", "Blob", "Bat", "Ghost"}) {
    SpriteSet set;
    set.name = name;
    catalogue.spriteSets.push_back(set);
  }
  catalogue.songs = {"Theme two", "Theme", "Boss"};
  catalogue.aiTypes = {"Chase fast", "Chase", "Wander", "Guard"};
  return catalogue;
}
