#include "cli/runner.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <istream>
#include <memory>
#include <optional>
#include <string>

#include "boards/board_library.h"
#include "cli/args.h"
#include "cli/chip_list.h"
#include "cli/cli_view.h"
#include "cli/expect.h"
#include "cli/step_report.h"
#include "hardware/interruption.h"
#include "hardware/lines.h"
#include "platform/console.h"
#include "platform/input_line.h"
#include "platform/interrupt.h"
#include "rig/board_spec.h"
#include "rig/rig.h"
#include "rig/same_file.h"
#include "ui/panneau.h"

namespace corvane {

namespace {

struct CommandStep {
  std::string_view name;
  Ctl control;
  bool needs_board;
};

constexpr CommandStep kCommandSteps[] = {
    {"load", Ctl::Btn_Load_File, false},
    {"program", Ctl::Btn_Program_Device, true},
    {"read", Ctl::Btn_Read_Device, true},
    {"verify", Ctl::Btn_Verify, true},
    {"erase", Ctl::Btn_Erase_Device, true},
    {"program-eeprom", Ctl::Btn_Prog_EEPROM, true},
    {"read-eeprom", Ctl::Btn_Read_EEPROM, true},
    {"erase-eeprom", Ctl::Btn_Erase_EEPROM, true},
    {"program-fuses", Ctl::Btn_Prog_Fuses, true},
    {"check-fuses", Ctl::Btn_Check_Device_Fuses, true},
    {"device-id", Ctl::Btn_Check_Device_Id, true},
    {"find-port", Ctl::Btn_Find_Port, false},
    {"reset", Ctl::Btn_RESET, true},
    {"blank-check", Ctl::Menu_View_Blank_Check, true},
    {"save", Ctl::kCount, true},
    {"board-test", Ctl::kCount, false},
};

const CommandStep* Command_Step(std::string_view name) {
  for (const CommandStep& c : kCommandSteps) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

// Why the window would not let a user run this command now; empty when it would.
std::string Refusal(Panneau& win, const CommandStep& c) {
  if (c.needs_board && win.context().st.PortBase == 0) return "no programmer board found";
  if (c.control == Ctl::kCount || win.control(c.control).enabled) return "";
  switch (c.control) {
    case Ctl::Btn_Program_Device:
    case Ctl::Btn_Verify:
    case Ctl::Btn_Prog_EEPROM:
      return "no file loaded";
    case Ctl::Btn_RESET:
      return "the board is not a Tessel board";
    default:
      return "the button is disabled";
  }
}

int Check_Value(std::string_view arg) {
  if (arg == "on" || arg == "low") return kChecked;
  if (arg == "grey") return kGrayed;
  return kUnchecked;
}

void Apply_Setting(Panneau& win, const Step& step) {
  const std::string& a = step.arg;
  if (step.name == "osc") {
    const int index = a == "LP" ? 0 : a == "XT" ? 1 : a == "HS" ? 2 : 3;
    win.Set_Value(Opt_Osc(index), 1);
  } else if (step.name == "wdt") {
    win.Set_Value(Ctl::Check_WDT, Check_Value(a));
  } else if (step.name == "pwrt") {
    win.Set_Value(Ctl::Check_PWRT, Check_Value(a));
  } else if (step.name == "bod") {
    win.Set_Value(Ctl::Check_BODEN, Check_Value(a));
  } else if (step.name == "vdd") {
    win.Set_Value(Ctl::Check_Vdd, Check_Value(a));
  } else if (step.name == "auto") {
    win.Set_Value(Ctl::Check_auto, Check_Value(a));
  } else if (step.name == "speed") {
    // "Low Speed" and "Fast programming" as a user would leave them for each speed.
    win.Set_Value(Ctl::Menu_Options_Fast, a == "fast" ? kChecked : kUnchecked);
    win.Set_Value(Ctl::Check_Speed, a == "low" ? kChecked : kUnchecked);
  } else if (step.name == "device") {
    win.Set_Device(a);
  }
}

// The steps that only show what the window's logic holds: no board, no command.
bool Show_Step(Panneau& win, const ChipTable& chips, const Step& step, std::ostream& results) {
  if (step.name == "chips") {
    results << Chip_List(chips) << std::flush;
  } else if (step.name == "checksum") {
    win.Log_Checksums();
  } else if (step.name == "dump") {
    const MemoryView view = win.Memory_Rows();
    results << view.title << '\n';
    for (const std::string& line : view.lines) results << line << '\n';
    results << std::flush;
  } else {
    return false;
  }
  return true;
}

// The trace file is created empty at start: it must not be a file the steps read or write.
bool Check_Trace_Against_Files(const CliOptions& opts, std::string* error) {
  if (opts.trace.empty()) return true;
  if (opts.trace == "-") {
    *error = "--trace -: the trace needs a file name (the standard streams carry the log)";
    return false;
  }
  for (const Step& step : opts.steps) {
    if ((step.name == "load" || step.name == "save") && step.arg != "-" &&
        Same_File(opts.trace, step.arg)) {
      *error = "--trace " + opts.trace + ": the same file as " + step.text();
      return false;
    }
    // "save -" writes the HEX file to the standard output: no trace lines among it.
    if (step.name == "save" && step.arg == "-" && platform::Is_Standard_Output(opts.trace)) {
      *error = "--trace " + opts.trace + ": the standard output, where save - writes";
      return false;
    }
  }
  return true;
}

// Flushes the standard output and tells whether every write to it so far reached it: false with
// the system's reason ("No space left on device") once one failed. A reader that went away
// raises SIGPIPE, whose request to stop then ends the run as any other signal.
bool Output_Written(std::ostream& out, std::string* reason) {
  if (out) errno = 0;  // else the failed write's own reason is still there
  out.flush();
  if (out) return true;
  *reason = errno != 0 ? std::strerror(errno) : "write error";
  return false;
}

bool Saves_To_Stdout(const CliOptions& opts) {
  for (const Step& step : opts.steps) {
    if (step.name == "save" && step.arg == "-") return true;
  }
  return false;
}

}  // namespace

int Run_Cli(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err,
            bool err_is_terminal, InterruptSource* interrupts, std::istream* answers) {
  CliOptions opts;
  std::string error;
  auto usage_error = [&](const std::string& why) {
    err << "corvane-cli: " << why << "\nTry 'corvane-cli --help'.\n";
    return kExitUsage;
  };
  if (!Parse_Cli_Args(args, &opts, &error)) return usage_error(error);
  if (opts.help) {
    out << Cli_Usage();
    return kExitClean;
  }
  if (opts.version) {
    out << "corvane-cli " << CORVANE_VERSION_TEXT << '\n';
    return kExitClean;
  }
  if (opts.steps.empty()) {
    // Start-up alone would calibrate, probe the ports and power the chip for nothing.
    err << "corvane-cli: no step given\n\n" << Cli_Usage();
    return kExitUsage;
  }
  // The chips known: the built-in ones and the user's own; a mistake in the user's is refused.
  auto chips = std::make_shared<const ChipTable>(Chips_Folder(), opts.chips);
  if (!chips->problems().empty()) return usage_error(chips->Problems_Text());
  const ChipEntry* expected = nullptr;
  if (!opts.expect.empty()) {
    expected = Find_Chip(*chips, opts.expect);
    if (!expected) return usage_error("--expect takes " + chips->Keys() + ", not " + opts.expect);
  }
  // A listing of the chips alone needs no board.
  if (std::all_of(opts.steps.begin(), opts.steps.end(),
                  [](const Step& s) { return s.name == "chips"; })) {
    out << Chip_List(*chips) << std::flush;
    return out ? kExitClean : kExitFailed;
  }
  BoardSpec spec;
  const BoardLibrary boards(Boards_Folder());
  if (!Parse_Board_Spec(opts.board, &spec, &error, &boards)) return usage_error(error);
  if (!Check_Trace_Against_Files(opts, &error)) return usage_error(error);

  WorkingState st;
  st.BoardChoice = spec.host_board;
  st.Chips = chips;
  SignalInterrupts signals;
  InterruptSource& stop = interrupts != nullptr ? *interrupts : signals;
  RigFailure failure = RigFailure::kUsage;
  std::unique_ptr<Rig> rig = Rig::Make(spec, opts.trace, st, err, &error, &stop, &failure);
  if (!rig) {
    if (failure == RigFailure::kUsage) return usage_error(error);
    err << "corvane-cli: " << error << '\n';
    if (failure == RigFailure::kStopped) return kExitSignalBase + stop.Pending();
    return failure == RigFailure::kInUse ? kExitFailed : kExitRefused;
  }
  Lines lines(rig->port(), rig->clock(), st);
  // "save -" puts the HEX file on stdout: the log goes to stderr then, so the two never mix.
  const bool hex_on_stdout = Saves_To_Stdout(opts);
  std::ostream& results = hex_on_stdout ? err : out;
  CliView view(results, err, opts.status, err_is_terminal, opts.quiet);
  if (answers != nullptr) {
    view.Set_Answers(
        [answers](std::string* line) { return static_cast<bool>(std::getline(*answers, *line)); });
  } else {
    // The user's answers from the standard input; a request to stop ends the wait for one.
    view.Set_Answers([&stop](std::string* line) {
      return platform::Read_Input_Line(line, [&stop] { return stop.Pending() != 0; });
    });
  }
  Panneau win(st, lines, view);
  win.Set_Violation_Source(rig->violations());
  win.Set_Port_Diagnosis(rig->port_diagnosis());
  win.Set_Interrupt_Source(&rig->interrupts());
  win.Set_Line_Meter(rig->meter());
  if (spec.simulated) win.Set_Default_Port(spec.sim.port);
  win.Form_Load();

  bool warned = false;
  // After a step that wrote nothing to the log, the panels it changed are its only result.
  auto report_panels = [&] {
    if (view.step_logged() || opts.quiet) return;
    results << Panels_Report(view.step_panels(), [&](std::string_view key) {
      return win.status(key);
    }) << std::flush;
  };
  int status = kExitClean;
  std::string output_failure;
  auto output_lost = [&] {
    if (!output_failure.empty()) return true;  // said once
    if (Output_Written(out, &output_failure) || stop.Pending() != 0) return false;
    err << "corvane-cli: standard output: " << output_failure << '\n';
    status = kExitFailed;
    return true;
  };
  for (const Step& step : opts.steps) {
    // A request to stop cuts a board step short at its next port access or wait; between steps
    // (and after one that never touches the port, such as load) it is noticed here.
    if (win.interrupted() != 0 || stop.Pending() != 0) break;
    // A trace that lost a write is no record of the run: stop here too (reported below).
    if (!rig->Trace_Failure().empty()) break;
    view.Begin_Step();
    std::string why;
    if (Show_Step(win, *chips, step, results)) continue;
    const CommandStep* command = Command_Step(step.name);
    if (!command && step.name == "config") {
      const std::size_t equals = step.arg.find('=');
      if (!win.Set_Config_Field(step.arg.substr(0, equals), step.arg.substr(equals + 1), &why)) {
        status = usage_error("config " + step.arg + ": " + why);
        break;
      }
      report_panels();
      continue;
    }
    if (!command) {
      Apply_Setting(win, step);
      report_panels();
      continue;
    }
    why = Refusal(win, *command);
    if (why.empty() && expected && command->needs_board) {
      const ExpectCheck check = Check_Expected(*chips, *expected, st.DeviceId);
      why = check.refusal;
      if (!check.warning.empty() && !warned) {
        err << "corvane-cli: warning: " << check.warning << '\n';
        warned = true;
      }
    }
    if (!why.empty()) {
      err << "corvane-cli: " << step.name << ": refused: " << why << '\n';
      status = kExitRefused;
      break;
    }
    const int boxes_before = view.failure_boxes();
    bool clean = true;
    if (step.name == "save") {
      clean = step.arg == "-" ? win.Save_Device_To(step.arg, &out) : win.Save_Device_To(step.arg);
    } else if (step.name == "board-test") {
      clean = win.Board_Test();
    } else {
      if (step.name == "load") view.Answer_Open_File(step.arg == "-" ? "" : step.arg);
      clean = win.Click(command->control);
    }
    // A step cut short by a request to stop has no result of its own: the way out reports it.
    if (win.interrupted() != 0 || stop.Pending() != 0) break;
    report_panels();
    // The log is the run's record: once it cannot be written, nothing more runs.
    if (output_lost()) break;
    if (!clean || view.failure_boxes() != boxes_before) {
      const std::vector<std::string> boxes(view.failure_texts().begin() + boxes_before,
                                           view.failure_texts().end());
      err << "corvane-cli: " << Failure_Summary(step.name, st, boxes, win.status("Status")) << '\n';
      status = kExitFailed;
      break;
    }
  }
  output_lost();
  // The way out is the same after a normal end and after a request to stop.
  bool finished = rig->Finish(st, &error);
  if (!finished) err << "corvane-cli: " << error << '\n';
  if (!rig->Finish_Trace(&error)) {
    err << "corvane-cli: " << error << '\n';
    finished = false;
  }
  const int signal_number = win.interrupted() != 0 ? win.interrupted() : stop.Pending();
  if (signal_number != 0) {
    view.Message_Box("interrupted by " + platform::Interrupt_Name(signal_number));
    return kExitSignalBase + signal_number;
  }
  if (!finished && status == kExitClean) status = kExitFailed;
  return status;
}

}  // namespace corvane
