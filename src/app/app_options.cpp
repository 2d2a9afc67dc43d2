#include "app/app_options.h"

#include "rig/same_file.h"

namespace corvane::app {

namespace {

bool Ends_With_Png(std::string_view path) {
  if (path.size() < 5) return false;
  std::string suffix(path.substr(path.size() - 4));
  for (char& c : suffix) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return suffix == ".png";
}

}  // namespace

bool Parse_App_Args(const std::vector<std::string_view>& args, AppOptions* out,
                    std::string* error) {
  AppOptions o;
  struct Valued {
    std::string_view name;
    std::string* into;
  };
  const Valued valued[] = {{"--board", &o.board},           {"--trace", &o.trace},
                           {"--chips", &o.chips},           {"--demo", &o.demo_file},
                           {"--screenshot", &o.screenshot}, {"--screenshot-of", &o.screenshot_of}};
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (a == "--help" || a == "-h") {
      o.help = true;
      continue;
    }
    if (a == "--version") {
      o.version = true;
      continue;
    }
    bool known = false;
    for (const Valued& v : valued) {
      if (a == v.name) {
        if (i + 1 >= args.size() || args[i + 1].empty()) {
          *error = "option " + std::string(a) + " needs a value";
          return false;
        }
        *v.into = std::string(args[++i]);
        known = true;
      } else if (a.size() > v.name.size() && a.substr(0, v.name.size()) == v.name &&
                 a[v.name.size()] == '=') {
        *v.into = std::string(a.substr(v.name.size() + 1));
        if (v.into->empty()) {
          *error = "option " + std::string(v.name) + " needs a value";
          return false;
        }
        known = true;
      }
      if (known) break;
    }
    if (known) continue;
    if (!a.empty() && a[0] == '-') {
      *error = "unknown option " + std::string(a);
      return false;
    }
    if (!o.file.empty() || a.empty()) {
      *error = "unexpected argument '" + std::string(a) + "'";
      return false;
    }
    o.file = std::string(a);
  }
  if (o.screenshot_of != "window" && o.screenshot_of != "progress" && o.screenshot_of != "memory") {
    *error = "--screenshot-of takes window, progress or memory, not " + o.screenshot_of;
    return false;
  }
  if (!o.screenshot.empty() && !Ends_With_Png(o.screenshot)) {
    *error = "--screenshot writes a PNG file: give a name ending in .png";
    return false;
  }
  *out = std::move(o);
  return true;
}

bool Check_Trace_Path(const AppOptions& opts, std::string* error) {
  if (opts.trace.empty()) return true;
  for (const std::string* file : {&opts.file, &opts.demo_file}) {
    if (!file->empty() && Same_File(opts.trace, *file)) {
      *error = "--trace " + opts.trace + ": the same file as " + *file;
      return false;
    }
  }
  return true;
}

std::string App_Usage() {
  return "Usage: corvane [--board SPEC] [--trace FILE] [--chips FILE] [--demo FILE.hex]\n"
         "               [--screenshot FILE.png] [--screenshot-of window|progress|memory]\n"
         "               [FILE.hex]\n"
         "\n"
         "Opens the Corvane window: a programmer for PIC16F84/84A/873/877 chips on a\n"
         "parallel-port programmer board. FILE.hex, when given, is opened after start-up as\n"
         "File, Open would; a .hex file dropped on the window is opened too.\n"
         "\n"
         "  --board SPEC        the programmer, as for corvane-cli (see corvane-cli --help):\n"
         "                        lpt[:lpt1=DEV,lpt2=DEV,board=NAME|FILE]\n"
         "                                                 the machine's parallel ports (default)\n"
         "                        sim[:key=value,...]      the simulated board and chip\n"
         "  --trace FILE        writes every port access (a FILE ending in .vcd: a waveform);\n"
         "                      not the HEX file to open, nor the state file\n"
         "  --chips FILE        chips to know besides the built-in ones and those of the chips\n"
         "                      folder, as for corvane-cli\n"
         "  --demo FILE.hex     after start-up, load FILE, program and verify it through the\n"
         "                      window's buttons\n"
         "  --screenshot FILE.png\n"
         "                      after start-up (and the demo), save the window as a PNG, print\n"
         "                      what it shows and exit; message boxes go to stderr\n"
         "  --screenshot-of WHAT\n"
         "                      what the screenshot shows: the window after the demo (window,\n"
         "                      the default), the window half-way through the demo's program\n"
         "                      with its progress bar and Stop button (progress), or the\n"
         "                      memory view after the demo (memory)\n"
         "  --version           prints the program's name and version\n"
         "  -h, --help          this text\n"
         "\n"
         "Exit status: 0 normally, 1 without a usable display (DISPLAY or WAYLAND_DISPLAY unset,\n"
         "or the display refused the connection) or when the screenshot could not be saved,\n"
         "2 on a usage error.\n";
}

}  // namespace corvane::app
