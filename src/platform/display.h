// Whether the session names a display for a window to show on.
// Implementations: display_posix.cpp, display_windows.cpp (see README.md beside this file).
#pragma once

#include <string>

namespace corvane::platform {

// The display the session names (":0", "wayland-0"), or "" when it names none. POSIX: $DISPLAY
// (X11), else $WAYLAND_DISPLAY. Windows: every desktop session has one, named "desktop".
std::string Display_Name();

}  // namespace corvane::platform
