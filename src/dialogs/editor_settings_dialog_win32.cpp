// The "Editor settings" dialog: six check boxes, OK and Cancel. Only OK
// takes anything over; Cancel, Esc and the close box leave every setting,
// the window and the registry as they were.
#include "../../res/resource.h"
#include "view/editor.h"
#include "dialogs/dialog_controls_win32.h"
#include "dialogs/dialogs_win32.h"
#include "dialogs/editor_settings_dialog.h"
#include "dialogs/file_type_registry_win32.h"
#include "view/selectors.h"

namespace {

void ShowChecks(HWND dialog, const EditorSettingsChecks& checks) {
  SetChecked(dialog, IDC_SETTINGS_QUESTIONS, checks.questions);
  SetChecked(dialog, IDC_SETTINGS_LOAD, checks.load);
  SetChecked(dialog, IDC_SETTINGS_DOUBLE_SIZE, checks.doubleSize);
  SetChecked(dialog, IDC_SETTINGS_AUTOSAVE, checks.autosave);
  SetChecked(dialog, IDC_SETTINGS_REGISTER, checks.registerType);
  SetChecked(dialog, IDC_SETTINGS_CORRECT_SHADOW, checks.correctShadow);
}

EditorSettingsChecks ReadChecks(HWND dialog) {
  EditorSettingsChecks checks;
  checks.questions = IsChecked(dialog, IDC_SETTINGS_QUESTIONS);
  checks.load = IsChecked(dialog, IDC_SETTINGS_LOAD);
  checks.doubleSize = IsChecked(dialog, IDC_SETTINGS_DOUBLE_SIZE);
  checks.autosave = IsChecked(dialog, IDC_SETTINGS_AUTOSAVE);
  checks.registerType = IsChecked(dialog, IDC_SETTINGS_REGISTER);
  checks.correctShadow = IsChecked(dialog, IDC_SETTINGS_CORRECT_SHADOW);
  return checks;
}

void TakeOver(HWND dialog, const DialogContext& context) {
  Editor& editor = context.editor;
  Host& host = context.host;
  ShellFileTypeRegistry registry;
  ApplyEditorSettings(editor.settings, ReadChecks(dialog),
                      [&editor, &host](int zoom) { ApplyZoom(editor, host, zoom); }, registry,
                      context.programDirectory, context.writeSettings);
}

INT_PTR CALLBACK EditorSettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    KeepDialogObject(dialog, lParam);
    ShowChecks(dialog, ChecksOf(reinterpret_cast<const DialogContext*>(lParam)->editor.settings));
    return TRUE;
  }
  const DialogContext* context = DialogObject<const DialogContext>(dialog);
  if (!context) return FALSE;
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          TakeOver(dialog, *context);
          EndDialog(dialog, 0);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, 0);
          return TRUE;
        default:
          return FALSE;
      }
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void RunEditorSettingsDialog(const DialogContext& context) {
  DialogBoxParamA(context.instance, MAKEINTRESOURCEA(IDD_EDITOR_SETTINGS), context.owner,
                  EditorSettingsProc, reinterpret_cast<LPARAM>(&context));
}
