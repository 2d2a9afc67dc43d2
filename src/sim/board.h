// A simulated programmer board on a parallel port, wired as any board description says, with a
// socket for a simulated chip. It implements the port itself: the data register at base, the
// status register at base + 1 and, on a board with lines on it, the control register at base + 2;
// any other address is an empty port (reads 0xFF, writes ignored).
//
// Each output line is on when every one of its pins is (boards/board_lines.h). A board that does
// not switch Vdd powers the chip all the time. The data-in bit of the status register shows the
// data line, and a loop-back's input bit follows its output.
// - Brannock: D0 set drives the data line low (clear releases it high), D1 set holds the clock
//   low, D2 set applies Vdd (the chip is powered then, and only then), D3 clear applies Vpp to
//   MCLR. Status bit 7 reads 0.
// - Tessel (a board with the Tessel reset line): the chip is always powered. D5 set holds MCLR
//   low (reset) and wins over D3; D3 set switches Vpp onto MCLR, which reaches the programming
//   voltage 5 us after the write, so the byte 0x0B (data low, clock low, Vpp) enters programming
//   mode. D4 loops back to status bit 7.
// - Every other board (the Brannock hardware among them): once Vpp is removed, MCLR takes
//   vpp_fall_ns to fall to the chip's reset level; Vpp applied again sooner does not restart
//   programming mode (see Pins::mclr_discharged).
// The data line is the wired-AND of the host's driver and the chip's, unless a fault holds it
// stuck or the chip's own running program drives it (the programmer's drivers reach the pins
// through series resistors, so the chip wins). The other status bits read 0: the board leaves the
// port's other status inputs pulled to the level that reads 0, and the reserved bits read 0 as on
// most ports.
//
// Every access is stamped with the injected clock; the board never advances time itself. Each
// access is delivered to the chip (and to the protocol decoder) at its time, so the chip checks
// the host's waits as they really were.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "hardware/clock.h"
#include "hardware/port_io.h"
#include "sim/chip.h"
#include "sim/protocol_decoder.h"
#include "sim/timing.h"
#include "state/board_description.h"
#include "state/working_state.h"

namespace corvane::sim {

class Board : public PortIo {
 public:
  // One of the two original boards. vpp_rise_ns: the Tessel board's Vpp switch, from the write to
  // MCLR at Vpp. vpp_fall_ns: the MCLR discharge of a board without the Tessel reset line, from
  // the write that removes Vpp to the chip's reset level.
  Board(BoardKind kind, Clock& clock, std::uint16_t base = 0x378,
        std::int64_t vpp_rise_ns = kTesselVppRiseNs, std::int64_t vpp_fall_ns = kBrannockVppFallNs);
  // Any described board (null: the Brannock hardware); vpp_rise_ns and vpp_fall_ns as above.
  Board(std::shared_ptr<const BoardDescription> description, Clock& clock,
        std::uint16_t base = 0x378, std::int64_t vpp_rise_ns = kTesselVppRiseNs,
        std::int64_t vpp_fall_ns = kBrannockVppFallNs);
  Board(const Board&) = delete;
  Board& operator=(const Board&) = delete;

  BoardKind kind() const { return kind_; }
  const BoardDescription& description() const { return *board_; }
  std::uint16_t base() const { return base_; }

  // Puts a chip in the socket (nullptr: an empty socket). The chip taken out loses power; the
  // board does not own either.
  void insert(Chip* chip);
  Chip* chip() const { return chip_; }

  // Fault: the data line stuck at 0 or 1 whatever drives it; nullopt clears the fault.
  void set_stuck_data(std::optional<int> level);
  // Fault: the board goes away once this many more port accesses have been made (0: at the next
  // one). From then on its port reads 0xFF like an empty one, writes are lost and the chip loses
  // power, as when the cable is pulled mid-operation. A negative count cancels a pending
  // disconnection; a board that has gone stays gone.
  void disconnect_after(long accesses);
  bool disconnected() const { return gone_; }
  // The level on the chip's PGM pin (RB4 on the 62xA). The built-in boards tie it low; a test
  // raises it to see the chip answer an edge.
  void set_pgm(bool high);

  std::uint8_t data_register() const { return reg_; }
  std::uint8_t control_register() const { return control_; }
  // True while the data line is high (as the status register would show it, inverted).
  bool data_line_high() const;
  // The levels on the socket's pins now, as a meter on it would read them (after settle()); the
  // data line as it is, whoever drives it.
  Pins socket_pins();

  // The host's protocol as decoded from the lines, chip or no chip.
  const std::vector<ProtocolEvent>& events() const { return decoder_.events(); }
  long events_dropped() const { return decoder_.dropped(); }
  void clear_events() { decoder_.clear(); }

  std::uint8_t read(std::uint16_t address) override;
  void write(std::uint16_t address, std::uint8_t value) override;

  // Brings the board up to the clock's time without a port access: the only line change that
  // happens between accesses is the Tessel board's Vpp reaching MCLR, which the chip otherwise
  // sees at the next access. For looking at the chip after a wait.
  void settle();

 private:
  bool arrive(std::int64_t t);
  void catch_up(std::int64_t t);
  void go_away(std::int64_t t);
  bool vpp_switched() const { return levels_.vpp; }
  bool serves(std::uint16_t address) const;
  // Works out what the registers drive, after a write.
  void Drive_Levels();
  bool rises_slowly() const;
  Pins host_pins() const;
  void update(std::int64_t t);

  std::shared_ptr<const BoardDescription> board_;
  BoardKind kind_;
  Clock& clock_;
  std::uint16_t base_;
  std::int64_t vpp_rise_ns_;
  std::int64_t vpp_fall_ns_;
  Chip* chip_ = nullptr;
  std::optional<int> stuck_;
  bool pgm_ = false;
  long remaining_ = -1;  // accesses before the board goes away; -1: never
  bool gone_ = false;
  std::uint8_t reg_ = 0;
  std::uint8_t control_ = 0;
  bool control_wired_ = false;  // a line of the board is on the control register
  // What the registers drive, as of the last write: Vpp switched onto MCLR (before its rise
  // time), Vdd, the clock and the host's data driver.
  struct Levels {
    bool vpp = false;
    bool vdd = false;
    bool clock = false;
    bool data = false;
  } levels_;
  // Tessel: Vpp switched on at a write reaches MCLR's programming level at vpp_at_.
  bool vpp_reached_ = false;
  std::int64_t vpp_at_ = 0;
  // Other boards: when Vpp was last removed, and whether MCLR had discharged when it came back.
  std::int64_t vpp_removed_at_ = INT64_MIN / 4;
  bool mclr_discharged_ = true;
  ProtocolDecoder decoder_;
};

}  // namespace corvane::sim
