// The POSIX signal handlers: the first request is only noted, the later ones are ignored, and a
// signal the user's shell set to be ignored stays ignored. Each case runs in a child process.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include "platform/interrupt.h"

namespace corvane::platform {
namespace {

// A terminal closing sends SIGHUP twice, and users press Ctrl+C again: a later request, of any of
// the kinds, is noted and ignored too, the first one kept.
TEST(InterruptHandlerDeathTest, FirstRequestIsNotedLaterOnesAreIgnored) {
  for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
    EXPECT_EXIT(
        {
          ::signal(s, SIG_DFL);
          Install_Interrupt_Handlers();
          ::raise(s);
          if (Interrupt_Signal() != s) ::_exit(10);
          for (const int again : {s, SIGINT, SIGTERM, SIGHUP, SIGPIPE}) ::raise(again);
          ::_exit(Interrupt_Signal() == s ? 0 : 11);
        },
        ::testing::ExitedWithCode(0), "")
        << Interrupt_Name(s);
  }
}

TEST(InterruptHandlerDeathTest, AnIgnoredSignalStaysIgnored) {
  EXPECT_EXIT(
      {
        ::signal(SIGINT, SIG_IGN);
        Install_Interrupt_Handlers();
        ::raise(SIGINT);
        ::_exit(Interrupt_Signal() == 0 ? 0 : 12);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(InterruptNameTest, NamesTheSignals) {
  EXPECT_EQ(Interrupt_Name(SIGINT), "SIGINT");
  EXPECT_EQ(Interrupt_Name(SIGTERM), "SIGTERM");
  EXPECT_EQ(Interrupt_Name(SIGHUP), "SIGHUP");
  EXPECT_EQ(Interrupt_Name(40), "signal 40");
}

}  // namespace
}  // namespace corvane::platform
