// Which Linux parallel-port device serves each of the programmer's logical ports.
//
// The programmer addresses LPT1 at 0x378 and LPT2 at 0x278. On Linux the ports are the ppdev
// devices /dev/parportN, and /proc/sys/dev/parport/parportN/base-addr tells the I/O base of each.
// LPT1 is the parport at 0x378 and LPT2 the one at 0x278; a logical port without such a parport
// takes the lowest-numbered parport not already in use (PCI and PCIe cards sit at other bases).
// The option text "lpt:lpt1=/dev/parport2,lpt2=/dev/parport3" names the devices explicitly.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr std::string_view kParportProcRoot = "/proc/sys/dev/parport";
inline constexpr std::string_view kParportDevicePrefix = "/dev/parport";

// Devices named by the option text; an empty path means "choose automatically".
struct LptSpec {
  std::string lpt1;
  std::string lpt2;
};

// Reads "lpt" (both ports automatic) or "lpt:lpt1=DEVICE,lpt2=DEVICE" (either part optional).
// On success fills *out and returns true; otherwise leaves *out alone, puts a one-line reason
// in *error and returns false.
bool Parse_Lpt_Spec(std::string_view spec, LptSpec* out, std::string* error);

// One parport the kernel knows of: its number N (/dev/parportN) and its I/O base, when the
// base-addr file could be read.
struct ParportEntry {
  int number = 0;
  std::optional<unsigned long> base;
};

// The parports listed under the proc root, by increasing number. A missing root means none.
std::vector<ParportEntry> List_Parports(const std::string& proc_root);

// Reads the first number of a base-addr file ("888\t1912" gives 888); nullopt when malformed.
std::optional<unsigned long> Parse_Base_Addr(std::string_view text);

std::string Parport_Device_Path(int number);

// The device path chosen for each logical port; empty when none is left for it.
struct LptMapping {
  std::string lpt1;
  std::string lpt2;
};

// Explicit devices first, then each remaining logical port by base address, then the
// lowest-numbered parport not yet taken (LPT1 before LPT2). No device serves both ports.
LptMapping Map_Lpt_Ports(const std::vector<ParportEntry>& parports, const LptSpec& spec);

}  // namespace corvane
