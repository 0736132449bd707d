// Everything the view works on, one of each: the document, the session, the
// options and the catalogue. The shell owns one; every test builds its own.
#pragma once

#include <cstdint>

#include "doc/document.h"
#include "gfx/resource_catalogue.h"
#include "view/editor_settings.h"
#include "view/session.h"

constexpr const char* kUntitledName = "Untitled.kxl";
constexpr const char* kProgramTitle = "Kraxolan Editor";

struct Editor {
  Document document;
  Session session;
  EditorSettings settings;
  ResourceCatalogue catalogue;
  uint32_t activeBorderColour = 0xC0C0C0;  // 0x00BBGGRR, behind the captions
  uint32_t windowColour = 0xC8D0D4;        // 0x00BBGGRR, the window's background

  const Level& CurrentLevel() const { return document.GetLevel(session.currentLevel); }
};
