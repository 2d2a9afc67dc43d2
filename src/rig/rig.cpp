#include "rig/rig.h"

#include <filesystem>

#include "hardware/registers.h"
#include "hardware/system_port.h"
#include "image/hex_file.h"

namespace corvane {

std::unique_ptr<Rig> Rig::Make(const BoardSpec& spec, const std::string& trace_path,
                               const std::int16_t& board_variant, std::ostream& diagnostics,
                               std::string* error, InterruptSource* interrupts, bool* unavailable) {
  if (unavailable != nullptr) *unavailable = false;
  std::unique_ptr<Rig> rig(new Rig());
  rig->spec_ = spec;
  if (spec.simulated && spec.sim.virtual_time) {
    rig->clock_ = std::make_unique<VirtualClock>();
  } else {
    rig->clock_ = std::make_unique<RealClock>();
  }
  if (spec.simulated) {
    rig->board_ = std::make_unique<sim::Board>(spec.sim.board, *rig->clock_, spec.sim.port);
    if (spec.sim.chip) {
      rig->chip_ = std::make_unique<sim::Chip>(*spec.sim.chip);
      rig->board_->insert(rig->chip_.get());
      if (!rig->Load_State(error)) return nullptr;
    }
    rig->backend_ = rig->board_.get();
  } else {
    rig->system_port_ = Open_System_Port(spec.lpt, diagnostics, error);
    if (!rig->system_port_) {
      if (unavailable != nullptr) *unavailable = true;
      return nullptr;
    }
    rig->backend_ = rig->system_port_.get();
  }
  if (!trace_path.empty()) {
    rig->trace_file_ = Open_Trace_File(trace_path, board_variant, error);
    if (!rig->trace_file_) return nullptr;
    rig->tracing_ =
        std::make_unique<TracingPort>(*rig->backend_, *rig->clock_, *rig->trace_file_->sink);
  }
  PortIo& outer = rig->tracing_ ? static_cast<PortIo&>(*rig->tracing_) : *rig->backend_;
  rig->interrupts_ = interrupts != nullptr ? interrupts : &rig->signals_;
  rig->interruptible_port_ = std::make_unique<InterruptiblePort>(outer, *rig->interrupts_);
  rig->interruptible_clock_ = std::make_unique<InterruptibleClock>(*rig->clock_, *rig->interrupts_);
  return rig;
}

Rig::~Rig() {
  if (trace_file_) trace_file_->stream.flush();
}

void Rig::Leave_Lines_Safe(const WorkingState& st) {
  if (st.PortBase == 0 || !backend_) return;  // no board found: discovery left the port as it was
  // Past the interruption check, through the trace, and only to the data register in use.
  PortIo& raw = tracing_ ? static_cast<PortIo&>(*tracing_) : *backend_;
  GuardedPort port(raw);
  const auto data = static_cast<std::uint16_t>(st.PortBase);
  if (st.BoardVariant == kTessel) {
    port.write(data, 0x00);
  } else {
    port.write(data, static_cast<std::uint8_t>(port.read(data) | reg::kD3Vpp));
  }
}

bool Rig::Finish(const WorkingState& st, std::string* error) {
  if (finished_) return true;
  finished_ = true;
  Leave_Lines_Safe(st);
  // Let go of the port before anything else can fail; from now on the lines see an empty bus.
  interruptible_port_ = std::make_unique<InterruptiblePort>(released_, *interrupts_);
  tracing_.reset();
  backend_ = nullptr;
  system_port_.reset();
  if (trace_file_) trace_file_->stream.flush();
  return Save_State(error);
}

bool Rig::Load_State(std::string* error) {
  const std::string& path = spec_.sim.state_file;
  if (path.empty() || !chip_) return true;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return true;  // a new, erased chip
  ChipContents c;
  if (!Read_Chip_Hex(path, chip_->program_size(), chip_->eeprom_size(), &c, error)) {
    *error = "chip state " + path + ": " + *error;
    return false;
  }
  for (int a = 0; a < chip_->program_size(); ++a) chip_->set_program(a, c.program[a]);
  for (int a = 0; a < chip_->eeprom_size(); ++a) chip_->set_eeprom(a, c.eeprom[a]);
  for (int i = 0; i < 4; ++i) chip_->set_user_id(i, c.user_ids[i]);
  chip_->set_config(c.config);
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
  if (!Write_Chip_Hex(path, c, error)) {
    *error = "chip state " + path + ": " + *error;
    return false;
  }
  return true;
}

}  // namespace corvane
