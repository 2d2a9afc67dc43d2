// A simulated PIC16F84/84A/87x as its serial programming interface behaves: a clock-counting state
// machine fed by the levels on its pins with their times, over the flash and EEPROM cells of
// ChipMemory. The newer families (87xA, 62xA, 88) share the entry, the framing, the loads, reads,
// increments and timing checks below; their other commands are theirs, each in a file of its own
// (sim/family_87xa.h, family_62xa.h, family_88.h say what they accept), and so are these entry
// rules: the 62xA enters with Vpp before Vdd, the 88 wants Vpp within 250 us of Vdd when its
// program would run from the internal oscillator.
//
// - Programming mode is entered when MCLR rises to Vpp while clock and data are low and Vdd is
//   present (or Vdd follows Vpp within 5 us); the address counter (PC) starts at 0. It is left
//   when Vpp goes (MCLR to Vdd or low) or power is lost. Leaving is done as the datasheet says:
//   Vpp removed before Vdd, with the clock low (a clock high as MCLR falls may be taken as an
//   edge); the data line may be high then, it is not sampled without a clock edge.
// - Commands are 6 clocks, LSB first, each bit taken on the falling edge. Commands 0, 2, 3 (load)
//   and 4, 5 (read) make the next 16 clocks their data phase, whatever the host meant them to be;
//   an undefined code is ignored and takes no data phase. So a load sent without its data word
//   swallows the next 16 clocks and the chip falls back in step afterwards, as silicon does.
// - In a read phase the chip drives the line from the rising edge of data clock 2 to the rising
//   edge of clock 16: bit k from the rising edge of clock k + 2.
// - Begin Erase/Programming (8) erases and writes the loaded word at PC, Begin Programming Only
//   (24, not a 16F84 command) writes without erasing; after a data-memory load both go to the
//   EEPROM byte at PC. A write with no Load since the previous write rewrites the old latch. After
//   Bulk Erase Program (9), Bulk Erase Data (11) or the setup pair 1-7, command 8 erases instead:
//   9 program memory, 11 the data EEPROM, 1-7 by context (after a data-memory load the EEPROM; at
//   0x2007 the whole chip, protection included; elsewhere program memory, with the user IDs when
//   PC is in the configuration area). Each cycle is timed internally; any clock edge or leaving
//   programming mode before it ends cuts it short: the cells keep their old contents and a
//   violation is recorded.
// - PC counts 0..0x1FFF in program space and wraps to 0 there; Load Configuration moves it to
//   0x2000, from where it counts 0x2000..0x3FFF and wraps to 0x2000: only leaving programming
//   mode brings it back to 0.
// - Every datasheet timing (sim/timing.h) is checked in the clock's time; each breach is recorded
//   with its time and a clear text, so a test can assert that a host broke none.
// - Out of programming mode, powered, with MCLR neither held low nor at Vpp, the chip runs the
//   program it holds. A program may make RB6 and RB7 outputs (set_program_drives_lines); it then
//   drives both high, stronger than the programmer's drivers, until MCLR goes low or to Vpp.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sim/chip_kind.h"
#include "sim/chip_memory.h"
#include "sim/framer.h"

namespace corvane::sim {

// A broken datasheet timing or protocol rule.
struct Violation {
  std::int64_t t_ns;
  std::string what;
};

// The levels the board puts on the chip's pins.
struct Pins {
  bool vdd = false;       // supply present
  bool vpp = false;       // MCLR at the programming voltage
  bool clock = false;     // RB6 high
  bool data = false;      // RB7 high as driven from outside (the host's driver, or a stuck line)
  bool mclr_low = false;  // MCLR held low (reset)
  // MCLR fell below the reset level after Vpp was last removed; only read as Vpp rises again.
  bool mclr_discharged = true;
  bool pgm = false;  // PGM (RB4 on the 62xA) high; the boards tie it low
};

// The memory the last Load command aimed at.
enum LoadKind { kNoLoad, kConfigLoad, kProgramLoad, kDataLoad };

class Family;

class Chip {
 public:
  // An erased chip. revision: bits 4..0 of the identification word, -1 for the model's default.
  explicit Chip(ChipKind kind, int revision = -1);
  ~Chip();
  Chip(const Chip&) = delete;
  Chip& operator=(const Chip&) = delete;

  ChipKind kind() const { return kind_; }
  int program_size() const { return memory_.facts().program_words; }
  int eeprom_size() const { return memory_.facts().eeprom_bytes; }

  // The cells as stored, whatever the protection (out-of-range addresses throw).
  std::uint16_t program(int address) const;
  void set_program(int address, std::uint16_t word) { memory_.set_program(address, word); }
  std::uint8_t eeprom(int address) const;
  void set_eeprom(int address, std::uint8_t byte) { memory_.set_eeprom(address, byte); }
  std::uint16_t user_id(int i) const;
  void set_user_id(int i, std::uint16_t word) { memory_.set_user_id(i, word); }
  std::uint16_t config() const { return memory_.cells().config; }
  void set_config(std::uint16_t word) { memory_.set_config(word); }
  // Configuration word 2 (0x2008) of the 87/88; 0x3FFF, and set_config2 throws, on other chips.
  bool has_config2() const { return memory_.facts().has_config2; }
  std::uint16_t config2() const { return memory_.cells().config2; }
  void set_config2(std::uint16_t word) { memory_.set_config2(word); }
  // 0x3FFF for the PIC16F84, which has no identification word.
  std::uint16_t device_id() const { return memory_.device_id(); }
  // Fault: no write or erase ever changes this cell (a program address, 0x2000-0x2003 or 0x2007).
  void set_unprogrammable_word(int address) { memory_.set_stuck(address); }

