// Reads a text file one physical line at a time. A line ends at CR LF, a lone CR or a lone LF; a
// last line without an ending still counts, an ending at the very end of the file does not start
// another line. Lines are numbered from 1, blank lines included.
#pragma once

#include <cstddef>
#include <istream>
#include <string>

namespace corvane {

// No HEX record is longer than 521 characters: a longer line is no record, and reading stops at
// its 1025th character, so a file without line ends (or a device that never ends) can neither
// fill memory nor keep the reader busy.
inline constexpr std::size_t kKeptLineLength = 1024;

class LineReader {
 public:
  explicit LineReader(std::istream& in) : in_(in) {}

  // Reads the next line into `line`, without its ending. A line longer than kKeptLineLength
  // characters is returned cut to that length, with Overlong set, and ends the reading: the
  // next call returns false. False when the file has no more lines or could not be read (see
  // Failed).
  bool Next(std::string& line);

  // The last line read was longer than kKeptLineLength characters.
  bool Overlong() const { return overlong_; }
  // Number of the last line read, from 1.
  int Line_Number() const { return line_number_; }
  // Reading stopped on an input error rather than at the end of the file.
  bool Failed() const { return in_.bad(); }

 private:
  std::istream& in_;
  bool overlong_ = false;
  int line_number_ = 0;
};

}  // namespace corvane
