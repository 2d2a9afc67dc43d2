// Builds Intel HEX record lines with a correct checksum, for tests that need records the
// examples do not spell out.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace corvane {

inline std::string Hex_Record(int address, int type, const std::vector<int>& bytes) {
  char buf[16];
  int sum = static_cast<int>(bytes.size()) + (address >> 8) + (address & 0xFF) + type;
  std::snprintf(buf, sizeof buf, "%02X%04X%02X", static_cast<int>(bytes.size()), address, type);
  std::string line = std::string(":") + buf;
  for (int b : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", b);
    line += buf;
    sum += b;
  }
  std::snprintf(buf, sizeof buf, "%02X", (0x100 - (sum & 0xFF)) & 0xFF);
  return line + buf;
}

// A data record of program words (low byte first) at a word address.
inline std::string Word_Record(int word_address, const std::vector<int>& words) {
  std::vector<int> bytes;
  for (int w : words) {
    bytes.push_back(w & 0xFF);
    bytes.push_back((w >> 8) & 0xFF);
  }
  return Hex_Record(2 * word_address, 0, bytes);
}

}  // namespace corvane