  // The program in the chip makes RB6 and RB7 outputs and drives them high while it runs.
  void set_program_drives_lines(bool drives) { program_drives_ = drives; }
  // The identification word the chip answers with from now on.
  void set_device_id(std::uint16_t id) { memory_.set_device_id(id); }
  // True while the running program drives RB6 and RB7 high.
  bool drives_lines() const;

  // Violations recorded so far; past kMaxViolations further ones are only counted.
  const std::vector<Violation>& violations() const { return violations_; }
  long violations_dropped() const { return violations_dropped_; }
  void clear_violations();

  // The line interface the board drives. apply() takes the new pin levels at time t_ns (never
  // earlier than the last call); simultaneous changes are taken in the order: supplies that fall,
  // data, clock, supplies that rise.
  void apply(std::int64_t t_ns, const Pins& pins);
  // False while the chip pulls the data line low.
  bool data_out() const { return !drive_low_; }
  // The host read the data line at t_ns: checks that the chip's output had settled (Tdly3).
  void host_samples(std::int64_t t_ns);

  bool in_programming_mode() const { return programming_; }
  // How long write and erase cycles have run, each from its begin command to the edge that
  // followed its end (for the benchmarks' split of a run's time).
  std::int64_t busy_ns() const { return busy_ns_; }
  int address_counter() const { return pc_; }

  static constexpr std::size_t kMaxViolations = 10'000;

 private:
  friend class Family;
  enum EraseRequest { kNoErase, kEraseProgram, kEraseData, kSetupErase };

  void power_lost(std::int64_t t);
  void vpp_removed(std::int64_t t);
  void leave_programming(std::int64_t t, const char* cause);
  void power_applied(std::int64_t t);
  void try_enter(std::int64_t t, std::int64_t vpp_t, bool lines_driven);
  void resume(std::int64_t t);
  void data_changed(std::int64_t t);
  void clock_changed(std::int64_t t);
  void rising(std::int64_t t);
  void falling(std::int64_t t);
  void execute(int code, std::int64_t t);
  void execute_family(int code, std::int64_t t);
  bool entry_refused(std::int64_t t);
  void pgm_changed(std::int64_t t);
  void begin_cycle(std::int64_t t, bool erase_first);
  // Starts an internally timed cycle whose changes are already made: undo restores the cells if
  // it is cut short. address < 0: a whole memory.
  void start_cycle(std::int64_t t, std::int64_t duration, const char* what, int address, Undo undo);
  void end_cycle(std::int64_t t, const char* cause);
  void drive(bool bit, std::int64_t t);
  void violate(std::int64_t t, std::string what);

  ChipKind kind_;
  ChipMemory memory_;
  std::unique_ptr<Family> family_;  // null: the 84 and 84A/87x model below
  bool program_drives_ = false;
  std::vector<Violation> violations_;
  long violations_dropped_ = 0;

  Pins pins_{};  // an unplugged chip's pins sit at 0 V
  std::int64_t clock_low_since_;
  std::int64_t data_low_since_;
  std::int64_t vpp_since_ = 0;
  std::int64_t vdd_since_ = 0;
  // Programming mode was last left by removing Vpp, with power kept: when and with which address.
  bool left_by_vpp_ = false;
  std::int64_t left_ns_ = 0;
  int left_pc_ = 0;

  // Programming mode.
  bool programming_ = false;
  // A 62xA entered with Vdd first: it reads, but a write or erase it begins is a violation.
  bool vdd_first_entry_ = false;
  std::int64_t busy_ns_ = 0;
  std::int64_t entered_ns_ = 0;
  bool clock_seen_ = false;
  std::int64_t last_fall_ns_ = 0;
  std::int64_t command_start_ns_ = 0;  // first rising edge of the command being clocked in
  bool last_fall_latched_ = false;
  std::int64_t last_data_change_ns_ = 0;
  Framer framer_;
  int pc_ = 0;
  std::uint16_t latch_ = kErasedWord;
  LoadKind pending_load_ = kNoLoad;
  LoadKind last_load_ = kNoLoad;
  bool loaded_since_write_ = false;
  EraseRequest erase_ = kNoErase;
  bool setup1_ = false;
  std::uint16_t out_word_ = 0;
  bool drive_low_ = false;
  std::int64_t output_changed_ns_;

  // The erase/write cycle in progress: its cells are already written; undo_ restores them when
  // the cycle is cut short.
  bool cycle_active_ = false;
  std::int64_t cycle_start_ns_ = 0;
  std::int64_t cycle_end_ns_ = 0;
  const char* cycle_what_ = "";
  int cycle_address_ = 0;
  Undo undo_;
};

}  // namespace corvane::sim
