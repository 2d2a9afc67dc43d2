// One line of an Intel HEX file as the loader reads it: fields taken from fixed character
// positions, the record's length checked against its byte count and its checksum verified.
#pragma once

#include <string_view>

namespace corvane {

// Reasons a record line fails a load; the message box shows them after "Error while reading
// file : " and before " at line N".
inline constexpr std::string_view kChecksumError = "checksum error";
inline constexpr std::string_view kRecordTooShort = "record too short";
inline constexpr std::string_view kAddressOutOfRange = "address out of range";
inline constexpr std::string_view kNotAHexDigit = "not a hexadecimal digit";
inline constexpr std::string_view kLineTooLong = "line too long";

inline constexpr int kDataRecord = 0;
inline constexpr int kSegmentAddressRecord = 2;
inline constexpr int kLinearAddressRecord = 4;

struct LoaderRecord {
  std::string_view line;  // the whole line, ':' first
  int count = 0;          // number of data bytes
  int address = 0;        // 16-bit byte address
  int type = 0;

  // Data byte k (from 0): characters 10 + 2k and 11 + 2k of the line, counted from 1.
  int Byte(int k) const;
  // Data word k (from 0): low byte first, then high byte.
  int Word(int k) const { return Byte(2 * k) + 256 * Byte(2 * k + 1); }
};

// Decodes a line that begins with ':'. Returns an empty text when the record is whole, every
// character of its counted part (byte count to checksum) is a hexadecimal digit and its checksum
// (two's complement of the sum of all its bytes) is right, or the reason it is not. Characters
// after the checksum are not looked at.
std::string_view Decode_Record(std::string_view line, LoaderRecord& out);

}  // namespace corvane
