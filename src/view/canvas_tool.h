// The canvas tool: turns the mouse's gestures on the level canvas into
// edits of the document. A stroke of the left button, from its press to its
// release, is one step of the history however many cells it passes; a right
// click is one step.
#pragma once

class Host;
struct Editor;

// The left button went down: a step opens and the mouse is captured, so the
// release is seen even outside the window.
void BeginStroke(Editor& editor, Host& host);
// The stroke reached the cell: the left-click rules put the selection there.
void StrokeAt(Editor& editor, Host& host, int cell);
// The stroke is over (the release, the capture lost, or anything else the
// user does meanwhile): the step closes. Nothing happens without a stroke.
void EndStroke(Editor& editor, Host& host);
// A right click on the cell, in a step of its own.
void RightClickAt(Editor& editor, Host& host, int cell);
