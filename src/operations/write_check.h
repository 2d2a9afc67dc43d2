// Whether the chip last identified may be written on the board in use: a chip of a family whose
// programming algorithm this program lacks, or one the board cannot power in the order its family
// needs, is refused before any command touches it.
#pragma once

#include <string>

#include "state/working_state.h"

namespace corvane {

// "" when the chip may be written; otherwise why not, naming the chip and what is missing.
std::string Write_Refusal(const WorkingState& st);

}  // namespace corvane
