#include "view/undo.h"

#include "view/canvas_tool.h"
#include "view/editor.h"
#include "view/selectors.h"
#include "view/title.h"

namespace {

void Show(Editor& editor, Host& host, int level) {
  if (level < 0) return;  // nothing to undo or redo
  if (level != editor.session.currentLevel) SelectLevel(editor, host, level);
  // The step may have changed the pattern set or swapped the shown level.
  ShowLevelPatternSet(editor, host);
  Repaint(editor, host, kRepaintAll);
  UpdateTitle(editor, host);
}

}  // namespace

void UndoStep(Editor& editor, Host& host) {
  EndStroke(editor, host);
  Show(editor, host, editor.document.Undo());
}

void RedoStep(Editor& editor, Host& host) {
  EndStroke(editor, host);
  Show(editor, host, editor.document.Redo());
}
