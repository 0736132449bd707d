// The host: everything the core asks of the window system. The Win32 shell
// implements it on the real window; tests use a fake that records the calls
// and answers questions from a script. The core never touches a window any
// other way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/client_rect.h"

enum class MessageKind {
  Error,        // OK button, exclamation icon, caption as given ("Error")
  Info,         // OK button, no icon
  Information,  // OK button, information icon
  YesNo,        // Yes and No, no icon
  YesNoCancel,  // Yes, No and Cancel, no icon
};

enum class Answer { Ok, Yes, No, Cancel };

enum class Selector { Level, Graphics, Teleport };

enum class DialogKind { LevelSettings, EnemySettings, SwapLevels, EditorSettings, About, CheckLevels };

// The file dialogs: a level set or a picture.
enum class FileKind { Levels, Picture };

class Host {
 public:
  virtual ~Host() = default;

  // Invalidates the whole client area (nullptr) or a part of it, never erasing.
  virtual void Invalidate(const ClientRect* area) = 0;
  virtual void SetStatusText(const std::string& text) = 0;
  virtual void SetTitle(const std::string& text) = 0;
  // A message box without owner; returns the button pressed.
  virtual Answer Ask(const std::string& text, const std::string& caption, MessageKind kind) = 0;
  virtual void SetSelectorPosition(Selector selector, int position) = 0;
  // Resizes the main window and moves the selectors for a new zoom.
  virtual void ApplyWindowZoom(int zoom) = 0;
  // The common file dialogs; false when cancelled. initialDirectory as given.
  virtual bool ChooseOpenPath(const std::string& initialDirectory, std::string& path) = 0;
  virtual bool ChooseSavePath(FileKind kind, const std::string& initialDirectory,
                              std::string& path) = 0;
  // Runs a modal dialog (param: the level or enemy it opens on).
  virtual void RunDialog(DialogKind dialog, int param) = 0;
  // Rebuilds the recent-file entries of the File menu; oldCount entries were there.
  virtual void RebuildRecentMenu(int oldCount, const std::vector<std::string>& files) = 0;
  // Mouse capture for a stroke: the release is seen even outside the window.
  virtual void CaptureMouse() = 0;
  virtual void ReleaseMouse() = 0;
  // A text of the program's string table (the item names, ids 1..12).
  virtual std::string StringResource(int id) = 0;
  // Lets the main window go (default handling of WM_CLOSE).
  virtual void DestroyMainWindow() = 0;
  // The clipboard. Put replaces what it holds with the text and, when
  // `area` is not empty, the program's own form of an area beside it. Get
  // gives the program's own area form when the clipboard holds it, else its
  // text (both empty: nothing usable). Both are false when the clipboard
  // cannot be had (another program holds it).
  virtual bool PutClipboard(const std::vector<uint8_t>& area, const std::string& text) = 0;
  virtual bool GetClipboard(std::vector<uint8_t>& area, std::string& text) = 0;
  // Where the pointer is, in client coordinates (it may lie outside the
  // window); false when the system cannot say.
  virtual bool PointerPosition(int& x, int& y) = 0;
};
