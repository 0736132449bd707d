#include "dialogs/editor_settings_dialog.h"

#include "dialogs/file_type_registration.h"

EditorSettingsChecks ChecksOf(const EditorSettings& settings) {
  EditorSettingsChecks checks;
  checks.questions = settings.questions != 0;
  checks.load = settings.load != 0;
  checks.doubleSize = settings.zoom == 2;
  checks.autosave = settings.autosave != 0;
  checks.registerType = settings.registered != 0;
  checks.correctShadow = settings.correctShadow != 0;
  return checks;
}

void ApplyEditorSettings(EditorSettings& settings, const EditorSettingsChecks& checks,
                         const std::function<void(int zoom)>& applyZoom,
                         FileTypeRegistry& registry, const std::string& programDirectory,
                         const std::function<void()>& writeSettings) {
  settings.questions = checks.questions ? 1 : 0;
  settings.load = checks.load ? 1 : 0;
  const int zoom = checks.doubleSize ? 2 : 1;
  if (zoom != settings.zoom) {
    settings.zoom = zoom;
    applyZoom(zoom);
  }
  if (checks.registerType)
    RegisterFileType(settings, programDirectory, registry);
  else
    UnregisterFileType(settings, registry);
  settings.autosave = checks.autosave ? 1 : 0;
  settings.correctShadow = checks.correctShadow ? 1 : 0;
  writeSettings();
}
