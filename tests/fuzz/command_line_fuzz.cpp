// Command lines from anywhere (a shortcut, the shell, another program).
// Parsing never fails; the program directory is a beginning of the program
// path as written, ending where "kraxed.exe" or a separator stood; the file
// is either the no-file marker or a part of the line, never empty.
#include "app/command_line.h"
#include "fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string line = FuzzText(data, size);
  const CommandLine parsed = ParseCommandLine(line);
  // The program path starts the line, behind its opening quote if it has one.
  const std::string program = !line.empty() && line[0] == '"' ? line.substr(1) : line;
  const std::string& directory = parsed.programDirectory;
  FUZZ_REQUIRE(program.compare(0, directory.size(), directory) == 0);
  FUZZ_REQUIRE(directory.find('"') == std::string::npos);
  if (!directory.empty()) {
    const bool cutAtName = program.compare(directory.size(), 10, "kraxed.exe") == 0;
    const bool cutAtSeparator = directory.back() == '\\' || directory.back() == '/';
    FUZZ_REQUIRE(cutAtName || cutAtSeparator);
  }
  FUZZ_REQUIRE(!parsed.fileName.empty());
  if (parsed.fileName != kNoFileMarker) FUZZ_REQUIRE(line.find(parsed.fileName) != std::string::npos);
  return 0;
}
