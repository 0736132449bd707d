// kxl: the level-set tool. Reads and writes the editor's files from the
// command line, for users, modders and the project's own tests.
#include <cstdio>
#include <string>
#include <vector>

#include "kxl_commands.h"

namespace {

void Usage() {
  std::fputs(
      "usage: kxl info FILE.kxl\n"
      "       kxl upgrade IN.kxl OUT.kxl\n"
      "       kxl ge5 to-png IN.ge5 OUT.png [--double] [--mask] [--height N] [--across-tiles]\n"
      "       kxl ge5 from-png IN.png OUT.ge5\n"
      "       kxl render LEVELSET.kxl LEVEL OUT.png [--zoom 1|2] [--program-dir DIR] [--window]\n"
      "       kxl render LEVELSET.kxl --sheet OUT.png [--zoom 1|2] [--program-dir DIR]\n"
      "       kxl check SET.kxl [--program-dir DIR]\n"
      "       kxl export SET.kxl OUT.json [--program-dir DIR]\n"
      "       kxl import IN.json OUT.kxl\n",
      stderr);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    Usage();
    return 2;
  }
  const std::string command = args[0];
  args.erase(args.begin());
  for (const KxlCommand& entry : KxlCommands())
    if (command == entry.name) return entry.run(args);
  Usage();
  return 2;
}
