// The window program stopped by a request: idle, the stop watch ends the event loop with 128 + N;
// busy programming (a real SIGINT to the real program), the command stops at its next port access
// and the program leaves Vpp off, flushes the trace and exits with 130.
#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/stop_watch.h"
#include "platform/interrupt.h"
#include "support/signal_run_posix.h"

namespace corvane {
namespace {

TEST(AppSignalTest, TheStopWatchEndsTheIdleEventLoop) {
  platform::Clear_Interrupt();
  QObject owner;
  app::Start_Stop_Watch(&owner, 0);
  QTimer::singleShot(0, [] { platform::Request_Interrupt(platform::kSigTerm); });
  EXPECT_EQ(QCoreApplication::exec(), 128 + platform::kSigTerm);
  platform::Clear_Interrupt();
}

TEST(AppSignalTest, SigintWhileProgrammingLeavesTheLinesSafe) {
  const std::string dir = ::testing::TempDir() + "app_signal";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string state = dir + "/chip.hex";
  // The demo loads the file and programs it; 20000 accesses in is inside the program write.
  const testing::SignalRun run = testing::Run_And_Signal(
      {CORVANE_APP_BINARY, "--board", "sim:chip=16f877,state=" + state, "--trace", "TRACE",
       "--demo", CORVANE_TEST_DATA "/pic16f877_demo_inhx32.hex"},
      dir, 20000, SIGINT, {{"QT_QPA_PLATFORM", "offscreen"}});
  ASSERT_TRUE(run.exited);
  EXPECT_EQ(run.status, 130);
  std::ifstream in(dir + "/stderr");
  std::stringstream err;
  err << in.rdbuf();
  EXPECT_NE(err.str().find("corvane: interrupted by SIGINT\n"), std::string::npos) << err.str();
  ASSERT_FALSE(run.trace.empty());
  EXPECT_LT(run.trace.size(), static_cast<std::size_t>(run.lines_before_signal + 200000));
  const std::string& last = run.trace.back();
  ASSERT_NE(last.find(" W 378 "), std::string::npos) << last;
  EXPECT_EQ(std::stoi(last.substr(last.rfind(' ')), nullptr, 16) & 0x08, 0x08) << last;
  EXPECT_TRUE(std::filesystem::exists(state));
}

}  // namespace
}  // namespace corvane
