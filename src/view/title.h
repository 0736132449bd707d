// The window title and the repaint requests every part of the editor makes.
#pragma once

#include <cstdint>
#include <string>

#include "view/host.h"

struct Editor;

// "Kraxolan Editor - [path]", with " *" before the bracket while modified.
std::string TitleText(const std::string& fileName, bool modified);

// The title for the document as it is now.
void UpdateTitle(const Editor& editor, Host& host);

// Sets repaintFlags to `parts` and invalidates the whole client area
// without erasing.
void Repaint(Editor& editor, Host& host, int32_t parts);

// Runs a modal dialog; the next paint redraws everything.
void OpenDialog(Editor& editor, Host& host, DialogKind dialog, int param);
