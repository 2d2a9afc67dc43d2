#include "block_bench.h"

#include <string>
#include <vector>

#include "hardware/clock.h"
#include "hardware/lines.h"
#include "protocol/block.h"
#include "protocol/context.h"
#include "sim/board.h"
#include "sim/chip.h"
#include "state/panel.h"
#include "state/working_state.h"

namespace corvane::bench {

namespace {

// The real clock, adding up how long each wait was asked to last: Delay reads the time and
// at once waits until that time plus its length, so the nominal length is the deadline less
// the last reading.
class NominalClock final : public Clock {
 public:
  explicit NominalClock(Clock& inner) : inner_(inner) {}
  std::int64_t now_ns() override { return last_ = inner_.now_ns(); }
  void wait_until(std::int64_t deadline_ns) override {
    if (deadline_ns > last_) nominal_ns_ += deadline_ns - last_;
    inner_.wait_until(deadline_ns);
  }
  void spin() override { inner_.spin(); }
  std::int64_t nominal_ns() const { return nominal_ns_; }

 private:
  Clock& inner_;
  std::int64_t last_ = 0;
  std::int64_t nominal_ns_ = 0;
};

// Counts the port accesses a transfer makes.
class CountingPort final : public PortIo {
 public:
  explicit CountingPort(PortIo& inner) : inner_(inner) {}
  std::uint8_t read(std::uint16_t address) override {
    ++accesses;
    return inner_.read(address);
  }
  void write(std::uint16_t address, std::uint8_t value) override {
    ++accesses;
    inner_.write(address, value);
  }
  long accesses = 0;

