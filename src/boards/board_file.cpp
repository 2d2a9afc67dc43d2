#include "boards/board_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <optional>

#include "text/words.h"

namespace corvane {

namespace {

using R = PortRegister;

struct PinName {
  std::string_view name;
  int pin;
  PortRegister reg;
  std::uint8_t mask;
  bool port_inverted;  // the port's hardware inverts it between the pin and the register
};

// The DB-25 connector's signal pins and the register bits behind them.
constexpr PinName kPins[] = {
    {"STROBE", 1, R::kControl, 0x01, true},     {"D0", 2, R::kData, 0x01, false},
    {"D1", 3, R::kData, 0x02, false},           {"D2", 4, R::kData, 0x04, false},
    {"D3", 5, R::kData, 0x08, false},           {"D4", 6, R::kData, 0x10, false},
    {"D5", 7, R::kData, 0x20, false},           {"D6", 8, R::kData, 0x40, false},
    {"D7", 9, R::kData, 0x80, false},           {"ACK", 10, R::kStatus, 0x40, false},
    {"BUSY", 11, R::kStatus, 0x80, true},       {"PAPER-OUT", 12, R::kStatus, 0x20, false},
    {"SELECT", 13, R::kStatus, 0x10, false},    {"AUTOFD", 14, R::kControl, 0x02, true},
    {"ERROR", 15, R::kStatus, 0x08, false},     {"INIT", 16, R::kControl, 0x04, false},
    {"SELECT-IN", 17, R::kControl, 0x08, true},
};

// A pin as written ("~D3", "BUSY", "pin10", "S7"); nullopt when it names none.
std::optional<PortBit> Read_Pin(std::string_view word) {
  PortBit bit;
  bit.text = std::string(word);
  bool inverted = false;
  if (!word.empty() && word.front() == '~') {
    inverted = true;
    word.remove_prefix(1);
  }
  const std::string name = Upper(word);
  const PinName* found = nullptr;
  bool register_level = false;
  if (name.size() > 3 && name.compare(0, 3, "PIN") == 0) {
    int number = 0;
    for (std::size_t i = 3; i < name.size(); ++i) {
      if (!std::isdigit(static_cast<unsigned char>(name[i])) || number > 99) return std::nullopt;
      number = number * 10 + (name[i] - '0');
    }
    for (const PinName& p : kPins) found = p.pin == number ? &p : found;
  } else if (name.size() == 2 && (name[0] == 'S' || name[0] == 'C') &&
             std::isdigit(static_cast<unsigned char>(name[1]))) {
    // A control or status register bit itself: its value as the register holds it.
    const R reg = name[0] == 'S' ? R::kStatus : R::kControl;
    const auto mask = static_cast<std::uint8_t>(1u << (name[1] - '0'));
    for (const PinName& p : kPins) found = p.reg == reg && p.mask == mask ? &p : found;
    register_level = true;
  } else {
    for (const PinName& p : kPins) found = p.name == name ? &p : found;
  }
  if (found == nullptr) return std::nullopt;
  bit.reg = found->reg;
  bit.mask = found->mask;
  bit.pin = found->pin;
  bit.active_low = inverted != (found->port_inverted && !register_level);
  return bit;
}

const char* Register_Kind(PortRegister reg) {
  switch (reg) {
    case R::kData:
      return "a data pin";
    case R::kStatus:
      return "a status pin";
    default:
      return "a control pin";
  }
}

constexpr std::string_view kKeys[] = {"title",   "vpp",       "vdd",  "clock",     "data-out",
                                      "data-in", "loop-back", "idle", "vpp-first", "steps"};

// One section as it is read: each key's value and line, then checked as a whole at its end.
class SectionReader {
 public:
  SectionReader(std::string name, int line, const std::string& origin, BoardFile* file)
      : origin_(origin), file_(file), header_line_(line) {
    board_.name = std::move(name);
    board_.origin = origin;
    board_.line = line;
  }

