// The editor's options, kept in kraxed.ini beside the program.
#pragma once

#include <cstdint>

struct EditorSettings {
  int32_t zoom = 1;           // 1 normal, 2 double size
  int32_t autosave = 0;       // back up every 15 minutes
  int32_t questions = 0;      // ask before unsaved work is lost or a level cleared
  int32_t load = 0;           // open the most recent file at start-up
  int32_t registered = 0;     // "Register" in the file: the .kxl type is registered
  int32_t correctShadow = 0;  // correct shadows automatically
  bool operator==(const EditorSettings&) const = default;
};
