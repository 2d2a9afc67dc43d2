// What the fast speed would save: how long a command takes at the speed set (normal or "Low
// Speed") beside how long it takes with "Fast programming", and how both are said.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "state/working_state.h"

namespace corvane {

// Operations shorter than this at the speed set get no hint.
inline constexpr std::int64_t kHintThresholdNs = 60'000'000'000;

struct SpeedHint {
  SpeedKind speed = kNormalSpeed;  // the speed set: normal or low
  std::int64_t slow_ns = 0;        // the command at that speed
  std::int64_t fast_ns = 0;        // the same command at the fast speed
  // True just before the command runs; false for PROGRAM Device of the file just loaded (or of
  // the loaded file after a change of speed), which nothing has started yet.
  bool starting = false;

  // Whether there is something to say: more than a minute at a slow speed.
  bool worth_saying() const { return speed != kFastSpeed && slow_ns > kHintThresholdNs; }
};

// "12 s", "1 min 36 s" (under 10 minutes), "68 min" (under 2 hours), "17 h 6 min"; rounded to
// the nearest unit shown.
std::string Duration_Text(std::int64_t ns);

// "this takes about 68 min at normal speed; `speed fast` takes about 1 min 36 s", with the
// fast speed named as the program names it.
std::string Speed_Hint_Text(const SpeedHint& hint, std::string_view fast_name);

}  // namespace corvane
