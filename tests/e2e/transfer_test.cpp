// Copy and Paste between two running editors through the shared block
// "KraxoLevel": the whole level travels, the floor of cell 220 too, which a
// file cannot keep; nothing survives the last editor.
#include <gtest/gtest.h>

#include <cstring>

#include "../../res/resource.h"
#include "e2e/driver.h"
#include "gfx/software_painter.h"
#include "level/level_image.h"
#include "view/layout.h"

namespace {

constexpr int kCell220X = 252;  // grid column 16 (region 1003) ...
constexpr int kCell220Y = 16 + 1 + 12 * 16 + 8;  // ... row 12, at zoom 1

// The cell inspector's three tiles for the cell under the pointer.
Image InspectorOf(const EditorProcess& editor, int x, int y) {
  editor.MouseMove(x, y);
  const ClientRect box = InspectorRect(1);
  const auto inspector = [&](const Image& client) {
    return CropImage(client, box.left, box.top, box.right - box.left, box.bottom - box.top);
  };
  // Every cell this is used on holds a wall, never a plain square.
  return inspector(CaptureWindowClient(editor.Window(), [&](const Image& client) {
    const Image wall = CropImage(inspector(client), 0, 0, 16, 16);
    return !(wall == Image(16, 16, wall.At(0, 0)));
  }));
}

// Whether the shared block holds `level`, as a Copy puts it there.
bool BlockHolds(const Level& level) {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, "KraxoLevel");
  if (!mapping) return false;
  const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, kLevelImageBytes);
  bool holds = false;
  if (view) {
    const uint8_t* block = static_cast<const uint8_t*>(view);
    holds = LevelImageFlag(block) == 1 && GetLevelImage(block) == level;
    UnmapViewOfFile(view);
  }
  CloseHandle(mapping);
  return holds;
}

// The 2670-byte form of a level set: the 377-byte blocks without their floors.
std::vector<uint8_t> OldForm(const LevelSet& levels) {
  const std::vector<uint8_t> current = EncodeLevelSet(levels);
  std::vector<uint8_t> old;
  for (size_t level = 0; level < kLevelCount; ++level) {
    const auto block = current.begin() + static_cast<std::ptrdiff_t>(level * kLevelBytes);
    old.insert(old.end(), block, block + 231);
    old.insert(old.end(), block + 341, block + 377);
  }
  return old;
}

}  // namespace

TEST(LevelTransfer, ALevelCopiedInOneEditorIsPastedInAnotherWithAllItsFloors) {
  // The source: an older-form file, whose floors are made from the cells on
  // loading, all 221 of them: a wall in cell 220 lies on floor 7 there.
  ProgramDir folderA;
  LevelSet source = ReadSet(folderA.File("sample.kxl"));
  source[4].SetCell(220, 32);
  const std::vector<uint8_t> old = OldForm(source);
  const std::string oldPath = folderA.File("old.kxl");
  PutFile(oldPath, old);
  LevelSet loaded;
  ASSERT_TRUE(DecodeLevelSet(old.data(), old.size(), loaded));
  ASSERT_EQ(loaded[4].GetFloor(220), 7);

  EditorProcess a(folderA, "\"" + oldPath + "\"");
  ASSERT_TRUE(a.WaitForWindow());
  MoveWindowTo(a.Window(), 0, 0);
  SendCommand(a, 40026);  // level 5
  a.PressKeys({VK_CONTROL, 'C'});
  ASSERT_TRUE(WaitUntil([&] { return BlockHolds(loaded[4]); }));
  a.WaitIdle();
  EXPECT_EQ(a.Title(), TitleFor(oldPath, false));  // copying changes nothing

  ProgramDir folderB;
  const std::string pathB = CopySample(folderB, "b.kxl");
  EditorProcess b(folderB, "\"" + pathB + "\"");
  ASSERT_TRUE(b.WaitForWindow());
  MoveWindowTo(b.Window(), 600, 0);
  SendCommand(b, 40023);  // level 2
  b.PressKeys({VK_CONTROL, 'V'});
  ASSERT_TRUE(WaitForTitle(b, TitleFor(pathB, true)));
  // The canvas shows the pasted level at once.
  LevelSet shown;
  shown[1] = loaded[4];
  EXPECT_TRUE(b.CanvasShows(CanvasOf(folderB, shown, 1)));

  // Cell 220 shows the wall on floor 7 in both editors.
  const Image inspectorA = InspectorOf(a, kCell220X, kCell220Y);
  const Image inspectorB = InspectorOf(b, kCell220X, kCell220Y);
  EXPECT_TRUE(inspectorA == inspectorB);

  // Everything else is checked in the saved file.
  ASSERT_TRUE(SaveAndWait(b, pathB));
  LevelSet expected = ReadSet(folderB.File("sample.kxl"));
  expected[1] = loaded[4];
  EXPECT_TRUE(FileBytes(pathB) == EncodeLevelSet(expected));

  // The file lost floor 220: opened again, the same wall lies on floor 0,
  // and the inspector shows the difference.
  EditorProcess c(folderB, "\"" + pathB + "\"");
  ASSERT_TRUE(c.WaitForWindow());
  MoveWindowTo(c.Window(), 0, 400);
  SendCommand(c, 40023);
  const Image inspectorC = InspectorOf(c, kCell220X, kCell220Y);
  EXPECT_TRUE(CropImage(inspectorC, 0, 0, 16, 16) == CropImage(inspectorA, 0, 0, 16, 16));
  EXPECT_FALSE(CropImage(inspectorC, 16, 0, 16, 16) == CropImage(inspectorA, 16, 0, 16, 16));
}

