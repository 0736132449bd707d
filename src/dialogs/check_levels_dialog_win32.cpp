// The "Check levels" dialog: the list of problems, Show (or a double click)
// and Close. Show closes the dialog first, so the main window shows the
// problem's level with nothing in front of it.
#include <algorithm>

#include "../../res/resource.h"
#include "dialogs/check_levels.h"
#include "dialogs/dialogs_win32.h"

namespace {

struct CheckDialog {
  std::vector<Problem> problems;
};

void ShowChosen(HWND dialog) {
  const LRESULT chosen = SendDlgItemMessageA(dialog, IDC_CHECK_LIST, LB_GETCURSEL, 0, 0);
  if (chosen != LB_ERR) EndDialog(dialog, chosen + 1);
}

INT_PTR CALLBACK CheckLevelsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const CheckDialog& object = *reinterpret_cast<const CheckDialog*>(lParam);
      HWND list = GetDlgItem(dialog, IDC_CHECK_LIST);
      HDC dc = GetDC(list);
      const HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
      LONG widest = 0;
      for (const Problem& problem : object.problems) {
        const std::string line = ProblemLine(problem);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        SIZE size = {};
        GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
        widest = std::max(widest, size.cx);
      }
      SelectObject(dc, font);
      ReleaseDC(list, dc);
      // Scrolls sideways only when a line is wider than the list.
      SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
      SendMessageA(list, LB_SETCURSEL, 0, 0);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_CHECK_SHOW ||
          (LOWORD(wParam) == IDC_CHECK_LIST && HIWORD(wParam) == LBN_DBLCLK)) {
        ShowChosen(dialog);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void RunCheckLevelsDialog(const DialogContext& context) {
  CheckDialog object{CheckEditorLevels(context.editor)};
  const INT_PTR chosen = DialogBoxParamA(context.instance, MAKEINTRESOURCEA(IDD_CHECK), context.owner,
                                         CheckLevelsProc, reinterpret_cast<LPARAM>(&object));
  if (chosen > 0) ShowProblem(context.editor, context.host, object.problems, static_cast<int>(chosen - 1));
}
