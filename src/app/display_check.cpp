#include "app/display_check.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace corvane::app {

namespace {

// What the guard holds while Qt starts. Qt's message handler is a bare function, so this is the
// one place it can find it; the program makes one QApplication, so there is one guard at a time.
struct Held {
  std::string display;
  std::vector<QString> messages;
  QtMessageHandler previous = nullptr;
};
Held* g_held = nullptr;

void Hold_Message(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    const std::string who =
        g_held->display.empty() ? "the window system" : "the display " + g_held->display;
    const std::string line = No_Display_Message(who + " refused the connection") + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    std::_Exit(1);
  }
  g_held->messages.push_back(qFormatLogMessage(type, context, text));
}

}  // namespace

std::string Missing_Display_Reason(std::string_view qpa_platform, std::string_view display) {
  const bool needs_display = qpa_platform.empty() || qpa_platform.rfind("xcb", 0) == 0 ||
                             qpa_platform.rfind("wayland", 0) == 0;
  if (!needs_display || !display.empty()) return "";
  return "DISPLAY or WAYLAND_DISPLAY unset";
}

std::string No_Display_Message(std::string_view reason) {
  return "corvane: no display (" + std::string(reason) +
         "); the console program corvane-cli works without one";
}

DisplayConnectGuard::DisplayConnectGuard(std::string display) {
  g_held = new Held{std::move(display), {}, nullptr};
  g_held->previous = qInstallMessageHandler(Hold_Message);
}

DisplayConnectGuard::~DisplayConnectGuard() {
  qInstallMessageHandler(g_held->previous);
  for (const QString& m : g_held->messages) {
    std::fputs((m.toLocal8Bit() + '\n').constData(), stderr);
  }
  delete g_held;
  g_held = nullptr;
}

}  // namespace corvane::app
