// How a device command that failed ends its log: one summary line, and what the "Status" panel
// then says. The blocks of the log read alike after a failure and a success ("1024 lines of
// program written"), so the last line says which it was and what was not done.
#pragma once

#include <string>
#include <vector>

#include "state/working_state.h"
#include "ui/controls.h"

namespace corvane {

struct FailureReport {
  std::string line;    // "PROGRAM failed: 1024 words not written; is a chip in the socket?"
  std::string status;  // "PROGRAM failed"
};

// The report for `command` (a device command's control) from the working state it left and the
// message boxes it showed, in order.
FailureReport Failure_Report(Ctl command, const WorkingState& st,
                             const std::vector<std::string>& boxes);

}  // namespace corvane
