// Command lines from anywhere (a shortcut, the shell, another program): the
// program directory begins the program path as written, without quotes; the
// file is the no-file marker or a part of the line, never empty.
#include "app/command_line.h"
#include "fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string line = FuzzText(data, size);
  const CommandLine parsed = ParseCommandLine(line);
  const std::string program = !line.empty() && line[0] == '"' ? line.substr(1) : line;
  FUZZ_REQUIRE(program.compare(0, parsed.programDirectory.size(), parsed.programDirectory) == 0);
  FUZZ_REQUIRE(parsed.programDirectory.find('"') == std::string::npos);
  FUZZ_REQUIRE(!parsed.fileName.empty());
  if (parsed.fileName != kNoFileMarker) FUZZ_REQUIRE(line.find(parsed.fileName) != std::string::npos);
  return 0;
}
