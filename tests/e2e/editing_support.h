// Shared pieces of the editing tests: where the palette tiles and grid cells
// lie in the client area at either zoom, starting the editor with chosen
// settings, and checking a saved level set against the set the test built
// with the core's own level operations.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "e2e/editor_driver.h"
#include "level/level.h"

// Centres of tiles, in client pixels at zoom z.
// Grid cell of row 0..12 and column 0..16 (the edge columns are half wide).
POINT CellPoint(int z, int row, int column);
// A point in a cell of columns 1..15 given by its unzoomed offset from the
// grid region's corner: dx 0..239, dy 0..207.
POINT GridOffsetPoint(int z, int dx, int dy);
POINT WalkableTile(int z, int pattern);        // 0..15
POINT ItemTile(int z, int index);              // 0..11: items 18..29
POINT ExitTile(int z);
POINT GemTile(int z);
POINT DestroyableTile(int z);
POINT WallTile(int z, int kind);               // 0: wall 32, 1: wall 42
POINT SolidTile(int z, int row, int column);   // row 0..3, column 0..15: 64 + 16 row + column
POINT PlayerImage(int z, int image);           // 0..3: up, right, down, left
POINT EnemyImage(int z, int enemy);            // 1..5
POINT TeleportTile(int z, int end);            // 0 start, 1 end

// The palette tile of a pattern value (0..15, 17, 18..29, 31, 32, 42, 52, 64..127).
POINT PatternTile(int z, int value);

// The top-left corner of the palette box of a selection, as the selection
// frame surrounds it, and the box's size.
struct SelectionBox {
  int x, y, width, height;
};
SelectionBox PatternBox(int z, int value);
SelectionBox PlayerBox(int z, int image);
SelectionBox EnemyBox(int z, int enemy);
SelectionBox TeleportBox(int z, int end);

struct EditorOptions {
  bool doubleSize = false;
  bool correctShadow = false;
  bool sampleSet = false;  // open sample.kxl of the program folder
};

// One editor in a fresh program folder, started with the options and ready
// for the mouse (its window shown and painted).
class EditingSession {
 public:
  explicit EditingSession(const EditorOptions& options = {});

  bool Ready() const { return ready_; }
  int Zoom() const { return zoom_; }
  ProgramDir& Folder() { return folder_; }
  EditorProcess& Editor() { return *editor_; }
  // What the editor started with, read from the same file (or a new set).
  const LevelSet& Initial() const { return initial_; }

  // Clicks the palette tile of a pattern value.
  void SelectPattern(int value);
  void ClickCell(int row, int column);
  void RightClickCell(int row, int column);
  // Saves the set under a new name in the program folder with "Save as";
  // false when the file did not appear. A snapshot of the window is taken
  // first (SaveSnapshot), named after the test and the file.
  bool SaveAs(const std::string& name);

 private:
  ProgramDir folder_;
  std::unique_ptr<EditorProcess> editor_;
  LevelSet initial_;
  int zoom_ = 1;
  bool ready_ = false;
};

// The file's bytes are exactly the encoding of `expected`; on a difference it
// tells which cells, floors, actors or settings differ.
::testing::AssertionResult SavedSetIs(const std::string& path, const LevelSet& expected);

// Waits until the editor has handled every message posted to it so far
// (sent messages overtake posted ones, so WaitIdle alone cannot tell), then
// until it is idle. False when the time ran out.
bool WaitForPostedMessages(const EditorProcess& editor, DWORD timeoutMs = 10000);

// Holds the editor's window thread while it lives, so that messages posted
// meanwhile are all queued before the editor handles the first of them.
class HeldThread {
 public:
  explicit HeldThread(const EditorProcess& editor);
  ~HeldThread();
  HeldThread(const HeldThread&) = delete;
  HeldThread& operator=(const HeldThread&) = delete;
  bool Held() const { return held_; }

 private:
  HANDLE thread_ = nullptr;
  bool held_ = false;
};

// With the environment variable KXE2E_SHOTS naming a folder, writes the
// client area as name.png there, to look at what a test left on screen.
void SaveSnapshot(const EditorProcess& editor, const std::string& name);

// A cell index from its row and column.
inline int CellIndex(int row, int column) { return row * kGridColumns + column; }
