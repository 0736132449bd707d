#include "view/canvas_tool.h"

#include <string>

#include "doc/edits.h"
#include "level/areas.h"
#include "view/editor.h"
#include "view/host.h"
#include "view/inspector.h"
#include "view/title.h"

namespace {

// The title follows every edit, the inspector and the canvas as the edit asks.
void Follow(Editor& editor, Host& host, const EditOutcome& outcome, int cell) {
  if (!outcome.Ran()) return;
  UpdateTitle(editor, host);
  if (outcome.inspect) ShowCellInspector(editor, host, cell);
  if (outcome.repaint != 0) Repaint(editor, host, outcome.repaint);
}

}  // namespace

void BeginStroke(Editor& editor, Host& host) {
  EndStroke(editor, host);
  editor.session.stroke = true;
  editor.document.OpenStep(editor.session.currentLevel);
  host.CaptureMouse();
}

void StrokeAt(Editor& editor, Host& host, int cell) {
  Session& s = editor.session;
  Follow(editor, host, Edits::ApplyLeft(editor.document, s.currentLevel, s, cell), cell);
}

void EndStroke(Editor& editor, Host& host) {
  Session& s = editor.session;
  if (!s.stroke) return;
  s.stroke = false;  // before the release, which reports the capture lost
  if (s.rectangle.active) {
    s.rectangle = {};
    Repaint(editor, host, kRepaintCanvas);  // the frame goes
  }
  host.ReleaseMouse();
  editor.document.CloseStep();
  UpdateTitle(editor, host);
}

void RightClickAt(Editor& editor, Host& host, int cell) {
  Session& s = editor.session;
  // The shadow correction that follows the click belongs to its step.
  editor.document.OpenStep(s.currentLevel);
  const EditOutcome outcome = Edits::ApplyRight(editor.document, s.currentLevel, s, cell);
  Follow(editor, host, outcome, cell);
  editor.document.CloseStep();
  if (outcome.Ran()) UpdateTitle(editor, host);
}

namespace {

void ShowRectangleSize(const Editor& editor, Host& host) {
  const Session::Rectangle& r = editor.session.rectangle;
  host.SetStatusText("Rectangle " + std::to_string(RectangleWidth(r.first, r.last)) + " x " +
                     std::to_string(RectangleHeight(r.first, r.last)));
}

}  // namespace

void BeginRectangle(Editor& editor, Host& host, int cell, bool right) {
  BeginStroke(editor, host);
  editor.session.rectangle = {true, right, cell, cell};
  ShowRectangleSize(editor, host);
  Repaint(editor, host, kRepaintCanvas);
}

void DragRectangleTo(Editor& editor, Host& host, int cell) {
  Session::Rectangle& r = editor.session.rectangle;
  if (!r.active || cell < 0) return;
  if (cell == r.last) return;  // the frame stands where it stood: no new canvas
  r.last = cell;
  ShowRectangleSize(editor, host);
  Repaint(editor, host, kRepaintCanvas);
}

void FinishRectangle(Editor& editor, Host& host) {
  Session& s = editor.session;
  if (!s.rectangle.active) return;
  const Session::Rectangle r = s.rectangle;
  s.rectangle = {};
  Follow(editor, host,
         Edits::FillRectangle(editor.document, s.currentLevel, s, r.first, r.last, r.right), r.last);
  Repaint(editor, host, kRepaintAll);
  EndStroke(editor, host);
}

void FloodAt(Editor& editor, Host& host, int cell, bool right) {
  EndStroke(editor, host);
  Session& s = editor.session;
  editor.document.OpenStep(s.currentLevel);
  const EditOutcome outcome = Edits::FloodFill(editor.document, s.currentLevel, s, cell, right);
  Follow(editor, host, outcome, cell);
  editor.document.CloseStep();
  if (outcome.Ran()) UpdateTitle(editor, host);
}
