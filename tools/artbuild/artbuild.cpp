// artbuild: turns the artwork sources (data/art/*.art), the resource
// catalogue (data/resources.ini) and the sample levels (data/sample/levels.txt)
// into the files of a program directory: levelgfx/*.ge5, enemygfx/*.ge5,
// resources.ini and sample.kxl. With --preview it also writes PNG pictures of
// every sheet and level for review.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "art_source.h"
#include "base/file_layer.h"
#include "level/level_file.h"
#include "base/text_file.h"
#include "level_preview.h"
#include "level_source.h"
#include "gfx/png_io.h"
#include "resource_list.h"

namespace fs = std::filesystem;

namespace {

struct Options {
  std::string data = "data";
  std::string output;
  std::string preview;  // empty: no previews
  int scale = 2;
};

void Usage() {
  std::fputs(
      "usage: artbuild [--data DIR] [--preview DIR] [--scale N] PROGRAM_DIR\n"
      "  Reads DIR/art/*.art, DIR/resources.ini and DIR/sample/levels.txt (DIR is\n"
      "  'data' by default) and writes PROGRAM_DIR/levelgfx/*.ge5, enemygfx/*.ge5,\n"
      "  resources.ini and sample.kxl. --preview writes PNG pictures of every sheet\n"
      "  (normal size and N times enlarged, N 2 by default) and of every level.\n",
      stderr);
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--data" && hasValue) options.data = argv[++i];
    else if (arg == "--preview" && hasValue) options.preview = argv[++i];
    else if (arg == "--scale" && hasValue) {
      if (!ParseNumber(argv[++i], 1, 8, options.scale)) return false;
    } else if (!arg.empty() && arg[0] != '-' && options.output.empty()) options.output = arg;
    else return false;
  }
  return !options.output.empty();
}

int Error(const std::string& text) {
  std::fprintf(stderr, "artbuild: %s\n", text.c_str());
  return 1;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::string reason;
  if (WriteFileSafely(SystemFileLayer(), path, {bytes}, &reason)) return true;
  Error(path + ": " + reason);
  return false;
}

bool MakeFolder(const std::string& path) {
  std::error_code failure;
  fs::create_directories(path, failure);
  if (!failure) return true;
  Error(path + ": cannot create the folder: " + failure.message());
  return false;
}

bool WritePreview(const std::string& path, const Image& image) {
  if (WritePng(path, image)) return true;
  Error(path + ": cannot write the preview");
  return false;
}

std::vector<std::string> ArtFiles(const std::string& folder) {
  std::vector<std::string> files;
  std::error_code failure;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, failure))
    if (entry.path().extension() == ".art") files.push_back(entry.path().generic_string());
  std::sort(files.begin(), files.end());
  return files;
}

// Every file the catalogue names must come from a sheet of the right kind,
// and every sheet must be named (the player's is found by its file name).
bool CheckCatalogue(const ResourceList& resources, const std::map<std::string, ArtSheet>& sheets,
                    const std::string& iniPath) {
  auto has = [&](const std::string& name, SheetKind kind) {
    const auto found = sheets.find(name);
    return found != sheets.end() && found->second.kind == kind;
  };
  bool ok = has("player", SheetKind::Sprite);
  if (!ok) Error("no sprite sheet 'player' (enemygfx/player.ge5) among the art sources");
  for (const ResourceEntry& entry : resources.patternSets)
    if (!has(ResourceBaseName(entry), SheetKind::Pattern) || entry.file != ResourceBaseName(entry) + ".ge5")
      ok = false, Error(iniPath + ": no pattern sheet makes '" + entry.file + "'");
  for (const ResourceEntry& entry : resources.enemySets)
    if (!has(ResourceBaseName(entry), SheetKind::Sprite) || entry.file != ResourceBaseName(entry) + ".ge5")
      ok = false, Error(iniPath + ": no sprite sheet makes '" + entry.file + "'");
  for (const auto& [name, sheet] : sheets) {
    bool named = name == "player" && sheet.kind == SheetKind::Sprite;
    for (const ResourceEntry& entry : sheet.kind == SheetKind::Pattern ? resources.patternSets
                                                                        : resources.enemySets)
      named = named || ResourceBaseName(entry) == name;
    if (!named) ok = false, Error("sheet '" + name + "' is not named in " + iniPath);
  }
  return ok;
}

