// The program's own version, as the build gives it ("1.0.0.1": major, minor, build, revision).
#pragma once

#include <string>
#include <string_view>

namespace corvane {

struct ProgramVersion {
  int major = 0;
  int minor = 0;
  int build = 0;
  int revision = 0;
};

// Reads "major.minor.build.revision"; missing or unreadable parts are 0.
ProgramVersion Parse_Version(std::string_view text);

// "Version " + major + "." + minor + "." + revision: 3.0.0.1 reads "Version 3.0.1".
std::string Version_Label(const ProgramVersion& v);

}  // namespace corvane
