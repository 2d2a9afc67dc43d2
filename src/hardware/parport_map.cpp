#include "hardware/parport_map.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <system_error>

#include "hardware/lpt_option.h"
#include "state/working_state.h"

namespace corvane {

namespace {

// "parport12" gives 12; anything else (e.g. the "default" entry) gives -1.
int Parport_Number(const std::string& name) {
  constexpr std::string_view kPrefix = "parport";
  if (name.size() <= kPrefix.size() || name.compare(0, kPrefix.size(), kPrefix) != 0) return -1;
  int number = -1;
  const char* first = name.data() + kPrefix.size();
  const char* last = name.data() + name.size();
  auto [end, ec] = std::from_chars(first, last, number);
  if (ec != std::errc() || end != last || number < 0) return -1;
  return number;
}

}  // namespace

bool Parse_Lpt_Spec(std::string_view spec, LptSpec* out, std::string* error) {
  auto device = [](const std::string& key, std::string_view value, std::string* kept) {
    if (value.empty()) return key + " names no device";
    if (value.front() != '/') {
      return key + " device '" + std::string(value) + "' is not a path such as /dev/parport0";
    }
    if (std::any_of(value.begin(), value.end(),
                    [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; })) {
      return key + " device contains a blank";
    }
    *kept = std::string(value);
    return std::string();
  };
  LptSpec parsed;
  if (!Parse_Lpt_Option(spec, "DEVICE", device, &parsed, error)) return false;
  if (!parsed.lpt1.empty() && parsed.lpt1 == parsed.lpt2) {
    return Lpt_Option_Failure(error, spec, "lpt1 and lpt2 name the same device");
  }
  if (out != nullptr) *out = parsed;
  return true;
}

std::optional<unsigned long> Parse_Base_Addr(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  int radix = 10;
  if (text.size() - i > 2 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    radix = 16;
    i += 2;
  }
  unsigned long value = 0;
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  auto [end, ec] = std::from_chars(first, last, value, radix);
  if (ec != std::errc() || end == first) return std::nullopt;
  if (end != last && !std::isspace(static_cast<unsigned char>(*end))) return std::nullopt;
  return value;
}

std::vector<ParportEntry> List_Parports(const std::string& proc_root) {
  namespace fs = std::filesystem;
  std::vector<ParportEntry> found;
  std::error_code ec;
  fs::directory_iterator it(proc_root, ec);
  if (ec) return found;
  for (const fs::directory_entry& entry : it) {
    const int number = Parport_Number(entry.path().filename().string());
    if (number < 0) continue;
    ParportEntry port;
    port.number = number;
    std::ifstream in(entry.path() / "base-addr");
    if (in) {
      const std::string text((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
      port.base = Parse_Base_Addr(text);
    }
    found.push_back(port);
  }
  std::sort(found.begin(), found.end(),
            [](const ParportEntry& a, const ParportEntry& b) { return a.number < b.number; });
  return found;
}

std::string Parport_Device_Path(int number) {
  return std::string(kParportDevicePrefix) + std::to_string(number);
}

LptMapping Map_Lpt_Ports(const std::vector<ParportEntry>& parports, const LptSpec& spec) {
  LptMapping map{spec.lpt1, spec.lpt2};
  std::set<std::string> taken;
  if (!map.lpt1.empty()) taken.insert(map.lpt1);
  if (!map.lpt2.empty()) taken.insert(map.lpt2);

  struct Slot {
    std::string* device;
    unsigned long base;
  };
  const Slot slots[] = {{&map.lpt1, kLpt1}, {&map.lpt2, kLpt2}};

  for (const Slot& slot : slots) {
    if (!slot.device->empty()) continue;
    for (const ParportEntry& p : parports) {
      const std::string path = Parport_Device_Path(p.number);
      if (p.base == slot.base && taken.count(path) == 0) {
        *slot.device = path;
        taken.insert(path);
        break;
      }
    }
  }
  for (const Slot& slot : slots) {
    if (!slot.device->empty()) continue;
    for (const ParportEntry& p : parports) {
      const std::string path = Parport_Device_Path(p.number);
      if (taken.count(path) == 0) {
        *slot.device = path;
        taken.insert(path);
        break;
      }
    }
  }
  return map;
}

}  // namespace corvane
