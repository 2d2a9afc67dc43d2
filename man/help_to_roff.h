// Turns a program's --help text into a manual page, so that the page says what --help says and
// cannot fall behind it. The help text is read by its layout:
//   "Usage: NAME ARGS"          the synopsis, with the indented lines that follow it
//   plain lines before a header the description
//   "Header (note):"            a section (OPTIONS, COMMANDS, EXIT STATUS, ...)
//   "Word: text"                a section of one paragraph ("Output: ...", "Exit status: ...")
//   "  TAG   description"       an entry; lines indented like the description continue it,
//                               lines indented deeper (a list of keys) are kept line by line
#pragma once

#include <string>
#include <string_view>

namespace corvane::man {

struct PageInfo {
  std::string summary;  // the NAME line after "name - "
  std::string source;   // the footer's program and version, "corvane-cli 1.1.0"
  std::string extra;    // roff appended as it is (FILES, SEE ALSO, ...)
};

// The roff text (man macros) of section 1 page for the help text.
std::string Help_To_Roff(std::string_view help, const PageInfo& info);

// roff text escaped: backslashes, hyphens as minus signs, a leading dot or quote made inert.
std::string Escape(std::string_view text);

}  // namespace corvane::man
