#include "doc/document.h"

#include <gtest/gtest.h>

#include "doc/edits.h"

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
