#include "app/title.h"

#include "app/editor_state.h"
#include "app/host.h"

std::string TitleText(const std::string& fileName, int modified) {
  return std::string(kProgramTitle) + " - [" + fileName + (modified == 1 ? " *" : "") + "]";
}

void UpdateTitle(EditorState& state, Host& host) {
  host.SetTitle(TitleText(state.currentFileName, state.modified));
}

void MarkModified(EditorState& state, Host& host) {
  state.modified = 1;
  UpdateTitle(state, host);
}

void RequestFullRepaint(EditorState& state, Host& host) {
  state.repaintFlags = kRepaintAll;
  host.Invalidate(nullptr);
}
