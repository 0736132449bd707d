#pragma once

#include <string>

class Host;
struct EditorState;

// "Kraxolan Editor - [path]", with " *" before the bracket while modified.
std::string TitleText(const std::string& fileName, int modified);

void UpdateTitle(EditorState& state, Host& host);

// Marks the level set modified and shows it in the title.
void MarkModified(EditorState& state, Host& host);

// Asks for a repaint of canvas and panel: repaintFlags 3 and the whole
// client area invalidated without erasing.
void RequestFullRepaint(EditorState& state, Host& host);
