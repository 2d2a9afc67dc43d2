// The folder of the user's own files for the program (the boards folder lives in it).
// Implementations: config_dir_posix.cpp, config_dir_windows.cpp (see README.md beside this file).
#pragma once

#include <string>

namespace corvane::platform {

// Linux and the other Unix-like systems: $XDG_CONFIG_HOME/Corvane, else $HOME/.config/Corvane
// (where the window keeps its settings). Windows: %APPDATA%\Corvane. Empty when the environment
// names no such place. The folder is not created.
std::string Config_Dir();

}  // namespace corvane::platform
