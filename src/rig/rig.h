// A programmer assembled from the --board and --trace options: the clock, the port backend (the
// machine's parallel ports or the simulated board and chip), an optional trace, and the simulated
// chip's state file.
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "hardware/clock.h"
#include "hardware/parport_devices.h"
#include "hardware/parport_linux.h"
#include "hardware/port_io.h"
#include "hardware/trace.h"
#include "rig/board_spec.h"
#include "rig/trace_file.h"
#include "sim/board.h"
#include "sim/board_violations.h"
#include "sim/chip.h"

namespace corvane {

class Rig {
 public:
  // Builds the programmer. The simulated chip's state file is read now when it exists (a missing
  // file is an erased chip; one that cannot be examined, or is not a regular file, is refused),
  // the simulated faults are put in place and the trace file is created now, unless it is the
  // state file. Null with a reason on failure, before anything was written. The working state
  // tells the VCD trace which port and board the discovery found on the machine's ports.
  static std::unique_ptr<Rig> Make(const BoardSpec& spec, const std::string& trace_path,
                                   const WorkingState& st, std::ostream& diagnostics,
                                   std::string* error);
  ~Rig();

  PortIo& port() { return tracing_ ? static_cast<PortIo&>(*tracing_) : *backend_; }
  Clock& clock() { return *clock_; }
  sim::Board* board() { return board_.get(); }
  sim::Chip* chip() { return chip_.get(); }
  // The simulated chip's violations; null for the machine's ports, which cannot see any.
  ViolationSource* violations() { return violations_.get(); }

  // Writes the simulated chip back to its state file, when there is one. False with a reason
  // ("state file S.hex: Permission denied").
  bool Save_State(std::string* error);

  // Why the trace stopped being written ("trace FILE: REASON"); empty while it is whole.
  std::string Trace_Failure() const;
  // Flushes the trace. False with Trace_Failure's text when that or any write failed.
  bool Finish_Trace(std::string* error);

 private:
  Rig() = default;
  bool Load_State(std::string* error);
  bool Set_Faults(std::string* error);

  BoardSpec spec_;
  std::unique_ptr<Clock> clock_;
  std::unique_ptr<sim::Chip> chip_;
  std::unique_ptr<sim::Board> board_;
  std::unique_ptr<sim::BoardViolations> violations_;
  std::unique_ptr<LinuxParportDevices> devices_;
  std::unique_ptr<ParportIo> parport_;
  PortIo* backend_ = nullptr;
  std::string trace_path_;
  std::unique_ptr<TraceFile> trace_file_;
  std::unique_ptr<TracingPort> tracing_;
};

}  // namespace corvane
