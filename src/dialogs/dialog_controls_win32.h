// Moving values between dialog controls and the dialog rules.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/dialog_units.h"

// Fills a drop-down list with the entries in order.
void FillCombo(HWND dialog, int id, const std::vector<std::string>& entries);
// Chooses the entry by its list index; -1 leaves the list without a choice.
void ChooseComboEntry(HWND dialog, int id, int index);
// The list index chosen in the combo box, -1 when none.
int ChosenComboEntry(HWND combo);
int ChosenComboEntry(HWND dialog, int id);

bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool checked);

// The dialog object passed as the creation parameter, kept with the window.
void KeepDialogObject(HWND dialog, LPARAM object);
template <typename T>
T* DialogObject(HWND dialog) {
  return reinterpret_cast<T*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The dialog's base units (pixels of 4 x 8 dialog units), for what it draws itself.
DialogBase BaseUnitsOf(HWND dialog);

// The track bar and the up-down the editing dialogs hold.
void EnsureDialogControlClasses();
