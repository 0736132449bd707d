#include "app/command_line.h"

namespace {

// The program directory: the program path cut at "kraxed.exe"; a program
// started under another name (or letter case) still finds its folder from
// the last separator of its path.
std::string ProgramDirectory(const std::string& programPath) {
  const size_t name = programPath.find("kraxed.exe");
  if (name != std::string::npos) return programPath.substr(0, name);
  const size_t slash = programPath.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : programPath.substr(0, slash + 1);
}

// A quoted argument loses its quotes; one whose closing quote is missing
// loses just the opening one.
std::string Unquote(std::string argument) {
  if (argument.empty() || argument.front() != '"') return argument;
  if (argument.size() >= 2 && argument.back() == '"') argument.pop_back();
  return argument.substr(1);
}

}  // namespace

CommandLine ParseCommandLine(const std::string& line) {
  CommandLine result;
  std::string programPath;
  std::string argument;
  bool hasArgument = false;
  if (!line.empty() && line.front() == '"') {
    const std::string rest = line.substr(1);
    const size_t close = rest.find('"');
    programPath = rest.substr(0, close);
    const size_t split = rest.find("\" ");
    if (split != std::string::npos && split + 2 < rest.size()) {
      argument = rest.substr(split + 2);
      hasArgument = true;
    }
  } else {
    const size_t open = line.find('"');
    // The program path ends at the argument's quote; a path with blanks in it
    // still reaches "kraxed.exe".
    programPath = line.substr(0, open);
    if (open == std::string::npos) {
      const size_t blank = programPath.find(' ');
      const size_t name = programPath.find("kraxed.exe");
      if (name == std::string::npos && blank != std::string::npos) programPath.resize(blank);
    } else {
      const size_t close = line.find('"', open + 1);
      argument = close == std::string::npos ? line.substr(open + 1)
                                            : line.substr(open + 1, close - open - 1);
      hasArgument = true;
    }
  }
  result.programDirectory = ProgramDirectory(programPath);
  result.fileName = hasArgument ? Unquote(argument) : kNoFileMarker;
  if (result.fileName.empty()) result.fileName = kNoFileMarker;
  return result;
}
