// Replacing a file's contents safely, as a save and the simulated chip's state write-back need
// it: the new contents go to a temporary file beside the target, which then takes the target's
// place in one step, so the target is never half-written and never lost.
#pragma once

#include <string>
#include <string_view>

namespace corvane::platform {

// Writes `data` as the new contents of the file at `path`:
// - a symbolic link is followed to the file it names, which is replaced (the link stays);
// - a path that exists and is not a regular file (a directory, a FIFO, a device) is refused;
// - the temporary file is created beside the target, never over an existing file or link, with
//   the target's permissions (a new file: 0666 less the umask), and removed on every failure.
// Returns false with the reason: the system's words for the error ("No space left on device",
// "Permission denied") or "not a regular file". The reason names no file, so that the caller
// names the user's path and never the temporary one.
bool Replace_File_Contents(const std::string& path, std::string_view data, std::string* reason);

// Whether Replace_File_Contents could replace the file at `path` now, without touching it: the
// same refusals, and a temporary file made beside the target and removed again. The target is
// neither created nor changed. False with the reason, as above.
bool Check_File_Replaceable(const std::string& path, std::string* reason);

}  // namespace corvane::platform
