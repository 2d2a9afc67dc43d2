#include "image/loader_record.h"

#include <cstddef>

#include "protocol/hex_text.h"

namespace corvane {
namespace {

// The two-character field whose first character is at 0-based position `pos`.
int Field(std::string_view line, std::size_t pos) {
  if (pos >= line.size()) return 0;
  return Hex_Value(line.substr(pos, 2));
}

// Whether characters [from, to) of the line, as far as it goes, are all hexadecimal digits.
bool All_Digits(std::string_view line, std::size_t from, std::size_t to) {
  for (std::size_t pos = from; pos < to && pos < line.size(); ++pos) {
    if (Hex_Digit(line[pos]) < 0) return false;
  }
  return true;
}

}  // namespace

int LoaderRecord::Byte(int k) const {
  return Field(line, 9 + 2 * static_cast<std::size_t>(k));
}

std::string_view Decode_Record(std::string_view line, LoaderRecord& out) {
  out.line = line;
  // The byte count says how long the record is, so it must be digits before it is believed.
  if (!All_Digits(line, 1, 3)) return kNotAHexDigit;
  out.count = Field(line, 1);
  out.address = Field(line, 3) * 256 + Field(line, 5);
  out.type = Field(line, 7);

  // ':' + count, address, type (8 characters) + data + checksum (2 characters).
  const std::size_t needed = 11 + 2 * static_cast<std::size_t>(out.count);
  // A character that is no digit would read as 0 and could even leave the checksum right.
  if (!All_Digits(line, 3, needed)) return kNotAHexDigit;
  if (line.size() < needed) return kRecordTooShort;

  int sum = 0;
  for (std::size_t pos = 1; pos < needed; pos += 2) sum += Field(line, pos);
  if ((sum & 0xFF) != 0) return kChecksumError;
  return {};
}

}  // namespace corvane
