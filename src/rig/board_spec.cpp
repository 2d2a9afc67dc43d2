#include "rig/board_spec.h"

#include "hardware/system_port.h"

namespace corvane {

namespace {

bool Parse_Sim(std::string_view options, SimSpec* out, std::string* error) {
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
      if (value == "brannock") {
        s.board = kBrannock;
      } else if (value == "tessel") {
        s.board = kTessel;
      } else {
        return bad("brannock|tessel");
      }
    } else if (key == "chip") {
      if (value == "16f84") {
        s.chip = sim::ChipKind::Pic16F84;
      } else if (value == "16f84a") {
        s.chip = sim::ChipKind::Pic16F84A;
      } else if (value == "16f873") {
        s.chip = sim::ChipKind::Pic16F873;
      } else if (value == "16f877") {
        s.chip = sim::ChipKind::Pic16F877;
      } else if (value == "none") {
        s.chip.reset();
      } else {
        return bad("16f84|16f84a|16f873|16f877|none");
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
    } else if (key == "state") {
      if (value.empty()) return bad("a file name");
      s.state_file = std::string(value);
    } else {
      *error = "unknown board option '" + std::string(key) + "' (board, chip, port, time, state)";
      return false;
    }
  }
  *out = std::move(s);
  return true;
}

}  // namespace

bool Parse_Board_Spec(std::string_view text, BoardSpec* out, std::string* error) {
  BoardSpec spec;
  if (text == "sim" || text.rfind("sim:", 0) == 0) {
    spec.simulated = true;
    if (text.size() == 4) {
      *error = "board options missing after 'sim:'";
      return false;
    }
    if (text.size() > 4 && !Parse_Sim(text.substr(4), &spec.sim, error)) return false;
  } else if (text == "lpt" || text.rfind("lpt:", 0) == 0) {
    if (!Parse_System_Port_Option(text, &spec.lpt, error)) return false;
  } else {
    *error = "unknown board '" + std::string(text) + "' (lpt or sim)";
    return false;
  }
  *out = std::move(spec);
  return true;
}

}  // namespace corvane
