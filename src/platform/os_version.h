// The operating system's version record, as the about box's rules read it.
// Implementations: os_version_posix.cpp, os_version_windows.cpp (see README.md beside this file).
#pragma once

namespace corvane::platform {

struct OsVersionRecord {
  int major = 0;
  int minor = 0;
  int platform_id = 0;
};

// Windows: the major version, minor version and platform id of GetVersionExA (its size field set
// to 148 before the call, the call's result not examined). Elsewhere there is no such record: all
// three are 0.
OsVersionRecord Query_Os_Version();

}  // namespace corvane::platform
