// The "Edit Enemy" dialog: control plumbing around EnemySettingsRules.
#include <windows.h>
#include <commctrl.h>

#include "../../res/resource.h"
#include "view/editor.h"
#include "dialogs/dialog_controls_win32.h"
#include "dialogs/dialogs_win32.h"
#include "dialogs/enemy_settings.h"
#include "gfx/gdi_painter_win32.h"

namespace {

struct EnemyDialog {
  const DialogContext& context;
  EnemySettingsRules rules;
};

// The preview is copied whole over the old one; only when there is none to
// draw must the old picture be erased.
void RedrawPreview(HWND dialog, const EnemySettingsRules& rules) {
  InvalidateRect(dialog, nullptr, rules.HasPreview() ? FALSE : TRUE);
}

void ShowTypeName(HWND dialog, const EnemySettingsRules& rules) {
  SetDlgItemTextA(dialog, IDC_ENEMY_TYPE_NAME, rules.View().typeName.c_str());
}

void ShowRecord(HWND dialog, const EnemySettingsRules& rules) {
  const EnemySettingsView view = rules.View();
  ChooseComboEntry(dialog, IDC_ENEMY_NUMBER, view.enemy);
  ChooseComboEntry(dialog, IDC_ENEMY_SPEED, view.speed);
  ChooseComboEntry(dialog, IDC_ENEMY_DIRECTION, view.direction);
  ChooseComboEntry(dialog, IDC_ENEMY_AI, view.aiType);
  SendDlgItemMessageA(dialog, IDC_ENEMY_TYPE, UDM_SETPOS, 0, MAKELPARAM(view.enemyType, 0));
  RedrawPreview(dialog, rules);
}

void Initialise(HWND dialog, EnemyDialog& object) {
  FillCombo(dialog, IDC_ENEMY_NUMBER, EnemyChoices());
  FillCombo(dialog, IDC_ENEMY_SPEED, SpeedChoices());
  FillCombo(dialog, IDC_ENEMY_DIRECTION, DirectionChoices());
  FillCombo(dialog, IDC_ENEMY_AI, AiTypeChoices(object.context.editor.catalogue));
  SendDlgItemMessageA(dialog, IDC_ENEMY_TYPE, UDM_SETRANGE, 0, MAKELPARAM(kEnemyTypeCount, 1));
  ShowTypeName(dialog, object.rules);
  ShowRecord(dialog, object.rules);
}

void OnSelectionChange(HWND dialog, EnemySettingsRules& rules, int id, int index) {
  switch (id) {
    case IDC_ENEMY_SPEED: rules.ChooseSpeed(index); return;
    case IDC_ENEMY_DIRECTION:
      if (rules.ChooseDirection(index)) RedrawPreview(dialog, rules);
      return;
    case IDC_ENEMY_AI: rules.ChooseAiType(index); return;
    case IDC_ENEMY_NUMBER:
      if (!rules.ChooseEnemy(index)) return;
      ShowRecord(dialog, rules);
      ShowTypeName(dialog, rules);
      return;
    default: return;
  }
}

void Paint(HWND dialog, const EnemyDialog& object) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(dialog, &paint);
  {
    GdiPainter painter(dc, object.context.sheets);
    object.rules.PaintPreview(painter, BaseUnitsOf(dialog));
  }
  EndPaint(dialog, &paint);
}

INT_PTR CALLBACK EnemySettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    KeepDialogObject(dialog, lParam);
    Initialise(dialog, *reinterpret_cast<EnemyDialog*>(lParam));
    return TRUE;
  }
  EnemyDialog* object = DialogObject<EnemyDialog>(dialog);
  if (!object) return FALSE;
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == CBN_SELCHANGE)
        OnSelectionChange(dialog, object->rules, LOWORD(wParam),
                          ChosenComboEntry(reinterpret_cast<HWND>(lParam)));
      // Enter and Esc (IDOK, IDCANCEL) leave the dialog open.
      return TRUE;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) != GetDlgItem(dialog, IDC_ENEMY_TYPE)) return FALSE;
      // The up-down reports its new position in the high word.
      if (object->rules.ChooseEnemyType(static_cast<short>(HIWORD(wParam)))) {
        ShowTypeName(dialog, object->rules);
        RedrawPreview(dialog, object->rules);
      }
      return TRUE;
    case WM_PAINT:
      Paint(dialog, *object);
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void RunEnemySettingsDialog(const DialogContext& context, int enemy) {
  EnsureDialogControlClasses();
  EnemyDialog object{context, {context.editor, context.host, enemy}};
  DialogBoxParamA(context.instance, MAKEINTRESOURCEA(IDD_ENEMY), context.owner,
                  EnemySettingsProc, reinterpret_cast<LPARAM>(&object));
}
