#include "rig/rig.h"

#include <filesystem>

#include "image/hex_file.h"

namespace corvane {

std::unique_ptr<Rig> Rig::Make(const BoardSpec& spec, const std::string& trace_path,
                               const std::int16_t& board_variant, std::ostream& diagnostics,
                               std::string* error) {
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
      rig->chip_->set_program_drives_lines(spec.sim.program_drives_lines);
      rig->board_->insert(rig->chip_.get());
      if (!rig->Load_State(error)) return nullptr;
    }
    rig->violations_ = std::make_unique<sim::BoardViolations>(*rig->board_);
    rig->backend_ = rig->board_.get();
  } else {
    rig->devices_ = std::make_unique<LinuxParportDevices>();
    rig->parport_ = std::make_unique<ParportIo>(*rig->devices_, spec.lpt, diagnostics);
    rig->backend_ = rig->parport_.get();
  }
  if (!trace_path.empty()) {
    rig->trace_file_ = Open_Trace_File(trace_path, board_variant, error);
    if (!rig->trace_file_) return nullptr;
    rig->tracing_ =
        std::make_unique<TracingPort>(*rig->backend_, *rig->clock_, *rig->trace_file_->sink);
  }
  return rig;
}

Rig::~Rig() {
  if (trace_file_) trace_file_->stream.flush();
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
