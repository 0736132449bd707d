// kxl render: the picture of one level of a set, as the editor paints it,
// written as PNG. The graphics come from the catalogue of a program
// directory (resources.ini, levelgfx\, enemygfx\), by default the folder
// the level set lies in, where a game installation keeps its levels.
#include <cstdio>
#include <filesystem>
#include <string>

#include "view/editor.h"
#include "gfx/resource_catalogue.h"
#include "kxl_commands.h"
#include "level/level_file.h"
#include "gfx/png_io.h"
#include "view/level_picture.h"

namespace {

constexpr const char* kRenderUsage =
    "usage: kxl render LEVELSET.kxl LEVEL OUT.png [--zoom 1|2] [--program-dir DIR] [--window]\n"
    "       kxl render LEVELSET.kxl --sheet OUT.png [--zoom 1|2] [--program-dir DIR]\n"
    "       LEVEL is 1..10; --window writes the whole client area instead of the canvas;\n"
    "       --sheet writes all ten levels in one picture\n";

int RenderUsage() {
  std::fputs(kRenderUsage, stderr);
  return 2;
}

// A whole number in [low, high], or -1.
int ParseNumber(const std::string& text, int low, int high) {
  if (text.empty() || text.size() > 3) return -1;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value >= low && value <= high ? value : -1;
}

std::string FolderOf(const std::string& path) {
  return AsProgramDirectory(std::filesystem::path(path).parent_path().string());
}

}  // namespace

int RunRender(const std::vector<std::string>& args) {
  std::vector<std::string> positional;
  LevelPictureOptions options;
  std::string programDirectory, sheetPath;
  bool directoryGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--window") {
      options.wholeWindow = true;
    } else if (arg == "--sheet") {
      if (i + 1 == args.size()) return RenderUsage();
      sheetPath = args[++i];
    } else if (arg == "--zoom" || arg == "--program-dir") {
      if (i + 1 == args.size()) return RenderUsage();
      const std::string& value = args[++i];
      if (arg == "--zoom") {
        options.zoom = ParseNumber(value, 1, 2);
        if (options.zoom < 0) return RenderUsage();
      } else {
        programDirectory = AsProgramDirectory(value);
        directoryGiven = true;
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      return RenderUsage();
    } else {
      positional.push_back(arg);
    }
  }
  const bool sheet = !sheetPath.empty();
  if (positional.size() != (sheet ? 1u : 3u) || (sheet && options.wholeWindow)) return RenderUsage();
  const std::string& levelSetPath = positional[0];
  const int level = sheet ? 1 : ParseNumber(positional[1], 1, 10);
  const std::string& outPath = sheet ? sheetPath : positional[2];
  if (level < 0) return RenderUsage();
  if (!directoryGiven) programDirectory = FolderOf(levelSetPath);

  Editor state;
  LevelSet levels;
  const LevelSetReadResult read = ReadLevelSetFile(levelSetPath, levels);
  if (!read.ok) return FileError(levelSetPath, read.reason);
  state.document.Replace(levels, levelSetPath);
  // An unreadable picture leaves its set blank in the picture; say which.
  LoadResourceCatalogue(state.catalogue, programDirectory, [](const std::string& path) {
    std::fprintf(stderr, "kxl render: couldn't read %s\n", path.c_str());
  });
  for (int shown = sheet ? 1 : level; shown <= (sheet ? kLevelCount : level); ++shown) {
    const int32_t patternSet = levels[shown - 1].GetPatternSet();
    if (state.catalogue.PatternSetForLevel(patternSet) == nullptr)
      std::fprintf(stderr, "kxl render: level %d uses pattern set %d, which %s does not name\n",
                   shown, PatternSetIndexOf(patternSet), (programDirectory + "resources.ini").c_str());
  }
  const Image picture =
      sheet ? RenderLevelSheet(state, options) : RenderLevelPicture(state, level - 1, options);
  if (!WritePng(outPath, picture)) return FileError(outPath, "cannot write the picture");
  return 0;
}