  void Key(std::string_view key, std::string_view value, int line) {
    const std::string k = Lower(key);
    bool known = false;
    for (std::string_view candidate : kKeys) known = known || candidate == k;
    if (!known) {
      return Problem(line, "unknown key '" + std::string(key) +
                               "' (title, vpp, vdd, clock, data-out, data-in, loop-back, idle, "
                               "vpp-first, steps)");
    }
    if (auto seen = lines_.find(k); seen != lines_.end()) {
      return Problem(line,
                     k + " is given twice (first on line " + std::to_string(seen->second) + ")");
    }
    lines_[k] = line;
    if (value.empty()) return Problem(line, k + " has no value");
    if (k == "title") {
      board_.title = std::string(value);
    } else if (k == "vpp") {
      Outputs(k, value, line, &board_.vpp);
    } else if (k == "vdd") {
      if (Lower(value) != "fixed") Outputs(k, value, line, &board_.vdd);
    } else if (k == "clock") {
      Outputs(k, value, line, &board_.clock);
    } else if (k == "data-out") {
      Outputs(k, value, line, &board_.data_out);
    } else if (k == "data-in") {
      Data_In(value, line);
    } else if (k == "loop-back") {
      Loop_Back(value, line);
    } else if (k == "idle") {
      Idle(value, line);
    } else if (k == "vpp-first") {
      const std::string v = Lower(value);
      if (v != "yes" && v != "no") return Problem(line, "vpp-first takes yes or no");
      vpp_first_ = v == "yes";
    } else {
      Steps(value, line);
    }
  }

  // Checks the section as a whole and keeps the board when nothing was wrong with it.
  void Finish() {
    for (std::string_view required : {"vpp", "vdd", "clock", "data-out", "data-in"}) {
      if (lines_.count(std::string(required)) == 0) {
        Problem(header_line_, "board '" + board_.name + "' lacks " + std::string(required));
      }
    }
    if (vpp_first_ && *vpp_first_ && !board_.vdd_switched() && lines_.count("vdd") != 0) {
      Problem(lines_["vpp-first"],
              "vpp-first = yes needs a switched Vdd (this board has vdd = fixed)");
    }
    if (board_.idle_vdd && !board_.vdd_switched() && lines_.count("vdd") != 0) {
      Problem(lines_["idle"], "idle: the board does not switch Vdd (vdd = fixed)");
    }
    board_.vpp_first = vpp_first_.value_or(board_.vdd_switched());
    board_.Compile_Masks();
    if (!failed_) file_->boards.push_back(std::make_shared<const BoardDescription>(board_));
  }

 private:
  void Problem(int line, std::string reason) {
    failed_ = true;
    file_->problems.push_back({origin_, line, std::move(reason)});
  }

  // A pin as written, checked against the pins used so far; nullopt after a problem.
  std::optional<PortBit> Pin(const std::string& key, std::string_view word, int line) {
    const std::optional<PortBit> bit = Read_Pin(word);
    if (!bit) {
      Problem(line, "unknown pin '" + std::string(word) + "' (" + std::string(kPinNames) + ")");
      return std::nullopt;
    }
    for (const Used& u : used_) {
      if (u.reg == bit->reg && u.mask == bit->mask) {
        Problem(line, "pin " + std::string(word) + " is used twice (" + u.key + ", line " +
                          std::to_string(u.line) + ")");
        return std::nullopt;
      }
    }
    used_.push_back({bit->reg, bit->mask, key, line});
    return bit;
  }

  bool Output(const std::string& key, const PortBit& bit, int line) {
    if (bit.reg != R::kStatus) return true;
    Problem(line, key + ": " + bit.text +
                      " is an input (a status pin); outputs are data or "
                      "control pins");
    return false;
  }

  void Outputs(const std::string& key, std::string_view value, int line,
               std::vector<PortBit>* into) {
    for (std::string_view word : Words(value)) {
      if (Lower(word) == "fixed") {
        Problem(line, key + ": 'fixed' stands alone (vdd = fixed)");
        continue;
      }
      const std::optional<PortBit> bit = Pin(key, word, line);
      if (bit && Output(key, *bit, line)) into->push_back(*bit);
    }
  }

  bool Input(const std::string& key, const PortBit& bit, int line) {
    if (bit.reg == R::kStatus) return true;
    Problem(line, key + ": " + bit.text + " is an output (" + Register_Kind(bit.reg) +
                      "); inputs are status pins");
    return false;
  }

  void Data_In(std::string_view value, int line) {
    const std::vector<std::string_view> words = Words(value);
    if (words.size() != 1) return Problem(line, "data-in takes one pin");
    const std::optional<PortBit> bit = Pin("data-in", words[0], line);
    if (bit && Input("data-in", *bit, line)) board_.data_in = *bit;
  }

  void Loop_Back(std::string_view value, int line) {
    const std::vector<std::string_view> words = Words(value);
    if (words.size() != 2)
      return Problem(line, "loop-back takes two pins: an output, then an input");
    const std::optional<PortBit> out = Pin("loop-back", words[0], line);
    const std::optional<PortBit> in = Pin("loop-back", words[1], line);
    if (out && Output("loop-back", *out, line)) board_.loop_out = *out;
    if (in && Input("loop-back", *in, line)) board_.loop_in = *in;
  }

