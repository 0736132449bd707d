// The main window's layout: a 16-pixel strip at the top with two selectors
// and captions, the level canvas at the left, the side panel (palette,
// player and enemy images, teleport tiles, cell inspector) at the right.
// Everything below the strip scales with the zoom z (1 or 2).
#pragma once

#include <cstdint>

#include "gfx/client_rect.h"

class RegionList;

// Region ids.
constexpr int32_t kRegionLeftEdge = 1002;   // grid column 0, half width
constexpr int32_t kRegionRightEdge = 1003;  // grid column 16, half width
constexpr int32_t kRegionGrid = 1004;       // grid columns 1..15
constexpr int32_t kRegionWalkable = 1007;
constexpr int32_t kRegionItems = 1008;
constexpr int32_t kRegionExit = 1009;
constexpr int32_t kRegionGem = 1010;
constexpr int32_t kRegionDestroyable = 1011;
constexpr int32_t kRegionWalls = 1012;
constexpr int32_t kRegionSolid = 1013;
constexpr int32_t kRegionPlayer = 1014;
constexpr int32_t kRegionEnemy1 = 1018;     // ..1022 for enemies 1..5
constexpr int32_t kRegionEnemy5 = 1022;
constexpr int32_t kRegionTeleport = 1039;

constexpr int kTopStrip = 16;  // the strip's height does not scale

// Fills an empty list with the 17 regions for zoom z, in their fixed order.
void LayoutRegions(RegionList& regions, int z);

// The main window's outer size for zoom z: 523 x 290 or 1046 x 499.
int MainWindowWidth(int z);
int MainWindowHeight(int z);

// What the system puts around the layout: the frame's width and height
// (borders, caption, menu bar) and the status bar's height.
struct WindowChrome {
  int frameWidth = 0;
  int frameHeight = 0;
  int statusBar = 0;
};
struct WindowSize {
  int width = 0;
  int height = 0;
  bool operator==(const WindowSize&) const = default;
};
// The outer size that holds the whole layout above the status bar: the
// documented size where the chrome is that of Wine at 96 DPI (a frame of
// 6 x 44 and a status bar of 20), and just so much larger where the chrome
// is larger (a higher DPI, larger fonts or captions).
WindowSize MainWindowSize(int z, const WindowChrome& chrome);

// Where the selectors stand (each 32 x 16 at both zooms).
struct SelectorPlace {
  int x, y;
};
SelectorPlace LevelSelectorPlace(int z);
SelectorPlace GraphicsSelectorPlace(int z);
SelectorPlace TeleportSelectorPlace(int z);
constexpr int kSelectorWidth = 32;
constexpr int kSelectorHeight = 16;

// The cell inspector's box (three tiles), as invalidated: right and bottom exclusive.
ClientRect InspectorRect(int z);
