// How long a block transfer still needs, from the pace it has kept so far, and how that is shown.
#pragma once

#include <cstdint>
#include <string>

namespace corvane {

class ProgressPace {
 public:
  // Takes a report of `done` of `total` units at the programmer clock's time; returns the time left
  // at the pace since the transfer's first report, or -1 while there is no pace yet. A report that
  // does not follow the last one (fewer done, another total) starts a new transfer.
  std::int64_t Update(int done, int total, std::int64_t now_ns);

 private:
  int total_ = -1;
  int last_done_ = 0;
  int first_done_ = 0;
  std::int64_t first_ns_ = 0;
};

// "0:42 left", "1:05:09 left" (rounded up to the second); "" when the time left is not known.
std::string Time_Left_Text(std::int64_t remaining_ns);

// The percentage done, rounded down: 100 only at the end.
int Percent_Done(int done, int total);

}  // namespace corvane
