// The program-wide editing state. The shell owns the one instance; every core
// operation takes it by reference, so each test builds a fresh one.
#pragma once

#include <cstdint>
#include <string>

#include "app/editor_settings.h"
#include "app/recent_files.h"
#include "gfx/region_list.h"
#include "gfx/resource_catalogue.h"
#include "level/file_layer.h"
#include "level/level.h"

constexpr const char* kUntitledName = "Untitled.kxl";
constexpr const char* kProgramTitle = "Kraxolan Editor";

// repaintFlags bits
constexpr int32_t kRepaintCanvas = 1;
constexpr int32_t kRepaintPanel = 2;
constexpr int32_t kRepaintAll = 3;

// selectionCategory values
constexpr int32_t kSelectPattern = 0;
constexpr int32_t kSelectPlayer = 1;
constexpr int32_t kSelectEnemy = 2;
constexpr int32_t kSelectTeleport = 3;

struct EditorState {
  LevelSet levels;
  int32_t currentLevel = 0;
  int32_t modified = 0;
  std::string currentFileName;
  int32_t repaintFlags = kRepaintAll;
  int32_t selectionCategory = kSelectPattern;
  int32_t selectionValue = 0;
  int32_t teleportPair = 0;
  int32_t canvasReady = 0;
  int32_t inspectorTiles[3] = {0, 0, 0};
  uint8_t layoutChanged = 0;
  EditorSettings settings;
  RecentFileList recent;
  std::string programDirectory;
  uint32_t activeBorderColour = 0xC0C0C0;  // 0x00BBGGRR
  RegionList regionList;
  ResourceCatalogue catalogue;
  FileLayer* files = &SystemFileLayer();  // where saves go; tests inject failures here

  Level& CurrentLevel() { return levels[currentLevel]; }
  const Level& CurrentLevel() const { return levels[currentLevel]; }
};
