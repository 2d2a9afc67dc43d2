#include "ui/failure_report.h"

#include <string_view>

#include "operations/user_ids.h"
#include "operations/verify.h"
#include "protocol/hex_text.h"

namespace corvane {

namespace {

constexpr std::string_view kWordFailure = "Error at @ : ";
constexpr std::string_view kEepromFailure = "EEPROM Error at @ : ";
constexpr std::string_view kFusesMismatch = "Mismatch in configuration fuses";
constexpr std::string_view kViolations = "simulated chip: ";

bool Starts_With(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The hexadecimal address after the prefix of a failure box: "Error at @ : 1A Read :0 ...".
int Box_Address(std::string_view box, std::string_view prefix) {
  int address = 0;
  for (char c : box.substr(prefix.size())) {
    const int d = Hex_Digit(c);
    if (d < 0) break;
    address = address * 16 + d;
  }
  return address;
}

std::string Count(int n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

void Join(std::string& what, const std::string& part) {
  what += (what.empty() ? "" : "; ") + part;
}

std::string Command_Name(Ctl command) {
  if (command == Ctl::Btn_Program_Device) return "PROGRAM";
  return Initial_Controls()[static_cast<int>(command)].caption;
}

// What the writes of PROGRAM Device or PROGRAM EEPROM left undone, from their failure boxes.
std::string Writes_Not_Done(Ctl command, const WorkingState& st,
                            const std::vector<std::string>& boxes) {
  std::string what;
  int bytes = 0;
  bool nothing_written = false;
  for (const std::string& box : boxes) {
    if (Starts_With(box, kEepromFailure)) {
      ++bytes;
    } else if (Starts_With(box, kWordFailure)) {
      const int address = Box_Address(box, kWordFailure);
      if (address >= kUserIdAddress) {
        Join(what, "the user IDs not written");
      } else {
        // The block write stops at the failed word: it and every word after it are not written.
        Join(what, Count(st.LastProgramAddress + 1 - address, "word", "words") + " not written");
        nothing_written = address == 0;
      }
    }
  }
  if (bytes != 0) {
    const bool alone = command == Ctl::Btn_Prog_EEPROM;
    Join(what, Count(bytes, "Byte", "Bytes") + (alone ? "" : " of EEPROM Data") + " not written");
  }
  if (nothing_written) Join(what, "is a chip in the socket?");
  return what;
}

std::string Verify_Result(const WorkingState& st, const std::vector<std::string>& boxes) {
  std::string what;
  const int differences = Verify_Differences(st);
  if (differences != 0) Join(what, Count(differences, "word differs", "words differ"));
  for (const std::string& box : boxes) {
    if (box == kFusesMismatch) {
      Join(what, Config_Mismatch(st));
    }
  }
  return what;
}

}  // namespace

FailureReport Failure_Report(Ctl command, const WorkingState& st,
                             const std::vector<std::string>& boxes) {
  std::string what;
  if (command == Ctl::Btn_Program_Device || command == Ctl::Btn_Prog_EEPROM) {
    what = Writes_Not_Done(command, st, boxes);
    // Cancelled before the chip was touched (the file no longer reads, or does not fit): the log
    // already says why.
    if (what.empty() && !boxes.empty() && !Starts_With(boxes.front(), kViolations)) {
      what = "nothing written";
    }
  } else if (command == Ctl::Btn_Verify) {
    what = Verify_Result(st, boxes);
  }
  // Anything else (a cancelled program, timing violations on the simulated chip): its first box.
  if (what.empty() && !boxes.empty()) what = boxes.front();
  const std::string name = Command_Name(command);
  FailureReport r;
  r.status = name + " failed";
  r.line = r.status + (what.empty() ? "" : ": " + what);
  return r;
}

}  // namespace corvane
