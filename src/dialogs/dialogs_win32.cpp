#include "dialogs/dialogs_win32.h"

void RunDialogWin32(const DialogContext& context, DialogKind dialog, int param) {
  switch (dialog) {
    case DialogKind::LevelSettings:
      RunLevelSettingsDialog(context, param);
      break;
    case DialogKind::EnemySettings:
      RunEnemySettingsDialog(context, param);
      break;
    case DialogKind::SwapLevels:
      RunSwapLevelsDialog(context);
      break;
    case DialogKind::EditorSettings:
      RunEditorSettingsDialog(context);
      break;
    case DialogKind::About:
      RunAboutDialog(context);
      break;
    case DialogKind::CheckLevels:
      RunCheckLevelsDialog(context);
      break;
  }
}
