// A load that waits on its input answers a request to stop: a FIFO no program writes to yet, and
// a stream that never ends. The loader ends with Interrupted and leaves the image as it was.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "fake_panel.h"
#include "hardware/interruption.h"
#include "image/hex_loader.h"
#include "image/memory_image.h"

namespace corvane {
namespace {

// Asks to stop (SIGINT) from its n-th question on.
class StoppingPanel final : public FakePanel {
 public:
  StoppingPanel(WorkingState& st, int n) : FakePanel(st), n_(n) {}
  int Stop_Pending() override { return ++asked >= n_ ? 2 : 0; }
  int asked = 0;

 private:
  int n_;
};

struct LoadStop {
  bool interrupted = false;
  int signal_number = 0;
};

LoadStop Load_Until_Stopped(WorkingState& st, StoppingPanel& panel) {
  try {
    Read_File(st, panel);
  } catch (const Interrupted& stop) {
    return {true, stop.signal_number};
  }
  return {};
}

TEST(HexLoaderStopTest, AFifoWithoutWriterAndAnEndlessStreamStopOnRequest) {
  TempDir dir;
  const std::string fifo = dir.Path("in.fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const bool endless : {false, true}) {
    WorkingState st;
    Blank_Program_Image(st);
    const auto words_before = st.LastProgramAddress;
    StoppingPanel panel(st, endless ? 20 : 1);
    panel.file_name = fifo;
    // The endless stream: end records for ever, from a writer that stops once the reader has gone.
    std::atomic<bool> reader_gone{false};
    std::thread writer;
    if (endless) {
      writer = std::thread([&] {
        sigset_t pipe_signal;
        sigemptyset(&pipe_signal);
        sigaddset(&pipe_signal, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe_signal, nullptr);
        const int fd = ::open(fifo.c_str(), O_WRONLY);
        std::string lines;
        for (int i = 0; i < 4096; ++i) lines += ":00000001FF\n";
        while (fd >= 0 && ::write(fd, lines.data(), lines.size()) > 0) {
        }
        if (fd >= 0) ::close(fd);
        reader_gone = true;
      });
    }
    const LoadStop r = Load_Until_Stopped(st, panel);
    EXPECT_TRUE(r.interrupted) << endless;
    EXPECT_EQ(r.signal_number, 2);
    EXPECT_TRUE(panel.boxes.empty()) << panel.boxes.front();
    EXPECT_TRUE(panel.log.empty());
    EXPECT_EQ(st.LastProgramAddress, words_before);
    if (endless) {
      EXPECT_GE(panel.asked, 20);
      writer.join();
      EXPECT_TRUE(reader_gone);
    }
  }
}

}  // namespace
}  // namespace corvane
