// The window program's --version: printed without a display, and the same number as the about
// box's version label.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include <sys/wait.h>

namespace corvane::testing {
namespace {

TEST(CorvaneVersionTest, PrintsTheAboutBoxVersionWithoutADisplay) {
  const std::string command =
      "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" CORVANE_APP_BINARY
      "' --version 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  std::array<char, 256> buffer{};
  std::size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
  const int status = pclose(pipe);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  // "Version 1.1.0" in the about box, "corvane 1.1.0" here.
  const std::string label = CORVANE_VERSION_LABEL;
  EXPECT_EQ(out, "corvane " + label.substr(label.find(' ') + 1) + "\n");
}

}  // namespace
}  // namespace corvane::testing
