// How the real program's dialogs look: every control where the template puts
// it, in dialog units of the dialog's 8-point "MS Sans Serif", with its class
// and text; labels that fit on their line; previews inside the client area.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "../../res/resource.h"
#include "e2e/dialog_driver.h"

namespace {

struct PlacedControl {
  int id;  // -1: a label, found by its text
  const char* className;
  const char* text;  // nullptr: not compared
  int x, y, width, height;
};

struct DialogTemplate {
  int command;
  const char* caption;
  int width, height;
  std::vector<PlacedControl> controls;
  RECT picture;  // where a preview is drawn, in client pixels; empty when none
};

const DialogTemplate kDialogs[] = {
    {40014, "Level settings", 249, 143,
     {{-1, "Static", "Level:", 6, 8, 20, 8},
      {-1, "Static", "Goal:", 6, 24, 18, 8},
      {-1, "Static", "Music:", 6, 40, 22, 8},
      {-1, "Static", "Time:", 6, 56, 18, 8},
      {-1, "Static", "Enemy type 1:", 6, 74, 46, 8},
      {-1, "Static", "Enemy type 2:", 87, 74, 46, 8},
      {-1, "Static", "Enemy type 3:", 169, 74, 46, 8},
      {IDC_LEVEL_NUMBER, "ComboBox", nullptr, 55, 5, 64, 104},
      {IDC_LEVEL_GOAL, "ComboBox", nullptr, 55, 21, 111, 49},
      {IDC_LEVEL_MUSIC, "ComboBox", nullptr, 55, 37, 111, 53},
      {IDC_LEVEL_TIME, "msctls_trackbar32", nullptr, 55, 55, 64, 12},
      {IDC_LEVEL_TYPE1, "ComboBox", nullptr, 5, 88, 73, 64},
      {IDC_LEVEL_TYPE2, "ComboBox", nullptr, 87, 88, 73, 64},
      {IDC_LEVEL_TYPE3, "ComboBox", nullptr, 170, 88, 73, 60},
      {IDC_LEVEL_TIME_TEXT, "Static", nullptr, 127, 55, 32, 12}},
     {50, 175, 290 + 32, 175 + 48}},
    {40017, "Edit Enemy", 247, 82,
     {{-1, "Static", "Enemy:", 7, 8, 24, 8},
      {-1, "Static", "Speed:", 7, 26, 24, 8},
      {-1, "Static", "Direction:", 7, 45, 31, 8},
      {-1, "Static", "AI type:", 7, 64, 25, 8},
      {IDC_ENEMY_NUMBER, "ComboBox", nullptr, 41, 7, 48, 57},
      {IDC_ENEMY_SPEED, "ComboBox", nullptr, 41, 24, 48, 40},
      {IDC_ENEMY_DIRECTION, "ComboBox", nullptr, 41, 43, 48, 52},
      {IDC_ENEMY_AI, "ComboBox", nullptr, 41, 62, 202, 60},
      {IDC_ENEMY_TYPE, "msctls_updown32", nullptr, 118, 44, 27, 11},
      {IDC_ENEMY_TYPE_NAME, "Static", nullptr, 160, 18, 76, 12}},
     {182, 16, 182 + 32, 16 + 48}},
    {40043, "Swap levels", 107, 65,
     {{-1, "Static", "First level:", 7, 10, 32, 8},
      {-1, "Static", "Second level:", 7, 27, 44, 8},
      {IDC_SWAP_FIRST, "ComboBox", nullptr, 56, 7, 44, 59},
      {IDC_SWAP_SECOND, "ComboBox", nullptr, 56, 24, 44, 61},
      {IDC_SWAP, "Button", "Swap", 50, 44, 50, 14}},
     {}},
    {40018, "Editor settings", 186, 124,
     {{IDOK, "Button", "OK", 73, 103, 50, 14},
      {IDCANCEL, "Button", "Cancel", 129, 103, 50, 14},
      {IDC_SETTINGS_QUESTIONS, "Button", "Ask &question", 7, 7, 57, 10},
      {IDC_SETTINGS_LOAD, "Button", "&Load last edited file at start-up", 7, 22, 110, 10},
      {IDC_SETTINGS_DOUBLE_SIZE, "Button", "&Double size", 7, 37, 53, 10},
      {IDC_SETTINGS_AUTOSAVE, "Button", "&Back-up every 15 minutes", 7, 52, 98, 10},
      {IDC_SETTINGS_REGISTER, "Button", "Register .kxl filetype", 7, 67, 79, 10},
      {IDC_SETTINGS_CORRECT_SHADOW, "Button", "Automatically correct shadows", 7, 81, 110, 10}},
     {}},
    {40009, "About", 145, 71, {{-1, "Static", nullptr, 3, 5, 142, 65}}, {}},
};

// The dialog font as the dialog manager makes it, and its base units.
struct DialogFont {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = nullptr;
  int baseX = 0, baseY = 0;

