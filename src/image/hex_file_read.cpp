#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>

#include "image/hex_file.h"
#include "image/line_reader.h"
#include "platform/files.h"
#include "protocol/hex_text.h"

namespace corvane {
namespace {

constexpr std::string_view kReadError = "read error";
constexpr std::uint64_t kUserIdArea = 0x2000;
constexpr std::uint64_t kDeviceIdAddress = 0x2006;
constexpr std::uint64_t kConfigWordAddress = 0x2007;
constexpr std::uint64_t kConfigWord2Address = 0x2008;
constexpr std::uint64_t kEepromArea = 0x2100;

// The bytes of a record line after ':', or nothing when a character is not a hexadecimal digit
// or the digits do not pair up.
std::optional<std::vector<int>> Line_Bytes(std::string_view digits) {
  if (digits.size() % 2 != 0) return std::nullopt;
  std::vector<int> bytes;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    const int h = Hex_Digit(digits[i]);
    const int l = Hex_Digit(digits[i + 1]);
    if (h < 0 || l < 0) return std::nullopt;
    bytes.push_back(h * 16 + l);
  }
  return bytes;
}

std::string_view Trim_Trailing_Blanks(std::string_view line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return line;
}

// Sets the low (high = false) or high byte of a 16-bit word.
void Set_Half(std::uint16_t& word, bool high, int byte) {
  word = high ? static_cast<std::uint16_t>((word & 0x00FF) | (byte << 8))
              : static_cast<std::uint16_t>((word & 0xFF00) | byte);
}

class ChipHexReader {
 public:
  ChipHexReader(int program_words, int eeprom_bytes) : eeprom_bytes_(eeprom_bytes) {
    c_.program.assign(static_cast<std::size_t>(program_words), 0x3FFF);
    c_.user_ids.fill(0x3FFF);
    c_.config = 0x3FFF;
    c_.eeprom.assign(static_cast<std::size_t>(eeprom_bytes), 0xFF);
  }

  // Reads the whole file; an empty reason means success.
  std::string Read(std::istream& in) {
    LineReader reader(in);
    std::string line;
    while (reader.Next(line)) {
      if (reader.Overlong()) return At("line too long", reader);
      bool end = false;
      const std::string reason = Record(Trim_Trailing_Blanks(line), &end);
      if (!reason.empty()) return At(reason, reader);
      if (end) return {};
    }
    if (reader.Failed()) return std::string(kReadError);
    return "no end-of-file record";
  }

  const ChipContents& Contents() const { return c_; }

 private:
  static std::string At(const std::string& reason, const LineReader& reader) {
    return reason + " at line " + std::to_string(reader.Line_Number());
  }

  std::string Record(std::string_view line, bool* end) {
    if (line.empty()) return {};
    if (line.front() != ':') return "not a record";
    const auto bytes = Line_Bytes(line.substr(1));
    if (!bytes || bytes->size() < 5) return "malformed record";
    const auto& b = *bytes;
    const int count = b[0];
    if (b.size() != static_cast<std::size_t>(count) + 5) {
      return "record length does not match its byte count";
    }
    int sum = 0;
    for (int v : b) sum += v;
    if ((sum & 0xFF) != 0) return "checksum error";

    const int address = b[1] * 256 + b[2];
    const int type = b[3];
    switch (type) {
      case 0:
        for (int i = 0; i < count; ++i) {
          const std::uint64_t offset = static_cast<std::uint64_t>((address + i) & 0xFFFF);
          const std::string reason = Place_Byte(base_ + offset, b[4 + i]);
          if (!reason.empty()) return reason;
        }
        return {};
      case 1:
        *end = true;
        return {};
      case 2:
      case 4:
        if (count != 2) return "malformed extended address record";
        base_ = static_cast<std::uint64_t>(b[4] * 256 + b[5]) << (type == 2 ? 4 : 16);
        return {};
      case 3:
      case 5:
        return {};  // start addresses mean nothing to these chips
      default:
        return "unknown record type " + std::to_string(type);
    }
  }

  std::string Place_Byte(std::uint64_t byte_address, int value) {
    const std::uint64_t word = byte_address / 2;
    const bool high = (byte_address % 2) != 0;
    if (word < kUserIdArea) {
      if (word >= c_.program.size()) return "address out of range";
      if (high && value > 0x3F) return "word above 0x3FFF";
      Set_Half(c_.program[word], high, value);
    } else if (word < kUserIdArea + c_.user_ids.size()) {
      if (high && value > 0x3F) return "word above 0x3FFF";
      Set_Half(c_.user_ids[word - kUserIdArea], high, value);
    } else if (word <= kDeviceIdAddress) {
      // Reserved locations and the device ID: fixed in the chip, nothing to keep.
    } else if (word == kConfigWordAddress) {
      if (high && value > 0x3F) return "word above 0x3FFF";
      Set_Half(c_.config, high, value);
    } else if (word == kConfigWord2Address) {
      if (high && value > 0x3F) return "word above 0x3FFF";
      if (!c_.config2) c_.config2 = 0x3FFF;
      Set_Half(*c_.config2, high, value);
    } else if (word >= kEepromArea && word < kEepromArea + eeprom_bytes_) {
      if (high) {
        if (value != 0) return "EEPROM byte above 0xFF";
      } else {
        c_.eeprom[word - kEepromArea] = static_cast<std::uint8_t>(value);
      }
    } else {
      return "address out of range";
    }
    return {};
  }

  ChipContents c_;
  std::uint64_t eeprom_bytes_;
  std::uint64_t base_ = 0;  // from the last extended address record
};

}  // namespace

bool Read_Chip_Hex(std::istream& in, int program_words, int eeprom_bytes, ChipContents* out,
                   std::string* error) {
  auto fail = [error](const std::string& reason) {
    if (error != nullptr) *error = reason;
    return false;
  };
  if (program_words < 0 || program_words > kMaxProgramWords || eeprom_bytes < 0 ||
      eeprom_bytes > kMaxEepromBytes) {
    return fail("memory sizes out of range");
  }
  try {
    ChipHexReader reader(program_words, eeprom_bytes);
    errno = 0;
    const std::string reason = reader.Read(in);
    if (!reason.empty())
      return fail(reason == kReadError && errno != 0 ? std::strerror(errno) : reason);
    *out = reader.Contents();
    return true;
  } catch (const std::exception& e) {
    return fail(e.what());
  }
}

bool Read_Chip_Hex(const std::string& path, int program_words, int eeprom_bytes, ChipContents* out,
                   std::string* error) {
  std::error_code ec;
  if (std::filesystem::is_directory(platform::File_Path(path), ec)) {
    if (error != nullptr) *error = std::strerror(EISDIR);
    return false;
  }
  errno = 0;
  std::ifstream in(platform::File_Path(path), std::ios::binary);
  if (!in.is_open()) {
    if (error != nullptr) *error = errno != 0 ? std::strerror(errno) : "cannot open the file";
    return false;
  }
  return Read_Chip_Hex(in, program_words, eeprom_bytes, out, error);
}

}  // namespace corvane
