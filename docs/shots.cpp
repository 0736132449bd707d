// The screenshots of the manual and the tutorial: the real editor, driven
// through the end-to-end tests' driver, caught at the moments the text
// describes. Run under Wine by scripts/make_docs.sh:
//   kxshots.exe OUTPUT-FOLDER   (KRAXED_PROGRAM_DIR names the program folder)
#include <cstdio>
#include <string>

#include "../res/resource.h"
#include "e2e/driver.h"
#include "gfx/png_io.h"

namespace {

std::string out;  // the folder the pictures go to, with its backslash
int failures = 0;

// A whole window, its frame included, as the screen shows it.
void Shot(HWND window, const std::string& name) {
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(400);
  RECT r = {};
  GetWindowRect(window, &r);
  const Image picture = CaptureScreen(r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (picture.Empty() || !WritePng(out + name + ".png", picture)) {
    std::fprintf(stderr, "kxshots: no picture %s\n", name.c_str());
    ++failures;
  }
}

void Fail(const std::string& what) {
  std::fprintf(stderr, "kxshots: %s\n", what.c_str());
  ++failures;
}

void Send(const EditorProcess& editor, UINT message, WPARAM keys, POINT p) {
  SendTo(editor.Window(), message, keys, Point(p.x, p.y));
  editor.WaitIdle();
}

void Click(const EditorProcess& editor, POINT p, UINT down = WM_LBUTTONDOWN, WPARAM keys = MK_LBUTTON) {
  Send(editor, down, keys, p);
  Send(editor, down + 1, 0, p);
}

// A stroke from cell to cell, with the keys held.
void Drag(const EditorProcess& editor, POINT from, POINT to, WPARAM keys) {
  Send(editor, WM_LBUTTONDOWN, MK_LBUTTON | keys, from);
  Send(editor, WM_MOUSEMOVE, MK_LBUTTON | keys, to);
  Send(editor, WM_LBUTTONUP, keys, to);
}

// A plain stroke along a row (0-based), through every cell between.
void Stroke(const EditorProcess& editor, int row, int first, int last) {
  Send(editor, WM_LBUTTONDOWN, MK_LBUTTON, CellPoint(1, row, first));
  for (int column = first + 1; column <= last; ++column)
    Send(editor, WM_MOUSEMOVE, MK_LBUTTON, CellPoint(1, row, column));
  Send(editor, WM_LBUTTONUP, 0, CellPoint(1, row, last));
}

POINT PlayerImage(int image) { return {259 + 16 * image + 8, 138 + 16 + 12}; }
POINT EnemyImage(int enemy) { return {353 + 30 * (enemy - 1) + 8, 138 + 16 + 12}; }

// A dialog opened by its command, pictured, and closed.
void DialogShot(const EditorProcess& editor, int command, const std::string& caption,
                const std::string& name, int closeWith = 0) {
  const DialogWindow dialog = OpenDialogByCommand(editor, command, caption);
  if (!dialog) return Fail("no dialog " + caption);
  Shot(dialog.window, name);
  if (closeWith) editor.Press(dialog, closeWith);
  else CloseByCloseBox(dialog);
}

void Manual(const ProgramDir& folder) {
  EditorProcess editor(folder, "\"" + folder.File("sample.kxl") + "\"");
  if (!editor.WaitForWindow()) return Fail("the editor did not start");
  ParkRealPointer();
  Shot(editor.Window(), "main-window");

  Click(editor, PatternTile(1, 64));
  Send(editor, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, CellPoint(1, 3, 3));
  Send(editor, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, CellPoint(1, 6, 7));
  Shot(editor.Window(), "rectangle");
  SendTo(editor.Window(), WM_KEYUP, VK_ESCAPE, 0xC0000001);
  Send(editor, WM_LBUTTONUP, 0, CellPoint(1, 6, 7));

  DialogShot(editor, 40014, "Level settings", "level-settings");
  DialogShot(editor, 40017, "Edit Enemy", "enemy-settings");
  DialogShot(editor, 40043, "Swap levels", "swap-levels");
  DialogShot(editor, 40018, "Editor settings", "editor-settings", IDCANCEL);

  // A copy with a few mistakes for the checks to find.
  LevelSet levels = SampleLevels(folder);
  levels[5].GetActor(0).Reset();
  levels[2].SetCell(4 * kGridColumns + 7, 30);
  levels[7].SetCell(6 * kGridColumns + 8, levels[7].GetCell(levels[7].FindExit()));
  const std::string broken = folder.File("mistakes.kxl");
  PutLevelSet(broken, levels);
  EditorProcess checked(folder, "\"" + broken + "\"");
  if (!checked.WaitForWindow()) return Fail("the editor did not start on the mistakes");
  DialogShot(checked, 40052, "Check levels", "check-levels");
}

void Tutorial(const ProgramDir& folder) {
  EditorProcess editor(folder);
  if (!editor.WaitForWindow()) return Fail("the editor did not start");
  ParkRealPointer();
  Shot(editor.Window(), "t1-new");
  // Solid all over, then a walkable floor inside: a border of solids.
  Click(editor, PatternTile(1, 65));
  Drag(editor, CellPoint(1, 0, 0), CellPoint(1, 12, 16), MK_SHIFT);
  Shot(editor.Window(), "t2-border");
  Click(editor, PatternTile(1, 0));
  Drag(editor, CellPoint(1, 1, 1), CellPoint(1, 11, 15), MK_SHIFT);
  Shot(editor.Window(), "t3-floor");
  // Walls dragged along two rows, a gem hidden in one, another in the open.
  Click(editor, PatternTile(1, kCellWall1));
  Stroke(editor, 4, 3, 9);
  Stroke(editor, 8, 5, 12);
  Click(editor, PatternTile(1, kCellGem));
  Click(editor, CellPoint(1, 4, 6), WM_RBUTTONDOWN, MK_RBUTTON);
  Click(editor, CellPoint(1, 10, 13));
  Shot(editor.Window(), "t4-walls");
  Click(editor, PatternTile(1, kCellExit));
  Click(editor, CellPoint(1, 10, 2));
  Click(editor, PlayerImage(2));
  Click(editor, CellPoint(1, 2, 2));
  Click(editor, EnemyImage(1));
  Click(editor, CellPoint(1, 6, 12));
  Shot(editor.Window(), "t5-actors");

  const DialogWindow settings = OpenDialogByCommand(editor, 40014, "Level settings");
  if (!settings) return Fail("no level settings");
  PickComboEntry(settings, IDC_LEVEL_GOAL, 1);  // "Collect gems"
  Shot(settings.window, "t6-settings");
  CloseByCloseBox(settings);
  DialogShot(editor, 40052, "Check levels", "t7-check");

  const std::string path = folder.File("first.kxl");
  editor.Command(40005);
  if (!editor.WaitForDialog(15000, "Save leveldata") || !editor.ChooseFile(path) ||
      !WaitForTitle(editor, TitleFor(path)))
    return Fail("Save as did not save " + path);
  Shot(editor.Window(), "t8-saved");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: kxshots OUTPUT-FOLDER\n", stderr);
    return 2;
  }
  out = argv[1];
  if (out.back() != '\\') out += '\\';
  {
    ProgramDir folder;
    Manual(folder);
  }
  {
    ProgramDir folder;
    Tutorial(folder);
  }
  return failures == 0 ? 0 : 1;
}
