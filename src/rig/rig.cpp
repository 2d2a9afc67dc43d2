#include "rig/rig.h"

#include <filesystem>
#include <system_error>

#include "boards/board_lines.h"
#include "boards/builtin_boards.h"
#include "hardware/system_port.h"
#include "image/hex_file.h"
#include "platform/files.h"
#include "platform/interrupt.h"
#include "protocol/hex_text.h"
#include "rig/same_file.h"

namespace corvane {

namespace {

// A state file that exists must be a regular file; a missing one is an erased chip. One whose
// existence cannot even be told (a folder that may not be searched) is no erased chip either.
bool Examine_State_File(const std::string& path, std::string* error) {
  std::error_code ec;
  const auto status = std::filesystem::status(platform::File_Path(path), ec);
  if (ec && ec != std::errc::no_such_file_or_directory) {
    *error = "state file " + path + ": " + ec.message();
    return false;
  }
  if (!ec && !std::filesystem::is_regular_file(status)) {
    *error = "state file " + path + ": not a regular file";
    return false;
  }
  return true;
}

// The trace file is created empty at start: it must not be the file the chip is kept in.
bool Check_Trace_Path(const BoardSpec& spec, const std::string& trace_path, std::string* error) {
  const std::string& state = spec.sim.state_file;
  if (spec.simulated && !state.empty() && !trace_path.empty() && Same_File(trace_path, state)) {
    *error = "--trace " + trace_path + ": the same file as the state file " + state;
    return false;
  }
  return true;
}

TracedBoard Traced_Board(const BoardSpec& spec, const WorkingState& st, const sim::Board* board) {
  if (board != nullptr) {
    // The simulated board is known from the start: its own port and wiring.
    const std::uint16_t port = spec.sim.port;
    const BoardKind kind = board->kind();
    return {[port] { return port; }, [kind] { return kind; },
            [board] { return &board->description(); }};
  }
  // The machine's ports: the port and board as the discovery finds them.
  return {[&st] { return static_cast<std::uint16_t>(st.PortBase); },
          [&st] { return static_cast<BoardKind>(st.BoardVariant); },
          [&st] { return &Board_In_Use(st); }};
}

}  // namespace

std::unique_ptr<Rig> Rig::Make(const BoardSpec& spec, const std::string& trace_path,
                               const WorkingState& st, std::ostream& diagnostics,
                               std::string* error, InterruptSource* interrupts,
                               RigFailure* failure) {
  RigFailure ignored = RigFailure::kUsage;
  if (failure == nullptr) failure = &ignored;
  *failure = RigFailure::kUsage;
  std::unique_ptr<Rig> rig(new Rig());
  rig->spec_ = spec;
  rig->trace_path_ = trace_path;
  rig->interrupts_ = interrupts != nullptr ? interrupts : &rig->signals_;
  if (spec.simulated && !spec.sim.state_file.empty() &&
      !Examine_State_File(spec.sim.state_file, error)) {
    return nullptr;
  }
  if (!Check_Trace_Path(spec, trace_path, error)) return nullptr;
  if (spec.simulated && spec.sim.chip && !rig->Lock_State(failure, error)) return nullptr;
  if (spec.simulated && spec.sim.virtual_time) {
    rig->clock_ = std::make_unique<VirtualClock>();
  } else {
    rig->clock_ = std::make_unique<RealClock>();
  }
  if (spec.simulated) {
    rig->board_ = std::make_unique<sim::Board>(
        spec.sim.description ? spec.sim.description
                             : (spec.sim.board == kTessel ? Tessel_Board() : Brannock_Board()),
        *rig->clock_, spec.sim.port);
    if (spec.sim.chip) {
      rig->chip_ = std::make_unique<sim::Chip>(*spec.sim.chip);
      rig->chip_->set_program_drives_lines(spec.sim.program_drives_lines);
      if (spec.sim.device_id) rig->chip_->set_device_id(*spec.sim.device_id);
      rig->board_->insert(rig->chip_.get());
      if (!rig->Load_State(error)) return nullptr;
    }
    rig->violations_ = std::make_unique<sim::BoardViolations>(*rig->board_);
    rig->meter_ = std::make_unique<sim::BoardMeter>(*rig->board_);
    if (!rig->Set_Faults(error)) return nullptr;
    rig->backend_ = rig->board_.get();
  } else {
    rig->diagnosis_ = std::make_unique<PortDiagnosisTee>(diagnostics);
    rig->system_port_ = Open_System_Port(spec.lpt, rig->diagnosis_->stream(), error);
    if (!rig->system_port_) {
      *failure = RigFailure::kUnavailable;
      return nullptr;
    }
    rig->backend_ = rig->system_port_.get();
  }
  if (!trace_path.empty()) {
    InterruptSource& source = *rig->interrupts_;
    bool stopped = false;
    rig->trace_file_ = TraceFile::Open(
        trace_path, Traced_Board(spec, st, rig->board_.get()), error,
        [&source] { return source.Pending() != 0; }, &stopped);
    if (!rig->trace_file_) {
      if (stopped) {
        *failure = RigFailure::kStopped;
        *error = "interrupted by " + platform::Interrupt_Name(source.Pending());
      }
      return nullptr;
    }
    rig->tracing_ = std::make_unique<TracingPort>(*rig->backend_, *rig->clock_, *rig->trace_file_);
  }
  PortIo& outer = rig->tracing_ ? static_cast<PortIo&>(*rig->tracing_) : *rig->backend_;
  rig->interruptible_port_ = std::make_unique<InterruptiblePort>(outer, *rig->interrupts_);
  rig->interruptible_clock_ = std::make_unique<InterruptibleClock>(*rig->clock_, *rig->interrupts_);
  return rig;
}

Rig::~Rig() {
  std::string ignored;
  if (trace_file_) trace_file_->Finish(&ignored);
  // A run given up before it started, or whose state could not be written, leaves no empty state
  // file of its own making behind.
  if (state_created_ && !state_written_) {
    std::error_code ec;
    if (std::filesystem::file_size(platform::File_Path(spec_.sim.state_file), ec) == 0 && !ec) {
      std::filesystem::remove(platform::File_Path(spec_.sim.state_file), ec);
    }
  }
}

bool Rig::Lock_State(RigFailure* failure, std::string* error) {
  const std::string& path = spec_.sim.state_file;
  if (path.empty()) return true;
  platform::LockResult locked = platform::Lock_File(path);
  if (!locked.lock) {
    if (locked.in_use) *failure = RigFailure::kInUse;
    *error = locked.in_use ? platform::File_Failure(path, locked.reason)
                           : "state file " + path + ": " + locked.reason;
    return false;
  }
  state_lock_ = std::move(locked.lock);
  state_created_ = locked.created;
  return true;
}

bool Rig::Set_Faults(std::string* error) {
  const SimFaults& f = spec_.sim.faults;
  if (f.stuck_data) board_->set_stuck_data(*f.stuck_data);
  if (f.lost_after >= 0) board_->disconnect_after(f.lost_after);
  for (int a : f.stuck_words) {
    if (!chip_) {
      *error = "board option fault=stuck-word needs a chip in the socket";
      return false;
    }
    const bool program = a < chip_->program_size();
    const bool configuration = (a >= 0x2000 && a <= 0x2003) || a == 0x2007;
    if (!program && !configuration) {
      *error = "board option fault=stuck-word:" + Hex(a) + ": the chip has no such word (0-" +
               Hex(chip_->program_size() - 1) + ", 2000-2003, 2007)";
      return false;
    }
    chip_->set_unprogrammable_word(a);
  }
  return true;
}

void Rig::Leave_Lines_Safe(const WorkingState& st) {
  if (st.PortBase == 0 || !backend_) return;  // no board found: discovery left the port as it was
  // Past the interruption check, through the trace, and only to the registers of the port in use.
  PortIo& raw = tracing_ ? static_cast<PortIo&>(*tracing_) : *backend_;
  GuardedPort port(raw);
  const auto base = static_cast<std::uint16_t>(st.PortBase);
  const BoardDescription& board = Board_In_Use(st);
  if (board.has(kByteReset)) {
    interrupts_->Passing(WayOut::kLinesSafeRead);
    port.write(base, 0x00);  // the Tessel board's rest, as its reset leaves it
    return;
  }
  std::vector<LineLevel> idle = {{Line::kVpp, false}};
  if (board.idle_vdd) idle.push_back({Line::kVdd, *board.idle_vdd});
  if (board.idle_clock) idle.push_back({Line::kClock, *board.idle_clock});
  if (board.idle_data) idle.push_back({Line::kDataOut, *board.idle_data});
  for (PortRegister reg : {PortRegister::kData, PortRegister::kControl}) {
    if (!Touches(board, reg, idle)) continue;
    const auto address = static_cast<std::uint16_t>(base + static_cast<int>(reg));
    const std::uint8_t value = Driven(board, reg, port.read(address), idle);
    interrupts_->Passing(WayOut::kLinesSafeRead);
    port.write(address, value);
  }
}

bool Rig::Finish(const WorkingState& st, std::string* error) {
  if (finished_) return true;
  finished_ = true;
  interrupts_->Passing(WayOut::kStart);
  Leave_Lines_Safe(st);
  // Let go of the port before anything else can fail; from now on the lines see an empty bus.
  interruptible_port_ = std::make_unique<InterruptiblePort>(released_, *interrupts_);
  tracing_.reset();
  backend_ = nullptr;
  system_port_.reset();
  interrupts_->Passing(WayOut::kLinesSafe);
  const bool saved = Save_State(error);
  interrupts_->Passing(WayOut::kStateWritten);
  return saved;
}

bool Rig::Load_State(std::string* error) {
  const std::string& path = spec_.sim.state_file;
  if (path.empty() || !chip_) return true;
  std::error_code ec;
  const std::filesystem::path file = platform::File_Path(path);
  // A new, erased chip (examined before): no file, or the empty one made to be locked.
  if (!std::filesystem::exists(file, ec) || std::filesystem::file_size(file, ec) == 0) return true;
  ChipContents c;
  if (!Read_Chip_Hex(path, chip_->program_size(), chip_->eeprom_size(), &c, error)) {
    *error = "state file " + path + ": " + *error;
    return false;
  }
  for (int a = 0; a < chip_->program_size(); ++a) chip_->set_program(a, c.program[a]);
  for (int a = 0; a < chip_->eeprom_size(); ++a) chip_->set_eeprom(a, c.eeprom[a]);
  for (int i = 0; i < 4; ++i) chip_->set_user_id(i, c.user_ids[i]);
  chip_->set_config(c.config);
  if (c.config2 && chip_->has_config2()) chip_->set_config2(*c.config2);
  return true;
}

bool Rig::Save_State(std::string* error) {
  const std::string& path = spec_.sim.state_file;
  if (path.empty() || !chip_) return true;
  ChipContents c;
  c.program.resize(static_cast<std::size_t>(chip_->program_size()));
  for (int a = 0; a < chip_->program_size(); ++a) c.program[a] = chip_->program(a);
  c.eeprom.resize(static_cast<std::size_t>(chip_->eeprom_size()));
  for (int a = 0; a < chip_->eeprom_size(); ++a) c.eeprom[a] = chip_->eeprom(a);
  for (int i = 0; i < 4; ++i) c.user_ids[i] = chip_->user_id(i);
  c.config = chip_->config();
  if (chip_->has_config2()) c.config2 = chip_->config2();
  interrupts_->Passing(WayOut::kStateWrite);
  if (!Write_Chip_Hex(path, c, error)) {
    *error = "state file " + path + ": " + *error;
    return false;
  }
  state_written_ = true;
  return true;
}

std::string Rig::Trace_Failure() const {
  if (!trace_file_ || trace_file_->failure().empty()) return "";
  return "trace " + trace_path_ + ": " + trace_file_->failure();
}

bool Rig::Finish_Trace(std::string* error) {
  std::string reason;
  const bool whole = !trace_file_ || trace_file_->Finish(&reason);
  interrupts_->Passing(WayOut::kTraceFlushed);
  if (whole) return true;
  *error = "trace " + trace_path_ + ": " + reason;
  return false;
}

}  // namespace corvane
