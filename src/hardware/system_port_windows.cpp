#include <memory>

#include "hardware/inpout_port.h"
#include "hardware/system_port.h"

namespace corvane {

namespace {

// The driver library and the backend over it, owned together.
class WindowsSystemPort final : public PortIo {
 public:
  WindowsSystemPort(const LptSpec& spec, std::ostream& diagnostics)
      : library_(sizeof(void*) == 8 ? "inpoutx64.dll" : "inpout32.dll"),
        port_(library_, spec, diagnostics) {}
  std::uint8_t read(std::uint16_t address) override { return port_.read(address); }
  void write(std::uint16_t address, std::uint8_t value) override { port_.write(address, value); }

 private:
  InpOutLibrary library_;
  InpOutPort port_;
};

}  // namespace

bool Parse_System_Port_Option(std::string_view text, LptSpec* out, std::string* error) {
  return Parse_InpOut_Option(text, out, error);
}

std::string System_Port_Help() {
  return R"(  --board lpt[:lpt1=ADDRESS,lpt2=ADDRESS,board=NAME|FILE]
                  the machine's parallel ports (default): LPT1 at 0x378 and LPT2 at 0x278;
                  ADDRESS names a PCI/PCIe card's port by its hexadecimal I/O address (e.g.
                  lpt1=0xD010, as Device Manager shows it). Needs the free InpOut driver library
                  (inpoutx64.dll) beside corvane-cli.exe or on PATH, installed once as
                  administrator.
)";
}

std::unique_ptr<PortIo> Open_System_Port(const LptSpec& spec, std::ostream& diagnostics,
                                         std::string*) {
  return std::make_unique<WindowsSystemPort>(spec, diagnostics);
}

}  // namespace corvane
