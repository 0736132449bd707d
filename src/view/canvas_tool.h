// The canvas tool: turns the mouse's gestures on the level canvas into
// edits of the document. A stroke of the left button, from its press to its
// release, is one step of the history however many cells it passes; a right
// click, a rectangle and a flood fill are one step each.
#pragma once

class Host;
struct Editor;

// The left button went down: a step opens and the mouse is captured, so the
// release is seen even outside the window.
void BeginStroke(Editor& editor, Host& host);
// The stroke reached the cell: the left-click rules put the selection there.
void StrokeAt(Editor& editor, Host& host, int cell);
// The stroke is over (the release, the capture lost, or anything else the
// user does meanwhile): the step closes; a rectangle not yet let go is
// dropped. Nothing happens without a stroke.
void EndStroke(Editor& editor, Host& host);
// A right click on the cell, in a step of its own.
void RightClickAt(Editor& editor, Host& host, int cell);

// Shift and a button on a cell: a rectangle from there, shown as a frame
// while the button is held (the right button: the right-click rules).
void BeginRectangle(Editor& editor, Host& host, int cell, bool right);
// The pointer over (or nearest to) the cell while the rectangle is held.
void DragRectangleTo(Editor& editor, Host& host, int cell);
// The button let go: the rectangle is filled, one step.
void FinishRectangle(Editor& editor, Host& host);
// Ctrl and a click on a cell: the area of the cell's value is filled.
void FloodAt(Editor& editor, Host& host, int cell, bool right);
