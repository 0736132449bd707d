// The modal dialogs of the editor, run from the main window.
#pragma once

#include <windows.h>

#include "app/host.h"

class SheetTable;
struct EditorState;

struct DialogContext {
  HINSTANCE instance;
  HWND owner;
  EditorState& state;
  Host& host;
  const SheetTable& sheets;
};

// Runs the dialog modally; param is the level or the enemy it opens on.
void RunDialogWin32(const DialogContext& context, DialogKind dialog, int param);

void RunAboutDialog(const DialogContext& context);