  void Idle(std::string_view value, int line) {
    struct State {
      std::string_view word;
      std::optional<bool> BoardDescription::*field;
      bool level;
    };
    static constexpr State kStates[] = {
        {"vdd-on", &BoardDescription::idle_vdd, true},
        {"vdd-off", &BoardDescription::idle_vdd, false},
        {"clock-high", &BoardDescription::idle_clock, true},
        {"clock-low", &BoardDescription::idle_clock, false},
        {"data-high", &BoardDescription::idle_data, true},
        {"data-low", &BoardDescription::idle_data, false},
    };
    for (std::string_view word : Words(value)) {
      const std::string w = Lower(word);
      if (w == "vpp-off") continue;  // always so
      const State* state = nullptr;
      for (const State& s : kStates) state = s.word == w ? &s : state;
      if (state == nullptr) {
        Problem(line, "unknown idle state '" + std::string(word) +
                          "' (vdd-on, vdd-off, clock-low, clock-high, data-low, data-high; Vpp "
                          "is always removed)");
        continue;
      }
      if ((board_.*(state->field)).has_value()) {
        Problem(line, "idle: " + w + " contradicts another state of the same line");
        continue;
      }
      board_.*(state->field) = state->level;
    }
  }

  void Steps(std::string_view value, int line) {
    for (std::string_view word : Words(value)) {
      const std::string w = Lower(word);
      if (w == "byte-probe") {
        board_.steps |= kByteProbe;
      } else if (w == "byte-loop-back") {
        board_.steps |= kByteLoopBack;
      } else if (w == "byte-reset") {
        board_.steps |= kByteReset;
      } else {
        Problem(line, "unknown step '" + std::string(word) +
                          "' (byte-probe, byte-loop-back, byte-reset)");
      }
    }
  }

  struct Used {
    PortRegister reg;
    std::uint8_t mask;
    std::string key;
    int line;
  };

  const std::string& origin_;
  BoardFile* file_;
  int header_line_;
  BoardDescription board_;
  std::map<std::string, int> lines_;
  std::vector<Used> used_;
  std::optional<bool> vpp_first_;
  bool failed_ = false;
};

bool Is_Name(std::string_view name) {
  if (name.empty() || name.size() > 40) return false;
  for (char c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') return false;
  }
  return true;
}

}  // namespace

std::string BoardProblem::Text() const {
  if (line == 0) return origin + ": " + reason;
  return origin + ":" + std::to_string(line) + ": " + reason;
}

std::string BoardFile::Problems_Text() const {
  std::string text;
  for (const BoardProblem& p : problems) text += (text.empty() ? "" : "\n") + p.Text();
  return text;
}

BoardFile Parse_Board_Text(std::string_view text, const std::string& origin) {
  BoardFile file;
  std::optional<SectionReader> section;
  std::map<std::string, int> names;
  bool skipping = false;  // the lines of a section whose header was refused
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    line = Trim(line.substr(0, line.find('#')));
    if (line.empty()) continue;
    auto problem = [&](std::string reason) {
      file.problems.push_back({origin, number, std::move(reason)});
    };
    if (line.front() == '[') {
      if (section) section->Finish();
      section.reset();
      skipping = true;
      if (line.back() != ']') {
        problem("a board's section starts with [name]");
        continue;
      }
      const std::string_view raw = Trim(line.substr(1, line.size() - 2));
      if (!Is_Name(raw)) {
        problem("'" + std::string(raw) + "' is not a board name (letters, digits, - and _)");
        continue;
      }
      const std::string name = Lower(raw);
      if (auto seen = names.find(name); seen != names.end()) {
        problem("board '" + name + "' is defined twice (first on line " +
                std::to_string(seen->second) + ")");
        continue;
      }
      names[name] = number;
      section.emplace(name, number, origin, &file);
      skipping = false;
      continue;
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      problem("expected [name] or key = value, not '" + std::string(line) + "'");
      continue;
    }
    const std::string_view key = Trim(line.substr(0, eq));
    if (skipping) continue;
    if (!section) {
      problem("'" + std::string(key) + "' outside a board: start one with [name]");
      continue;
    }
    section->Key(key, Trim(line.substr(eq + 1)), number);
  }
  if (section) section->Finish();
  // A section's missing lines are found at its end: give the problems in the file's order.
  std::stable_sort(file.problems.begin(), file.problems.end(),
                   [](const BoardProblem& a, const BoardProblem& b) { return a.line < b.line; });
  return file;
}

}  // namespace corvane
