// kxl check: the level checks on a file, one line per problem in the form
// compilers use, so editors and scripts can read them.
#include <cstdio>

#include "base/text_file.h"

#include "gfx/resource_catalogue.h"
#include "kxl_commands.h"
#include "level/checks.h"
#include "level/level_file.h"

int RunCheck(const std::vector<std::string>& args) {
  std::string path, programDirectory;
  bool withCatalogue = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--program-dir" && i + 1 < args.size()) {
      programDirectory = AsProgramDirectory(args[++i]);
      withCatalogue = true;
    } else if (path.empty() && args[i].rfind("--", 0) != 0) {
      path = args[i];
    } else {
      path.clear();
      break;
    }
  }
  if (path.empty()) {
    std::fputs("usage: kxl check SET.kxl [--program-dir DIR]\n", stderr);
    return 2;
  }
  LevelSet levels;
  const LevelSetReadResult read = ReadLevelSetFile(path, levels);
  if (!read.ok) return FileError(path, read.reason);
  // The pictures do not matter here, only the tables; a picture that cannot
  // be read still gives its entry.
  ResourceCatalogue catalogue;
  if (withCatalogue) {
    std::string text;
    if (!ReadTextFile(programDirectory + "resources.ini", text))
      return FileError(programDirectory + "resources.ini", "cannot be read");
    LoadResourceCatalogueFromText(catalogue, text, programDirectory, [](const std::string&) {});
  }
  const CatalogueSizes sizes = catalogue.Sizes();
  const std::vector<Problem> problems = CheckLevels(levels, withCatalogue ? &sizes : nullptr);
  for (const Problem& problem : problems)
    std::printf("%s: %s\n", path.c_str(), DescribeProblem(problem).c_str());
  return AnyError(problems) ? 1 : 0;
}
