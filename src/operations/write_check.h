// Whether the chip last identified may be written on the board in use: a chip of a family whose
// programming algorithm this program lacks, or one the board cannot power in the order its family
// needs, is refused before any command touches it.
#pragma once

#include <string>

#include "state/panel.h"
#include "state/working_state.h"

namespace corvane {

// "" when the chip may be written; otherwise why not, naming the chip and what is missing.
std::string Write_Refusal(const WorkingState& st);

// The refusal, when there is one, in the log and a message box; true when the chip may be written.
bool Report_Write_Refusal(const WorkingState& st, Panel& panel);

}  // namespace corvane
