#include "doc/document.h"

#include <gtest/gtest.h>

#include "doc/edits.h"

TEST(Document, ModifiedFollowsTheHistory) {
  Document doc;
  LevelSet levels;
  levels[2].SetGoal(1);
  doc.Replace(levels, "a.kxl");
  EXPECT_FALSE(doc.Modified());
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_EQ(doc.Undo(), -1);
  EXPECT_EQ(doc.Redo(), -1);

  // Storing the value already there makes no step.
  EXPECT_FALSE(Edits::SetGoal(doc, 2, 1));
  EXPECT_FALSE(doc.Modified());
  EXPECT_FALSE(doc.CanUndo());

  EXPECT_TRUE(Edits::SetGoal(doc, 2, 3));
  EXPECT_TRUE(doc.Modified());
  doc.MarkSaved("b.kxl");
  EXPECT_EQ(doc.FileName(), "b.kxl");
  EXPECT_FALSE(doc.Modified());
  Edits::SetMusic(doc, 2, 4);
  EXPECT_TRUE(doc.Modified());
  EXPECT_EQ(doc.Undo(), 2);  // back to what was saved
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(doc.GetLevel(2).GetMusic(), 0);
  EXPECT_EQ(doc.Undo(), 2);  // past the save
  EXPECT_TRUE(doc.Modified());
  EXPECT_EQ(doc.GetLevel(2).GetGoal(), 1);
  EXPECT_EQ(doc.Redo(), 2);
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(doc.GetLevel(2).GetGoal(), 3);

  // A new edit drops what could be redone.
  EXPECT_TRUE(doc.CanRedo());
  Edits::SetGoal(doc, 5, 2);
  EXPECT_FALSE(doc.CanRedo());
  EXPECT_TRUE(doc.Modified());

  // A fresh document has no history and is unmodified.
  doc.Replace(LevelSet(), "c.kxl");
  EXPECT_FALSE(doc.CanUndo() || doc.CanRedo() || doc.Modified());
}

TEST(Document, OpenStepsGatherEditsAndShowTheirLevel) {
  Document doc;
  doc.OpenStep(4);
  Edits::SetGoal(doc, 4, 1);
  Edits::SetMusic(doc, 4, 2);
  Edits::SetGoal(doc, 7, 3);
  EXPECT_TRUE(doc.Modified());  // at once, before the step closes
  doc.CloseStep();
  ASSERT_EQ(doc.GetHistory().UndoCount(), 1u);
  EXPECT_EQ(doc.Undo(), 4);
  EXPECT_EQ(doc.GetLevel(4), Level());
  EXPECT_EQ(doc.GetLevel(7), Level());
  EXPECT_FALSE(doc.Modified());

  // A step that only touched another level shows that one.
  doc.OpenStep(0);
  Edits::SetGoal(doc, 6, 1);
  EXPECT_EQ(doc.Undo(), 6);  // undoing closes the open step first

  // Changed and changed back: no step, not modified.
  const size_t before = doc.GetHistory().UndoCount();
  doc.OpenStep(1);
  Edits::SetGoal(doc, 1, 2);
  Edits::SetGoal(doc, 1, 0);
  doc.CloseStep();
  EXPECT_EQ(doc.GetHistory().UndoCount(), before);
  EXPECT_FALSE(doc.Modified());

  // A quiet correction changes no revision, but within a step it is part of it.
  doc.Replace(LevelSet(), "");
  Level walls;
  walls.SetCell(20, 32);
  walls.SetCell(37, 3);
  Edits::PasteLevel(doc, 0, walls);
  doc.MarkSaved("");
  doc.CorrectShadowsQuietly(0);
  EXPECT_EQ(doc.GetLevel(0).GetCell(37), 11);
  EXPECT_FALSE(doc.Modified());
  doc.OpenStep(0);
  Edits::SetGoal(doc, 0, 1);
  doc.CorrectShadowsQuietly(0);
  doc.CloseStep();
  doc.Undo();
  EXPECT_EQ(doc.GetLevel(0).GetGoal(), 0);
  EXPECT_EQ(doc.GetLevel(0).GetCell(37), 11);
  EXPECT_FALSE(doc.Modified());
}

TEST(Document, KeepsTheNewestThousandSteps) {
  Document doc;
  for (int i = 1; i <= 1001; ++i) Edits::SetTimeLimit(doc, i % 10, 15 + i / 10);
  EXPECT_EQ(doc.GetHistory().UndoCount(), 1000u);
  int undone = 0;
  while (doc.Undo() >= 0) ++undone;
  EXPECT_EQ(undone, 1000);
  // The first step is gone: level 1 keeps the time it got in step 1.
  EXPECT_STREQ(doc.GetLevel(1).GetTime(), "0:15");
  for (int i = 0; i < kLevelCount; ++i)
    EXPECT_STREQ(doc.GetLevel(i).GetTime(), i == 1 ? "0:15" : "2:00") << i;
  EXPECT_TRUE(doc.Modified());
  while (doc.Redo() >= 0) {
  }
  EXPECT_STREQ(doc.GetLevel(1).GetTime(), "1:55");  // step 1001: 15 + 100 seconds
}
