// The rules of the "Editor settings" dialog: six check boxes that show the
// options, and OK, which takes them over in a fixed order. Cancel, Esc and
// the close box take nothing over.
#pragma once

#include <functional>
#include <string>

#include "view/editor_settings.h"

class FileTypeRegistry;

// The check boxes, checked or not.
struct EditorSettingsChecks {
  bool questions = false;
  bool load = false;
  bool doubleSize = false;
  bool autosave = false;
  bool registerType = false;
  bool correctShadow = false;
  bool operator==(const EditorSettingsChecks&) const = default;
};

// The boxes the dialog opens with: exactly the options that are on.
EditorSettingsChecks ChecksOf(const EditorSettings& settings);

// OK: questions, load, then the zoom (applyZoom is called with the new zoom
// only when it changed, after `zoom` has been set), then registration or
// unregistration, autosave, correctShadow, and last the settings file is
// rewritten at once (writeSettings).
void ApplyEditorSettings(EditorSettings& settings, const EditorSettingsChecks& checks,
                         const std::function<void(int zoom)>& applyZoom,
                         FileTypeRegistry& registry, const std::string& programDirectory,
                         const std::function<void()>& writeSettings);
