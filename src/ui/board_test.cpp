#include "ui/board_test.h"

#include <algorithm>

#include "hardware/pauses.h"

namespace corvane {

namespace {

enum class Socket { kVdd, kVpp, kClock, kData };

// Where each line is on the chip's socket, and its name in the summary.
struct SocketPin {
  std::string_view where;
  std::string_view line;
};
constexpr SocketPin kSocket[] = {
    {"Vdd (pin 14 of an 18-pin chip's socket, pins 11 and 32 of a 40-pin one)", "Vdd"},
    {"MCLR (pin 4 of an 18-pin chip's socket, pin 1 of a 40-pin one)", "Vpp"},
    {"RB6, the clock (pin 12 of an 18-pin chip's socket, pin 39 of a 40-pin one)", "clock (RB6)"},
    {"RB7, the data line (pin 13 of an 18-pin chip's socket, pin 40 of a 40-pin one)",
     "data out (RB7)"},
};

const SocketPin& Pin(Socket s) {
  return kSocket[static_cast<int>(s)];
}

// One measurement: the line set from rest, what it should read, and the way back to rest.
struct Measurement {
  std::string_view name;
  Socket socket;
  bool level;  // on or high
  std::string_view reading;
  void (*set)(Lines&);
  void (*back)(Lines&);
};

void Nothing(Lines&) {}

// At rest: Vpp off, Vdd on (as every operation leaves them), clock and data low.
void Rest(Lines& lines) {
  lines.Vpp_Off();
  lines.Vdd_On();
  lines.Set_Clock_Line(0);
  lines.Set_Data_Line(0);
}

const Measurement kSwitchedVdd[] = {
    {"Vdd on", Socket::kVdd, true, "4.5 to 5.5 V", Nothing, Nothing},
    {"Vdd off", Socket::kVdd, false, "0 to 0.5 V", [](Lines& l) { l.Vdd_Off(); },
     [](Lines& l) { l.Vdd_On(); }},
};
const Measurement kFixedVdd[] = {
    {"Vdd (not switched by this board)", Socket::kVdd, true, "4.5 to 5.5 V", Nothing, Nothing},
};
const Measurement kOthers[] = {
    {"Vpp off", Socket::kVpp, false, "0 to 5.5 V", Nothing, Nothing},
    {"Vpp on", Socket::kVpp, true, "12 to 14 V", [](Lines& l) { l.Vpp_On(); }, Rest},
    {"Clock low", Socket::kClock, false, "0 to 0.8 V", Nothing, Nothing},
    {"Clock high", Socket::kClock, true, "4 to 5.5 V", [](Lines& l) { l.Set_Clock_Line(1); },
     [](Lines& l) { l.Set_Clock_Line(0); }},
    {"Data low", Socket::kData, false, "0 to 0.8 V", Nothing, Nothing},
    {"Data high", Socket::kData, true, "4 to 5.5 V", [](Lines& l) { l.Set_Data_Line(1); },
     [](Lines& l) { l.Set_Data_Line(0); }},
};

bool Measured(const SocketLevels& s, Socket socket) {
  switch (socket) {
    case Socket::kVdd:
      return s.vdd;
    case Socket::kVpp:
      return s.vpp;
    case Socket::kClock:
      return s.clock;
    default:
      return s.data;
  }
}

class Test {
 public:
  Test(Lines& lines, Panel& panel, LineMeter* meter,
       const std::function<Answer(std::string_view)>& ask)
      : lines_(lines), panel_(panel), meter_(meter), ask_(ask) {}

