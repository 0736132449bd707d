#include "app/command_line.h"

#include <gtest/gtest.h>

TEST(CommandLine, ProgramDirectoryAndFile) {
  const std::string none = kNoFileMarker;
  const std::string longPath(5000, 'x');
  const std::string longDir(3000, 'd');
  const struct Row {
    std::string line, directory, file;
  } rows[] = {
      {R"("C:\Games\kraxed.exe")", R"(C:\Games\)", none},
      {R"("C:\Games\kraxed.exe" )", R"(C:\Games\)", none},
      {R"("C:\Games\kraxed.exe" C:\Levels\a.kxl)", R"(C:\Games\)", R"(C:\Levels\a.kxl)"},
      {R"("C:\Games\kraxed.exe" "C:\My Levels\a.kxl")", R"(C:\Games\)", R"(C:\My Levels\a.kxl)"},
      {R"(C:\Games\kraxed.exe "C:\My Levels\a.kxl")", R"(C:\Games\)", R"(C:\My Levels\a.kxl)"},  // as registered
      {R"(C:\My Games\kraxed.exe)", R"(C:\My Games\)", none},  // unquoted, a blank in its folder
      {R"(C:\Games\kraxed.exe "C:\Levels\a.kxl)", R"(C:\Games\)", R"(C:\Levels\a.kxl)"},  // no closing quote
      {R"("C:\Games\kraxed.exe)", R"(C:\Games\)", none},
      {R"("C:\Games\kraxed.exe" "C:\Levels\a.kxl)", R"(C:\Games\)", R"(C:\Levels\a.kxl)"},
      {R"("C:\Games\kraxed.exe" "")", R"(C:\Games\)", none},  // the empty quoted argument
      {R"("C:\Games\kraxed.exe" ")", R"(C:\Games\)", none},
      {R"("C:\Games\Kraxed.EXE" a.kxl)", R"(C:\Games\)", "a.kxl"},  // renamed, or another letter case
      {R"(D:\Tools\editor.exe a.kxl)", R"(D:\Tools\)", none},
      {"editor.exe", "", none},
      {"", "", none},
      {R"("C:\Games\ed.exe" C:\kraxed.exe\a.kxl)", R"(C:\Games\)", R"(C:\kraxed.exe\a.kxl)"},
      {"\"C:\\Games\\kraxed.exe\" \"" + longPath + "\"", R"(C:\Games\)", longPath},
      {"\"" + longDir + "\\kraxed.exe\"", longDir + "\\", none},
  };
  for (const Row& r : rows) {
    const CommandLine parsed = ParseCommandLine(r.line);
    EXPECT_EQ(parsed.programDirectory, r.directory) << r.line.substr(0, 80);
    EXPECT_EQ(parsed.fileName, r.file) << r.line.substr(0, 80);
  }
}
