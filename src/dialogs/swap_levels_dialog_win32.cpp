// The "Swap levels" dialog: two level lists and the Swap button, which is
// the default button, so Enter swaps too.
#include "../../res/resource.h"
#include "dialogs/dialog_controls_win32.h"
#include "dialogs/dialogs_win32.h"
#include "dialogs/level_settings.h"
#include "dialogs/swap_levels.h"

namespace {

INT_PTR CALLBACK SwapLevelsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    KeepDialogObject(dialog, lParam);
    for (int id : {IDC_SWAP_FIRST, IDC_SWAP_SECOND}) {
      FillCombo(dialog, id, LevelChoices());
      ChooseComboEntry(dialog, id, 0);
    }
    return TRUE;
  }
  const DialogContext* context = DialogObject<const DialogContext>(dialog);
  if (!context) return FALSE;
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) != IDC_SWAP) return FALSE;
      SwapLevels(context->editor, context->host, ChosenComboEntry(dialog, IDC_SWAP_FIRST),
                 ChosenComboEntry(dialog, IDC_SWAP_SECOND));
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void RunSwapLevelsDialog(const DialogContext& context) {
  DialogBoxParamA(context.instance, MAKEINTRESOURCEA(IDD_SWAP), context.owner, SwapLevelsProc,
                  reinterpret_cast<LPARAM>(&context));
}
