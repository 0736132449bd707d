// A level as the editor shows it, painted on pixels: what `kxl render`
// writes out and what the window's own pixels can be compared with.
#pragma once

#include "gfx/image.h"
#include "gfx/software_painter.h"

struct Editor;

struct LevelPictureOptions {
  int zoom = 1;               // 1 or 2; anything else is taken as 1
  bool wholeWindow = false;   // the whole client area instead of the canvas alone
  Rgb windowBackground = kDefaultWindowBackground;
};

// The picture's size: the canvas is 256z x 208z; the client area picture,
// 516z x (210z + 16), holds the canvas and the whole side panel.
int LevelPictureWidth(const LevelPictureOptions& options);
int LevelPictureHeight(const LevelPictureOptions& options);

// Paints level `levelIndex` (0..9) of the document with state.catalogue as
// the editor does right after opening the file: a full repaint, teleport
// pair 1, pattern 0 selected, the cell inspector empty. Lays out the
// state's regions for the zoom. Returns an empty picture for a level index
// outside 0..9.
Image RenderLevelPicture(Editor& state, int levelIndex, const LevelPictureOptions& options);

// All ten levels in one picture, five across and two down, each canvas with
// its level's number above it, on the window background.
Image RenderLevelSheet(Editor& state, const LevelPictureOptions& options);

// The canvas as the editor shows it now (the current level, zoom, teleport
// pair, frames), for Export picture; the editor's state stays as it was.
Image CanvasPicture(Editor& editor, Rgb windowBackground);
