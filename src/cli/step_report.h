// What the console program prints about a step for a script to read: the status panels a silent
// step changed, and the one-line summary of a failing step.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "state/working_state.h"

namespace corvane {

// The panels in keys, in the status bar's order, as "[Key] text" lines; status(key) gives the
// panel's text.
template <typename StatusOf>
std::string Panels_Report(const std::set<std::string, std::less<>>& keys, StatusOf status) {
  std::string report;
  for (std::string_view key : {"Port", "Device", "Fuses", "Status"}) {
    if (keys.count(key) != 0) report += "[" + std::string(key) + "] " + status(key) + "\n";
  }
  return report;
}

// Program words and user IDs that differ between the chip, as the last verify read it, and the
// file: every one, where the log stops listing them after eleven.
int Verify_Differences(const WorkingState& st);

// What went wrong in a failing step, after "STEP: ": "3 differences", "the word at 0x12 did not
// program", or the first failure message box it showed (boxes: the step's own).
std::string Failure_Summary(std::string_view step, const WorkingState& st,
                            const std::vector<std::string>& boxes);

}  // namespace corvane
