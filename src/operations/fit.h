// Whether the loaded image fits the chip in the programmer. Words or bytes past the end of a
// chip's memory would land on its first ones (its address counter wraps) and each would still
// read back right, so the chip would end with a wrong image and no error shown.
#pragma once

#include <string>

#include "protocol/context.h"

namespace corvane {

// The reason the program words (or the EEPROM bytes) of the image do not fit the chip last
// identified, or "" when they do.
std::string Program_Fit_Problem(const WorkingState& st, const std::string& device_box);
std::string Eeprom_Fit_Problem(const WorkingState& st, const std::string& device_box);

// Logs and shows the reason, when there is one; true when the image fits.
bool Report_Fit(Panel& panel, const std::string& problem);

}  // namespace corvane
