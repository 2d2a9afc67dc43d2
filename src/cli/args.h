// The console program's command line: options and the steps to run, checked before anything runs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct Step {
  std::string name;  // "load", "program", "osc", ...
  std::string arg;   // the step's argument, empty for steps without one
  std::string text() const { return arg.empty() ? name : name + " " + arg; }
};

struct CliOptions {
  std::string board = "lpt";
  std::string trace;
  std::string expect;   // --expect: the chip as given ("16f877"), empty when any chip will do
  std::string chips;    // --chips: a file of the user's chips, empty for none
  bool status = false;  // --status, -v: every status change on stderr
  bool quiet = false;   // -q: only the failures on stderr
  bool help = false;
  bool version = false;
  std::vector<Step> steps;
};

// Parses argv (without the program name). On a usage error returns false with a message.
bool Parse_Cli_Args(const std::vector<std::string_view>& args, CliOptions* out, std::string* error);

// The --help text.
std::string Cli_Usage();

}  // namespace corvane
