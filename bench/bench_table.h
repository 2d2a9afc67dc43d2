// Measurement helpers for the timing benchmarks: repeated samples in nanoseconds, their median
// and 99th percentile, and a Markdown table printer so the output pastes into the docs.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace corvane::bench {

inline std::int64_t Now_Ns() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

struct Summary {
  int reps = 0;
  double min_ns = 0;
  double median_ns = 0;
  double p99_ns = 0;
};

// Nearest-rank percentiles: with fewer than 100 samples the 99th percentile is the maximum.
inline Summary Summarise(std::vector<std::int64_t> samples) {
  Summary s;
  if (samples.empty()) return s;
  std::sort(samples.begin(), samples.end());
  const std::size_t n = samples.size();
  s.reps = static_cast<int>(n);
  s.min_ns = static_cast<double>(samples.front());
  s.median_ns =
      n % 2 ? static_cast<double>(samples[n / 2]) : (samples[n / 2 - 1] + samples[n / 2]) / 2.0;
  std::size_t rank = (99 * n + 99) / 100;  // ceil(0.99 n)
  s.p99_ns = static_cast<double>(samples[std::min(n, std::max<std::size_t>(rank, 1)) - 1]);
  return s;
}

// "0.200 ms", "4.500 s", "812 ns": durations in the unit that keeps them readable.
inline std::string Format_Duration(double ns) {
  char text[32];
  if (ns >= 1e9) {
    std::snprintf(text, sizeof text, "%.4f s", ns / 1e9);
  } else if (ns >= 1e6) {
    std::snprintf(text, sizeof text, "%.3f ms", ns / 1e6);
  } else if (ns >= 1e4) {
    std::snprintf(text, sizeof text, "%.1f us", ns / 1e3);
  } else {
    std::snprintf(text, sizeof text, "%.0f ns", ns);
  }
  return text;
}

inline std::string Format_Ratio(double ratio) {
  char text[16];
  std::snprintf(text, sizeof text, "%.4f", ratio);
  return text;
}

class Table {
 public:
  explicit Table(std::vector<std::string> header) : header_(std::move(header)) {}
  void Add(std::vector<std::string> row) { rows_.push_back(std::move(row)); }
  void Print(std::FILE* out) const {
    std::vector<std::size_t> width(header_.size(), 3);
    for (std::size_t c = 0; c < header_.size(); ++c)
      width[c] = std::max(width[c], header_[c].size());
    for (const auto& r : rows_)
      for (std::size_t c = 0; c < r.size() && c < width.size(); ++c)
        width[c] = std::max(width[c], r[c].size());
    Print_Row(out, header_, width);
    std::fputs("|", out);
    for (std::size_t w : width) std::fprintf(out, "%s|", std::string(w + 2, '-').c_str());
    std::fputs("\n", out);
    for (const auto& r : rows_) Print_Row(out, r, width);
    std::fflush(out);
  }

 private:
  static void Print_Row(std::FILE* out, const std::vector<std::string>& row,
                        const std::vector<std::size_t>& width) {
    std::fputs("|", out);
    for (std::size_t c = 0; c < width.size(); ++c) {
      const std::string& cell = c < row.size() ? row[c] : std::string();
      std::fprintf(out, " %-*s |", static_cast<int>(width[c]), cell.c_str());
    }
    std::fputs("\n", out);
  }
  std::vector<std::string> header_;
  std::vector<std::vector<std::string>> rows_;
};

// How long the benchmark may spend on one case, and its repetition limits.
struct Budget {
  double seconds_per_case = 2.0;
  int min_reps = 3;
  int max_reps = 2000;
  int Reps_For(double nominal_ns) const {
    const double fit = seconds_per_case * 1e9 / std::max(nominal_ns, 1.0);
    return static_cast<int>(std::clamp(fit, double(min_reps), double(max_reps)));
  }
};

}  // namespace corvane::bench
