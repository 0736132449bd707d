// The tile sheets: one bitmap per picture, made once, deleted exactly once
// whether the table is cleared, rebuilt or destroyed.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "gfx/gdi_objects_win32.h"
#include "gfx/gdi_test_target_win32.h"
#include "gfx/resource_catalogue.h"
#include "gfx/tile_sheet_win32.h"
#include "support/test_sheets.h"

namespace {

// Every sheet the table holds for the catalogue (two per pattern set, four
// per sprite set), by its handle.
std::vector<const void*> SheetHandles(const SheetTable& table, int patternSets, int spriteSets) {
  std::vector<const void*> handles;
  for (int zoom = 1; zoom <= 2; ++zoom) {
    for (int i = 0; i < patternSets; ++i)
      if (const TileSheet* sheet = table.Find({SheetKind::Pattern, i, zoom}))
        handles.push_back(sheet->Handle());
    for (int i = 0; i < spriteSets; ++i)
      for (SheetKind kind : {SheetKind::SpriteColour, SheetKind::SpriteMask})
        if (const TileSheet* sheet = table.Find({kind, i, zoom})) handles.push_back(sheet->Handle());
  }
  return handles;
}

std::vector<const void*> Sorted(std::vector<const void*> handles) {
  std::sort(handles.begin(), handles.end());
  return handles;
}

std::vector<const void*> HandlesOf(const std::vector<HandleWatch::Entry>& entries) {
  std::vector<const void*> handles;
  for (const HandleWatch::Entry& entry : entries) {
    EXPECT_EQ(entry.first, GdiObjectKind::Bitmap);
    handles.push_back(entry.second);
  }
  return handles;
}

bool AllGone(const std::vector<const void*>& handles) {
  return std::all_of(handles.begin(), handles.end(),
                     [](const void* h) { return ObjectTypeOf(h) == 0; });
}

bool AllBitmaps(const std::vector<const void*>& handles) {
  return std::all_of(handles.begin(), handles.end(),
                     [](const void* h) { return ObjectTypeOf(h) == OBJ_BITMAP; });
}

}  // namespace

TEST(SheetTable, EverySheetIsMadeWhenFirstFoundAndDeletedExactlyOnceByClearRebuildOrDestruction) {
  MemoryTarget reference(16, 16);
  ASSERT_TRUE(reference.Ok());
  ResourceCatalogue catalogue = MakeTestCatalogue(2, 3);
  // A pattern set whose file could not be read has empty pictures: no bitmap.
  catalogue.patternSets.push_back({Image(), Image(), "Unreadable"});
  constexpr size_t kSheets = 2 * 2 + 3 * 4;
  GdiObjectLedger& ledger = SheetGdiObjects();
  HandleWatch watch(ledger);
  const int64_t liveBefore = ledger.LiveTotal();

  // Cleared.
  std::vector<const void*> first;
  {
    SheetTable table;
    table.Build(catalogue, reference.Dc());
    EXPECT_TRUE(watch.created.empty());  // none before it is drawn
    first = SheetHandles(table, 3, 3);
    EXPECT_EQ(SheetHandles(table, 3, 3), first);
    ASSERT_EQ(first.size(), kSheets);
    EXPECT_EQ(table.Find({SheetKind::Pattern, 2, 1}), nullptr);
    EXPECT_EQ(table.Find({SheetKind::Pattern, 3, 1}), nullptr);
    EXPECT_EQ(table.Find({SheetKind::SpriteMask, -1, 1}), nullptr);
    EXPECT_EQ(Sorted(HandlesOf(watch.created)), Sorted(first));
    EXPECT_TRUE(AllBitmaps(first));
    EXPECT_EQ(ledger.LiveTotal(), liveBefore + static_cast<int64_t>(kSheets));
    EXPECT_TRUE(watch.deleted.empty());

    // Rebuilt: the old sheets go, once each, and new ones come.
    watch.Forget();
    table.Build(catalogue, reference.Dc());
    const std::vector<const void*> second = SheetHandles(table, 3, 3);
    EXPECT_EQ(Sorted(HandlesOf(watch.deleted)), Sorted(first));
    EXPECT_TRUE(AllGone(first));
    EXPECT_TRUE(AllBitmaps(second));
    EXPECT_EQ(ledger.LiveTotal(), liveBefore + static_cast<int64_t>(kSheets));

    watch.Forget();
    table.Clear();
    EXPECT_EQ(Sorted(HandlesOf(watch.deleted)), Sorted(second));
    EXPECT_TRUE(AllGone(second));
    EXPECT_EQ(table.Find({SheetKind::Pattern, 0, 1}), nullptr);
    EXPECT_EQ(ledger.LiveTotal(), liveBefore);
    table.Clear();
    watch.Forget();
  }
  // Nothing more was deleted by the second Clear or by the destructor.
  EXPECT_TRUE(watch.deleted.empty());
  EXPECT_EQ(ledger.LiveTotal(), liveBefore);

  // Destroyed without Clear: every sheet still goes, once.
  watch.Forget();
  std::vector<const void*> third;
  {
    SheetTable table;
    table.Build(catalogue, reference.Dc());
    third = SheetHandles(table, 3, 3);
  }
  EXPECT_EQ(Sorted(HandlesOf(watch.deleted)), Sorted(third));
  EXPECT_TRUE(AllGone(third));
  EXPECT_EQ(ledger.LiveTotal(), liveBefore);
}

TEST(TileSheet, AMovedSheetOwnsItsBitmapAloneAndDeletesItOnce) {
  MemoryTarget reference(16, 16);
  ASSERT_TRUE(reference.Ok());
  GdiObjectLedger& ledger = SheetGdiObjects();
  HandleWatch watch(ledger);
  const int64_t liveBefore = ledger.LiveTotal();
  {
    TileSheet a(MakePatternSheet(0, 1), reference.Dc());
    const void* handle = a.Handle();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(a.Width(), 256);
    EXPECT_EQ(a.Height(), 128);
    TileSheet b(std::move(a));
    EXPECT_EQ(a.Handle(), nullptr);
    EXPECT_EQ(b.Handle(), handle);
    TileSheet c(MakeSpriteSheet(1, 1, true), reference.Dc());
    const void* replaced = c.Handle();
    c = std::move(b);  // c's own bitmap goes now
    EXPECT_EQ(c.Handle(), handle);
    EXPECT_EQ(HandlesOf(watch.deleted), std::vector<const void*>{replaced});
    EXPECT_EQ(ObjectTypeOf(replaced), 0u);
    EXPECT_EQ(ObjectTypeOf(handle), static_cast<DWORD>(OBJ_BITMAP));
    TileSheet& same = c;
    c = std::move(same);  // a move onto itself keeps the bitmap
    EXPECT_EQ(ObjectTypeOf(handle), static_cast<DWORD>(OBJ_BITMAP));
    TileSheet empty(Image(), reference.Dc());
    EXPECT_EQ(empty.Handle(), nullptr);
  }
  EXPECT_EQ(watch.created.size(), 2u);
  EXPECT_EQ(watch.deleted.size(), 2u);
  EXPECT_EQ(ledger.LiveTotal(), liveBefore);
}
