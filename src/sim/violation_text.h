// Pieces of the simulated chip's violation texts.
#pragma once

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <string>

namespace corvane::sim {

// "850 ns", "2.000 us", "3.000 ms".
inline std::string Duration(std::int64_t ns) {
  char text[48];
  if (ns < 1'000) {
    std::snprintf(text, sizeof text, "%" PRId64 " ns", ns);
  } else if (ns < 1'000'000) {
    std::snprintf(text, sizeof text, "%.3f us", static_cast<double>(ns) / 1e3);
  } else {
    std::snprintf(text, sizeof text, "%.3f ms", static_cast<double>(ns) / 1e6);
  }
  return text;
}

// "0x2007".
inline std::string Hex4(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", value);
  return text;
}

}  // namespace corvane::sim
