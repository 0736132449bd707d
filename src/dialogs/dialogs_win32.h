// The modal dialogs of the editor, run from the main window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "view/host.h"

class SheetTable;
struct Editor;

struct DialogContext {
  HINSTANCE instance;
  HWND owner;
  Editor& editor;
  Host& host;
  const SheetTable& sheets;
  std::string programDirectory;           // for the file-type registration
  std::function<void()> writeSettings;    // the editor settings' OK
};

// Runs the dialog modally; param is the level or the enemy it opens on.
void RunDialogWin32(const DialogContext& context, DialogKind dialog, int param);

void RunLevelSettingsDialog(const DialogContext& context, int level);  // level 0..9
void RunEnemySettingsDialog(const DialogContext& context, int enemy);  // enemy 1..5
void RunSwapLevelsDialog(const DialogContext& context);
void RunEditorSettingsDialog(const DialogContext& context);
void RunAboutDialog(const DialogContext& context);
void RunCheckLevelsDialog(const DialogContext& context);
