#include "level_preview.h"

namespace {

void CopyTile(Image& canvas, const Image& sheet, int sx, int sy, int w, int h, int dx, int dy) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (canvas.Contains(dx + x, dy + y) && sheet.Contains(sx + x, sy + y))
        canvas.At(dx + x, dy + y) = sheet.At(sx + x, sy + y);
}

// The tile a main-grid cell shows and the strip laid over it, as the canvas
// draws them: exits carry the bottom of tile 17, walls hiding an item the top
// of their own wall tile.
void DrawCell(Image& canvas, const Image& sheet, int v, int x, int y) {
  int tile = v;
  if (v >= kCellTeleportFirst) tile = kCellTeleportTile;
  else if (v >= kCellWall2Item) tile = v - 144;
  else if (v >= kCellExitOnFloor) tile = v - 128;
  tile &= 127;
  CopyTile(canvas, sheet, tile % 16 * 16, tile / 16 * 16, 16, 16, x, y);
  if (v >= kCellExitOnFloor && v < kCellWall1Item) CopyTile(canvas, sheet, 16, 24, 16, 8, x, y + 8);
  else if (v >= kCellWall1Item && v < kCellWall2Item) CopyTile(canvas, sheet, 0, 32, 16, 8, x, y);
  else if (v >= kCellWall2Item && v < kCellTeleportFirst) CopyTile(canvas, sheet, 160, 32, 16, 8, x, y);
}

void DrawSprite(Image& canvas, const ArtSheet& sprites, int frameX, int dx, int dy) {
  const Image colour = sprites.ToImage();
  for (int y = 0; y < kSpriteSheetLines; ++y)
    for (int x = 0; x < 16; ++x)
      if (frameX + x < kArtSheetWidth && sprites.At(frameX + x, y) != 0 &&
          canvas.Contains(dx + x, dy + y))
        canvas.At(dx + x, dy + y) = colour.At(frameX + x, y);
}

}  // namespace

Image PreviewLevel(const Level& level, const ArtSheet& patterns, const ArtSheet& player,
                   const std::vector<const ArtSheet*>& enemySheets) {
  Image canvas(kPreviewWidth, kPreviewHeight);
  const Image sheet = patterns.ToImage();
  for (int row = 0; row < kGridRows; ++row) {
    const int y = 16 * row;
    for (int col = 1; col < kGridColumns - 1; ++col)
      DrawCell(canvas, sheet, level.GetCell(row * kGridColumns + col), 8 + 16 * (col - 1), y);
    const int left = level.GetCell(row * kGridColumns) & 127;
    const int right = level.GetCell(row * kGridColumns + 16) & 127;
    CopyTile(canvas, sheet, left % 16 * 16 + 8, left / 16 * 16, 8, 16, 0, y);
    CopyTile(canvas, sheet, right % 16 * 16, right / 16 * 16, 8, 16, 248, y);
  }
  for (int i = 0; i < kActorCount; ++i) {
    const ActorRecord& actor = level.GetActor(i);
    if (!actor.IsPlaced()) continue;
    const int group = actor.direction() / 2 & 3;
    if (actor.typeCode() == 0) {
      DrawSprite(canvas, player, 64 * group, actor.x(), actor.y() - 8);
      continue;
    }
    const int set = EnemySpriteSet(level, actor);
    if (set >= 1 && set <= static_cast<int>(enemySheets.size()) && enemySheets[set - 1])
      DrawSprite(canvas, *enemySheets[set - 1], 48 * group, actor.x(), actor.y() - 8);
  }
  return canvas;
}
