#include "speed_bench.h"

#include <time.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_table.h"
#include "hardware/clock.h"
#include "hardware/lines.h"
#include "image/hex_file.h"
#include "sim/board.h"
#include "sim/chip.h"
#include "sim/timing.h"
#include "ui/panneau.h"

namespace corvane::bench {

namespace {

// Every wait a run asked for, with how long it really lasted.
class MeasuringClock final : public Clock {
 public:
  explicit MeasuringClock(Clock& inner) : inner_(inner) {}
  std::int64_t now_ns() override { return inner_.now_ns(); }
  void wait_until(std::int64_t deadline_ns) override {
    const std::int64_t start = inner_.now_ns();
    inner_.wait_until(deadline_ns);
    if (deadline_ns <= start || !recording) return;
    const std::int64_t asked = deadline_ns - start;
    const std::int64_t took = inner_.now_ns() - start;
    ratios.push_back(static_cast<double>(took) / static_cast<double>(asked));
    if (took < asked) ++short_waits;
  }
  void spin() override { inner_.spin(); }

  bool recording = false;
  std::vector<double> ratios;
  long short_waits = 0;

 private:
  Clock& inner_;
};

// A window that shows nothing and answers the open-file dialog with one file.
class QuietView final : public WindowView {
 public:
  explicit QuietView(std::string file) : file_(std::move(file)) {}
  void Message_Box(std::string_view text) override { boxes.emplace_back(text); }
  std::string Open_File_Dialog(std::string_view, std::string_view) override { return file_; }
  std::vector<std::string> boxes;

