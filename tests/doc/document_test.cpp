#include "doc/document.h"

#include <gtest/gtest.h>

#include "doc/edits.h"

TEST(Document, ModifiedFollowsTheHistory) {
  Document doc;
  LevelSet levels;
  levels[2].SetGoal(1);
  doc.Replace(levels, "a.kxl");
  EXPECT_FALSE(doc.Modified() || doc.CanUndo());
  EXPECT_EQ(doc.Undo() * 10 + doc.Redo(), -11);
  EXPECT_FALSE(Edits::SetGoal(doc, 2, 1));  // the value already there: no step
  EXPECT_FALSE(doc.Modified() || doc.CanUndo());
  EXPECT_TRUE(Edits::SetGoal(doc, 2, 3));
  EXPECT_TRUE(doc.Modified());
  doc.MarkSaved("b.kxl");
  EXPECT_EQ(doc.FileName(), "b.kxl");
  EXPECT_FALSE(doc.Modified());
  Edits::SetMusic(doc, 2, 4);
  EXPECT_TRUE(doc.Modified());
  // (undo or redo, level shown, modified, goal and song of level 3 afterwards)
  struct Row {
    bool undo;
    int shown;
    bool modified;
    int goal, song;
  } rows[] = {{true, 2, false, 3, 0}, {true, 2, true, 1, 0}, {false, 2, false, 3, 0}};
  for (const Row& r : rows) {
    EXPECT_EQ(r.undo ? doc.Undo() : doc.Redo(), r.shown);
    EXPECT_EQ(doc.Modified(), r.modified);
    EXPECT_EQ(doc.GetLevel(2).GetGoal() * 10 + doc.GetLevel(2).GetMusic(), r.goal * 10 + r.song);
  }
  EXPECT_TRUE(doc.CanRedo());
  Edits::SetGoal(doc, 5, 2);  // a new edit drops what could be redone
  EXPECT_FALSE(doc.CanRedo());
  doc.Replace(LevelSet(), "c.kxl");
  EXPECT_FALSE(doc.CanUndo() || doc.CanRedo() || doc.Modified());

  // A step gathers edits and shows its level; undoing closes an open step.
  doc.OpenStep(4);
  Edits::SetGoal(doc, 4, 1);
  Edits::SetGoal(doc, 7, 3);
  EXPECT_TRUE(doc.Modified());  // at once, before the step closes
  doc.CloseStep();
  ASSERT_EQ(doc.GetHistory().UndoCount(), 1u);
  EXPECT_EQ(doc.Undo(), 4);
  EXPECT_EQ(doc.Levels(), LevelSet());
  doc.OpenStep(0);
  Edits::SetGoal(doc, 6, 1);
  EXPECT_EQ(doc.Undo(), 6);
  doc.OpenStep(1);  // changed and changed back: no step, not modified
  Edits::SetGoal(doc, 1, 2);
  Edits::SetGoal(doc, 1, 0);
  doc.CloseStep();
  EXPECT_FALSE(doc.CanUndo() || doc.Modified());

  // A quiet correction changes no revision, but within a step it is part of it.
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
  EXPECT_EQ(doc.GetLevel(0).GetGoal() * 100 + doc.GetLevel(0).GetCell(37), 11);
  EXPECT_FALSE(doc.Modified());
}

TEST(Document, KeepsTheNewestThousandSteps) {
  Document doc;
  for (int i = 1; i <= 1001; ++i) Edits::SetTimeLimit(doc, i % 10, 15 + i / 10);
  EXPECT_EQ(doc.GetHistory().UndoCount(), 1000u);
  int undone = 0;
  while (doc.Undo() >= 0) ++undone;
  EXPECT_EQ(undone, 1000);
  for (int i = 0; i < kLevelCount; ++i)  // the first step is gone: level 1 keeps its time
    EXPECT_STREQ(doc.GetLevel(i).GetTime(), i == 1 ? "0:15" : "2:00") << i;
  EXPECT_TRUE(doc.Modified());
  while (doc.Redo() >= 0) {
  }
  EXPECT_STREQ(doc.GetLevel(1).GetTime(), "1:55");  // step 1001: 15 + 100 seconds
}
