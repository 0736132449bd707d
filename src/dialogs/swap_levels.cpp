#include "dialogs/swap_levels.h"

#include "doc/edits.h"
#include "view/editor.h"
#include "view/host.h"
#include "view/selectors.h"
#include "view/title.h"

bool SwapLevels(Editor& editor, Host& host, int a, int b) {
  if (!IsIndex(a, kLevelCount) || !IsIndex(b, kLevelCount)) return false;
  const int shown = editor.session.currentLevel;
  Edits::SwapLevels(editor.document, a, b, shown);
  if (a == shown || b == shown) ShowLevelPatternSet(editor, host);
  Repaint(editor, host, kRepaintAll);
  UpdateTitle(editor, host);
  return true;
}
