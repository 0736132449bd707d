#include "view/selectors.h"

#include <string>

#include "view/area_tool.h"
#include "view/canvas_tool.h"
#include "view/editor.h"
#include "view/layout.h"
#include "view/title.h"

void ShowLevelPatternSet(const Editor& editor, Host& host) {
  // The control takes a 16-bit position.
  host.SetSelectorPosition(Selector::Graphics,
                           PatternSetIndexOf(editor.CurrentLevel().GetPatternSet()) & 0xFFFF);
}

int OnSelectorScroll(Editor& editor, Host& host, Selector selector, int p) {
  Session& s = editor.session;
  switch (selector) {
    case Selector::Level:
      if (!IsIndex(p, kLevelCount)) break;
      if (p != s.currentLevel) ForgetSelection(editor, host);
      s.currentLevel = p;
      ShowLevelPatternSet(editor, host);
      Repaint(editor, host, kRepaintAll);
      host.SetStatusText("Level " + std::to_string(p + 1));
      break;
    case Selector::Graphics:
      if (!IsIndex(p, static_cast<int>(editor.catalogue.patternSets.size()))) break;
      EndStroke(editor, host);
      Edits::SetPatternSet(editor.document, s.currentLevel, PatternSetValueOf(p));
      Repaint(editor, host, kRepaintAll);
      UpdateTitle(editor, host);
      break;
    case Selector::Teleport:
      if (!IsIndex(p, kTeleportPairs)) break;
      s.teleportPair = p;
      Repaint(editor, host, kRepaintAll);
      break;
  }
  return 1;
}

void SelectLevel(Editor& editor, Host& host, int n) {
  if (!IsIndex(n, kLevelCount)) return;
  // Another level keeps select mode, not the selection.
  if (n != editor.session.currentLevel) ForgetSelection(editor, host);
  editor.session.currentLevel = n;
  host.SetSelectorPosition(Selector::Level, n);
  ShowLevelPatternSet(editor, host);
  Repaint(editor, host, kRepaintAll);
}

void ApplyZoom(Editor& editor, Host& host, int z) {
  if (z != 1 && z != 2) return;
  editor.settings.zoom = z;
  // Hit tests and drawing positions both come from the regions, so they are
  // laid out again before anything else can look at them.
  Session& s = editor.session;
  s.regionList.Clear();
  LayoutRegions(s.regionList, z);
  host.ApplyWindowZoom(z);
  s.layoutChanged = 1;
  Repaint(editor, host, kRepaintAll);
}
