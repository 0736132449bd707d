#include "doc/document.h"

#include <gtest/gtest.h>

#include "doc/edits.h"

namespace {

constexpr int kNothingToShow = -1;

// A level whose cell below a wall shows no shadow yet.
Level UnshadowedLevel() {
  Level level;
  level.SetCell(20, kCellWall1);
  level.SetCell(20 + kGridColumns, 3);
  return level;
}

}  // namespace

TEST(Document, ModifiedIsTheRevisionAgainstTheSavedOne) {
  Document doc;
  doc.Replace(LevelSet(), "a.kxl");
  EXPECT_EQ(doc.Undo(), kNothingToShow);  // a fresh set has no history
  EXPECT_EQ(doc.Redo(), kNothingToShow);
  EXPECT_FALSE(Edits::SetGoal(doc, 2, 0));  // the value already there: no step
  EXPECT_FALSE(doc.Modified());
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_TRUE(Edits::SetGoal(doc, 2, 3));
  EXPECT_TRUE(doc.Modified());
  doc.MarkSaved("b.kxl");
  EXPECT_FALSE(doc.Modified());
  Edits::SetMusic(doc, 2, 4);
  EXPECT_EQ(doc.Undo(), 2);  // back to the saved state
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(doc.GetLevel(2).GetMusic(), 0);
  EXPECT_EQ(doc.Undo(), 2);  // before the save
  EXPECT_TRUE(doc.Modified());
  EXPECT_EQ(doc.GetLevel(2).GetGoal(), 0);
  EXPECT_EQ(doc.Redo(), 2);
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(doc.GetLevel(2).GetGoal(), 3);
  EXPECT_TRUE(doc.CanRedo());
  Edits::SetGoal(doc, 5, 2);  // a new edit drops what could be redone
  EXPECT_FALSE(doc.CanRedo());
  doc.Replace(LevelSet(), "c.kxl");
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.Modified());
}

TEST(Document, AnOpenStepGathersEdits) {
  Document doc;
  doc.OpenStep(4);
  Edits::SetGoal(doc, 4, 1);
  Edits::SetGoal(doc, 7, 3);
  EXPECT_TRUE(doc.Modified());  // at once, before the step closes
  doc.CloseStep();
  EXPECT_EQ(doc.GetHistory().UndoCount(), 1u);
  EXPECT_EQ(doc.Undo(), 4);
  EXPECT_EQ(doc.Levels(), LevelSet());
  // Undo closes a step still open; it shows the level the step changed.
  doc.OpenStep(0);
  Edits::SetGoal(doc, 6, 1);
  EXPECT_EQ(doc.Undo(), 6);
  EXPECT_EQ(doc.GetLevel(6).GetGoal(), 0);
  // Changed and changed back: no step, not modified.
  doc.OpenStep(1);
  Edits::SetGoal(doc, 1, 2);
  Edits::SetGoal(doc, 1, 0);
  doc.CloseStep();
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.Modified());
}

TEST(Document, TheQuietShadowCorrection) {
  LevelSet levels;
  levels[0] = UnshadowedLevel();
  Document doc;
  doc.Replace(levels, "");
  const Level unshadowed = doc.GetLevel(0);
  doc.CorrectShadowsQuietly(0);
  EXPECT_NE(doc.GetLevel(0), unshadowed);  // it ran
  EXPECT_FALSE(doc.Modified());
  EXPECT_FALSE(doc.CanUndo());
  // Within a step it is part of the step.
  doc.Replace(levels, "");
  doc.OpenStep(0);
  Edits::SetGoal(doc, 0, 1);
  doc.CorrectShadowsQuietly(0);
  doc.CloseStep();
  doc.Undo();
  EXPECT_EQ(doc.GetLevel(0), unshadowed);
  EXPECT_FALSE(doc.Modified());
}

TEST(Document, KeepsTheNewestThousandSteps) {
  Document doc;
  for (int i = 1; i <= 1001; ++i) Edits::SetTimeLimit(doc, i % 10, 15 + i / 10);
  EXPECT_EQ(doc.GetHistory().UndoCount(), 1000u);
  int undone = 0;
  while (doc.Undo() >= 0) ++undone;
  EXPECT_EQ(undone, 1000);
  EXPECT_STREQ(doc.GetLevel(1).GetTime(), "0:15");  // the first step is gone: level 1 keeps its time
  EXPECT_STREQ(doc.GetLevel(2).GetTime(), "2:00");
  EXPECT_TRUE(doc.Modified());
  while (doc.Redo() >= 0) {
  }
  EXPECT_STREQ(doc.GetLevel(1).GetTime(), "1:55");  // step 1001: 15 + 100 seconds
}
