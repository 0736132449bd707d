// Found by the random session: an exit, a wall hiding an item or a teleport
// end placed in an edge column has no half tile to show there. The canvas
// is composed in a fresh off-screen bitmap, so such a cell left undrawn
// showed whatever that memory held (pieces of earlier paints); it shows
// the window's background.
#include <gtest/gtest.h>

#include "app/editor_state.h"
#include "e2e/dialog_driver.h"
#include "gfx/resource_catalogue.h"
#include "gfx/software_painter.h"
#include "level/level_file.h"
#include "view/level_picture.h"

TEST(EdgeCells, ValuesWithoutAHalfTileShowTheWindowBackgroundNotStalePixels) {
  ProgramDir folder;
  LevelSet levels = ReadSet(folder.File("sample.kxl"));
  for (int row = 0; row < 13; ++row) {
    // Exits on floors, walls hiding items, teleport ends: 128 to 255.
    levels[0].cells[17 * row + 16] = 128 + 10 * row;
    levels[0].cells[17 * row] = 140 + 4 * row;
  }
  const std::string path = folder.File("edges.kxl");
  PutFile(path, EncodeLevelSet(levels));

  EditorState state = StateWith(folder, levels);
  LevelPictureOptions options;
  options.windowBackground = RgbFromColorRef(GetSysColor(COLOR_SCROLLBAR));
  const Image expected = RenderLevelPicture(state, 0, options);
  for (int row = 0; row < 13; ++row) {
    EXPECT_EQ(expected.At(2, 16 * row + 8), options.windowBackground);
    EXPECT_EQ(expected.At(252, 16 * row + 8), options.windowBackground);
  }

  EditorProcess editor(folder, "\"" + path + "\"");
  ASSERT_TRUE(editor.WaitForWindow());
  MoveWindowTo(editor.Window(), 0, 0);
  // Other levels first, so the off-screen bitmap of the next paint may
  // well reuse memory that held a picture.
  for (int level : {9, 5, 2, 0}) SendCommand(editor, 40022 + level);
  const Image shown =
      editor.CaptureCanvasWhen([&](const Image& canvas) { return canvas == expected; });
  EXPECT_TRUE(shown == expected);
  for (int row = 0; row < 13; ++row) {
    EXPECT_EQ(shown.At(2, 16 * row + 8), options.windowBackground) << "row " << row;
    EXPECT_EQ(shown.At(252, 16 * row + 8), options.windowBackground) << "row " << row;
  }
  editor.Command(40011);
  EXPECT_TRUE(editor.WaitForExit());
}
