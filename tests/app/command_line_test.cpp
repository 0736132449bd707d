#include "app/command_line.h"

#include <gtest/gtest.h>

TEST(CommandLine, ProgramDirectoryAndFile) {
  const std::string none = kNoFileMarker;
  const struct Row {
    std::string line, directory, file;
  } rows[] = {
      {R"("C:\Games\kraxed.exe" )", R"(C:\Games\)", none},
      {R"("C:\Games\kraxed.exe" C:\Levels\a.kxl)", R"(C:\Games\)", R"(C:\Levels\a.kxl)"},
      {R"("C:\Games\kraxed.exe" "C:\My Levels\a.kxl")", R"(C:\Games\)", R"(C:\My Levels\a.kxl)"},
      {R"(C:\Games\kraxed.exe "C:\My Levels\a.kxl")", R"(C:\Games\)", R"(C:\My Levels\a.kxl)"},  // as registered
      {R"(C:\My Games\kraxed.exe)", R"(C:\My Games\)", none},  // unquoted, a blank in its folder
      {R"("C:\Games\kraxed.exe" "C:\Levels\a.kxl)", R"(C:\Games\)", R"(C:\Levels\a.kxl)"},  // no closing quote
      {R"("C:\Games\kraxed.exe" "")", R"(C:\Games\)", none},  // the empty quoted argument
      {R"("C:\Games\kraxed.exe" ")", R"(C:\Games\)", none},
      {R"("C:\Games\Kraxed.EXE" a.kxl)", R"(C:\Games\)", "a.kxl"},  // renamed, or another letter case
      {R"(D:\Tools\editor.exe a.kxl)", R"(D:\Tools\)", none},
      {"", "", none},
  };
  for (const Row& r : rows) {
    const CommandLine parsed = ParseCommandLine(r.line);
    EXPECT_EQ(parsed.programDirectory, r.directory) << r.line;
    EXPECT_EQ(parsed.fileName, r.file) << r.line;
  }
}
