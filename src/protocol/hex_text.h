// The program's hexadecimal text: how numbers are printed and how HEX-file fields are read.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// Upper-case hexadecimal, no prefix, no leading zeros, "0" for zero. Negative values print as
// their 32-bit two's complement.
std::string Hex(std::int64_t value);

// Value of a one- or two-character hexadecimal field: digits 0-9, A-F and a-f; any other
// character counts as 0. A two-character text gives h x 16 + l; any other length gives the first
// character's value alone (0 for the empty text).
int Hex_Value(std::string_view text);

// The log's word listings: entries 0 to 10 of an array, each as a blank and its hexadecimal value.
template <std::size_t N>
std::string Word_Listing(const std::array<std::int32_t, N>& words) {
  std::string text;
  for (std::size_t i = 0; i <= 10 && i < N; ++i) text += " " + Hex(words[i]);
  return text;
}

// Value of one hexadecimal digit, or -1 when the character is not one.
int Hex_Digit(char c);

}  // namespace corvane
