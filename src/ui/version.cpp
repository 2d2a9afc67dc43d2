#include "ui/version.h"

#include <charconv>

namespace corvane {

ProgramVersion Parse_Version(std::string_view text) {
  int parts[4] = {0, 0, 0, 0};
  for (int& part : parts) {
    const std::size_t dot = text.find('.');
    const std::string_view field = text.substr(0, dot);
    int n = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), n);
    if (ec == std::errc() && end == field.data() + field.size() && n >= 0) part = n;
    if (dot == std::string_view::npos) break;
    text.remove_prefix(dot + 1);
  }
  return ProgramVersion{parts[0], parts[1], parts[2], parts[3]};
}

std::string Version_Label(const ProgramVersion& v) {
  return "Version " + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
         std::to_string(v.revision);
}

}  // namespace corvane
