// kxl export and kxl import: a level set as JSON text and back.
#include <cstdio>
#include <filesystem>

#include "base/file_layer.h"
#include "base/text_file.h"
#include "gfx/resource_catalogue.h"
#include "kxl_commands.h"
#include "level/level_file.h"
#include "level/level_json.h"

int RunExport(const std::vector<std::string>& args) {
  if (args.size() != 2 && !(args.size() == 4 && args[2] == "--program-dir")) {
    std::fputs("usage: kxl export SET.kxl OUT.json [--program-dir DIR]\n", stderr);
    return 2;
  }
  LevelSet levels;
  const LevelSetReadResult read = ReadLevelSetFile(args[0], levels);
  if (!read.ok) return FileError(args[0], read.reason);
  // The bytes as they are; an older set in its upgraded form.
  std::vector<uint8_t> bytes;
  long long length = 0;
  if (read.length != static_cast<long long>(kLevelSetBytes) ||
      ReadFilePrefix(args[0], kLevelSetBytes, bytes, &length) != FileReadStatus::Ok)
    bytes = EncodeLevelSet(levels);
  // The names of the sets, from the folder the set lies in, where a game
  // installation keeps its levels, or the one given.
  const std::string folder = AsProgramDirectory(
      args.size() == 4 ? args[3] : std::filesystem::path(args[0]).parent_path().string());
  std::string ini;
  const bool named = ReadTextFile(folder + "resources.ini", ini);
  JsonNames names;
  if (named) {
    ResourceCatalogue catalogue;
    LoadResourceCatalogueFromText(catalogue, ini, folder, [](const std::string&) {});
    for (const PatternSet& set : catalogue.patternSets) names.patternSets.push_back(set.name);
    for (const SpriteSet& set : catalogue.spriteSets) names.spriteSets.push_back(set.name);
    names.songs = catalogue.songs;
  }
  const std::string text = ExportLevelSetJson(bytes, named ? &names : nullptr);
  std::string reason;
  if (!WriteFileSafely(SystemFileLayer(), args[1], {std::vector<uint8_t>(text.begin(), text.end())}, &reason))
    return FileError(args[1], reason);
  return 0;
}

int RunImport(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::fputs("usage: kxl import IN.json OUT.kxl\n", stderr);
    return 2;
  }
  std::string text;
  if (!ReadTextFile(args[0], text)) return FileError(args[0], "cannot be read");
  std::vector<uint8_t> bytes;
  JsonImportError error;
  if (!ImportLevelSetJson(text, bytes, error)) return FileError(args[0], error.place + ": " + error.reason);
  std::string reason;
  if (!WriteFileSafely(SystemFileLayer(), args[1], {bytes}, &reason)) return FileError(args[1], reason);
  return 0;
}