TEST(LevelTransfer, AfterTheLastEditorClosedANewOneFindsTheBlockEmpty) {
  ProgramDir folder;
  const std::string path = folder.File("sample.kxl");
  {
    EditorProcess first(folder, path);
    ASSERT_TRUE(first.WaitForWindow());
    SendCommand(first, 40020);  // Copy
    first.Command(40011);       // Exit: nothing to save
    ASSERT_TRUE(first.WaitForExit());
  }
  EditorProcess editor(folder, path);
  ASSERT_TRUE(editor.WaitForWindow());
  SendCommand(editor, 40023);  // level 2
  editor.PressKeys({VK_CONTROL, 'V'});
  Sleep(300);
  SendCommand(editor, 40021);
  EXPECT_EQ(editor.Title(), TitleFor(path));
  // The same commands work once this editor has copied a level.
  SendCommand(editor, 40022);  // level 1, copied
  SendCommand(editor, 40020);
  SendCommand(editor, 40023);  // pasted on level 2
  SendCommand(editor, 40021);
  EXPECT_EQ(editor.Title(), TitleFor(path, true));
}

TEST(LevelTransfer, WhateverAnotherProcessWroteIsPastedWithoutHarm) {
  ProgramDir folder;
  const std::string path = CopySample(folder, "levels.kxl");
  EditorProcess editor(folder, "\"" + path + "\"");
  ASSERT_TRUE(editor.WaitForWindow());

  // Another process fills the block with values no catalogue entry or grid
  // holds, and a time text without its terminator.
  Level strange;
  strange.SetGoal(7);
  strange.SetPatternSet(99);
  strange.SetMusic(1000);
  strange.SetEnemyType(0, 0);  // the player's sprite set
  strange.SetEnemyType(1, 200);
  strange.SetEnemyType(2, -5);
  for (int i = 0; i < kCellCount; ++i) {
    strange.SetCell(i, i % 3 == 0 ? 100000 : -i);
    strange.SetFloor(i, 255 - i);
  }
  for (int a = 0; a < kActorCount; ++a) strange.GetActor(a).Set(60000 + a, -300, 9, 99 * a, 250, 3);
  HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, "KraxoLevel");
  ASSERT_TRUE(mapping);
  uint8_t* block = static_cast<uint8_t*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, kLevelImageBytes));
  ASSERT_TRUE(block);
  PutLevelImage(block, strange);
  std::memcpy(block + kLevelImageTimeOffset, "1:23ABCD", 8);
  const Level pasted = GetLevelImage(block);
  UnmapViewOfFile(block);
  CloseHandle(mapping);

  SendCommand(editor, 40021);
  editor.MouseMove(100, 100);  // paints the strange level and inspects a cell
  editor.MouseMove(252, 217);
  ASSERT_TRUE(editor.Running());
  EXPECT_EQ(editor.Title(), TitleFor(path, true));

  DialogWindow dialog = OpenDialogByCommand(editor, 40014, "Level settings");
  ASSERT_TRUE(dialog);
  for (int id : {IDC_LEVEL_GOAL, IDC_LEVEL_MUSIC, IDC_LEVEL_TYPE1, IDC_LEVEL_TYPE2, IDC_LEVEL_TYPE3})
    EXPECT_EQ(ComboChoice(dialog, id), -1) << id;
  EXPECT_EQ(ControlText(dialog, IDC_LEVEL_TIME_TEXT), "1:23ABC");
  EXPECT_EQ(TrackBarPosition(dialog, IDC_LEVEL_TIME), 83);
  ASSERT_TRUE(CloseByCloseBox(dialog));

  dialog = OpenDialogByCommand(editor, 40017, "Edit Enemy");
  ASSERT_TRUE(dialog);
  for (int id : {IDC_ENEMY_SPEED, IDC_ENEMY_DIRECTION, IDC_ENEMY_AI})
    EXPECT_EQ(ComboChoice(dialog, id), -1) << id;
  EXPECT_EQ(ControlText(dialog, IDC_ENEMY_TYPE_NAME), "");
  ASSERT_TRUE(CloseByCloseBox(dialog));
  ASSERT_TRUE(editor.Running());

  // The file keeps the low eight bits of every value, as always.
  ASSERT_TRUE(SaveAndWait(editor, path));
  LevelSet expected = ReadSet(folder.File("sample.kxl"));
  expected[0] = pasted;
  EXPECT_TRUE(FileBytes(path) == EncodeLevelSet(expected));
}
