#include "hardware/parport_release.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <sstream>

#include "hardware/parport_devices.h"
#include "hardware/parport_linux.h"

namespace corvane {
namespace {

bool Is_Open(int fd) {
  return ::fcntl(fd, F_GETFD) != -1;
}

TEST(ParportReleaseTest, ReleaseClosesEveryEnteredDescriptorOnce) {
  int a[2];
  int b[2];
  ASSERT_EQ(::pipe(a), 0);
  ASSERT_EQ(::pipe(b), 0);
  const int base = Registered_Parport_Count();
  EXPECT_TRUE(Register_Parport_Fd(a[1]));
  EXPECT_TRUE(Register_Parport_Fd(b[1]));
  EXPECT_FALSE(Register_Parport_Fd(-1));
  EXPECT_EQ(Registered_Parport_Count(), base + 2);

  Unregister_Parport_Fd(b[1]);  // closed the ordinary way: no longer the registry's business
  EXPECT_EQ(Registered_Parport_Count(), base + 1);

  Release_Registered_Parports();
  EXPECT_EQ(Registered_Parport_Count(), 0);
  EXPECT_FALSE(Is_Open(a[1]));
  EXPECT_TRUE(Is_Open(b[1]));
  Release_Registered_Parports();  // an empty table: nothing happens
  EXPECT_TRUE(Is_Open(b[1]));
  ::close(a[0]);
  ::close(b[0]);
  ::close(b[1]);
}

TEST(ParportReleaseTest, FullTableRefusesFurtherDescriptors) {
  int fds[kParportRegistrySize + 1];
  for (int& fd : fds) fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  for (int i = 0; i < kParportRegistrySize; ++i) EXPECT_TRUE(Register_Parport_Fd(fds[i]));
  EXPECT_FALSE(Register_Parport_Fd(fds[kParportRegistrySize]));
  for (int fd : fds) {
    Unregister_Parport_Fd(fd);
    ::close(fd);
  }
  EXPECT_EQ(Registered_Parport_Count(), 0);
}

// In a child with a descriptor entered: the real signal must end the process exactly as its
// default action would (the release itself is checked by calling the handler by hand, below).
void Signal_Child(int signal_number) {
  int p[2];
  if (::pipe(p) != 0) ::_exit(3);
  Install_Parport_Signal_Handlers();
  Register_Parport_Fd(p[1]);
  ::raise(signal_number);
  ::_exit(4);  // not reached: the signal's default action ends the process
}

TEST(ParportReleaseDeathTest, CtrlCAndTerminateReleaseThenDieByTheSignal) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(Signal_Child(SIGINT), ::testing::KilledBySignal(SIGINT), "");
  EXPECT_EXIT(Signal_Child(SIGTERM), ::testing::KilledBySignal(SIGTERM), "");
  EXPECT_EXIT(Signal_Child(SIGHUP), ::testing::KilledBySignal(SIGHUP), "");
}

// The installed handler, called by hand with its signal blocked: it must release and close
// every entered descriptor and leave the signal pending, so that it kills the process with its
// default action as soon as the handler returns. Runs in a child so the test process keeps its
// own signal dispositions.
int Run_Handler_By_Hand() {
  int p[2];
  if (::pipe(p) != 0) return 10;
  Install_Parport_Signal_Handlers();
  Register_Parport_Fd(p[1]);
  struct sigaction installed = {};
  ::sigaction(SIGTERM, nullptr, &installed);
  if (installed.sa_handler == SIG_DFL || installed.sa_handler == SIG_IGN) return 11;
  if ((installed.sa_flags & SA_RESETHAND) == 0) return 12;
  sigset_t block;
  sigemptyset(&block);
  sigaddset(&block, SIGTERM);
  ::sigprocmask(SIG_BLOCK, &block, nullptr);
  ::signal(SIGTERM, SIG_DFL);  // as SA_RESETHAND leaves it when the signal is delivered
  installed.sa_handler(SIGTERM);
  if (Is_Open(p[1])) return 13;
  if (Registered_Parport_Count() != 0) return 14;
  sigset_t pending;
  ::sigpending(&pending);
  if (sigismember(&pending, SIGTERM) != 1) return 15;
  return 0;
}

TEST(ParportReleaseDeathTest, HandlerReleasesThenLeavesTheSignalToKill) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(::_exit(Run_Handler_By_Hand()), ::testing::ExitedWithCode(0), "");
}

TEST(ParportReleaseDeathTest, InstallLeavesHandlersTheProgramSetAlone) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        ::signal(SIGTERM, SIG_IGN);
        Install_Parport_Signal_Handlers();
        ::raise(SIGTERM);  // still ignored
        struct sigaction now = {};
        ::sigaction(SIGINT, nullptr, &now);
        ::_exit(now.sa_handler != SIG_DFL ? 0 : 5);  // SIGINT did get the release handler
      },
      ::testing::ExitedWithCode(0), "");
}

// This machine kind has no parallel port: through the real kernel the backend must say why and
// read an empty bus at once.
TEST(ParportRealKernelTest, NoPortHereReadsEmptyAndSaysWhy) {
  if (std::filesystem::exists("/proc/sys/dev/parport")) {
    GTEST_SKIP() << "this machine has parallel ports";
  }
  LinuxParportDevices devices;
  std::ostringstream diag;
  ParportIo io(devices, {}, diag);
  for (int i = 0; i < 1000; ++i) {
    ASSERT_EQ(io.read(0x279), 0xFF);
    ASSERT_EQ(io.read(0x379), 0xFF);
    io.write(0x378, 0x29);
  }
  EXPECT_NE(diag.str().find("LPT2 (0x278): no parallel port found"), std::string::npos)
      << diag.str();
  EXPECT_NE(diag.str().find("LPT1 (0x378): no parallel port found"), std::string::npos);

  // A named device that is not there: "no such device", one line.
  std::ostringstream named;
  ParportIo io2(devices, {"/dev/parport7", ""}, named);
  EXPECT_EQ(io2.read(0x378), 0xFF);
  EXPECT_EQ(io2.read(0x378), 0xFF);
  EXPECT_NE(named.str().find("LPT1 (0x378): /dev/parport7: no such device"), std::string::npos)
      << named.str();
}

}  // namespace
}  // namespace corvane
