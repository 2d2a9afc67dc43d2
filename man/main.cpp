// Build tool: corvane-manpage HELP_FILE EXTRA_FILE SUMMARY SOURCE > page.1
// Writes the manual page of a program from the text of its --help (see help_to_roff.h).
#include <fstream>
#include <iostream>
#include <sstream>

#include "man/help_to_roff.h"

namespace {

bool Read(const char* path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  *text = s.str();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: corvane-manpage HELP_FILE EXTRA_FILE SUMMARY SOURCE\n";
    return 2;
  }
  std::string help;
  corvane::man::PageInfo info{argv[3], argv[4], ""};
  if (!Read(argv[1], &help) || !Read(argv[2], &info.extra)) {
    std::cerr << "corvane-manpage: cannot read " << argv[1] << " or " << argv[2] << '\n';
    return 1;
  }
  std::cout << corvane::man::Help_To_Roff(help, info);
  return std::cout ? 0 : 1;
}
