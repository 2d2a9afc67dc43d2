// The parallel port on Windows, through the free InpOut driver library (inpoutx64.dll for 64-bit
// programs, inpout32.dll for 32-bit ones). Windows NT and later let no user program touch I/O
// ports; the library carries a kernel driver that does it for us. It is the user's to install,
// never linked nor shipped with the program: it is loaded at the first port access.
//
// The logical ports stay those of the programmer: LPT1 at 0x378 and LPT2 at 0x278. By default they
// are the physical ports at the same addresses; a PCI or PCIe card sits elsewhere, named with
// "lpt:lpt1=0xD010" (hexadecimal I/O address, as Device Manager shows it). Only the data register
// (base), the status register (base + 1) and the control register (base + 2) of the two ports are
// ever reached: any other read gives 0xFF and any other write, and every write to a status
// register, is dropped. When the
// library is missing or its driver cannot open, that is said once, with what to install, and the
// ports read as an empty bus, so discovery reports that no board answers.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "hardware/parport_map.h"
#include "hardware/port_io.h"
#include "platform/shared_library.h"

namespace corvane {

// Reads "lpt" or "lpt:lpt1=ADDRESS,lpt2=ADDRESS" (either part optional; ADDRESS hexadecimal with
// or without 0x, from 0x100 to 0xFFFD), e.g. "lpt:lpt1=0xD010".
bool Parse_InpOut_Option(std::string_view text, LptSpec* out, std::string* error);

// A hexadecimal I/O address as the option gives it; nullopt when it is not one.
std::optional<std::uint16_t> Parse_Io_Address(std::string_view text);

// What the backend needs of the driver library.
class InpOutDriver {
 public:
  virtual ~InpOutDriver() = default;
  // Loads the library and checks that its driver is open; false with the reason and what to do.
  virtual bool Open(std::string* why) = 0;
  virtual std::uint8_t In(std::uint16_t address) = 0;
  virtual void Out(std::uint16_t address, std::uint8_t value) = 0;
};

// The real library, found by name as the system finds libraries (on Windows the program's folder
// first, then the system folders and PATH), through its exports Inp32, Out32 and
// IsInpOutDriverOpen. The exports are the 64-bit library's; on 64-bit Windows there is one
// calling convention, so no stdcall decoration is needed.
class InpOutLibrary final : public InpOutDriver {
 public:
  explicit InpOutLibrary(std::string name) : name_(std::move(name)) {}
  bool Open(std::string* why) override;
  std::uint8_t In(std::uint16_t address) override;
  void Out(std::uint16_t address, std::uint8_t value) override;

 private:
  using Inp32Fn = short (*)(short);
  using Out32Fn = void (*)(short, short);
  using DriverOpenFn = int (*)();

  std::string name_;
  std::unique_ptr<platform::SharedLibrary> library_;
  Inp32Fn inp32_ = nullptr;
  Out32Fn out32_ = nullptr;
};

class InpOutPort final : public PortIo {
 public:
  // spec: the physical addresses, as Parse_InpOut_Option left them (empty: the logical address).
  InpOutPort(InpOutDriver& driver, const LptSpec& spec, std::ostream& diagnostics);

  std::uint8_t read(std::uint16_t address) override;
  void write(std::uint16_t address, std::uint8_t value) override;

  // The physical data-register address serving a logical port (kLpt1 or kLpt2).
  std::uint16_t Physical_Base(std::uint16_t logical_base) const;

 private:
  enum class State { kClosed, kOpen, kFailed };
  // The physical address for a logical one, or nullopt when it is not one of the six served.
  std::optional<std::uint16_t> Map(std::uint16_t address) const;
  bool Ensure_Open();

  InpOutDriver& driver_;
  std::ostream& diagnostics_;
  std::uint16_t lpt1_;
  std::uint16_t lpt2_;
  State state_ = State::kClosed;
};

}  // namespace corvane
