// File names and the reasons a file cannot be used, in this system's terms.
// Implementations: files_posix.cpp, files_windows.cpp (see README.md beside this file).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::platform {

// The reason given for a file that another program holds (Windows: opened without sharing, or
// locked; everywhere: the simulated chip's state file locked by another run).
inline constexpr std::string_view kInUse = "in use by another program";

// How a file's failure reads for the user: "FILE: REASON", or "FILE is in use by another program".
std::string File_Failure(std::string_view file, std::string_view reason);

// The path a file name from the command line or a dialog names. On POSIX the bytes themselves; on
// Windows the name is in the ANSI code page, as narrow arguments arrive, and is converted with it
// (never byte by byte, which would take it as Latin-1).
std::filesystem::path File_Path(const std::string& name);

// The system's words for an error code of its own (POSIX: errno; Windows: GetLastError), as the
// C library says them where the error has a portable meaning ("No space left on device"), and
// kInUse for a file another program holds.
std::string System_Error_Text(long code);

// Reads the whole of a small file (a description the user wrote) into TEXT and returns "", or
// returns the reason when the name is not a regular file, is larger than LARGEST bytes ("too
// large for WHAT") or cannot be read.
std::string Read_Small_File(const std::string& path, std::uintmax_t largest, std::string_view what,
                            std::string* text);

// The regular files in FOLDER whose names end in ENDING (in any case), sorted; none when the
// folder cannot be listed.
std::vector<std::string> Files_Ending_In(const std::string& folder, std::string_view ending);

}  // namespace corvane::platform
