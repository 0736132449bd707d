// Undo and Redo: the newest step goes back (comes again), after the level it
// was made on is shown, as Ctrl+digit shows a level.
#pragma once

class Host;
struct Editor;

void UndoStep(Editor& editor, Host& host);
void RedoStep(Editor& editor, Host& host);
