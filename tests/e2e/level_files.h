// Level sets for the end-to-end tests: the sample set of the program folder,
// level sets written beside it, and the settings files the editor reads.
// The expected contents are built with the core, so a saved file can be
// compared byte for byte with what the editor should have written.
#pragma once

#include <string>
#include <vector>

#include "app/editor_state.h"
#include "e2e/editor_driver.h"
#include "gfx/resource_catalogue.h"
#include "level/level_file.h"
#include "view/level_picture.h"

// The ten levels of the folder's sample.kxl.
inline LevelSet SampleLevels(const ProgramDir& folder) {
  LevelSet levels;
  ReadLevelSetFile(folder.File("sample.kxl"), levels);
  return levels;
}

// The folder's graphics as the editor reads them at start-up; a sheet it
// cannot read stays empty, as it does in the editor.
inline ResourceCatalogue CatalogueOf(const ProgramDir& folder) {
  ResourceCatalogue catalogue;
  LoadResourceCatalogue(catalogue, folder.Path(), [](const std::string&) {});
  return catalogue;
}

// An editor state with the folder's graphics and these levels: what the
// level pictures the editor should show are painted from.
inline EditorState StateWith(const ProgramDir& folder, const LevelSet& levels) {
  EditorState state;
  state.catalogue = CatalogueOf(folder);
  state.levels = levels;
  return state;
}

// The canvas as the editor paints level `index` of the levels at normal size.
inline Image CanvasOf(const ProgramDir& folder, const LevelSet& levels, int index) {
  EditorState state = StateWith(folder, levels);
  return RenderLevelPicture(state, index, LevelPictureOptions());
}

inline std::vector<unsigned char> LevelSetBytes(const LevelSet& levels) {
  const std::vector<uint8_t> bytes = EncodeLevelSet(levels);
  return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

inline void PutLevelSet(const std::string& path, const LevelSet& levels) {
  PutFile(path, LevelSetBytes(levels));
}

// The sample set with level 1 drawn from another pattern set, so two files
// can be told apart by the graphics selector.
inline LevelSet SampleWithFirstPatternSet(const ProgramDir& folder, int selectorPosition) {
  LevelSet levels = SampleLevels(folder);
  levels[0].patternSet = selectorPosition + 3;
  return levels;
}

// kraxed.ini as the editor writes it: the options in their order, then the
// recent files.
struct IniOptions {
  bool zoom = false, autosave = false, questions = false, load = false;
  bool registered = false, correctShadow = false;
  std::vector<std::string> recent;
};

inline std::string IniText(const IniOptions& o) {
  auto flag = [](bool on) { return on ? "TRUE\r\n" : "FALSE\r\n"; };
  std::string text = "[Kraxolan Editor Settings]\r\n";
  text += std::string("Zoom = ") + flag(o.zoom);
  text += std::string("Autosave = ") + flag(o.autosave);
  text += std::string("Questions = ") + flag(o.questions);
  text += std::string("Load = ") + flag(o.load);
  text += std::string("Register = ") + flag(o.registered);
  text += std::string("CorrectShadow = ") + flag(o.correctShadow);
  for (const std::string& path : o.recent) text += "LoadFile = " + path + "\r\n";
  return text + "\r\n";
}

inline void PutIni(const ProgramDir& folder, const IniOptions& options) {
  PutText(folder.File("kraxed.ini"), IniText(options));
}

inline std::string TitleFor(const std::string& path, bool modified = false) {
  return "Kraxolan Editor - [" + path + (modified ? " *" : "") + "]";
}

// A folder of its own inside the program folder (a working directory or a
// place for level sets), with its trailing backslash.
inline std::string MakeFolder(const ProgramDir& folder, const std::string& name) {
  const std::string path = folder.File(name);
  CreateDirectoryA(path.c_str(), nullptr);
  return path + "\\";
}
