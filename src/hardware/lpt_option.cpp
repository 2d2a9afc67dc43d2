#include "hardware/lpt_option.h"

#include <cctype>

#include "text/words.h"

namespace corvane {

bool Lpt_Option_Failure(std::string* error, std::string_view spec, const std::string& why) {
  if (error != nullptr) *error = "invalid port option '" + std::string(spec) + "': " + why;
  return false;
}

bool Parse_Lpt_Option(std::string_view spec, std::string_view value_name,
                      const LptValueCheck& check, LptSpec* out, std::string* error) {
  const std::string usage = " (expected lpt or lpt:lpt1=" + std::string(value_name) +
                            ",lpt2=" + std::string(value_name) + ")";
  if (Lower(spec) == "lpt") {
    if (out != nullptr) *out = LptSpec{};
    return true;
  }
  if (spec.size() < 4 || Lower(spec.substr(0, 4)) != "lpt:") {
    return Lpt_Option_Failure(error, spec, "not a parallel-port option" + usage);
  }
  std::string_view rest = spec.substr(4);
  if (rest.empty()) return Lpt_Option_Failure(error, spec, "nothing after 'lpt:'" + usage);

  LptSpec parsed;
  bool seen1 = false;
  bool seen2 = false;
  while (true) {
    const std::size_t comma = rest.find(',');
    const std::string_view item = rest.substr(0, comma);
    const std::size_t eq = item.find('=');
    if (item.empty()) return Lpt_Option_Failure(error, spec, "empty entry between commas");
    if (eq == std::string_view::npos) {
      return Lpt_Option_Failure(
          error, spec, "'" + std::string(item) + "' lacks '=" + std::string(value_name) + "'");
    }
    const std::string key = Lower(item.substr(0, eq));
    if (key != "lpt1" && key != "lpt2") {
      return Lpt_Option_Failure(
          error, spec,
          "unknown port '" + std::string(item.substr(0, eq)) + "' (expected lpt1 or lpt2)");
    }
    bool& seen = key == "lpt1" ? seen1 : seen2;
    if (seen) return Lpt_Option_Failure(error, spec, key + " is given twice");
    seen = true;
    std::string kept;
    const std::string why = check(key, item.substr(eq + 1), &kept);
    if (!why.empty()) return Lpt_Option_Failure(error, spec, why);
    (key == "lpt1" ? parsed.lpt1 : parsed.lpt2) = std::move(kept);
    if (comma == std::string_view::npos) break;
    rest = rest.substr(comma + 1);
  }
  if (out != nullptr) *out = parsed;
  return true;
}

}  // namespace corvane
