#include "hardware/inpout_port.h"

#include <cctype>
#include <charconv>
#include <cstdio>

#include "hardware/lpt_option.h"
#include "state/working_state.h"

namespace corvane {

namespace {

std::string Hex_Address(std::uint16_t address) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%03X", static_cast<unsigned>(address));
  return text;
}

}  // namespace

std::optional<std::uint16_t> Parse_Io_Address(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text.remove_prefix(2);
  if (text.empty() || text.size() > 4) return std::nullopt;
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  // The control register sits at base + 2; the lowest addresses belong to the system board.
  if (value < 0x100 || value > 0xFFFD) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

bool Parse_InpOut_Option(std::string_view spec, LptSpec* out, std::string* error) {
  auto address = [](const std::string& key, std::string_view value, std::string* kept) {
    const std::optional<std::uint16_t> parsed = Parse_Io_Address(value);
    if (!parsed) {
      return key + " address '" + std::string(value) +
             "' is not a hexadecimal I/O address from 0x100 to 0xFFFD (e.g. 0xD010)";
    }
    *kept = Hex_Address(*parsed);
    return std::string();
  };
  LptSpec parsed;
  if (!Parse_Lpt_Option(spec, "ADDRESS", address, &parsed, error)) return false;
  const std::uint16_t lpt1 = parsed.lpt1.empty() ? kLpt1 : *Parse_Io_Address(parsed.lpt1);
  const std::uint16_t lpt2 = parsed.lpt2.empty() ? kLpt2 : *Parse_Io_Address(parsed.lpt2);
  if (lpt1 + 2 >= lpt2 && lpt2 + 2 >= lpt1) {
    return Lpt_Option_Failure(error, spec, "lpt1 and lpt2 would share a register");
  }
  if (out != nullptr) *out = parsed;
  return true;
}

bool InpOutLibrary::Open(std::string* why) {
  std::string reason;
  library_ = platform::Load_Shared_Library(name_, &reason);
  if (!library_) {
    *why = name_ + " cannot be loaded (" + reason +
           "): install the free InpOut driver library: put " + name_ +
           " beside corvane-cli.exe or in a folder on PATH, then run corvane-cli once as "
           "administrator so that it installs its driver";
    return false;
  }
  inp32_ = reinterpret_cast<Inp32Fn>(library_->Symbol("Inp32"));
  out32_ = reinterpret_cast<Out32Fn>(library_->Symbol("Out32"));
  const auto driver_open = reinterpret_cast<DriverOpenFn>(library_->Symbol("IsInpOutDriverOpen"));
  if (inp32_ == nullptr || out32_ == nullptr || driver_open == nullptr) {
    *why = name_ +
           " is not the InpOut driver library (it lacks Inp32, Out32 or IsInpOutDriverOpen): "
           "install the free InpOut driver library";
    library_.reset();
    return false;
  }
  if (driver_open() == 0) {
    *why = name_ +
           " is loaded but its driver is not open: run corvane-cli once as administrator so that "
           "the library installs its driver, then run it as usual";
    library_.reset();
    return false;
  }
  return true;
}

std::uint8_t InpOutLibrary::In(std::uint16_t address) {
  return static_cast<std::uint8_t>(inp32_(static_cast<short>(address)) & 0xFF);
}

void InpOutLibrary::Out(std::uint16_t address, std::uint8_t value) {
  out32_(static_cast<short>(address), static_cast<short>(value));
}

InpOutPort::InpOutPort(InpOutDriver& driver, const LptSpec& spec, std::ostream& diagnostics)
    : driver_(driver),
      diagnostics_(diagnostics),
      lpt1_(spec.lpt1.empty() ? kLpt1 : Parse_Io_Address(spec.lpt1).value_or(kLpt1)),
      lpt2_(spec.lpt2.empty() ? kLpt2 : Parse_Io_Address(spec.lpt2).value_or(kLpt2)) {}

std::uint16_t InpOutPort::Physical_Base(std::uint16_t logical_base) const {
  return logical_base == kLpt2 ? lpt2_ : lpt1_;
}

std::optional<std::uint16_t> InpOutPort::Map(std::uint16_t address) const {
  if (address >= kLpt1 && address <= kLpt1 + 2) {
    return static_cast<std::uint16_t>(lpt1_ + (address - kLpt1));
  }
  if (address >= kLpt2 && address <= kLpt2 + 2) {
    return static_cast<std::uint16_t>(lpt2_ + (address - kLpt2));
  }
  return std::nullopt;
}

bool InpOutPort::Ensure_Open() {
  if (state_ == State::kOpen) return true;
  if (state_ == State::kFailed) return false;
  std::string why;
  if (!driver_.Open(&why)) {
    state_ = State::kFailed;
    diagnostics_ << "Parallel port: " << why << "; the ports read as empty.\n";
    diagnostics_.flush();
    return false;
  }
  state_ = State::kOpen;
  return true;
}

std::uint8_t InpOutPort::read(std::uint16_t address) {
  const std::optional<std::uint16_t> physical = Map(address);
  if (!physical || !Ensure_Open()) return 0xFF;
  return driver_.In(*physical);
}

void InpOutPort::write(std::uint16_t address, std::uint8_t value) {
  if (address == kLpt1 + 1 || address == kLpt2 + 1) return;  // status registers are read-only
  const std::optional<std::uint16_t> physical = Map(address);
  if (!physical || !Ensure_Open()) return;
  driver_.Out(*physical, value);
}

}  // namespace corvane
