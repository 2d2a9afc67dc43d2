#include "ui/chip_snapshot.h"

#include <algorithm>

namespace corvane {

namespace {
void Grow(std::vector<std::int32_t>& v, int n) {
  if (static_cast<int>(v.size()) < n) v.resize(static_cast<std::size_t>(n), ChipSnapshot::kUnknown);
}
}  // namespace

void ChipSnapshot::Take_Program(const std::int32_t* words, int n) {
  Grow(program, n);
  std::copy(words, words + n, program.begin());
}

void ChipSnapshot::Take_Eeprom(const std::int32_t* bytes, int n) {
  Grow(eeprom, n);
  for (int i = 0; i < n; ++i) eeprom[static_cast<std::size_t>(i)] = bytes[i] & 0xFF;
}

void ChipSnapshot::Take_All(const ChipContents& c, std::int32_t id) {
  program.assign(c.program.begin(), c.program.end());
  eeprom.assign(c.eeprom.begin(), c.eeprom.end());
  for (int i = 0; i < 4; ++i)
    user_ids[static_cast<std::size_t>(i)] = c.user_ids[static_cast<std::size_t>(i)];
  device_id = id;
  config = c.config;
  config2 = c.config2 ? *c.config2 : kUnknown;
}

bool ChipSnapshot::Program_Known(int n) const {
  if (static_cast<int>(program.size()) < n) return false;
  return std::none_of(program.begin(), program.begin() + n,
                      [](std::int32_t w) { return w == kUnknown; });
}

}  // namespace corvane