  DialogFont() {
    LOGFONTA description = {};
    description.lfHeight = -MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72);
    description.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(description.lfFaceName, "MS Sans Serif");
    font = CreateFontIndirectA(&description);
    SelectObject(dc, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    const char* letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent = {};
    GetTextExtentPoint32A(dc, letters, 52, &extent);
    baseX = (extent.cx / 26 + 1) / 2;
    baseY = metrics.tmHeight;
  }
  ~DialogFont() {
    DeleteDC(dc);
    DeleteObject(font);
  }
  std::string Face() const {
    char face[64] = "";
    GetTextFaceA(dc, sizeof face, face);
    return face;
  }
  int TextWidth(const std::string& text) const {
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    return extent.cx;
  }
  RECT Pixels(int x, int y, int width, int height) const {
    const int left = MulDiv(x, baseX, 4), top = MulDiv(y, baseY, 8);
    return {left, top, left + MulDiv(width, baseX, 4), top + MulDiv(height, baseY, 8)};
  }
};

// A control's text: asked for with WM_GETTEXT, which reaches into the
// editor's process.
std::string ControlText(HWND window) {
  char text[512] = "";
  SendTo(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

HWND FindControl(const DialogWindow& dialog, const PlacedControl& wanted) {
  if (wanted.id != -1) return Control(dialog, wanted.id);
  for (HWND child = GetWindow(dialog.window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) != 0xFFFF && GetDlgCtrlID(child) != -1) continue;
    if (!wanted.text || wanted.text == ControlText(child)) return child;
  }
  return nullptr;
}

}  // namespace

TEST(DialogLayout, EveryControlStandsWhereItsTemplatePutsItAndLabelsFit) {
  const DialogFont font;
  // Without the font the dialogs grow and shrink with whatever replaces it.
  ASSERT_EQ(font.Face(), "MS Sans Serif");

  ProgramDir folder;
  const std::string path = CopySample(folder, "levels.kxl");
  EditorProcess editor(folder, "\"" + path + "\"");
  ASSERT_TRUE(editor.WaitForWindow());
  for (const DialogTemplate& layout : kDialogs) {
    SCOPED_TRACE(layout.caption);
    const DialogWindow dialog = OpenDialogByCommand(editor, layout.command, layout.caption);
    ASSERT_TRUE(dialog);
    RECT client = {};
    GetClientRect(dialog.window, &client);
    const RECT whole = font.Pixels(0, 0, layout.width, layout.height);
    EXPECT_EQ(client.right, whole.right);
    EXPECT_EQ(client.bottom, whole.bottom);
    if (!IsRectEmpty(&layout.picture)) {
      RECT inside = {};
      IntersectRect(&inside, &layout.picture, &client);
      EXPECT_TRUE(EqualRect(&inside, &layout.picture)) << "the preview lies outside the dialog";
    }
    for (const PlacedControl& control : layout.controls) {
      SCOPED_TRACE(control.text ? control.text : std::to_string(control.id));
      const HWND window = FindControl(dialog, control);
      ASSERT_TRUE(window);
      EXPECT_STRCASEEQ(ClassOf(window).c_str(), control.className);
      RECT placed = {};
      GetWindowRect(window, &placed);
      MapWindowPoints(nullptr, dialog.window, reinterpret_cast<POINT*>(&placed), 2);
      const RECT wanted = font.Pixels(control.x, control.y, control.width, control.height);
      EXPECT_EQ(placed.left, wanted.left);
      EXPECT_EQ(placed.top, wanted.top);
      EXPECT_EQ(placed.right, wanted.right);
      // A drop-down list's height is that of its open list, not of the box.
      if (std::string(control.className) != "ComboBox") {
        EXPECT_EQ(placed.bottom, wanted.bottom);
      }
      if (control.text) {
        EXPECT_EQ(ControlText(window), control.text);
        // A one-line label shows its whole text.
        if (control.id == -1) {
          EXPECT_LE(font.TextWidth(control.text), wanted.right - wanted.left);
        }
      }
    }
    ASSERT_TRUE(CloseByCloseBox(dialog));
  }
}
