#include "cli/step_report.h"

#include <algorithm>

#include "operations/verify.h"
#include "protocol/hex_text.h"

namespace corvane {

namespace {

constexpr std::string_view kWordFailure = "Error at @ : ";
constexpr std::string_view kEepromFailure = "EEPROM Error at @ : ";
constexpr std::string_view kFusesMismatch = "Mismatch in configuration fuses";

// The address in a block write's failure box, "Error at @ : 12 Read :0 instead of :3FFF".
std::string Failed_Address(std::string_view box, std::string_view prefix) {
  box.remove_prefix(prefix.size());
  return "0x" + std::string(box.substr(0, box.find(' ')));
}

}  // namespace

std::string Failure_Summary(std::string_view step, const WorkingState& st,
                            const std::vector<std::string>& boxes, std::string_view status) {
  auto shown = [&](std::string_view text) {
    return std::find(boxes.begin(), boxes.end(), text) != boxes.end();
  };
  std::string what;
  if (step == "verify") {
    const int differences = Verify_Differences(st);
    if (differences != 0) {
      what = std::to_string(differences) + (differences == 1 ? " difference" : " differences");
    }
    if (shown(kFusesMismatch)) {
      what += (what.empty() ? "" : ", and ") + Config_Mismatch(st);
    }
  }
  for (std::size_t i = 0; what.empty() && i < boxes.size(); ++i) {
    const std::string& box = boxes[i];
    if (box.rfind(kWordFailure, 0) == 0) {
      what = "the word at " + Failed_Address(box, kWordFailure) + " did not program";
    } else if (box.rfind(kEepromFailure, 0) == 0) {
      what = "the EEPROM byte at " + Failed_Address(box, kEepromFailure) + " did not program";
    }
  }
  constexpr std::string_view kBoardTest = "Board test: ";
  if (what.empty() && step == "board-test" && !boxes.empty() &&
      boxes.back().rfind(kBoardTest, 0) == 0) {
    what = boxes.back().substr(kBoardTest.size());
  }
  if (what.empty() && !boxes.empty()) what = boxes.front();
  if (what.empty() && step == "blank-check") what = status;
  if (what.empty()) what = "failed";
  return std::string(step) + ": " + what;
}

}  // namespace corvane
