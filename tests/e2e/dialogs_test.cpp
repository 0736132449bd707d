// The editor's dialogs in the real program: each opened by its menu command
// and by its key, kept open by Esc and Enter, closed only by its close box
// (the editor settings by OK and Cancel too), one change each, its preview
// on screen and the change in the saved file; the registry of the prefix.
#include <gtest/gtest.h>

#include <utility>

#include "../../res/resource.h"
#include "dialogs/enemy_settings.h"
#include "dialogs/level_settings.h"
#include "e2e/driver.h"
#include "gfx/software_painter.h"

namespace {

// Esc and Enter, as keys and as the commands the dialog manager makes of them.
void ExpectEscAndEnterKeepItOpen(const DialogWindow& dialog) {
  PressKeysIn(dialog, {VK_ESCAPE});
  EXPECT_TRUE(StaysOpen(dialog));
  PressKeysIn(dialog, {VK_RETURN});
  PostMessageA(dialog.window, WM_COMMAND, IDCANCEL, 0);
  PostMessageA(dialog.window, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(StaysOpen(dialog));
}

// Whether the dialog shows, at (x, y), what the painting draws there.
bool ShowsPreview(const DialogWindow& dialog, int x, int y, int w, int h,
                  const std::function<void(Painter&)>& paint, const ResourceCatalogue& catalogue) {
  const auto part = [&](const Image& image) { return CropImage(image, x, y, w, h); };
  const auto expected = [&](const Image& shown) {
    Image picture = shown;
    SoftwarePainter painter(catalogue, picture, shown.At(1, 1));
    paint(painter);
    return part(picture);
  };
  const Image shot = CaptureWindowClient(dialog.window, [&](const Image& shown) {
    return !shown.Empty() && part(shown) == expected(shown);
  });
  return !shot.Empty() && part(shot) == expected(shot) && !(part(shot) == Image(w, h, shot.At(1, 1)));
}

struct Running {
  ProgramDir folder;
  std::string path = CopySample(folder, "levels.kxl");
  EditorProcess editor{folder, "\"" + path + "\""};
  LevelSet expected = ReadSet(path);
  ResourceCatalogue catalogue = CatalogueOf(folder);
};

}  // namespace

TEST(Dialogs, LevelSettingsSessionIsOneStep) {
  Running s;
  ASSERT_TRUE(s.editor.WaitForWindow());
  DialogWindow dialog = OpenDialogByCommand(s.editor, 40014, "Level settings");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ComboChoice(dialog, IDC_LEVEL_NUMBER), 0);
  ASSERT_TRUE(CloseByCloseBox(dialog));

  SendCommand(s.editor, 40024);  // level 3
  s.editor.PressKeys({VK_CONTROL, 'L'});
  dialog = s.editor.WaitForDialog(10000, "Level settings");
  ASSERT_TRUE(dialog);
  MoveWindowTo(dialog.window, 700, 500);  // off the canvas, which is looked at
  Level& level = s.expected[2];
  EXPECT_EQ(ComboChoice(dialog, IDC_LEVEL_NUMBER), 2);
  EXPECT_EQ(ComboChoiceText(dialog, IDC_LEVEL_GOAL), GoalName(level.GetGoal()));
  EXPECT_EQ(ControlText(dialog, IDC_LEVEL_TIME_TEXT), level.TimeText());
  ExpectEscAndEnterKeepItOpen(dialog);
  EXPECT_EQ(s.editor.Title(), TitleFor(s.path, false));

  // Another sprite set for enemy type 1: the canvas and the preview show it.
  const int other = level.GetEnemyType(0) == 1 ? 1 : 0;
  const Image before = CanvasOf(s.folder, s.expected, 2);
  PickComboEntry(dialog, IDC_LEVEL_TYPE1, other);
  level.SetEnemyType(0, other + 1);
  PickComboEntry(dialog, IDC_LEVEL_GOAL, (level.GetGoal() + 1) % 4);
  level.SetGoal((level.GetGoal() + 1) % 4);
  EXPECT_EQ(s.editor.Title(), TitleFor(s.path, true));
  const Image after = CanvasOf(s.folder, s.expected, 2);
  ASSERT_FALSE(before == after);  // level 3 has an enemy of type 1
  EXPECT_TRUE(s.editor.CanvasShows(after));
  EXPECT_TRUE(ShowsPreview(dialog, 50, 175, 32, 48,
                           [&](Painter& p) { PaintEnemyTypePreview(level, s.catalogue, p); }, s.catalogue));
  ASSERT_TRUE(CloseByCloseBox(dialog));

