// The parallel port on Linux, through the ppdev devices /dev/parportN.
//
// The programmer keeps its logical ports: LPT1 at 0x378 and LPT2 at 0x278, the data register at
// the base, the status register at base + 1 and the control register at base + 2. Only those six
// addresses are served; any other read gives 0xFF (an empty bus) and any other write is dropped,
// without reaching the device layer. Each logical port's device (parport_map.h) is opened at its
// first access and claimed exclusively once for the run; the destructor releases and closes it,
// leaving the lines as they are. A port that cannot be opened or claimed reads as an empty bus and
// ignores writes, so discovery reports that no board answers; why it failed is written once per
// logical port to the diagnostic stream, in words that tell the user what to fix.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "hardware/parport_devices.h"
#include "hardware/parport_map.h"
#include "hardware/port_io.h"

namespace corvane {

class ParportIo final : public PortIo {
 public:
  ParportIo(ParportDevices& devices, LptSpec spec, std::ostream& diagnostics,
            std::string proc_root = std::string(kParportProcRoot));
  ~ParportIo() override;
  ParportIo(const ParportIo&) = delete;
  ParportIo& operator=(const ParportIo&) = delete;

  // Data register: PPRDATA; status register: PPRSTATUS (raw register value, bit 7 as the
  // hardware inverts it); control register: PPRCONTROL (its four line bits, raw).
  std::uint8_t read(std::uint16_t address) override;
  // Data register: PPWDATA; control register: PPWCONTROL (the kernel keeps its direction and
  // interrupt bits). The status register is read-only: a write to it is dropped.
  void write(std::uint16_t address, std::uint8_t value) override;

  // The device serving a logical port (kLpt1 or kLpt2); empty when none. Works out the mapping
  // without opening anything.
  std::string Device_For(std::uint16_t base);

 private:
  enum class State { kClosed, kOpen, kFailed };
  struct Logical {
    std::uint16_t base;
    const char* name;
    std::string device;
    State state = State::kClosed;
    int fd = -1;
  };

  Logical* Port_For(std::uint16_t address);
  void Map_Ports();
  bool Ensure_Open(Logical& port);
  void Fail(Logical& port, const std::string& reason);
  void Lose(Logical& port, const char* request, int error);
  std::string Open_Failure_Reason(const Logical& port, int error) const;

  ParportDevices& devices_;
  LptSpec spec_;
  std::ostream& diagnostics_;
  std::string proc_root_;
  bool mapped_ = false;
  std::vector<ParportEntry> parports_;
  Logical lpt1_;
  Logical lpt2_;
};

}  // namespace corvane
