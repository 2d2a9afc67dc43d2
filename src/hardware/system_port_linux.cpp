#include <memory>

#include "hardware/parport_devices.h"
#include "hardware/parport_linux.h"
#include "hardware/system_port.h"

namespace corvane {

namespace {

// The ppdev device layer and the backend over it, owned together.
class LinuxSystemPort final : public PortIo {
 public:
  LinuxSystemPort(const LptSpec& spec, std::ostream& diagnostics)
      : parport_(devices_, spec, diagnostics) {}
  std::uint8_t read(std::uint16_t address) override { return parport_.read(address); }
  void write(std::uint16_t address, std::uint8_t value) override { parport_.write(address, value); }

 private:
  LinuxParportDevices devices_;
  ParportIo parport_;
};

}  // namespace

bool Parse_System_Port_Option(std::string_view text, LptSpec* out, std::string* error) {
  return Parse_Lpt_Spec(text, out, error);
}

std::string System_Port_Help() {
  return R"(  --board lpt[:lpt1=DEV,lpt2=DEV,board=NAME|FILE]
                  the machine's parallel ports (default). LPT1 is the parport at 0x378 and LPT2
                  the one at 0x278, else the lowest-numbered parports; DEV names a device
                  (/dev/parportN) explicitly. Needs the ppdev module and membership of group lp.
)";
}

std::unique_ptr<PortIo> Open_System_Port(const LptSpec& spec, std::ostream& diagnostics,
                                         std::string*) {
  return std::make_unique<LinuxSystemPort>(spec, diagnostics);
}

}  // namespace corvane
