// The log's word listings: entries 0 to 10 of an array, each as a blank and its hexadecimal value.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "protocol/hex_text.h"

namespace corvane {

template <std::size_t N>
std::string Word_Listing(const std::array<std::int32_t, N>& words) {
  std::string text;
  for (std::size_t i = 0; i <= 10 && i < N; ++i) text += " " + Hex(words[i]);
  return text;
}

}  // namespace corvane