  BoardTestResult Run(std::uint16_t port) {
    const BoardDescription& board = lines_.board();
    std::vector<Measurement> steps;
    if (board.vdd_switched()) {
      steps.assign(std::begin(kSwitchedVdd), std::end(kSwitchedVdd));
    } else {
      steps.assign(std::begin(kFixedVdd), std::end(kFixedVdd));
    }
    steps.insert(steps.end(), std::begin(kOthers), std::end(kOthers));
    const bool loop_back = board.loop_out && board.loop_in;
    result_.checks = static_cast<int>(steps.size()) + 2 + (loop_back ? 1 : 0);

    const std::string port_name = port == kLpt2 ? "LPT2 (0x278)" : "LPT1 (0x378)";
    panel_.Append_Text("Board test : " + board.Label() + ", " + port_name + "\r\n");
    panel_.Append_Text(
        "Take the chip out of the socket and measure each pin against Vss (pin 5 of an 18-pin "
        "chip's socket, pins 12 and 31 of a 40-pin one).\r\n\r\n");
    Rest(lines_);
    for (const Measurement& m : steps) {
      if (!Measure(m)) break;
    }
    if (!result_.stopped) {
      Data_In(1);
      Data_In(0);
      if (loop_back) Loop_Back(board, port);
    }
    Rest(lines_);
    panel_.Append_Text(std::string("All lines at rest : Vpp off, ") +
                       (board.vdd_switched() ? "Vdd on, " : "") + "clock low, data low\r\n\r\n");
    panel_.Append_Text("Board test summary :\r\n" + summary_);
    panel_.Append_Text("Board test : " + result_.Verdict() + "\r\n");
    return result_;
  }

 private:
  void Record(std::string_view name, bool passed, std::string_view line, std::string_view text) {
    summary_ += "  " + std::string(name) + ": " + std::string(text) + "\r\n";
    ++result_.done;
    if (passed) {
      ++result_.passed;
      return;
    }
    auto& failed = result_.failed_lines;
    if (std::find(failed.begin(), failed.end(), line) == failed.end()) {
      failed.emplace_back(line);
    }
  }

  // False when the user stopped the test.
  bool Measure(const Measurement& m) {
    m.set(lines_);
    const std::string prompt = std::string(m.name) + ": " + std::string(Pin(m.socket).where) +
                               " should read " + std::string(m.reading) + " now; press Enter";
    panel_.Append_Text(prompt + "\r\n");
    Answer answer;
    std::string by;
    if (meter_ != nullptr) {
      answer = Measured(meter_->Measure(), m.socket) == m.level ? Answer::kYes : Answer::kNo;
      by = " by the simulated board";
    } else {
      answer = ask_(prompt);
    }
    m.back(lines_);
    if (answer == Answer::kStop) {
      result_.stopped = true;
      panel_.Append_Text("  stopped\r\n");
      return false;
    }
    const bool yes = answer == Answer::kYes;
    const std::string text = (yes ? "confirmed" : "not confirmed") + by;
    panel_.Append_Text("  " + text + "\r\n");
    Record(m.name, yes, Pin(m.socket).line, text);
    return true;
  }

  void Data_In(int out) {
    lines_.Set_Data_Line(out);
    lines_.Wait(Pause::kProbe);
    const int read = lines_.Read_Data_Line();
    lines_.Set_Data_Line(0);
    const std::string name = std::string("Data in with data out ") + (out != 0 ? "high" : "low");
    const std::string text =
        "reads " + std::to_string(read) + (read == out ? ", follows" : ", did not follow");
    panel_.Append_Text(name + ": " + text + "\r\n");
    Record(name, read == out, "data in", text);
  }

  void Loop_Back(const BoardDescription& board, std::uint16_t port) {
    const bool follows = lines_.Loop_Back_Follows(port);
    const std::string name = "Loop-back " + board.loop_out->text + " to " + board.loop_in->text;
    const std::string text = follows ? "follows" : "did not follow";
    panel_.Append_Text(name + ": " + text + "\r\n");
    Record(name, follows, "loop-back", text);
  }

  Lines& lines_;
  Panel& panel_;
  LineMeter* meter_;
  const std::function<Answer(std::string_view)>& ask_;
  BoardTestResult result_;
  std::string summary_;
};

}  // namespace

std::string BoardTestResult::Verdict() const {
  std::string failed;
  for (const std::string& line : failed_lines) failed += (failed.empty() ? "" : ", ") + line;
  if (stopped) {
    const std::string text =
        "stopped after " + std::to_string(done) + " of " + std::to_string(checks) + " checks";
    return failed.empty() ? text : text + "; did not follow: " + failed;
  }
  if (failed.empty()) return "every line followed (" + std::to_string(checks) + " checks)";
  return "did not follow: " + failed;
}

BoardTestResult Run_Board_Test(Lines& lines, Panel& panel, std::uint16_t port, LineMeter* meter,
                               const std::function<Answer(std::string_view prompt)>& ask) {
  return Test(lines, panel, meter, ask).Run(port);
}

}  // namespace corvane
