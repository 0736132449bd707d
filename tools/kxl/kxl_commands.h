#pragma once

#include <string>
#include <vector>

// One subcommand of kxl: its name and what runs it with the remaining
// arguments; the result is the exit status (0 done, 1 a file it cannot use,
// 2 wrong arguments).
struct KxlCommand {
  const char* name;
  int (*run)(const std::vector<std::string>& args);
};

const std::vector<KxlCommand>& KxlCommands();

int RunInfo(const std::vector<std::string>& args);
int RunUpgrade(const std::vector<std::string>& args);
int RunGe5(const std::vector<std::string>& args);
int RunRender(const std::vector<std::string>& args);
int RunCheck(const std::vector<std::string>& args);
int RunExport(const std::vector<std::string>& args);
int RunImport(const std::vector<std::string>& args);

// A folder the catalogue joins file names to: with its trailing separator.
std::string AsProgramDirectory(std::string directory);

// "kxl: PATH: reason" on stderr; returns 1.
int FileError(const std::string& path, const std::string& reason);
