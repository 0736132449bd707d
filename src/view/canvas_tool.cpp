#include "view/canvas_tool.h"

#include "doc/edits.h"
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
  if (!editor.session.stroke) return;
  editor.session.stroke = false;  // before the release, which reports the capture lost
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
