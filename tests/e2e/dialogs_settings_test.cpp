// The "Editor settings" dialog of the real program: double size, Cancel,
// the .kxl registration in the registry of the Wine prefix; and the About box.
#include <gtest/gtest.h>

#include "../../res/resource.h"
#include "e2e/dialog_driver.h"

namespace {

constexpr int kChecks[] = {IDC_SETTINGS_QUESTIONS, IDC_SETTINGS_LOAD, IDC_SETTINGS_DOUBLE_SIZE,
                           IDC_SETTINGS_AUTOSAVE, IDC_SETTINGS_REGISTER,
                           IDC_SETTINGS_CORRECT_SHADOW};

bool Checked(const DialogWindow& dialog, int id) {
  return SendTo(Control(dialog, id), BM_GETCHECK) == BST_CHECKED;
}

void SetCheck(const DialogWindow& dialog, int id, bool checked) {
  SendTo(Control(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

SIZE SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

// The association keys under both roots, removed before and after each test
// that registers, so the prefix's registry is left as it was found.
const char* const kAssociationKeys[] = {
    "HKCR\\.kxl", "HKCR\\kxl_auto_file", "HKCU\\Software\\Classes\\.kxl",
    "HKCU\\Software\\Classes\\kxl_auto_file"};

struct AssociationCleanup {
  AssociationCleanup() { Clean(); }
  ~AssociationCleanup() { Clean(); }
  static void Clean() {
    for (const char* key : kAssociationKeys) DeleteRegistryKey(key);
  }
};

bool AnyAssociationKey() {
  for (const char* key : kAssociationKeys)
    if (RegistryKeyExists(key)) return true;
  return false;
}

}  // namespace

TEST(EditorSettingsDialog, DoubleSizeResizesInPlaceAndCancelOrTheCloseBoxTakeNothing) {
  AssociationCleanup cleanup;
  ProgramDir folder;
  EditorProcess editor(folder);
  ASSERT_TRUE(editor.WaitForWindow());
  MoveWindowTo(editor.Window(), 40, 30);
  const RECT before = editor.WindowRect();
  ASSERT_EQ(before.left, 40);
  const std::string ini = folder.File("kraxed.ini");

  // Every box changed, then Cancel; then the close box.
  for (int way = 0; way < 2; ++way) {
    SCOPED_TRACE("way " + std::to_string(way));
    const DialogWindow dialog = OpenDialogByCommand(editor, 40018, "Editor settings");
    ASSERT_TRUE(dialog);
    for (int id : kChecks) EXPECT_EQ(Checked(dialog, id), id == IDC_SETTINGS_QUESTIONS) << id;
    for (int id : kChecks) SetCheck(dialog, id, id != IDC_SETTINGS_QUESTIONS);
    if (way == 0) editor.Press(dialog, IDCANCEL);
    if (way == 1) CloseByCloseBox(dialog);
    ASSERT_TRUE(WaitUntil([&] { return !IsOpen(dialog); }));
    editor.WaitIdle();
    const RECT now = editor.WindowRect();
    EXPECT_TRUE(EqualRect(&now, &before));
    EXPECT_FALSE(FileExists(ini));
    EXPECT_FALSE(AnyAssociationKey());
  }

  DialogWindow dialog = OpenDialogByCommand(editor, 40018, "Editor settings");
  ASSERT_TRUE(dialog);
  SetCheck(dialog, IDC_SETTINGS_DOUBLE_SIZE, true);
  editor.Press(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return SizeOf(editor.WindowRect()).cx == 1046; }));
  RECT now = editor.WindowRect();
  EXPECT_EQ(SizeOf(now).cx, 1046);
  EXPECT_EQ(SizeOf(now).cy, 499);
  EXPECT_EQ(now.left, before.left);
  EXPECT_EQ(now.top, before.top);
  EXPECT_NE(FileText(ini).find("Zoom = TRUE\r\n"), std::string::npos);

  dialog = OpenDialogByCommand(editor, 40018, "Editor settings");
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(Checked(dialog, IDC_SETTINGS_DOUBLE_SIZE));
  SetCheck(dialog, IDC_SETTINGS_DOUBLE_SIZE, false);
  editor.Press(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return SizeOf(editor.WindowRect()).cx == 523; }));
  now = editor.WindowRect();
  EXPECT_TRUE(EqualRect(&now, &before));
  EXPECT_NE(FileText(ini).find("Zoom = FALSE\r\n"), std::string::npos);
}

