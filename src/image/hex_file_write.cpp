#include <cstddef>

#include "image/hex_file.h"
#include "platform/file_replace.h"

namespace corvane {
namespace {

constexpr int kBytesPerRecord = 16;

// Two upper-case hexadecimal digits.
void Put_Byte(std::string& out, int value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out.push_back(kDigits[(value >> 4) & 0xF]);
  out.push_back(kDigits[value & 0xF]);
}

// One record: count, address, type, the bytes and the checksum that makes them sum to zero.
void Put_Record(std::string& out, int address, int type, const std::vector<int>& bytes) {
  int sum = static_cast<int>(bytes.size()) + (address >> 8) + (address & 0xFF) + type;
  out.push_back(':');
  Put_Byte(out, static_cast<int>(bytes.size()));
  Put_Byte(out, address >> 8);
  Put_Byte(out, address & 0xFF);
  Put_Byte(out, type);
  for (int b : bytes) {
    Put_Byte(out, b);
    sum += b;
  }
  Put_Byte(out, (0x100 - (sum & 0xFF)) & 0xFF);
  out += "\r\n";
}

// Writes words (low byte first) as data records from byte address `base`.
template <typename Word>
void Put_Words(std::string& out, int base, const std::vector<Word>& words) {
  constexpr std::size_t kWordsPerRecord = kBytesPerRecord / 2;
  for (std::size_t first = 0; first < words.size(); first += kWordsPerRecord) {
    std::vector<int> bytes;
    for (std::size_t i = first; i < words.size() && i < first + kWordsPerRecord; ++i) {
      bytes.push_back(words[i] & 0xFF);
      bytes.push_back(words[i] >> 8);
    }
    Put_Record(out, base + 2 * static_cast<int>(first), 0, bytes);
  }
}

bool Fail(std::string* error, const std::string& reason) {
  if (error != nullptr) *error = reason;
  return false;
}

bool Fits_14_Bits(const ChipContents& c) {
  for (auto w : c.program) {
    if (w > 0x3FFF) return false;
  }
  for (auto w : c.user_ids) {
    if (w > 0x3FFF) return false;
  }
  return c.config <= 0x3FFF && c.config2.value_or(0) <= 0x3FFF;
}

}  // namespace

bool Format_Chip_Hex(const ChipContents& c, std::string* text, std::string* error) {
  if (c.program.size() > static_cast<std::size_t>(kMaxProgramWords)) {
    return Fail(error, "more than " + std::to_string(kMaxProgramWords) + " program words");
  }
  if (c.eeprom.size() > static_cast<std::size_t>(kMaxEepromBytes)) {
    return Fail(error, "more than " + std::to_string(kMaxEepromBytes) + " EEPROM bytes");
  }
  if (!Fits_14_Bits(c)) return Fail(error, "a word is wider than 14 bits");

  std::string out;
  Put_Words(out, 0x0000, c.program);
  Put_Words(out, 0x4000, std::vector<std::uint16_t>(c.user_ids.begin(), c.user_ids.end()));
  Put_Words(out, 0x400E, std::vector<std::uint16_t>{c.config});
  if (c.config2) Put_Words(out, 0x4010, std::vector<std::uint16_t>{*c.config2});
  Put_Words(out, 0x4200, c.eeprom);
  Put_Record(out, 0, 1, {});
  *text = std::move(out);
  return true;
}

bool Write_Chip_Hex(const std::string& path, const ChipContents& c, std::string* error) {
  std::string text;
  if (!Format_Chip_Hex(c, &text, error)) return false;
  return platform::Replace_File_Contents(path, text, error);
}

bool Check_Chip_Hex_Target(const std::string& path, std::string* error) {
  return platform::Check_File_Replaceable(path, error);
}

}  // namespace corvane
