#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

void ExpectParsed(const std::string& line, const std::string& directory, const std::string& file) {
  const CommandLine parsed = ParseCommandLine(line);
  EXPECT_EQ(parsed.programDirectory, directory) << line;
  EXPECT_EQ(parsed.fileName, file) << line;
}

}  // namespace

TEST(CommandLine, QuotedProgramPath) {
  ExpectParsed(R"("C:\Games\kraxed.exe")", R"(C:\Games\)", kNoFileMarker);
  ExpectParsed(R"("C:\Games\kraxed.exe" )", R"(C:\Games\)", kNoFileMarker);
  ExpectParsed(R"("C:\Games\kraxed.exe" C:\Levels\a.kxl)", R"(C:\Games\)", R"(C:\Levels\a.kxl)");
  ExpectParsed(R"("C:\Games\kraxed.exe" "C:\My Levels\a.kxl")", R"(C:\Games\)",
               R"(C:\My Levels\a.kxl)");
  // Everything after the blank is one path.
  ExpectParsed(R"("C:\Games\kraxed.exe" a.kxl b.kxl)", R"(C:\Games\)", "a.kxl b.kxl");
  ExpectParsed(R"("C:\Program Files\Kraxolan\kraxed.exe" x.kxl)", R"(C:\Program Files\Kraxolan\)",
               "x.kxl");
}

TEST(CommandLine, UnquotedProgramPath) {
  // The form the file-type registration writes.
  ExpectParsed(R"(C:\Games\kraxed.exe "C:\My Levels\a.kxl")", R"(C:\Games\)",
               R"(C:\My Levels\a.kxl)");
  ExpectParsed(R"(C:\Games\kraxed.exe C:\Levels\a.kxl)", R"(C:\Games\)", kNoFileMarker);
  ExpectParsed("kraxed.exe", "", kNoFileMarker);
  ExpectParsed(R"(C:\Program Files\Ed\kraxed.exe "b.kxl")", R"(C:\Program Files\Ed\)", "b.kxl");
}

TEST(CommandLine, BrokenAndUnusualLinesStaySafe) {
  // An opening quote without a closing one.
  ExpectParsed(R"(C:\Games\kraxed.exe "C:\Levels\a.kxl)", R"(C:\Games\)", R"(C:\Levels\a.kxl)");
  ExpectParsed(R"("C:\Games\kraxed.exe)", R"(C:\Games\)", kNoFileMarker);
  ExpectParsed(R"("C:\Games\kraxed.exe" "C:\Levels\a.kxl)", R"(C:\Games\)", R"(C:\Levels\a.kxl)");
  // A renamed program, or another letter case: the folder of the program path.
  ExpectParsed(R"("C:\Games\Kraxed.EXE" a.kxl)", R"(C:\Games\)", "a.kxl");
  ExpectParsed(R"(D:\Tools\editor.exe "a.kxl")", R"(D:\Tools\)", "a.kxl");
  ExpectParsed(R"(D:\Tools\editor.exe)", R"(D:\Tools\)", kNoFileMarker);
  ExpectParsed("editor.exe", "", kNoFileMarker);
  ExpectParsed("", "", kNoFileMarker);
  // "kraxed.exe" in the argument does not cut the program directory.
  ExpectParsed(R"("C:\Games\ed.exe" C:\kraxed.exe\a.kxl)", R"(C:\Games\)", R"(C:\kraxed.exe\a.kxl)");
  // Lines of any length.
  const std::string longPath(5000, 'x');
  ExpectParsed("\"C:\\Games\\kraxed.exe\" \"" + longPath + "\"", R"(C:\Games\)", longPath);
  ExpectParsed("\"" + std::string(3000, 'd') + "\\kraxed.exe\"", std::string(3000, 'd') + "\\",
               kNoFileMarker);
}