 private:
  PortIo& inner_;
};

// The window's services as far as a block transfer needs them: "Vdd Enable" checked, nothing
// shown; a message box (a failed word) is kept so the run can be reported as failed.
class QuietPanel final : public Panel {
 public:
  void Append_Text(std::string_view) override {}
  void Set_Status(std::string_view, std::string_view) override {}
  void Message_Box(std::string_view text) override { message = std::string(text); }
  void Sablier_On() override {}
  void Sablier_Off() override {}
  int Check_Vdd() const override { return kChecked; }
  int Check_auto() const override { return kUnchecked; }
  std::string Device() const override { return "PIC16f84"; }
  void Set_Device(std::string_view) override {}
  std::string FileName() const override { return {}; }
  void Show_Fuses() override {}
  std::string message;
};

struct Run {
  std::int64_t wall_ns = 0;
  std::int64_t nominal_ns = 0;
  long accesses = 0;
  std::string problem;  // empty when the transfer did what it should, without a violation
};

constexpr int kReadWords = 128;
constexpr int kWriteWords = 16;

std::uint16_t Pattern(int a) {
  return static_cast<std::uint16_t>((a * 0x1234 + 0x0155) & 0x3FFF);
}

// One transfer on a fresh board and chip at normal speed.
Run Transfer(bool write, bool sleeps) {
  RealClock real(sleeps);
  NominalClock clock(real);
  sim::Board board(kBrannock, real, kLpt1);
  sim::Chip chip(sim::ChipKind::Pic16F84A);
  board.insert(&chip);
  CountingPort port(board);
  WorkingState st;
  st.PortBase = kLpt1;
  st.BoardVariant = kBrannock;
  st.DelayUnit = 2;
  Lines lines(port, clock, st);
  QuietPanel panel;
  Context ctx{st, lines, panel};

  // The board starts with the chip powered and out of programming mode, as after discovery.
  lines.Write_Data_Register(0x0C);  // Vdd applied, Vpp removed, clock and data high
  lines.Wait(Pause::kVddOff);
  const long accesses_before = port.accesses;
  const std::int64_t nominal_before = clock.nominal_ns();

  if (write) {
    for (int a = 0; a < kWriteWords; ++a) st.ProgramImage[a] = Pattern(a);  // all differ from blank
  } else {
    for (int a = 0; a < kReadWords; ++a) chip.set_program(a, Pattern(a));
  }

  const std::int64_t start = real.now_ns();
  if (write) {
    Write_Block(ctx, kWriteWords);
  } else {
    Read_Block(ctx, kReadWords);
  }
  Run r;
  r.wall_ns = real.now_ns() - start;
  r.nominal_ns = clock.nominal_ns() - nominal_before;
  r.accesses = port.accesses - accesses_before;

  if (write) {
    for (int a = 0; a < kWriteWords && r.problem.empty(); ++a) {
      if (chip.program(a) != Pattern(a)) r.problem = "word " + std::to_string(a) + " not written";
    }
    if (st.WriteError != 0) r.problem = "WriteError: " + panel.message;
  } else {
    for (int a = 0; a < kReadWords && r.problem.empty(); ++a) {
      if (st.ReadBuffer[a] != Pattern(a)) r.problem = "word " + std::to_string(a) + " misread";
    }
  }
  if (!chip.violations().empty()) r.problem += " violation: " + chip.violations().front().what;
  return r;
}

double Access_Cost_Ns(bool write, int batches, int per_batch) {
  RealClock real;
  sim::Board board(kBrannock, real, kLpt1);
  sim::Chip chip(sim::ChipKind::Pic16F84A);
  board.insert(&chip);
  std::vector<std::int64_t> samples;
  std::uint8_t value = 0x0C;
  unsigned sink = 0;
  for (int b = 0; b < batches; ++b) {
    const std::int64_t start = Now_Ns();
    for (int i = 0; i < per_batch; ++i) {
      if (write) {
        value ^= 0x02;  // the clock line, with Vpp removed: the chip is not listening
        board.write(kLpt1, value);
      } else {
        sink += board.read(kLpt1 + 1);
      }
    }
    samples.push_back(Now_Ns() - start);
    board.clear_events();
  }
  if (sink == 1) std::puts("");  // keeps the reads from being optimised away
  return Summarise(std::move(samples)).median_ns / per_batch;
}

}  // namespace

void Run_Block_Benchmarks(const Budget& budget, std::FILE* out) {
  Table table({"transfer", "waits", "port accesses", "nominal waits", "reps", "median", "p99",
               "median ratio", "p99 ratio", "result"});
  for (const bool write : {false, true}) {
    for (const bool sleeps : {true, false}) {
      const Run first = Transfer(write, sleeps);  // also the warm-up
      const int reps = budget.Reps_For(static_cast<double>(first.nominal_ns));
      std::vector<std::int64_t> samples;
      std::string problem = first.problem;
      for (int i = 0; i < reps; ++i) {
        const Run r = Transfer(write, sleeps);
        samples.push_back(r.wall_ns);
        if (problem.empty()) problem = r.problem;
      }
      const Summary s = Summarise(samples);
      const double nominal = static_cast<double>(first.nominal_ns);
      table.Add({write ? "Write_Block, 16 words all programmed" : "Read_Block, 128 words",
                 sleeps ? "sleep, spin the last stretch" : "busy wait (as before)",
                 std::to_string(first.accesses), Format_Duration(nominal), std::to_string(s.reps),
                 Format_Duration(s.median_ns), Format_Duration(s.p99_ns),
                 Format_Ratio(s.median_ns / nominal), Format_Ratio(s.p99_ns / nominal),
                 problem.empty() ? "ok, no violation" : problem});
    }
  }
  table.Print(out);

  std::fprintf(out, "\n");
  Table access({"simulated board, one access", "median cost"});
  const int batches = budget.max_reps >= 2000 ? 200 : 20;
  access.Add(
      {"read of the status register", Format_Duration(Access_Cost_Ns(false, batches, 10000))});
  access.Add({"write of the data register", Format_Duration(Access_Cost_Ns(true, batches, 10000))});
  access.Print(out);
}

}  // namespace corvane::bench
