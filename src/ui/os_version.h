// Which operating-system family the program runs on, as the about box shows it.
#pragma once

#include <string>

namespace corvane {

struct OsVersion {
  int major = 0;
  int minor = 0;
  int platform_id = 0;
};

// The Windows version record; elsewhere there is none, and all three fields are 0.
OsVersion Get_Os_Version();

// "Windows NT ", "Windows 95/98 ", "Windows version: ? " or empty, from the version record.
std::string Os_Version_Text(const OsVersion& v);

}  // namespace corvane
