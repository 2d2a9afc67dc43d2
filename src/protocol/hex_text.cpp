#include "protocol/hex_text.h"

namespace corvane {

std::string Hex(std::int64_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::uint32_t v = static_cast<std::uint32_t>(value);
  if (v == 0) return "0";
  std::string out;
  while (v != 0) {
    out.insert(out.begin(), kDigits[v & 0xF]);
    v >>= 4;
  }
  return out;
}

int Hex_Digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

int Hex_Value(std::string_view text) {
  auto digit = [](char c) {
    const int d = Hex_Digit(c);
    return d < 0 ? 0 : d;
  };
  if (text.empty()) return 0;
  const int h = digit(text.front());
  if (text.size() != 2) return h;
  return h * 16 + digit(text.back());
}

}  // namespace corvane