  // One Ctrl+Z takes the whole session back.
  s.editor.PressKeys({VK_CONTROL, 'Z'});
  ASSERT_TRUE(WaitForTitle(s.editor, TitleFor(s.path, false)));
  EXPECT_TRUE(s.editor.CanvasShows(before));
  s.editor.PressKeys({VK_CONTROL, 'Y'});
  ASSERT_TRUE(WaitForTitle(s.editor, TitleFor(s.path, true)));
  ASSERT_TRUE(SaveAndWait(s.editor, s.path));
  EXPECT_EQ(FileBytes(s.path), LevelSetBytes(s.expected));
}

TEST(Dialogs, EnemySettingsByMenuKeyAndDoubleClick) {
  Running s;
  ASSERT_TRUE(s.editor.WaitForWindow());
  DialogWindow dialog = OpenDialogByCommand(s.editor, 40017, "Edit Enemy");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ComboChoice(dialog, IDC_ENEMY_NUMBER), 0);
  ASSERT_TRUE(CloseByCloseBox(dialog));
  s.editor.DoubleClick(353 + 30 * 2 + 8, 154 + 12);  // the image of enemy 3
  dialog = s.editor.WaitForDialog(10000, "Edit Enemy");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ComboChoice(dialog, IDC_ENEMY_NUMBER), 2);
  ASSERT_TRUE(CloseByCloseBox(dialog));
  EXPECT_EQ(s.editor.Title(), TitleFor(s.path, false));  // looking changes nothing

  s.editor.PressKeys({VK_CONTROL, 'E'});
  dialog = s.editor.WaitForDialog(10000, "Edit Enemy");
  ASSERT_TRUE(dialog);
  MoveWindowTo(dialog.window, 700, 500);
  ExpectEscAndEnterKeepItOpen(dialog);
  PickComboEntry(dialog, IDC_ENEMY_NUMBER, 2);
  PickComboEntry(dialog, IDC_ENEMY_DIRECTION, 3);  // "Left"
  ActorRecord& enemy = s.expected[0].GetActor(3);
  enemy.SetDirection(7);
  EXPECT_EQ(ControlText(dialog, IDC_ENEMY_TYPE_NAME),
            s.catalogue.spriteSets.at(static_cast<size_t>(EnemySpriteSet(s.expected[0], enemy))).name);
  EXPECT_TRUE(ShowsPreview(dialog, 182, 16, 32, 48,
                           [&](Painter& p) { PaintEnemyPreview(s.expected[0], enemy, s.catalogue, p); },
                           s.catalogue));
  EXPECT_TRUE(s.editor.CanvasShows(CanvasOf(s.folder, s.expected, 0)));
  ASSERT_TRUE(CloseByCloseBox(dialog));
  ASSERT_TRUE(SaveAndWait(s.editor, s.path));
  EXPECT_EQ(FileBytes(s.path), LevelSetBytes(s.expected));
}

TEST(Dialogs, SwapLevelsByKeyAndMenu) {
  Running s;
  ASSERT_TRUE(s.editor.WaitForWindow());
  SendCommand(s.editor, 40024);  // level 3 is shown
  s.editor.PressKeys({VK_CONTROL, 'W'});
  DialogWindow dialog = s.editor.WaitForDialog(10000, "Swap levels");
  ASSERT_TRUE(dialog);
  MoveWindowTo(dialog.window, 700, 500);
  PickComboEntry(dialog, IDC_SWAP_FIRST, 2);
  PickComboEntry(dialog, IDC_SWAP_SECOND, 7);
  EXPECT_EQ(s.editor.Title(), TitleFor(s.path, false));  // choosing alone changes nothing
  // Esc leaves it open; Enter is the Swap button.
  PressKeysIn(dialog, {VK_ESCAPE});
  EXPECT_TRUE(StaysOpen(dialog));
  PressKeysIn(dialog, {VK_RETURN});
  std::swap(s.expected[2], s.expected[7]);
  EXPECT_TRUE(s.editor.CanvasShows(CanvasOf(s.folder, s.expected, 2)));
  EXPECT_EQ(s.editor.Title(), TitleFor(s.path, true));
  ASSERT_TRUE(CloseByCloseBox(dialog));

  // From the menu, a level with itself changes nothing.
  dialog = OpenDialogByCommand(s.editor, 40043, "Swap levels");
  ASSERT_TRUE(dialog);
  SendTo(Control(dialog, IDC_SWAP), BM_CLICK);
  ASSERT_TRUE(CloseByCloseBox(dialog));
  s.editor.PressKeys({VK_CONTROL, 'Z'});
  ASSERT_TRUE(WaitForTitle(s.editor, TitleFor(s.path, false)));
}

