#include "../../res/resource.h"
#include "dialogs/dialogs_win32.h"

namespace {

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_CLOSE:
      // The close box is the only way out.
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void RunAboutDialog(const DialogContext& context) {
  DialogBoxParamA(context.instance, MAKEINTRESOURCEA(IDD_ABOUT), context.owner, AboutProc, 0);
}
