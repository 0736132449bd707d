// The rule of the "Swap levels" dialog: two levels of the set exchange
// places, whole, so the order in which the game plays them changes.
#pragma once

class Host;
struct Editor;

// Exchanges levels a and b (0..9), one step of the history, and asks the
// main window to repaint. The current level keeps its number, so when it is
// a or b the canvas and the graphics selector now show the other level's
// contents. Indexes outside 0..9 change nothing and give false; the same
// level twice changes nothing and makes no step.
bool SwapLevels(Editor& editor, Host& host, int a, int b);
