// The rule of the "Swap levels" dialog: two levels of the set exchange
// places, whole, so the order in which the game plays them changes.
#pragma once

class Host;
struct EditorState;

// Exchanges levels a and b (0..9; the same level twice changes nothing but
// still counts as a change), marks the level set modified and asks the main
// window to repaint. The current level keeps its number, so when it is a or
// b the canvas and the graphics selector now show the other level's
// contents. Indexes outside 0..9 change nothing and give false.
bool SwapLevels(EditorState& state, Host& host, int a, int b);
