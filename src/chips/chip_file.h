// The chip table's text format, one file at a time (src/chips/chip_table.txt describes its keys
// and holds the built-in chips): sections "[PART]" followed by "key = value" lines. Every problem
// is given with its line, its field and the reason; an entry with a problem is left out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chips/chip_entry.h"

namespace corvane {

struct ChipProblem {
  std::string origin;  // the file, or "built-in"
  int line = 0;        // 0: the file as a whole
  std::string field;   // the key the problem is in; empty for the line or the file as a whole
  std::string reason;
  // "FILE:LINE: FIELD: reason" (without the parts that are empty)
  std::string Text() const;
};

struct ChipFile {
  std::vector<ChipEntry> chips;  // in the file's order
  std::vector<ChipProblem> problems;
  // The problems as lines of text, one per problem.
  std::string Problems_Text() const;
};

// Reads one file's text; origin names it in the problems and in each entry.
ChipFile Parse_Chip_Text(std::string_view text, const std::string& origin);

}  // namespace corvane
