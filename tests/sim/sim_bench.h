// Test benches for the simulated programmer: the real host code (Lines, word transfers, block
// procedures) driving a simulated board and chip in virtual time, and a raw host that puts exact
// register bytes on the board at exact times.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hardware/clock.h"
#include "hardware/lines.h"
#include "protocol/context.h"
#include "sim/board.h"
#include "sim/chip.h"
#include "state/panel.h"
#include "state/working_state.h"

namespace corvane::sim {

// The window's services as a test sees them: message boxes are recorded, never shown.
class FakePanel : public Panel {
 public:
  void Append_Text(std::string_view message) override { log += message; }
  void Set_Status(std::string_view key, std::string_view text) override {
    status[std::string(key)] = std::string(text);
  }
  void Message_Box(std::string_view text) override { boxes.emplace_back(text); }
  void Sablier_On() override {}
  void Sablier_Off() override {}
  int Check_Vdd() const override { return check_vdd; }
  int Check_auto() const override { return kChecked; }
  std::string Device() const override { return device; }
  void Set_Device(std::string_view text) override { device = text; }
  std::string FileName() const override { return {}; }
  void Show_Fuses() override {}

  std::string log;
  std::map<std::string, std::string> status;
  std::vector<std::string> boxes;
  int check_vdd = kChecked;
  std::string device = "PIC16f84";
};

// A host whose waits are cut short: every wait lasts 1/divisor of what was asked.
class ShortWaitClock : public Clock {
 public:
  explicit ShortWaitClock(std::int64_t divisor) : divisor_(divisor) {}
  std::int64_t now_ns() override { return inner_.now_ns(); }
  void wait_until(std::int64_t deadline_ns) override {
    const std::int64_t now = inner_.now_ns();
    if (deadline_ns > now) inner_.wait_until(now + (deadline_ns - now) / divisor_);
  }
  void spin() override { inner_.spin(); }

 private:
  VirtualClock inner_;
  std::int64_t divisor_;
};

// A wait of k units as the system counts them (Delay of k x DelayUnit steps), for sequences written
// out in a test.
inline void Wait_Units(Lines& lines, int units) {
  lines.Delay(static_cast<std::int64_t>(units) * lines.state().DelayUnit);
}

// Board, chip and the host's layers wired together on LPT1.
struct SimBench {
  explicit SimBench(BoardKind kind, std::optional<ChipKind> chip_kind = ChipKind::Pic16F84A,
                    Clock* host_clock = nullptr)
      : clock(host_clock != nullptr ? *host_clock : virtual_clock),
        board(kind, clock, kLpt1),
        lines(board, clock, st),
        ctx{st, lines, panel} {
    if (chip_kind) {
      chip = std::make_unique<Chip>(*chip_kind);
      board.insert(chip.get());
    }
  }

  // Port discovery as the program runs it, then Vpp off and Vdd on: the lines as every device
  // operation leaves them.
  void connect() {
    lines.Probe_Port(kLpt2);
    if (st.PortBase == 0) lines.Probe_Port(kLpt1);
    lines.Detect_Board();
    if (st.BoardVariant == kTessel) lines.Write_Data_Register(0x00);
    lines.Vpp_Off();
    lines.Vdd_On();
  }

  VirtualClock virtual_clock;
  Clock& clock;
  Board board;
  std::unique_ptr<Chip> chip;
  WorkingState st;
  Lines lines;
  FakePanel panel;
  Context ctx;
};

// The decoded protocol as one line of text: "E" enter, "L" leave, "C<code>" a command (decimal),
// "I<word>" a word sent, "O<word>" a word read (hexadecimal).
inline std::string Words(const std::vector<ProtocolEvent>& events) {
  std::string out;
  char text[16];
  for (const ProtocolEvent& e : events) {
    switch (e.kind) {
      case ProtocolEvent::EnterProgramming:
        std::snprintf(text, sizeof text, "E");
        break;
      case ProtocolEvent::LeaveProgramming:
        std::snprintf(text, sizeof text, "L");
        break;
      case ProtocolEvent::Command:
        std::snprintf(text, sizeof text, "C%d", e.value);
        break;
      case ProtocolEvent::DataIn:
        std::snprintf(text, sizeof text, "I%X", e.value);
        break;
      case ProtocolEvent::DataOut:
        std::snprintf(text, sizeof text, "O%X", e.value);
        break;
    }
    if (!out.empty()) out += ' ';
    out += text;
  }
  return out;
}

inline std::string Violations(const Chip& chip) {
  std::string out;
  for (const Violation& v : chip.violations()) out += std::to_string(v.t_ns) + ": " + v.what + "\n";
  return out;
}

// A host that writes exact bytes to a Brannock board at exact virtual times, bit by bit.
// Register: D0 set = data low, D1 set = clock low, D2 set = Vdd, D3 clear = Vpp.
struct RawHost {
  explicit RawHost(ChipKind kind = ChipKind::Pic16F84A) : chip(kind) { board.insert(&chip); }

  void put(std::uint8_t value, std::int64_t after_ns) {
    clock.advance(after_ns);
    reg = value;
    board.write(kLpt1, value);
  }
  void set_data(int bit, std::int64_t after_ns) {
    put(static_cast<std::uint8_t>(bit ? reg & ~0x01 : reg | 0x01), after_ns);
  }
  void clock_high(std::int64_t after_ns) { put(static_cast<std::uint8_t>(reg & ~0x02), after_ns); }
  void clock_low(std::int64_t after_ns) { put(static_cast<std::uint8_t>(reg | 0x02), after_ns); }

  // Powered, Vpp off, clock and data low; Vpp after `hold` ns; then 10 us before anything else.
  void enter(std::int64_t hold = 10'000) {
    put(0x0F, 1'000);
    put(0x07, hold);
    clock.advance(10'000);
  }
  void leave(std::int64_t after_ns = 10'000) {
    put(static_cast<std::uint8_t>(reg | 0x08), after_ns);
  }

  // One clock: data set `setup` before the falling edge, held `hold` after it; `gap` before the
  // rising edge.
  void bit(int b, std::int64_t gap = 2'000, std::int64_t setup = 1'000, std::int64_t hold = 1'000) {
    clock_high(gap);
    set_data(b, 500);
    clock_low(setup);
    clock.advance(hold);
  }
  void command(int code, std::int64_t gap = 2'000) {
    for (int i = 0; i < 6; ++i) bit((code >> i) & 1, i == 0 ? gap : 2'000);
  }
  void load(int word, std::int64_t gap = 2'000) {
    bit(0, gap);
    for (int i = 0; i < 14; ++i) bit((word >> i) & 1);
    bit(0);
  }
  int read_word(std::int64_t gap = 2'000, std::int64_t sample_after_rise = 1'000) {
    set_data(1, 500);
    int word = 0;
    for (int clk = 1; clk <= 16; ++clk) {
      clock_high(clk == 1 ? gap : 2'000);
      clock.advance(sample_after_rise);
      const bool high = (board.read(kLpt1 + 1) & 0x40) == 0;
      if (clk >= 2 && clk <= 15 && high) word |= 1 << (clk - 2);
      clock_low(1'000);
    }
    return word;
  }

  VirtualClock clock;
  Board board{kBrannock, clock, kLpt1};
  Chip chip;
  std::uint8_t reg = 0;
};

}  // namespace corvane::sim
