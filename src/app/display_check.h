// The window program without a usable display: one line on stderr and exit status 1, where Qt
// would abort.
#pragma once

#include <string>
#include <string_view>

namespace corvane::app {

// Why the window cannot show, found before Qt starts: "DISPLAY or WAYLAND_DISPLAY unset" when the
// session names no display and the Qt platform (QT_QPA_PLATFORM, empty for the default) needs
// one; "" otherwise (offscreen, minimal, vnc, ... need none).
std::string Missing_Display_Reason(std::string_view qpa_platform, std::string_view display);

// "corvane: no display (REASON); the console program corvane-cli works without one"
std::string No_Display_Message(std::string_view reason);

// While alive (around the QApplication's construction), Qt's messages are held back, and a fatal
// one, the display refusing the connection, ends the program with the no-display message naming
// `display` and exit status 1 instead of an abort. Messages held back are written to stderr as
// Qt would have written them when the guard goes.
class DisplayConnectGuard {
 public:
  explicit DisplayConnectGuard(std::string display);
  ~DisplayConnectGuard();
  DisplayConnectGuard(const DisplayConnectGuard&) = delete;
  DisplayConnectGuard& operator=(const DisplayConnectGuard&) = delete;
};

}  // namespace corvane::app
