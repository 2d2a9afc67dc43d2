#include "hardware/parport_linux.h"

#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "state/working_state.h"

namespace corvane {

namespace {

std::string Hex_Base(std::uint16_t base) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%03X", static_cast<unsigned>(base));
  return text;
}

std::string Error_Text(int error) {
  return std::strerror(error);
}

}  // namespace

ParportIo::ParportIo(ParportDevices& devices, LptSpec spec, std::ostream& diagnostics,
                     std::string proc_root)
    : devices_(devices),
      spec_(std::move(spec)),
      diagnostics_(diagnostics),
      proc_root_(std::move(proc_root)),
      lpt1_{kLpt1, "LPT1", {}},
      lpt2_{kLpt2, "LPT2", {}} {}

ParportIo::~ParportIo() {
  for (Logical* port : {&lpt1_, &lpt2_}) {
    if (port->state != State::kOpen) continue;
    devices_.ioctl(port->fd, PPRELEASE, nullptr);
    devices_.close(port->fd);
    port->fd = -1;
    port->state = State::kClosed;
  }
}

ParportIo::Logical* ParportIo::Port_For(std::uint16_t address) {
  if (address >= kLpt1 && address <= kLpt1 + 2) return &lpt1_;
  if (address >= kLpt2 && address <= kLpt2 + 2) return &lpt2_;
  return nullptr;
}

void ParportIo::Map_Ports() {
  if (mapped_) return;
  mapped_ = true;
  // Read even when both devices are named: it tells a missing node apart from a missing port.
  parports_ = List_Parports(proc_root_);
  const LptMapping map = Map_Lpt_Ports(parports_, spec_);
  lpt1_.device = map.lpt1;
  lpt2_.device = map.lpt2;
}

std::string ParportIo::Device_For(std::uint16_t base) {
  Map_Ports();
  if (base == kLpt1) return lpt1_.device;
  if (base == kLpt2) return lpt2_.device;
  return {};
}

void ParportIo::Fail(Logical& port, const std::string& reason) {
  port.state = State::kFailed;
  port.fd = -1;
  diagnostics_ << port.name << " (" << Hex_Base(port.base) << "): " << reason
               << "; the port reads as empty.\n";
  diagnostics_.flush();
}

std::string ParportIo::Open_Failure_Reason(const Logical& port, int error) const {
  const std::string& dev = port.device;
  switch (error) {
    case EACCES:
    case EPERM:
      return dev +
             ": permission denied: join the lp group (sudo adduser $USER lp), then log in "
             "again";
    case EBUSY:
      return dev + ": port busy (another program has claimed it)";
    case ENXIO:
    case ENODEV:
      return dev + ": no such device (no parallel port behind it)";
    case ENOENT: {
      // The node is missing. When the kernel does list this parport, the devices are not
      // there because the ppdev driver is not loaded.
      for (const ParportEntry& p : parports_) {
        if (Parport_Device_Path(p.number) == dev) {
          return dev + " is missing although the kernel lists parport" + std::to_string(p.number) +
                 ": module ppdev not loaded (sudo modprobe ppdev)";
        }
      }
      return dev + ": no such device";
    }
    default:
      return dev + ": cannot open: " + Error_Text(error);
  }
}

bool ParportIo::Ensure_Open(Logical& port) {
  if (port.state == State::kOpen) return true;
  if (port.state == State::kFailed) return false;
  Map_Ports();
  if (port.device.empty()) {
    if (parports_.empty()) {
      Fail(port, "no parallel port found (the kernel lists none in " + proc_root_ +
                     "; is a port fitted and the parport_pc module loaded?)");
    } else {
      Fail(port, "no parallel port left for it (every parport serves the other logical port)");
    }
    return false;
  }
  const int fd = devices_.open(port.device);
  if (fd < 0) {
    Fail(port, Open_Failure_Reason(port, -fd));
    return false;
  }
  // Exclusive use: nothing else may drive the programmer's lines while it is claimed.
  int rc = devices_.ioctl(fd, PPEXCL, nullptr);
  const char* step = "PPEXCL";
  if (rc == 0) {
    rc = devices_.ioctl(fd, PPCLAIM, nullptr);
    step = "PPCLAIM";
  }
  if (rc != 0) {
    devices_.close(fd);
    const int error = -rc;
    if (error == EBUSY || error == EACCES || error == EPERM) {
      Fail(port, Open_Failure_Reason(port, error));
    } else {
      Fail(port, port.device + ": cannot claim the port (" + step + ": " + Error_Text(error) + ")");
    }
    return false;
  }
  // A port left in reverse (input) mode by another program would not drive the programmer's
  // lines; ask for forward mode. Ports that cannot switch direction are forward already.
  int forward = 0;
  devices_.ioctl(fd, PPDATADIR, &forward);
  port.fd = fd;
  port.state = State::kOpen;
  return true;
}

void ParportIo::Lose(Logical& port, const char* request, int error) {
  devices_.ioctl(port.fd, PPRELEASE, nullptr);
  devices_.close(port.fd);
  Fail(port, port.device + ": port lost (" + request + ": " + Error_Text(error) + ")");
}

std::uint8_t ParportIo::read(std::uint16_t address) {
  Logical* port = Port_For(address);
  if (port == nullptr || !Ensure_Open(*port)) return 0xFF;
  struct Request {
    unsigned long code;
    const char* name;
  };
  static constexpr Request kReads[] = {
      {PPRDATA, "PPRDATA"}, {PPRSTATUS, "PPRSTATUS"}, {PPRCONTROL, "PPRCONTROL"}};
  const Request& request = kReads[address - port->base];
  unsigned char value = 0xFF;
  const int rc = devices_.ioctl(port->fd, request.code, &value);
  if (rc != 0) {
    Lose(*port, request.name, -rc);
    return 0xFF;
  }
  return value;
}

void ParportIo::write(std::uint16_t address, std::uint8_t value) {
  Logical* port = Port_For(address);
  if (port == nullptr || address == port->base + 1) return;  // status is read-only
  if (!Ensure_Open(*port)) return;
  const bool control = address == port->base + 2;
  unsigned char byte = value;
  const int rc = devices_.ioctl(port->fd, control ? PPWCONTROL : PPWDATA, &byte);
  if (rc != 0) Lose(*port, control ? "PPWCONTROL" : "PPWDATA", -rc);
}

}  // namespace corvane
