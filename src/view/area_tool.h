// Areas on the canvas: select mode and its selection, the floating paste,
// and the commands that copy, cut, clear, paste and flip an area. Every
// change of the level is one step of the history.
#pragma once

#include <string>

#include "level/level_area.h"

class Host;
struct Editor;

constexpr const char* kSelectModeText = "Select: drag over the level";
constexpr const char* kFloatingText = "Paste: click to place, Esc to cancel";

// Select area (Ctrl+R): the mode on, or off with its selection gone.
void ToggleSelectMode(Editor& editor, Host& host);
// Select all (Ctrl+A): the mode on with the whole grid selected.
void SelectWholeGrid(Editor& editor, Host& host);
// "Area W x H", the size of a selection in cells.
std::string AreaSizeText(const CellRect& rect);

// A right click, or Esc: a floating paste is dropped; false without one.
bool CancelFloating(Editor& editor, Host& host);
// Esc: a floating paste is dropped; otherwise the selection goes and the
// mode ends.
void CancelArea(Editor& editor, Host& host);
// The selection and any floating paste go (a reset, the mode left).
void DropArea(Editor& editor, Host& host);
// The selection goes, the mode and a floating paste stay (another level).
void ForgetSelection(Editor& editor, Host& host);

bool HasSelection(const Editor& editor);
// The selected rectangle, or the whole grid without a selection.
CellRect SelectedOrWholeGrid(const Editor& editor);

// The left button on the canvas in select mode: a new selection from `cell`,
// following the pointer (`cell` the nearest cell) until the release.
void BeginSelecting(Editor& editor, Host& host, int cell);
void SelectTo(Editor& editor, Host& host, int cell);
void FinishSelecting(Editor& editor, Host& host);

// Copy with a selection: the area onto the clipboard, in the program's own
// form and as text. Without one, the level goes onto the clipboard as text.
void CopySelection(Editor& editor, Host& host);
void CopyLevelAsText(Editor& editor, Host& host);
// Cut: copied, then cleared. Delete: cleared only.
void CutSelection(Editor& editor, Host& host);
void ClearSelection(Editor& editor, Host& host);

// Paste: when the clipboard holds an area, it floats under the pointer and
// true is returned; text that means to be an area but is not a valid one is
// reported in the status bar (true as well: it is not a level's paste).
// False when the clipboard holds no area: the level paste goes on.
bool BeginPasteArea(Editor& editor, Host& host);
// The floating area follows the pointer to `cell`.
void FloatTo(Editor& editor, Host& host, int cell);
// A left click places the floating area at `cell`, one step.
void PlaceFloating(Editor& editor, Host& host, int cell);
// What the canvas shows while an area floats: the current level as placing
// it would leave it (its cells laid over as they are where the level's rules
// refuse the place), and the last cell it covers, for its frame.
Level FloatingPreview(const Editor& editor);
int FloatingLastCell(const Editor& editor);

// Flip horizontally or vertically: the selection or the whole level.
void FlipSelection(Editor& editor, Host& host, FlipAxis axis);
// Whether the flip would change the level or say why not (the menu greys it otherwise).
bool FlipWouldAct(const Editor& editor, FlipAxis axis);