namespace {

constexpr int kChecks[] = {IDC_SETTINGS_QUESTIONS, IDC_SETTINGS_LOAD, IDC_SETTINGS_DOUBLE_SIZE,
                           IDC_SETTINGS_AUTOSAVE, IDC_SETTINGS_REGISTER, IDC_SETTINGS_CORRECT_SHADOW};

void SetCheck(const DialogWindow& dialog, int id, bool checked) {
  SendTo(Control(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

// The association keys under both roots, removed before and after the test,
// so the prefix's registry is left as it was found.
const char* const kAssociationKeys[] = {"HKCR\\.kxl", "HKCR\\kxl_auto_file",
                                        "HKCU\\Software\\Classes\\.kxl",
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

// The editor settings with one box set the way given, confirmed with OK.
void SetAndConfirm(const EditorProcess& editor, int id, bool checked) {
  const DialogWindow dialog = OpenDialogByCommand(editor, 40018, "Editor settings");
  ASSERT_TRUE(dialog);
  SetCheck(dialog, id, checked);
  editor.Press(dialog, IDOK);
}

}  // namespace

TEST(Dialogs, EditorSettingsResizeInPlaceAndRegisterTheFileType) {
  AssociationCleanup cleanup;
  ProgramDir folder;
  EditorProcess editor(folder);
  ASSERT_TRUE(editor.WaitForWindow());
  MoveWindowTo(editor.Window(), 40, 30);
  const RECT before = editor.WindowRect();
  const std::string ini = folder.File("kraxed.ini");

  // Every box changed, then Cancel; then the close box: nothing taken over.
  for (int way = 0; way < 2; ++way) {
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

  SetAndConfirm(editor, IDC_SETTINGS_DOUBLE_SIZE, true);
  ASSERT_TRUE(WaitUntil([&] { return editor.WindowRect().right - editor.WindowRect().left == 1046; }));
  const RECT doubled = editor.WindowRect();
  EXPECT_EQ(doubled.bottom - doubled.top, 499);
  EXPECT_EQ(doubled.left * 1000 + doubled.top, before.left * 1000 + before.top);
  SetAndConfirm(editor, IDC_SETTINGS_DOUBLE_SIZE, false);
  ASSERT_TRUE(WaitUntil([&] { return editor.WindowRect().right - editor.WindowRect().left == 523; }));

  const std::string command = folder.Path() + "kraxed.exe \"%1\"";
  SetAndConfirm(editor, IDC_SETTINGS_REGISTER, true);
  for (const std::string root : {"HKCR\\", "HKCU\\Software\\Classes\\"}) {
    EXPECT_EQ(QueryRegistryDefault(root + ".kxl").value, "kxl_auto_file") << root;
    EXPECT_EQ(QueryRegistryDefault(root + "kxl_auto_file").value, "Kraxolan level set") << root;
    EXPECT_EQ(QueryRegistryDefault(root + "kxl_auto_file\\shell\\open\\command").value, command) << root;
  }
  EXPECT_NE(FileText(ini).find("Register = TRUE\r\n"), std::string::npos);
  SetAndConfirm(editor, IDC_SETTINGS_REGISTER, false);
  EXPECT_FALSE(AnyAssociationKey());
  EXPECT_NE(FileText(ini).find("Zoom = FALSE\r\nAutosave = FALSE\r\nQuestions = TRUE\r\nLoad = FALSE\r\n"
                               "Register = FALSE\r\n"),
            std::string::npos);
}

TEST(Dialogs, AboutClosesOnlyByItsCloseBox) {
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
  ExpectEscAndEnterKeepItOpen(dialog);
  EXPECT_TRUE(CloseByCloseBox(dialog));
}

TEST(Dialogs, CheckLevelsShowsTheProblemsCell) {
  Running s;
  ASSERT_TRUE(s.editor.WaitForWindow());
  // The sample set as shipped has nothing to report.
  s.editor.PressKeys({VK_CONTROL, 'K'});
  ASSERT_TRUE(AnswerBox(s.editor, "Check levels", "No problems found in the ten levels.", IDOK));
  // One cell value the palette does not offer, on level 3 at row 5, column 8.
  const int cell = 4 * kGridColumns + 7;
  s.expected[2].SetCell(cell, 30);
  PutLevelSet(s.path, s.expected);
  EditorProcess editor(s.folder, "\"" + s.path + "\"");
  ASSERT_TRUE(editor.WaitForWindow());
  editor.PressKeys({VK_CONTROL, 'K'});
  const DialogWindow dialog = editor.WaitForDialog(10000, "Check levels");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(SendTo(Control(dialog, IDC_CHECK_LIST), LB_GETCOUNT), 1);
  SendTo(Control(dialog, IDC_CHECK_SHOW), BM_CLICK);
  ASSERT_TRUE(WaitUntil([&] { return !IsOpen(dialog); }));
  ASSERT_TRUE(WaitUntil([&] { return SelectorPosition(editor, 0) == 2; }));
  Editor shown = EditorWith(s.folder, s.expected);
  shown.session.mark = {2, cell, shown.document.Revision()};
  EXPECT_TRUE(editor.CanvasShows(RenderLevelPicture(shown, 2, LevelPictureOptions())));
}
