// Whether two paths name one file, so that an output never overwrites one of the run's inputs.
#pragma once

#include <string>

namespace corvane {

// True when both paths name the same file: the same file on disk (through links, other
// spellings or hard links) when both exist, or the same absolute, normalised path when either
// does not exist yet.
bool Same_File(const std::string& a, const std::string& b);

}  // namespace corvane
