// Feeds arbitrary text to the state-file reader. Whatever it accepts must write back and read
// again as the same contents, so a chip kept between runs never changes on its own.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "image/hex_file.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  // The first byte picks the chip's memory sizes, as the state file is read for the chip in use.
  const bool small = size > 0 && (data[0] & 1) != 0;
  const int words = small ? 1024 : kMaxProgramWords;
  const int bytes = small ? 64 : kMaxEepromBytes;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  ChipContents c;
  std::string error;
  if (!Read_Chip_Hex(in, words, bytes, &c, &error)) {
    Require(!error.empty());
    return 0;
  }
  Require(c.program.size() == static_cast<std::size_t>(words));
  Require(c.eeprom.size() == static_cast<std::size_t>(bytes));
  std::string text;
  Require(Format_Chip_Hex(c, &text, &error));
  std::istringstream again(text);
  ChipContents back;
  Require(Read_Chip_Hex(again, words, bytes, &back, &error));
  Require(back.program == c.program && back.eeprom == c.eeprom && back.user_ids == c.user_ids &&
          back.config == c.config && back.config2 == c.config2);
  return 0;
}