 private:
  std::string file_;
};

std::int64_t Cpu_Ns() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

const char* Speed_Name(SpeedKind s) {
  return s == kLowSpeed ? "low" : s == kFastSpeed ? "fast" : "normal";
}

// A full chip: every program word, every EEPROM byte and the configuration word differ from blank.
std::string Full_Chip_File(sim::ChipKind kind) {
  const sim::ChipFacts& f = sim::Facts(kind);
  ChipContents c;
  for (int a = 0; a < f.program_words; ++a) {
    c.program.push_back(static_cast<std::uint16_t>((a * 0x1234 + 0x0155) & 0x3FFF));
  }
  for (int a = 0; a < f.eeprom_bytes; ++a) c.eeprom.push_back(static_cast<std::uint8_t>(a ^ 0x5A));
  c.config = 0x3FF1;
  const std::string path =
      (std::filesystem::temp_directory_path() / ("corvane_bench_" + std::string(f.name) + ".hex"))
          .string();
  std::string error;
  if (!Write_Chip_Hex(path, c, &error)) std::fprintf(stderr, "%s\n", error.c_str());
  return path;
}

struct Outcome {
  std::int64_t duration_ns = 0;
  std::int64_t program_ns = 0;  // PROGRAM Device alone
  std::int64_t cycles_ns = 0;   // of which the chip's write and erase cycles
  std::int64_t cpu_ns = 0;
  std::string result;
};

// Start-up, the speed, then LOAD File, PROGRAM Device and (when asked) VERIFY through the window's
// logic.
Outcome Program_And_Verify(Clock& clock, sim::ChipKind kind, SpeedKind speed,
                           const std::string& file, bool verify, MeasuringClock* measuring) {
  sim::Board board(kBrannock, clock, kLpt1);
  sim::Chip chip(kind);
  board.insert(&chip);
  WorkingState st;
  Lines lines(board, measuring ? static_cast<Clock&>(*measuring) : clock, st);
  QuietView view(file);
  Panneau win(st, lines, view);
  win.Form_Load();
  win.Set_Value(Ctl::Menu_Options_Fast, speed == kFastSpeed ? kChecked : kUnchecked);
  win.Set_Value(Ctl::Check_Speed, speed == kLowSpeed ? kChecked : kUnchecked);
  win.Click(Ctl::Btn_Load_File);
  if (measuring) measuring->recording = true;
  const std::int64_t start = clock.now_ns();
  const std::int64_t cpu_start = Cpu_Ns();
  const bool programmed = win.Click(Ctl::Btn_Program_Device);
  Outcome o;
  o.program_ns = clock.now_ns() - start;
  o.cycles_ns = chip.busy_ns();
  const bool verified = !verify || win.Click(Ctl::Btn_Verify);
  o.cpu_ns = Cpu_Ns() - cpu_start;
  o.duration_ns = clock.now_ns() - start;
  if (measuring) measuring->recording = false;
  o.result = programmed && verified && view.boxes.empty() ? "ok" : "FAILED";
  if (!chip.violations().empty()) {
    o.result += ", " + std::to_string(chip.violations().size()) + " violations";
  } else {
    o.result += ", no violation";
  }
  return o;
}

// The chip's own floor: the sum of its shortest legal write cycles at the datasheet maximum, for
// every program write unit and every EEPROM byte (Begin Programming Only on erased cells: 4 ms a
// word or byte on the 16F84A and 16F87x, 1 ms an 8-word row or byte on the 87xA, 1 ms a 4-word
// group or byte on the 88 family; on the 62xA, whose writes are all program-only, 4 ms a word and
// 6 ms a byte).
std::int64_t Floor_Ns(sim::ChipKind kind) {
  const sim::ChipFacts& f = sim::Facts(kind);
  const std::int64_t words = f.program_words;
  const std::int64_t bytes = f.eeprom_bytes;
  constexpr std::int64_t kMs = 1'000'000;
  switch (f.family) {
    case sim::ChipFamily::F87xA:
      return (words / 8 + bytes) * kMs;
    case sim::ChipFamily::F88:
      return (words / 4 + bytes) * kMs;
    case sim::ChipFamily::F62xA:
      return words * f.program_word_ns + bytes * f.eeprom_write_ns;
    default:
      return (words + bytes) * f.program_only_ns;
  }
}

void Virtual_Runs(std::FILE* out) {
  std::fprintf(out, "### A full chip programmed and verified, in virtual time\n\n");
  Table t({"chip", "speed", "program + verify", "write cycles", "protocol traffic", "verify",
           "floor", "ratio to the floor", "result"});
  struct Run {
    sim::ChipKind kind;
    std::vector<SpeedKind> speeds;
  };
  const Run runs[] = {
      {sim::ChipKind::Pic16F84A, {kLowSpeed, kNormalSpeed, kFastSpeed}},
      {sim::ChipKind::Pic16F877, {kLowSpeed, kNormalSpeed, kFastSpeed}},
      {sim::ChipKind::Pic16F877A, {kNormalSpeed, kFastSpeed}},
      {sim::ChipKind::Pic16F628A, {kNormalSpeed, kFastSpeed}},
      {sim::ChipKind::Pic16F88, {kNormalSpeed, kFastSpeed}},
  };
  for (const Run& run : runs) {
    const std::string file = Full_Chip_File(run.kind);
    const std::int64_t floor = Floor_Ns(run.kind);
    for (SpeedKind speed : run.speeds) {
      VirtualClock clock;
      const Outcome o = Program_And_Verify(clock, run.kind, speed, file, true, nullptr);
      const auto d = [](std::int64_t ns) { return Format_Duration(static_cast<double>(ns)); };
      t.Add({std::string(sim::Facts(run.kind).name), Speed_Name(speed), d(o.duration_ns),
             d(o.cycles_ns), d(o.program_ns - o.cycles_ns), d(o.duration_ns - o.program_ns),
             d(floor), Format_Ratio(static_cast<double>(o.duration_ns) / static_cast<double>(floor)),
             o.result});
    }
    std::filesystem::remove(file);
  }
  t.Print(out);
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const std::size_t rank = static_cast<std::size_t>(p * static_cast<double>(v.size()) + 0.999999);
  return v[std::min(v.size(), std::max<std::size_t>(rank, 1)) - 1];
}

void Real_Runs(bool with_low, std::FILE* out) {
  const std::string file = std::string(CORVANE_BENCH_DATA) + "/pic16f84a_demo_inhx8m.hex";
  std::fprintf(out,
               "### The demo file (11 words, 5 EEPROM bytes, configuration word) programmed on an "
               "erased PIC16F84A, in real time\n\n");
  Table t({"speed", "waits", "wall time", "CPU time", "CPU / wall", "median wait ratio",
           "p99 wait ratio", "worst wait ratio", "short waits", "spin stretch at the end",
           "result"});
  struct Case {
    SpeedKind speed;
    bool sleeps;
  };
  std::vector<Case> cases = {{kNormalSpeed, false}, {kNormalSpeed, true}, {kFastSpeed, true}};
  if (with_low) cases.push_back({kLowSpeed, true});
  for (const Case& c : cases) {
    RealClock real(c.sleeps);
    MeasuringClock measuring(real);
    const Outcome o =
        Program_And_Verify(real, sim::ChipKind::Pic16F84A, c.speed, file, false, &measuring);
    const double wall = static_cast<double>(o.duration_ns);
    t.Add({std::string(Speed_Name(c.speed)) + (c.sleeps ? "" : " (busy wait, as before)"),
           std::to_string(measuring.ratios.size()), Format_Duration(wall),
           Format_Duration(static_cast<double>(o.cpu_ns)),
           Format_Ratio(static_cast<double>(o.cpu_ns) / wall),
           Format_Ratio(Percentile(measuring.ratios, 0.5)),
           Format_Ratio(Percentile(measuring.ratios, 0.99)),
           Format_Ratio(Percentile(measuring.ratios, 1.0)), std::to_string(measuring.short_waits),
           c.sleeps ? Format_Duration(static_cast<double>(real.stretch().stretch_ns())) : "-",
           o.result});
  }
  t.Print(out);
}

}  // namespace

void Run_Speed_Benchmarks(bool virtual_runs, bool real_runs, bool with_low, std::FILE* out) {
  if (virtual_runs) Virtual_Runs(out);
  if (virtual_runs && real_runs) std::fprintf(out, "\n");
  if (real_runs) Real_Runs(with_low, out);
}

}  // namespace corvane::bench
