// The command line of the program: the program's own path, then at most one
// level-set path. Understood forms:
//   "C:\Games\kraxed.exe" C:\Levels\a.kxl
//   "C:\Games\kraxed.exe" "C:\My Levels\a.kxl"
//   C:\Games\kraxed.exe "C:\My Levels\a.kxl"     (the registered form)
// An unquoted argument behind an unquoted program path is not recognised.
#pragma once

#include <string>

constexpr const char* kNoFileMarker = "KRAXEDNOFILE";

struct CommandLine {
  std::string programDirectory;  // with its trailing backslash, or ""
  std::string fileName;          // the level-set path, or kNoFileMarker
};

CommandLine ParseCommandLine(const std::string& line);
