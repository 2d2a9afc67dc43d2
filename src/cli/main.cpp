#include <unistd.h>

#include <iostream>
#include <string_view>
#include <vector>

#include "cli/runner.h"

int main(int argc, char** argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  return corvane::Run_Cli(args, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
}
