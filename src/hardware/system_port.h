// The machine's own parallel ports, as `--board lpt` offers them on each system:
//   Linux:   the ppdev devices /dev/parportN (parport_linux.h), chosen through /proc;
//   Windows: the inpout driver library, loaded at run time (inpout_port.h);
//   other systems: none; the simulated board is the only programmer there.
// One implementation file per system (system_port_linux.cpp, system_port_windows.cpp,
// system_port_other.cpp), chosen by CMake; see src/platform/README.md for the pattern.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "hardware/parport_map.h"
#include "hardware/port_io.h"

namespace corvane {

// Reads the text of `--board lpt[:...]` in this system's terms (device paths on Linux, I/O
// addresses on Windows). False with a reason when it is malformed.
bool Parse_System_Port_Option(std::string_view text, LptSpec* out, std::string* error);

// The option's description for --help, in this system's terms (lines indented as the usage text).
std::string System_Port_Help();

// Opens the backend: the logical ports LPT1 (0x378) and LPT2 (0x278), each data register at its
// base and status register at base + 1. Null with *unavailable set when this system has no
// parallel-port backend at all. A backend that exists but cannot reach a port (no device, no
// driver, no permission) is still returned: it says why once on `diagnostics` and reads as an
// empty bus, so that discovery reports no board.
std::unique_ptr<PortIo> Open_System_Port(const LptSpec& spec, std::ostream& diagnostics,
                                         std::string* unavailable);

}  // namespace corvane
