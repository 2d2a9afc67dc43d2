#include "hardware/parport_devices.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "hardware/parport_release.h"

namespace corvane {

LinuxParportDevices::LinuxParportDevices() {
  Install_Parport_Signal_Handlers();
}

int LinuxParportDevices::open(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return -errno;
  // A full registry only loses the signal-time release; the kernel still releases the port
  // when the process ends and the descriptor closes.
  Register_Parport_Fd(fd);
  return fd;
}

int LinuxParportDevices::ioctl(int fd, unsigned long request, void* arg) {
  int rc;
  do {
    rc = ::ioctl(fd, request, arg);
  } while (rc < 0 && errno == EINTR);
  return rc < 0 ? -errno : 0;
}

void LinuxParportDevices::close(int fd) {
  // Out of the registry first, so a signal arriving now cannot close a reused descriptor.
  Unregister_Parport_Fd(fd);
  ::close(fd);
}

}  // namespace corvane