bool BuildSheets(const Options& options, std::map<std::string, ArtSheet>& sheets) {
  const std::vector<std::string> files = ArtFiles(options.data + "/art");
  if (files.empty()) return Error("no .art files in " + options.data + "/art"), false;
  for (const std::string& file : files) {
    ArtSheet sheet;
    SourceError error;
    if (!ParseArtSheet(file, FileSystemReader(), sheet, error)) return Error(error.Text()), false;
    if (sheets.count(sheet.name)) return Error(file + ": a second sheet named '" + sheet.name + "'"), false;
    const std::string folder = options.output + (sheet.kind == SheetKind::Pattern ? "/levelgfx" : "/enemygfx");
    if (!MakeFolder(folder) || !WriteBytes(folder + "/" + sheet.name + ".ge5", EncodeGe5(sheet.Picture())))
      return false;
    if (!options.preview.empty()) {
      const Image image = sheet.ToImage();
      const std::string base = options.preview + "/" + sheet.name;
      if (!WritePreview(base + ".png", image) ||
          !WritePreview(base + "_x" + std::to_string(options.scale) + ".png", ScaleImage(image, options.scale)))
        return false;
    }
    sheets.emplace(sheet.name, std::move(sheet));
  }
  return true;
}

bool PreviewLevels(const Options& options, const LevelSet& levels, const ResourceList& resources,
                   const std::map<std::string, ArtSheet>& sheets) {
  std::vector<const ArtSheet*> enemies;
  for (const ResourceEntry& entry : resources.enemySets)
    enemies.push_back(&sheets.at(ResourceBaseName(entry)));
  for (int i = 0; i < kLevelCount; ++i) {
    const Level& level = levels[i];
    const ArtSheet& patterns = sheets.at(ResourceBaseName(resources.patternSets[PatternSetIndexOf(level.GetPatternSet())]));
    const Image image = PreviewLevel(level, patterns, sheets.at("player"), enemies);
    char name[32];
    std::snprintf(name, sizeof name, "/level%02d", i + 1);
    if (!WritePreview(options.preview + name + ".png", image) ||
        !WritePreview(options.preview + name + "_x" + std::to_string(options.scale) + ".png",
                      ScaleImage(image, options.scale)))
      return false;
  }
  return true;
}

int Run(const Options& options) {
  if (!MakeFolder(options.output) || (!options.preview.empty() && !MakeFolder(options.preview))) return 1;
  const std::string iniPath = options.data + "/resources.ini";
  std::string iniText;
  if (!ReadTextFile(iniPath, iniText)) return Error(iniPath + ": cannot read the file");
  ResourceList resources;
  SourceError error;
  if (!ParseResourceList(iniPath, iniText, resources, error)) return Error(error.Text());

  std::map<std::string, ArtSheet> sheets;
  if (!BuildSheets(options, sheets) || !CheckCatalogue(resources, sheets, iniPath)) return 1;
  if (!WriteBytes(options.output + "/resources.ini", std::vector<uint8_t>(iniText.begin(), iniText.end())))
    return 1;

  const std::string levelsPath = options.data + "/sample/levels.txt";
  std::string levelsText;
  if (!ReadTextFile(levelsPath, levelsText)) return Error(levelsPath + ": cannot read the file");
  LevelSet levels;
  if (!ParseLevelSource(levelsPath, levelsText, resources, levels, error)) return Error(error.Text());
  std::string reason;
  if (!WriteLevelSetFile(SystemFileLayer(), options.output + "/sample.kxl", levels, &reason))
    return Error(options.output + "/sample.kxl: " + reason);
  if (!options.preview.empty() && !PreviewLevels(options, levels, resources, sheets)) return 1;
  std::printf("artbuild: %zu sheets and 10 levels written to %s\n", sheets.size(), options.output.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    Usage();
    return 2;
  }
  return Run(options);
}
