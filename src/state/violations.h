// Breaches of the chip's datasheet timings, as far as anything can see them: only the simulated
// chip records them. The window's logic asks after each operation and tells the user.
#pragma once

#include <string>

namespace corvane {

struct ViolationReport {
  long count = 0;     // recorded since the last report
  std::string first;  // the first of them
};

class ViolationSource {
 public:
  virtual ~ViolationSource() = default;
  // The violations recorded since the last call.
  virtual ViolationReport Take_New() = 0;
};

}  // namespace corvane
