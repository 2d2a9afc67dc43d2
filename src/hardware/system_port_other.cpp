#include "hardware/system_port.h"

namespace corvane {

bool Parse_System_Port_Option(std::string_view text, LptSpec* out, std::string* error) {
  // The text is checked as on Linux, so that a mistyped option is still a usage error; opening
  // the port then says that there is none on this system.
  return Parse_Lpt_Spec(text, out, error);
}

std::string System_Port_Help() {
  return R"(  --board lpt     the machine's parallel ports: not available on this system (the
                  parallel-port backend exists for Linux and Windows); use --board sim
)";
}

std::unique_ptr<PortIo> Open_System_Port(const LptSpec&, std::ostream&, std::string* unavailable) {
  *unavailable = "the parallel port is not available on this system (only --board sim is)";
  return nullptr;
}

}  // namespace corvane
