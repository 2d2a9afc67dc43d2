#include <iostream>
#include <string_view>
#include <vector>

#include "cli/runner.h"
#include "platform/console.h"
#include "platform/interrupt.h"

int main(int argc, char** argv) {
  // Before the programmer is assembled: a Ctrl+C from now on leaves the lines safe.
  corvane::platform::Install_Interrupt_Handlers();
  corvane::platform::Prepare_Standard_Streams();
  std::vector<std::string_view> args(argv + 1, argv + argc);
  return corvane::Run_Cli(args, std::cout, std::cerr, corvane::platform::Stderr_Is_Terminal());
}
