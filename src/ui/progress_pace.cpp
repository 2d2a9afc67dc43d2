#include "ui/progress_pace.h"

#include <cstdio>

namespace corvane {

std::int64_t ProgressPace::Update(int done, int total, std::int64_t now_ns) {
  if (total != total_ || done <= last_done_) {
    total_ = total;
    first_done_ = done;
    first_ns_ = now_ns;
  }
  last_done_ = done;
  const int since_first = done - first_done_;
  if (since_first <= 0 || done >= total) return done >= total ? 0 : -1;
  const double per_unit = static_cast<double>(now_ns - first_ns_) / since_first;
  return static_cast<std::int64_t>(per_unit * (total - done));
}

std::string Time_Left_Text(std::int64_t remaining_ns) {
  if (remaining_ns < 0) return "";
  const std::int64_t s = (remaining_ns + 999'999'999) / 1'000'000'000;
  char text[40];
  if (s >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld left", static_cast<long long>(s / 3600),
                  static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld left", static_cast<long long>(s / 60),
                  static_cast<long long>(s % 60));
  }
  return text;
}

int Percent_Done(int done, int total) {
  if (total <= 0) return 100;
  return static_cast<int>(100LL * done / total);
}

}  // namespace corvane
