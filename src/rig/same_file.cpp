#include "rig/same_file.h"

#include <filesystem>
#include <system_error>

#include "platform/files.h"

namespace corvane {

bool Same_File(const std::string& name_a, const std::string& name_b) {
  namespace fs = std::filesystem;
  const fs::path a = platform::File_Path(name_a);
  const fs::path b = platform::File_Path(name_b);
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) {
    const bool same = fs::equivalent(a, b, ec);
    if (!ec) return same;
  }
  const fs::path pa = fs::weakly_canonical(fs::absolute(a, ec), ec);
  if (ec) return name_a == name_b;
  const fs::path pb = fs::weakly_canonical(fs::absolute(b, ec), ec);
  if (ec) return name_a == name_b;
  return pa == pb;
}

}  // namespace corvane
