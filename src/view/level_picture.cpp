#include "view/level_picture.h"

#include <string>

#include "view/editor.h"
#include "view/layout.h"
#include "view/paint.h"

namespace {

int ZoomOf(const LevelPictureOptions& options) { return options.zoom == 2 ? 2 : 1; }

}  // namespace

int LevelPictureWidth(const LevelPictureOptions& options) {
  return (options.wholeWindow ? 516 : 256) * ZoomOf(options);
}

int LevelPictureHeight(const LevelPictureOptions& options) {
  const int z = ZoomOf(options);
  return options.wholeWindow ? 210 * z + kTopStrip : 208 * z;
}

Image RenderLevelPicture(Editor& state, int levelIndex, const LevelPictureOptions& options) {
  if (levelIndex < 0 || levelIndex >= kLevelCount) return Image();
  const int z = ZoomOf(options);
  state.settings.zoom = z;
  Session& session = state.session;
  session.regionList.Clear();
  LayoutRegions(session.regionList, z);
  session.currentLevel = levelIndex;
  session.teleportPair = 0;
  session.selectionCategory = kSelectPattern;
  session.selectionValue = 0;
  for (int32_t& tile : session.inspectorTiles) tile = -1;
  session.repaintFlags = kRepaintAll;

  LevelPictureOptions whole = options;
  whole.wholeWindow = true;
  Image client(LevelPictureWidth(whole), LevelPictureHeight(whole), options.windowBackground);
  SoftwarePainter painter(state.catalogue, client, options.windowBackground);
  PaintMainWindow(state, painter);
  if (options.wholeWindow) return client;
  return CropImage(client, z, z + kTopStrip, 256 * z, 208 * z);
}

namespace {

// Digits of five by seven pixels, one row a byte, the leftmost pixel the
// highest of its five bits.
constexpr uint8_t kDigits[10][7] = {
    {14, 17, 19, 21, 25, 17, 14}, {4, 12, 4, 4, 4, 4, 14},     {14, 17, 1, 2, 4, 8, 31},
    {31, 2, 4, 2, 1, 17, 14},     {2, 6, 10, 18, 31, 2, 2},    {31, 16, 30, 1, 1, 17, 14},
    {6, 8, 16, 30, 17, 17, 14},   {31, 1, 2, 4, 8, 8, 8},      {14, 17, 17, 14, 17, 17, 14},
    {14, 17, 17, 15, 1, 2, 12},
};

// The number in black at (x, y), each font pixel z x z.
void DrawNumber(Image& image, int number, int x, int y, int z) {
  const std::string text = std::to_string(number);
  for (size_t k = 0; k < text.size(); ++k)
    for (int row = 0; row < 7; ++row)
      for (int column = 0; column < 5; ++column) {
        if (!(kDigits[text[k] - '0'][row] >> (4 - column) & 1)) continue;
        for (int dy = 0; dy < z; ++dy)
          for (int dx = 0; dx < z; ++dx) {
            const int px = x + (6 * static_cast<int>(k) + column) * z + dx, py = y + row * z + dy;
            if (image.Contains(px, py)) image.At(px, py) = Rgb{0, 0, 0};
          }
      }
}

void Paste(Image& into, const Image& picture, int left, int top) {
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x)
      if (into.Contains(left + x, top + y)) into.At(left + x, top + y) = picture.At(x, y);
}

}  // namespace

Image RenderLevelSheet(Editor& state, const LevelPictureOptions& options) {
  const int z = ZoomOf(options);
  LevelPictureOptions canvas = options;
  canvas.wholeWindow = false;
  const int gap = 4 * z, label = 11 * z;
  const int width = LevelPictureWidth(canvas), height = LevelPictureHeight(canvas);
  Image sheet(5 * width + 6 * gap, 2 * (height + label) + 3 * gap, options.windowBackground);
  for (int level = 0; level < kLevelCount; ++level) {
    const int left = gap + (level % 5) * (width + gap);
    const int top = gap + (level / 5) * (height + label + gap);
    DrawNumber(sheet, level + 1, left, top + 2 * z, z);
    Paste(sheet, RenderLevelPicture(state, level, canvas), left, top + label);
  }
  return sheet;
}

Image CanvasPicture(Editor& editor, Rgb windowBackground) {
  const int z = editor.settings.zoom == 2 ? 2 : 1;
  const Session kept = editor.session;
  editor.session.repaintFlags = kRepaintAll;
  Image client(516 * z, 210 * z + kTopStrip, windowBackground);
  SoftwarePainter painter(editor.catalogue, client, windowBackground);
  PaintMainWindow(editor, painter);
  editor.session = kept;
  return CropImage(client, z, z + kTopStrip, 256 * z, 208 * z);
}
