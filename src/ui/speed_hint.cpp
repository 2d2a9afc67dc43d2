#include "ui/speed_hint.h"

namespace corvane {

std::string Duration_Text(std::int64_t ns) {
  constexpr std::int64_t kSecond = 1'000'000'000;
  const std::int64_t seconds = (ns + kSecond / 2) / kSecond;
  if (seconds < 60) return std::to_string(seconds) + " s";
  if (seconds < 600) {
    const std::int64_t s = seconds % 60;
    return std::to_string(seconds / 60) + " min" + (s != 0 ? " " + std::to_string(s) + " s" : "");
  }
  const std::int64_t minutes = (seconds + 30) / 60;
  if (minutes < 120) return std::to_string(minutes) + " min";
  const std::int64_t m = minutes % 60;
  return std::to_string(minutes / 60) + " h" + (m != 0 ? " " + std::to_string(m) + " min" : "");
}

std::string Speed_Hint_Text(const SpeedHint& hint, std::string_view fast_name) {
  return "this takes about " + Duration_Text(hint.slow_ns) + " at " +
         (hint.speed == kLowSpeed ? "low" : "normal") + " speed; " + std::string(fast_name) +
         " takes about " + Duration_Text(hint.fast_ns);
}

}  // namespace corvane
