// The kernel side of the Linux parallel port: open a ppdev device, issue its ioctls, close it.
// The port backend talks only to this interface, so tests put a fake device layer behind it.
#pragma once

#include <string>

namespace corvane {

class ParportDevices {
 public:
  virtual ~ParportDevices() = default;
  // Opens the device for reading and writing: a descriptor (>= 0) or -errno.
  virtual int open(const std::string& path) = 0;
  // One ppdev request (PPCLAIM, PPRDATA, ...): 0 on success or -errno.
  virtual int ioctl(int fd, unsigned long request, void* arg) = 0;
  virtual void close(int fd) = 0;
};

// The real devices through the system calls. Every descriptor it opens is also entered in the
// release registry (parport_release.h), so that Ctrl-C or a crash releases the port; making one
// installs the registry's signal handlers.
class LinuxParportDevices final : public ParportDevices {
 public:
  LinuxParportDevices();
  int open(const std::string& path) override;
  int ioctl(int fd, unsigned long request, void* arg) override;
  void close(int fd) override;
};

}  // namespace corvane