TEST(EditorSettingsDialog, RegistrationWritesBothAssociationsAndUnregistrationRemovesThem) {
  AssociationCleanup cleanup;
  ProgramDir folder;
  const std::string ini = folder.File("kraxed.ini");
  const std::string command = folder.Path() + "kraxed.exe \"%1\"";
  {
    EditorProcess editor(folder);
    ASSERT_TRUE(editor.WaitForWindow());
    const DialogWindow dialog = OpenDialogByCommand(editor, 40018, "Editor settings");
    ASSERT_TRUE(dialog);
    SetCheck(dialog, IDC_SETTINGS_REGISTER, true);
    editor.Press(dialog, IDOK);
    for (const std::string root : {"HKCR\\", "HKCU\\Software\\Classes\\"}) {
      SCOPED_TRACE(root);
      EXPECT_EQ(QueryRegistryDefault(root + ".kxl").value, "kxl_auto_file");
      EXPECT_EQ(QueryRegistryDefault(root + "kxl_auto_file").value, "Kraxolan level set");
      const RegistryQuery open = QueryRegistryDefault(root + "kxl_auto_file\\shell\\open\\command");
      EXPECT_EQ(open.value, command) << open.output;
    }
    EXPECT_FALSE(RegistryKeyExists("HKCR\\Software\\CLASSESS\\.kxl"));
    editor.Command(40011);
    ASSERT_TRUE(editor.WaitForExit());
    EXPECT_NE(FileText(ini).find("Register = TRUE\r\n"), std::string::npos);
  }

  // The editor remembers it registered: unchecking removes both whole
  // branches under both roots.
  EditorProcess editor(folder);
  ASSERT_TRUE(editor.WaitForWindow());
  ASSERT_TRUE(RegistryKeyExists("HKCU\\Software\\Classes\\kxl_auto_file\\shell\\open\\command"));
  DialogWindow dialog = OpenDialogByCommand(editor, 40018, "Editor settings");
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(Checked(dialog, IDC_SETTINGS_REGISTER));
  SetCheck(dialog, IDC_SETTINGS_REGISTER, false);
  editor.Press(dialog, IDOK);
  EXPECT_FALSE(AnyAssociationKey());
  EXPECT_NE(FileText(ini).find("Register = FALSE\r\n"), std::string::npos);

  // Checked again it registers again; OK with the box still checked then
  // writes nothing, so keys removed meanwhile stay away.
  dialog = OpenDialogByCommand(editor, 40018, "Editor settings");
  ASSERT_TRUE(dialog);
  SetCheck(dialog, IDC_SETTINGS_REGISTER, true);
  editor.Press(dialog, IDOK);
  EXPECT_EQ(QueryRegistryDefault("HKCR\\.kxl").value, "kxl_auto_file");
  AssociationCleanup::Clean();
  dialog = OpenDialogByCommand(editor, 40018, "Editor settings");
  ASSERT_TRUE(dialog);
  editor.Press(dialog, IDOK);
  EXPECT_FALSE(AnyAssociationKey());
  EXPECT_NE(FileText(ini).find("Register = TRUE\r\n"), std::string::npos);
}

TEST(AboutDialog, OpensFromTheMenuAndOnlyItsCloseBoxClosesIt) {
  ProgramDir folder;
  EditorProcess editor(folder);
  ASSERT_TRUE(editor.WaitForWindow());
  const DialogWindow dialog = OpenDialogByCommand(editor, 40009, "About");
  ASSERT_TRUE(dialog);
  const HWND text = FindWindowExA(dialog.window, nullptr, "Static", nullptr);
  ASSERT_TRUE(text);
  char words[512] = "";
  SendTo(text, WM_GETTEXT, sizeof words, reinterpret_cast<LPARAM>(words));
  EXPECT_EQ(std::string(words).rfind("Kraxolan Editor", 0), 0u) << words;
  PressKeysIn(dialog, {VK_ESCAPE});
  EXPECT_TRUE(StaysOpen(dialog));
  PressKeysIn(dialog, {VK_RETURN});
  PostMessageA(dialog.window, WM_COMMAND, IDCANCEL, 0);
  PostMessageA(dialog.window, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(StaysOpen(dialog));
  EXPECT_TRUE(CloseByCloseBox(dialog));
  EXPECT_EQ(editor.Title(), "Kraxolan Editor - [Untitled.kxl]");
}
