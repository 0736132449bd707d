// kxl ge5: GE5 pictures to PNG and back.
#include <cstdio>

#include "kxl_commands.h"

int RunGe5(const std::vector<std::string>&) {
  std::fputs("kxl ge5: not available yet\n", stderr);
  return 2;
}
