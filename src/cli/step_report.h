// What the console program prints about a step for a script to read: the status panels a silent
// step changed, and the one-line summary of a failing step.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "operations/verify.h"
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

// What went wrong in a failing step, after "STEP: ": "3 differences", "the word at 0x12 did not
// program", or the first failure message box it showed (boxes: the step's own), else the
// "Status" panel's text ("Device is not blank").
std::string Failure_Summary(std::string_view step, const WorkingState& st,
                            const std::vector<std::string>& boxes, std::string_view status = "");

}  // namespace corvane
