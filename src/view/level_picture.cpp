#include "view/level_picture.h"

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
