#include <windows.h>

#include "platform/os_version.h"

namespace corvane::platform {

OsVersionRecord Query_Os_Version() {
  OSVERSIONINFOA info = {};
  static_assert(sizeof info == 148, "the record the version rules were written for");
  info.dwOSVersionInfoSize = 148;
  // Deprecated, and on Windows 8.1 and later it reports 6.2 to a program without a manifest;
  // the about box's rules only tell NT 4 and 95/98 apart from "anything else", which that is.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  ::GetVersionExA(&info);
#pragma GCC diagnostic pop
  return OsVersionRecord{static_cast<int>(info.dwMajorVersion),
                         static_cast<int>(info.dwMinorVersion),
                         static_cast<int>(info.dwPlatformId)};
}

}  // namespace corvane::platform
