#include "rig/same_file.h"

#include <filesystem>
#include <system_error>

namespace corvane {

bool Same_File(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) {
    const bool same = fs::equivalent(a, b, ec);
    if (!ec) return same;
  }
  const fs::path pa = fs::weakly_canonical(fs::absolute(a, ec), ec);
  if (ec) return a == b;
  const fs::path pb = fs::weakly_canonical(fs::absolute(b, ec), ec);
  if (ec) return a == b;
  return pa == pb;
}

}  // namespace corvane
