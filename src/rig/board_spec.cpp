#include "rig/board_spec.h"

#include <charconv>
#include <optional>

#include "boards/builtin_boards.h"
#include "hardware/system_port.h"
#include "protocol/hex_text.h"

namespace corvane {

namespace {

// The range a number of the board option must lie in, and the base it is written in.
struct NumberRange {
  std::int64_t min;
  std::int64_t max;
  int base;  // 10 or 16
};

// The range as the messages show it: "0-3FFF" in the option's own base.
std::string Range_Text(const NumberRange& r) {
  auto text = [&](std::int64_t v) { return r.base == 16 ? Hex(v) : std::to_string(v); };
  return text(r.min) + "-" + text(r.max);
}

// Every number of the board option is read here: digits of the range's base only (any number of
// them, leading zeros included) and a value inside the range, checked as the digits come so that
// no text can overflow. False with the reason to add to the option's usage error.
bool Read_Number(std::string_view text, const NumberRange& range, std::int64_t* value,
                 std::string* why) {
  if (text.empty()) {
    *why = "a number is missing";
    return false;
  }
  std::int64_t v = 0;  // never past max * base + 15: no text overflows it
  bool too_large = false;
  for (char c : text) {
    int d = -1;
    if (c >= '0' && c <= '9') d = c - '0';
    if (range.base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    if (range.base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    if (d < 0) {
      *why = "'" + std::string(text) + "' is not a " +
             (range.base == 16 ? "hexadecimal" : "decimal") + " number";
      return false;
    }
    if (!too_large) v = v * range.base + d;
    if (v > range.max) too_large = true;
  }
  if (too_large || v < range.min) {
    *why = std::string(text) + " is out of range (" + Range_Text(range) + ")";
    return false;
  }
  *value = v;
  return true;
}

// Board accesses before the board goes away, and the addresses a stuck word may name (the chip
// itself then says which of them it has).
constexpr NumberRange kLostRange{0, 2'147'483'647, 10};
constexpr NumberRange kWordRange{0, 0x3FFF, 16};

// One fault: data-low, data-high, lost:N (decimal), stuck-word:ADDR (hexadecimal, 0x optional).
// False with the reason, if any, beyond the option's usage.
bool Parse_Fault(std::string_view value, SimFaults* faults, std::string* why) {
  if (value == "data-low" || value == "data-high") {
    faults->stuck_data = value == "data-high" ? 1 : 0;
    return true;
  }
  std::int64_t n = 0;
  if (value.rfind("lost:", 0) == 0) {
    if (!Read_Number(value.substr(5), kLostRange, &n, why)) return false;
    faults->lost_after = static_cast<long>(n);
    return true;
  }
  if (value.rfind("stuck-word:", 0) == 0) {
    std::string_view address = value.substr(11);
    if (address.rfind("0x", 0) == 0 || address.rfind("0X", 0) == 0) address.remove_prefix(2);
    if (!Read_Number(address, kWordRange, &n, why)) return false;
    faults->stuck_words.push_back(static_cast<int>(n));
    return true;
  }
  return false;
}

// The board of a board=NAME|FILE option; null with the option's usage error.
std::shared_ptr<const BoardDescription> Named_Board(std::string_view value,
                                                    const BoardLibrary* library,
                                                    std::string* error) {
  if (value.empty()) {
    *error = "board option board takes NAME|FILE, not ''";
    return nullptr;
  }
  if (auto builtin = Builtin_Board(value)) return builtin;
  std::optional<BoardLibrary> own;
  if (library == nullptr) library = &own.emplace(Boards_Folder());
  auto board = Choose_Board(value, *library, error);
  if (!board) *error = "board option board=" + std::string(value) + ": " + *error;
  return board;
}

// The original boards are found by discovery as on the machine's ports; any other is driven as
// named.
std::shared_ptr<const BoardDescription> Host_Board_For(
    const std::shared_ptr<const BoardDescription>& simulated) {
  if (!simulated || simulated == Brannock_Board() || simulated == Tessel_Board()) return nullptr;
  return simulated;
}

// Takes the board=NAME|FILE item out of "lpt:...", leaving the port's own option text.
bool Take_Lpt_Board(std::string_view text, std::string* rest, std::string* board,
                    std::string* error) {
  *rest = "lpt";
  if (text.size() <= 4) {
    *rest = std::string(text);
    return true;
  }
  std::string_view items = text.substr(4);
  std::string kept;
  bool seen = false;
  while (true) {
    const std::size_t comma = items.find(',');
    const std::string_view item = items.substr(0, comma);
    std::string key(item.substr(0, item.find('=')));
    for (char& c : key) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (key == "board" && item.find('=') != std::string_view::npos) {
      if (seen) {
        *error = "board option board is given twice";
        return false;
      }
      seen = true;
      *board = std::string(item.substr(6));
    } else {
      kept += (kept.empty() ? "" : ",") + std::string(item);
    }
    if (comma == std::string_view::npos) break;
    items = items.substr(comma + 1);
  }
  if (!seen) {
    *rest = std::string(text);
  } else if (!kept.empty()) {
    *rest = std::string(text.substr(0, 4)) + kept;
  }
  return true;
}

bool Parse_Sim(std::string_view options, SimSpec* out, std::string* error,
               const BoardLibrary* library) {
  SimSpec s;
  while (!options.empty()) {
    const std::size_t comma = options.find(',');
    const std::string_view item = options.substr(0, comma);
    options = comma == std::string_view::npos ? std::string_view() : options.substr(comma + 1);
    const std::size_t eq = item.find('=');
    if (eq == std::string_view::npos) {
      *error = "board option '" + std::string(item) + "' is not key=value";
      return false;
    }
    const std::string_view key = item.substr(0, eq);
    const std::string_view value = item.substr(eq + 1);
    auto bad = [&](std::string_view allowed) {
      *error = "board option " + std::string(key) + " takes " + std::string(allowed) + ", not '" +
               std::string(value) + "'";
      return false;
    };
    if (key == "board") {
      s.description = Named_Board(value, library, error);
      if (!s.description) return false;
      s.board = Kind_Of(*s.description);
    } else if (key == "chip") {
      if (value == "none") {
        s.chip.reset();
      } else if (const auto kind = sim::Chip_Kind_Named(value)) {
        s.chip = *kind;
      } else {
        return bad(sim::Chip_Kind_Names() + "|none");
      }
    } else if (key == "port") {
      if (value == "lpt1") {
        s.port = kLpt1;
      } else if (value == "lpt2") {
        s.port = kLpt2;
      } else {
        return bad("lpt1|lpt2");
      }
    } else if (key == "time") {
      if (value == "virtual") {
        s.virtual_time = true;
      } else if (value == "real") {
        s.virtual_time = false;
      } else {
        return bad("virtual|real");
      }
    } else if (key == "id") {
      unsigned id = 0;
      const auto r = std::from_chars(value.data(), value.data() + value.size(), id, 16);
      if (value.empty() || r.ec != std::errc() || r.ptr != value.data() + value.size() ||
          id > 0x3FFF) {
        return bad("an identification word in hexadecimal up to 3FFF");
      }
      s.device_id = static_cast<std::uint16_t>(id);
    } else if (key == "run") {
      if (value == "inputs") {
        s.program_drives_lines = false;
      } else if (value == "outputs") {
        s.program_drives_lines = true;
      } else {
        return bad("inputs|outputs");
      }
    } else if (key == "state") {
      if (value.empty()) return bad("a file name");
      s.state_file = std::string(value);
    } else if (key == "fault") {
      std::string why;
      if (!Parse_Fault(value, &s.faults, &why)) {
        bad("data-low|data-high|lost:N|stuck-word:ADDR");
        if (!why.empty()) *error += ": " + why;
        return false;
      }
    } else {
      *error = "unknown board option '" + std::string(key) +
               "' (board, chip, port, time, state, fault, run)";
      return false;
    }
  }
  *out = std::move(s);
  return true;
}

}  // namespace

bool Parse_Board_Spec(std::string_view text, BoardSpec* out, std::string* error,
                      const BoardLibrary* library) {
  BoardSpec spec;
  if (text == "sim" || text.rfind("sim:", 0) == 0) {
    spec.simulated = true;
    if (text.size() == 4) {
      *error = "board options missing after 'sim:'";
      return false;
    }
    if (text.size() > 4 && !Parse_Sim(text.substr(4), &spec.sim, error, library)) return false;
    spec.host_board = Host_Board_For(spec.sim.description);
  } else if (text == "lpt" || text.rfind("lpt:", 0) == 0) {
    std::string port_text;
    std::string board;
    if (!Take_Lpt_Board(text, &port_text, &board, error)) return false;
    if (!Parse_System_Port_Option(port_text, &spec.lpt, error)) return false;
    if (port_text.size() != text.size()) {
      spec.host_board = Named_Board(board, library, error);
      if (!spec.host_board) return false;
    }
  } else {
    *error = "unknown board '" + std::string(text) + "' (lpt or sim)";
    return false;
  }
  *out = std::move(spec);
  return true;
}

}  // namespace corvane
