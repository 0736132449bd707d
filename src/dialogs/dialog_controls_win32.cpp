#include "dialogs/dialog_controls_win32.h"

#include <commctrl.h>

void FillCombo(HWND dialog, int id, const std::vector<std::string>& entries) {
  HWND combo = GetDlgItem(dialog, id);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : entries)
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

void ChooseComboEntry(HWND dialog, int id, int index) {
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ChosenComboEntry(HWND combo) {
  const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

int ChosenComboEntry(HWND dialog, int id) { return ChosenComboEntry(GetDlgItem(dialog, id)); }

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void SetChecked(HWND dialog, int id, bool checked) {
  CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void KeepDialogObject(HWND dialog, LPARAM object) {
  SetWindowLongPtrA(dialog, DWLP_USER, object);
}

void EnsureDialogControlClasses() {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
}

DialogBase BaseUnitsOf(HWND dialog) {
  RECT units = {0, 0, 4, 8};
  if (!MapDialogRect(dialog, &units)) return {};
  return {units.right, units.bottom};
}
