#include "hardware/parport_release.h"

#include <linux/ppdev.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace corvane {

namespace {

// The registry: -1 marks a free slot. Zero-initialised storage would read as descriptor 0, so
// the slots start at -1 through a constant initialiser.
struct Registry {
  std::atomic<int> fds[kParportRegistrySize];
  std::atomic<bool> handlers_installed{false};
  constexpr Registry() : fds{-1, -1, -1, -1, -1, -1, -1, -1} {}
};
static_assert(kParportRegistrySize == 8, "the initialiser above lists every slot");
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs lock-free slots");

constinit Registry registry;

extern "C" void Release_And_Reraise(int signal_number) {
  const int saved_errno = errno;
  Release_Registered_Parports();
  // SA_RESETHAND has restored the default action; the signal stays blocked until the handler
  // returns and is then delivered again with it.
  ::raise(signal_number);
  errno = saved_errno;
}

}  // namespace

bool Register_Parport_Fd(int fd) {
  if (fd < 0) return false;
  for (std::atomic<int>& slot : registry.fds) {
    int expected = -1;
    if (slot.compare_exchange_strong(expected, fd)) return true;
  }
  return false;
}

void Unregister_Parport_Fd(int fd) {
  if (fd < 0) return;
  for (std::atomic<int>& slot : registry.fds) {
    int expected = fd;
    if (slot.compare_exchange_strong(expected, -1)) return;
  }
}

int Registered_Parport_Count() {
  int n = 0;
  for (const std::atomic<int>& slot : registry.fds) n += slot.load() >= 0 ? 1 : 0;
  return n;
}

void Release_Registered_Parports() {
  for (std::atomic<int>& slot : registry.fds) {
    const int fd = slot.exchange(-1);
    if (fd < 0) continue;
    ::ioctl(fd, PPRELEASE);
    ::close(fd);
  }
}

void Install_Parport_Signal_Handlers() {
  if (registry.handlers_installed.exchange(true)) return;
  const int signals[] = {SIGINT,  SIGTERM, SIGHUP, SIGQUIT, SIGABRT,
                         SIGSEGV, SIGBUS,  SIGFPE, SIGILL};
  for (const int s : signals) {
    struct sigaction current = {};
    if (::sigaction(s, nullptr, &current) != 0) continue;
    if ((current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL) continue;
    struct sigaction action = {};
    action.sa_handler = Release_And_Reraise;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    ::sigaction(s, &action, nullptr);
  }
}

}  // namespace corvane
