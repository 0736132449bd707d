// The "Level settings" dialog: control plumbing around LevelSettingsRules.
#include <windows.h>
#include <commctrl.h>

#include "../../res/resource.h"
#include "view/editor.h"
#include "dialogs/dialog_controls_win32.h"
#include "dialogs/dialogs_win32.h"
#include "dialogs/level_settings.h"
#include "level/time_limit.h"
#include "gfx/gdi_painter_win32.h"

namespace {

constexpr int kTypeCombos[3] = {IDC_LEVEL_TYPE1, IDC_LEVEL_TYPE2, IDC_LEVEL_TYPE3};

struct LevelDialog {
  const DialogContext& context;
  LevelSettingsRules rules;
};

void ShowTime(HWND dialog, const LevelSettingsView& view) {
  SetDlgItemTextA(dialog, IDC_LEVEL_TIME_TEXT, view.time.c_str());
  // The thumb always stands on the time, whatever the control did itself.
  SendDlgItemMessageA(dialog, IDC_LEVEL_TIME, TBM_SETPOS, TRUE, view.timePosition);
}

void ShowLevel(HWND dialog, const LevelSettingsRules& rules) {
  const LevelSettingsView view = rules.View();
  ChooseComboEntry(dialog, IDC_LEVEL_NUMBER, view.level);
  ChooseComboEntry(dialog, IDC_LEVEL_GOAL, view.goal);
  ChooseComboEntry(dialog, IDC_LEVEL_MUSIC, view.song);
  for (int slot = 0; slot < 3; ++slot)
    ChooseComboEntry(dialog, kTypeCombos[slot], view.enemyTypes[slot]);
  ShowTime(dialog, view);
}

void Initialise(HWND dialog, LevelDialog& object) {
  const ResourceCatalogue& catalogue = object.context.editor.catalogue;
  FillCombo(dialog, IDC_LEVEL_NUMBER, LevelChoices());
  FillCombo(dialog, IDC_LEVEL_GOAL, GoalChoices());
  FillCombo(dialog, IDC_LEVEL_MUSIC, SongChoices(catalogue));
  const std::vector<std::string> types = EnemyTypeChoices(catalogue);
  for (int id : kTypeCombos) FillCombo(dialog, id, types);
  SendDlgItemMessageA(dialog, IDC_LEVEL_TIME, TBM_SETRANGE, FALSE,
                      MAKELPARAM(kMinTimeLimit, kMaxTimeLimit));
  // A page of the track bar is the minute a page moves the time.
  SendDlgItemMessageA(dialog, IDC_LEVEL_TIME, TBM_SETPAGESIZE, 0, kTimePageStep);
  ShowLevel(dialog, object.rules);
}

void OnSelectionChange(HWND dialog, LevelDialog& object, int id, int index) {
  LevelSettingsRules& rules = object.rules;
  switch (id) {
    case IDC_LEVEL_NUMBER:
      if (!rules.ChooseLevel(index)) return;
      ShowLevel(dialog, rules);
      InvalidateRect(dialog, nullptr, TRUE);
      return;
    case IDC_LEVEL_GOAL: rules.ChooseGoal(index); return;
    case IDC_LEVEL_MUSIC: rules.ChooseSong(index); return;
    case IDC_LEVEL_TYPE1:
    case IDC_LEVEL_TYPE2:
    case IDC_LEVEL_TYPE3:
      if (rules.ChooseEnemyType(id - IDC_LEVEL_TYPE1, index)) InvalidateRect(dialog, nullptr, TRUE);
      return;
    default: return;
  }
}

void Paint(HWND dialog, const LevelDialog& object) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(dialog, &paint);
  {
    GdiPainter painter(dc, object.context.sheets);
    PaintEnemyTypePreview(object.rules.EditedLevel(), object.context.editor.catalogue, painter,
                          BaseUnitsOf(dialog));
  }
  EndPaint(dialog, &paint);
}

INT_PTR CALLBACK LevelSettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    KeepDialogObject(dialog, lParam);
    Initialise(dialog, *reinterpret_cast<LevelDialog*>(lParam));
    return TRUE;
  }
  LevelDialog* object = DialogObject<LevelDialog>(dialog);
  if (!object) return FALSE;
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == CBN_SELCHANGE)
        OnSelectionChange(dialog, *object, LOWORD(wParam),
                          ChosenComboEntry(reinterpret_cast<HWND>(lParam)));
      // Everything else, IDOK and IDCANCEL from Enter and Esc included, is
      // swallowed: only the close box closes this dialog.
      return TRUE;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) != GetDlgItem(dialog, IDC_LEVEL_TIME)) return FALSE;
      object->rules.Scroll(LOWORD(wParam), HIWORD(wParam));
      ShowTime(dialog, object->rules.View());
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

void RunLevelSettingsDialog(const DialogContext& context, int level) {
  EnsureDialogControlClasses();
  LevelDialog object{context, {context.editor, context.host, level}};
  DialogBoxParamA(context.instance, MAKEINTRESOURCEA(IDD_LEVEL), context.owner,
                  LevelSettingsProc, reinterpret_cast<LPARAM>(&object));
}
