#include "sim/board_violations.h"

namespace corvane::sim {

ViolationReport BoardViolations::Take_New() {
  const Chip* chip = board_.chip();
  if (chip != chip_) {
    chip_ = chip;
    reported_ = 0;
  }
  ViolationReport r;
  if (chip == nullptr) return r;
  const long kept = static_cast<long>(chip->violations().size());
  const long total = kept + chip->violations_dropped();
  if (total < reported_) reported_ = 0;  // the record was cleared
  r.count = total - reported_;
  if (r.count > 0 && reported_ < kept) r.first = chip->violations()[reported_].what;
  reported_ = total;
  return r;
}

}  // namespace corvane::sim
