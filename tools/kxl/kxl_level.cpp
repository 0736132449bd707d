// kxl info and kxl upgrade.
#include <cstdio>
#include <filesystem>

#include "kxl_commands.h"
#include "base/file_layer.h"
#include "level/level_file.h"
#include "level/level_summary.h"

int FileError(const std::string& path, const std::string& reason) {
  std::fprintf(stderr, "kxl: %s: %s\n", path.c_str(), reason.c_str());
  return 1;
}

std::string AsProgramDirectory(std::string directory) {
  if (!directory.empty() && directory.back() != '/' && directory.back() != '\\')
    directory += static_cast<char>(std::filesystem::path::preferred_separator);
  return directory;
}

namespace {

bool Load(const std::string& path, LevelSet& levels) {
  const LevelSetReadResult read = ReadLevelSetFile(path, levels);
  if (!read.ok) FileError(path, read.reason);
  return read.ok;
}

}  // namespace

int RunInfo(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fputs("usage: kxl info FILE.kxl\n", stderr);
    return 2;
  }
  LevelSet levels;
  if (!Load(args[0], levels)) return 1;
  for (int i = 0; i < kLevelCount; ++i)
    std::printf("level %d: %s\n", i + 1, DescribeLevel(levels[i]).c_str());
  return 0;
}

int RunUpgrade(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::fputs("usage: kxl upgrade IN.kxl OUT.kxl\n", stderr);
    return 2;
  }
  LevelSet levels;
  if (!Load(args[0], levels)) return 1;
  std::string reason;
  if (!WriteLevelSetFile(SystemFileLayer(), args[1], levels, &reason))
    return FileError(args[1], reason);
  return 0;
}

const std::vector<KxlCommand>& KxlCommands() {
  static const std::vector<KxlCommand> commands = {
      {"info", RunInfo},
      {"upgrade", RunUpgrade},
      {"ge5", RunGe5},
      {"render", RunRender},
      {"check", RunCheck},
      {"export", RunExport},
      {"import", RunImport},
  };
  return commands;
}
