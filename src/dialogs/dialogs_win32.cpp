#include "dialogs/dialogs_win32.h"

void RunDialogWin32(const DialogContext& context, DialogKind dialog, int) {
  switch (dialog) {
    case DialogKind::About:
      RunAboutDialog(context);
      break;
    default:
      break;
  }
}
