// The commands of one programming algorithm (family_87xa.h, family_62xa.h, family_88.h), run by
// the simulated chip once it has framed them. The chip keeps what every family shares: entry,
// framing, the loads, reads and Increment Address, the timing checks and the internally timed
// cycle that a clock edge cuts short. A family sees the chip through the few services below, and
// adds what is its own: latches, erase and write commands, and operations the host times itself
// (a command, a wait, then End Programming), which this base class keeps.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "sim/chip.h"

namespace corvane::sim {

class Family {
 public:
  explicit Family(Chip& chip) : chip_(chip) {}
  virtual ~Family() = default;
  Family(const Family&) = delete;
  Family& operator=(const Family&) = delete;

  // The family's model for the chip, by its facts.
  static std::unique_ptr<Family> For(Chip& chip);

  // Programming mode entered: PC is 0.
  virtual void entered() = 0;
  // Every command as soon as it is decoded, before the chip or the family runs it: an operation
  // the host was timing ends here if the command is not End Programming.
  void decoded(int code, std::int64_t t);
  // A load's data phase completed (after Load Configuration PC is already at 0x2000).
  virtual void loaded(LoadKind kind, std::uint16_t word, std::int64_t t) = 0;
  // A command other than the loads, reads and Increment Address.
  virtual void command(int code, std::int64_t t) = 0;
  // PC after Increment Address.
  virtual int next_pc(int pc) const;
  // Leaving programming mode cuts short what the host was timing.
  void leaving(std::int64_t t, const char* cause);

 protected:
  ChipMemory& memory() { return chip_.memory_; }
  const ChipFacts& facts() const { return chip_.memory_.facts(); }
  int pc() const { return chip_.pc_; }
  const char* chip_name() const { return facts().name.data(); }
  void violate(std::int64_t t, std::string what) { chip_.violate(t, std::move(what)); }
  void start_cycle(std::int64_t t, std::int64_t duration, const char* what, int address,
                   Undo undo) {
    chip_.start_cycle(t, duration, what, address, std::move(undo));
  }
  // Bulk Erase Program (9) or Data (11), waiting for the Begin that runs it (87xA, 88).
  enum BulkErase { kNoBulkErase, kBulkProgram, kBulkData };
  // What that bulk erase clears (program memory, with the user IDs when PC is in configuration
  // memory; or the data EEPROM) and its name; false, with the violation, while code protection
  // refuses it: only Chip Erase clears protected memory.
  bool bulk_erase_target(std::int64_t t, BulkErase which, EraseSet& what, const char*& name);
  // "a command of another family": the violation for a code this family does not have.
  void foreign(int code, std::int64_t t);

  // An operation the host times: its changes are made now and undone unless End Programming
  // (23) comes at least min_ns after it began (from this command's last falling edge to the
  // first rising edge of 23). address < 0: a whole memory.
  void begin_timed_by_host(std::int64_t t, std::int64_t min_ns, std::string what, int address,
                           Undo undo);
  bool timed_by_host() const { return host_op_.active; }
  // End Programming: ends the operation the host was timing; true when one was running.
  bool end_programming(std::int64_t t);

 private:
  void cut_short(std::int64_t t, const std::string& cause);

  Chip& chip_;
  struct HostTimedOp {
    bool active = false;
    std::int64_t start_ns = 0;
    std::int64_t min_ns = 0;
    std::string what;
    int address = 0;
    Undo undo;
  } host_op_;
};

}  // namespace corvane::sim
