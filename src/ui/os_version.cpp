#include "ui/os_version.h"

#include "platform/os_version.h"

namespace corvane {

OsVersion Get_Os_Version() {
  // Only Windows has the version record the about box describes; elsewhere all three are 0, so
  // no major version 4 is ever reported.
  const platform::OsVersionRecord r = platform::Query_Os_Version();
  return OsVersion{r.major, r.minor, r.platform_id};
}

std::string Os_Version_Text(const OsVersion& v) {
  if (v.major != 4) return "Windows version: ? ";
  if (v.platform_id == 2) return "Windows NT ";
  if (v.platform_id == 1) return "Windows 95/98 ";
  return "";
}

}  // namespace corvane
