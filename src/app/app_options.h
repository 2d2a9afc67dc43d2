// The window program's command line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane::app {

struct AppOptions {
  std::string board = "lpt";  // as corvane-cli's --board
  std::string trace;          // as corvane-cli's --trace
  std::string chips;          // as corvane-cli's --chips
  std::string demo_file;      // a HEX file to load, program and verify through the window
  std::string screenshot;     // a PNG to grab the window into, then exit
  std::string screenshot_of = "window";  // window, progress (mid-program) or memory (the view)
  std::string file;                      // a HEX file to open after start-up, as File Open would
  bool help = false;
  bool version = false;
};

// Parses argv without the program name. On a usage error returns false with a message.
bool Parse_App_Args(const std::vector<std::string_view>& args, AppOptions* out, std::string* error);

// The trace file is created empty at start: false with a message when it is the HEX file to open
// or the demo's, which it would destroy.
bool Check_Trace_Path(const AppOptions& opts, std::string* error);

// The --help text.
std::string App_Usage();

}  // namespace corvane::app
