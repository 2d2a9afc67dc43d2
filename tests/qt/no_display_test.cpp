// The window program without a usable display: one line on stderr and exit status 1, whether no
// display is named or the one named refuses the connection, instead of Qt's abort.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/display_check.h"
#include "support/command_run.h"

namespace corvane::testing {
namespace {

using app::Missing_Display_Reason;

TEST(NoDisplayTest, WhenTheQtPlatformNeedsADisplayAndNoneIsNamed) {
  const std::string unset = "DISPLAY or WAYLAND_DISPLAY unset";
  EXPECT_EQ(Missing_Display_Reason("", ""), unset);
  EXPECT_EQ(Missing_Display_Reason("xcb", ""), unset);
  EXPECT_EQ(Missing_Display_Reason("wayland-egl", ""), unset);
  EXPECT_EQ(Missing_Display_Reason("", ":0"), "");
  EXPECT_EQ(Missing_Display_Reason("wayland", "wayland-0"), "");
  EXPECT_EQ(Missing_Display_Reason("offscreen", ""), "") << "the tests' platform needs none";
  EXPECT_EQ(Missing_Display_Reason("minimal", ""), "");
}

// An X display number with no server behind it.
std::string Unused_Display() {
  for (int n = 97; n < 200; ++n) {
    if (!std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n)) &&
        !std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock")) {
      return ":" + std::to_string(n);
    }
  }
  return ":199";
}

TEST(NoDisplayTest, TheProgramSaysSoAndExitsWithStatusOne) {
  const std::string display = Unused_Display();
  const struct {
    std::string environment;
    std::string reason;
  } cases[] = {
      {"env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM", "DISPLAY or WAYLAND_DISPLAY unset"},
      {"env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=" + display,
       "the display " + display + " refused the connection"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.environment);
    const CommandRun r =
        Run_Command(c.environment + " '" CORVANE_APP_BINARY "' --board sim 2>&1 < /dev/null");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "corvane: no display (" + c.reason +
                         "); the console program corvane-cli works without one\n");
  }
}

}  // namespace
}  // namespace corvane::testing
