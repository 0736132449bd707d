#include "view/title.h"

#include "view/editor.h"
#include "view/host.h"

std::string TitleText(const std::string& fileName, bool modified) {
  return std::string(kProgramTitle) + " - [" + fileName + (modified ? " *" : "") + "]";
}

void UpdateTitle(const Editor& editor, Host& host) {
  host.SetTitle(TitleText(editor.document.FileName(), editor.document.Modified()));
}

void Repaint(Editor& editor, Host& host, int32_t parts) {
  editor.session.repaintFlags = parts;
  host.Invalidate(nullptr);
}

void OpenDialog(Editor& editor, Host& host, DialogKind dialog, int param) {
  editor.session.repaintFlags = kRepaintAll;
  host.RunDialog(dialog, param);
}
