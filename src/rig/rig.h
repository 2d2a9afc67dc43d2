// A programmer assembled from the --board and --trace options: the clock, the port backend (the
// machine's parallel ports or the simulated board and chip), an optional trace, and the simulated
// chip's state file.
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "hardware/clock.h"
#include "hardware/interruption.h"
#include "hardware/port_io.h"
#include "hardware/trace.h"
#include "platform/file_lock.h"
#include "rig/board_spec.h"
#include "rig/port_diagnosis_tee.h"
#include "rig/trace_file.h"
#include "sim/board.h"
#include "sim/board_meter.h"
#include "sim/board_violations.h"
#include "sim/chip.h"
#include "state/working_state.h"

namespace corvane {

// Why a programmer could not be assembled.
enum class RigFailure {
  kUsage,        // the options name something unusable (a usage error)
  kUnavailable,  // this system has no parallel-port backend
  kInUse,        // the state file is in use by another program (a file error)
  kStopped,      // a request to stop came while a file (a FIFO) was being opened
};

class Rig {
 public:
  // Builds the programmer. The simulated chip's state file is locked for the whole run (another
  // run on it is refused at once: "FILE is in use by another program") and read now when it
  // exists (a missing or empty file is an erased chip; one that cannot be examined, or is not a
  // regular file, is refused), the simulated faults are put in place and the trace file is
  // created now, unless it is the state file. Null with a reason on failure, before anything was
  // written, and the kind of failure in *failure. The working state tells the VCD trace which
  // port and board the discovery found on the machine's ports, and the way out which lines to
  // leave safe. Every port access and wait checks `interrupts` (null: the process's signals) and
  // throws Interrupted once a request to stop is pending; so does the wait for a FIFO's reader.
  static std::unique_ptr<Rig> Make(const BoardSpec& spec, const std::string& trace_path,
                                   const WorkingState& st, std::ostream& diagnostics,
                                   std::string* error, InterruptSource* interrupts = nullptr,
                                   RigFailure* failure = nullptr);
  ~Rig();

  PortIo& port() { return *interruptible_port_; }
  Clock& clock() { return *interruptible_clock_; }
  sim::Board* board() { return board_.get(); }
  sim::Chip* chip() { return chip_.get(); }
  // The simulated chip's violations; null for the machine's ports, which cannot see any.
  ViolationSource* violations() { return violations_.get(); }
  // What the port layer said about the machine's ports (also written to the diagnostics stream);
  // null for the simulated board.
  const PortDiagnosis* port_diagnosis() const { return diagnosis_.get(); }
  // The simulated board measuring its socket for the board test; null for the machine's ports,
  // where the user measures.
  LineMeter* meter() { return meter_.get(); }
  // Where requests to stop come from.
  InterruptSource& interrupts() { return *interrupts_; }

  // The way out, after a normal end or an interruption alike: when a board was found, leaves its
  // lines idle as its description says (Vpp removed, and the lines it names; Brannock: D3 set, the
  // other lines as they were; Tessel: 0x00), then releases the port, flushes the trace (whose last
  // line is that write) and writes the simulated chip back to its state file as it stands. Runs
  // once; no request to stop can cut it short. False with a reason when the state file cannot be
  // written.
  bool Finish(const WorkingState& st, std::string* error);

  // Writes the simulated chip back to its state file, when there is one. False with a reason
  // ("state file S.hex: Permission denied").
  bool Save_State(std::string* error);

  // Why the trace stopped being written ("trace FILE: REASON"); empty while it is whole.
  std::string Trace_Failure() const;
  // Flushes the trace. False with Trace_Failure's text when that or any write failed.
  bool Finish_Trace(std::string* error);

 private:
  Rig() = default;
  bool Lock_State(RigFailure* failure, std::string* error);
  bool Load_State(std::string* error);
  bool Set_Faults(std::string* error);
  void Leave_Lines_Safe(const WorkingState& st);

  // What the port is once released: reads 0xFF, writes go nowhere.
  class EmptyBus final : public PortIo {
   public:
    std::uint8_t read(std::uint16_t) override { return 0xFF; }
    void write(std::uint16_t, std::uint8_t) override {}
  };

  BoardSpec spec_;
  SignalInterrupts signals_;
  std::unique_ptr<platform::FileLock> state_lock_;
  bool state_created_ = false;  // the state file was made empty to be locked
  bool state_written_ = false;
  InterruptSource* interrupts_ = nullptr;
  EmptyBus released_;
  std::unique_ptr<Clock> clock_;
  std::unique_ptr<sim::Chip> chip_;
  std::unique_ptr<sim::Board> board_;
  std::unique_ptr<sim::BoardViolations> violations_;
  std::unique_ptr<PortDiagnosisTee> diagnosis_;
  std::unique_ptr<sim::BoardMeter> meter_;
  std::unique_ptr<PortIo> system_port_;
  PortIo* backend_ = nullptr;
  std::string trace_path_;
  std::unique_ptr<TraceFile> trace_file_;
  std::unique_ptr<TracingPort> tracing_;
  std::unique_ptr<InterruptiblePort> interruptible_port_;
  std::unique_ptr<InterruptibleClock> interruptible_clock_;
  bool finished_ = false;
};

}  // namespace corvane
