#include "win32app/win32_app.h"

#include <windows.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/app_options.h"
#include "boards/board_library.h"
#include "chips/chip_table.h"
#include "hardware/lines.h"
#include "platform/interrupt.h"
#include "rig/board_spec.h"
#include "rig/rig.h"
#include "ui/panneau.h"
#include "ui/win32/boxes.h"
#include "ui/win32/main_window.h"
#include "ui/win32/system_services.h"
#include "ui/win32/text.h"

namespace corvane::win32app {

namespace {

constexpr int kClean = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr int kRefused = 3;
constexpr int kSignalBase = 128;

// What the program says outside its window: on the console it was started from, or, started
// from Explorer with none, in a message box.
void Say(const std::string& text, bool error) {
  HANDLE out = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  if (out != nullptr && out != INVALID_HANDLE_VALUE) {
    (error ? std::cerr : std::cout) << text << std::flush;
    return;
  }
  MessageBoxW(nullptr, win32::Wide(text).c_str(), L"Corvane",
              MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
}

}  // namespace

const char* Win32_App_Usage() {
  return "Usage: corvane [--board SPEC] [--trace FILE] [--chips FILE] [--demo FILE.hex] [FILE.hex]\n"
         "\n"
         "Opens the Corvane window: a programmer for PIC16F84/84A/873/877 chips on a\n"
         "parallel-port programmer board. FILE.hex, when given, is opened after start-up as\n"
         "File, Open would; a .hex file dropped on the window is opened too.\n"
         "\n"
         "  --board SPEC        the programmer, as for corvane-cli (see corvane-cli --help):\n"
         "                        lpt[:lpt1=ADDRESS,lpt2=ADDRESS,board=NAME|FILE]\n"
         "                                                 the machine's parallel ports (default)\n"
         "                        sim[:key=value,...]      the simulated board and chip\n"
         "  --trace FILE        writes every port access (a FILE ending in .vcd: a waveform);\n"
         "                      not the HEX file to open, nor the state file\n"
         "  --chips FILE        chips to know besides the built-in ones and those of the chips\n"
         "                      folder, as for corvane-cli\n"
         "  --demo FILE.hex     after start-up, load FILE, program and verify it through the\n"
         "                      window's buttons\n"
         "  --version           prints the program's name and version\n"
         "  -h, --help          this text\n"
         "\n"
         "The folder of the file dialogs and \"Fast programming\" are kept in the registry under\n"
         "HKEY_CURRENT_USER\\Software\\Corvane.\n"
         "Exit status: 0 normally, 1 when the simulated chip's state file could not be written,\n"
         "2 on a usage error, 3 when this system offers no parallel port.\n";
}

int Run_Win32_App(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  app::AppOptions opts;
  std::string error;
  auto usage_error = [](const std::string& why) {
    Say("corvane: " + why + "\nTry 'corvane --help'.\n", true);
    return kUsage;
  };
  if (!app::Parse_App_Args(args, &opts, &error)) return usage_error(error);
  if (opts.help) {
    Say(Win32_App_Usage(), false);
    return kClean;
  }
  if (opts.version) {
    Say(std::string("corvane ") + CORVANE_VERSION_TEXT + "\n", false);
    return kClean;
  }
  if (!opts.screenshot.empty()) {
    return usage_error("--screenshot is not offered on Windows: use the system's screen capture");
  }
  // The chips known: the built-in ones and the user's own; a mistake in the user's is refused.
  auto chips = std::make_shared<const ChipTable>(Chips_Folder(), opts.chips);
  if (!chips->problems().empty()) return usage_error(chips->Problems_Text());
  const BoardLibrary boards(Boards_Folder());
  BoardSpec spec;
  if (!Parse_Board_Spec(opts.board, &spec, &error, &boards)) return usage_error(error);
  if (!app::Check_Trace_Path(opts, &error)) return usage_error(error);

  // Every pixel of the layout is scaled to the screen's dots per inch by the window itself.
  SetProcessDPIAware();
  WorkingState st;
  st.BoardChoice = spec.host_board;
  st.Chips = chips;
  RigFailure failure = RigFailure::kUsage;
  std::unique_ptr<Rig> rig = Rig::Make(spec, opts.trace, st, std::cerr, &error, nullptr, &failure);
  if (!rig) {
    Say("corvane: " + error + "\n", true);
    switch (failure) {
      case RigFailure::kUnavailable:
        return kRefused;
      case RigFailure::kInUse:
        return kFailed;
      case RigFailure::kStopped:
        return kSignalBase + platform::Interrupt_Signal();
      case RigFailure::kUsage:
        break;
    }
    return kUsage;
  }
  Lines lines(rig->port(), rig->clock(), st);
  win32::SystemBoxes boxes;
  win32::RegistrySettings settings;
  win32::MainWindow window(boxes, &settings);
  Panneau panneau(st, lines, window);
  panneau.Set_Violation_Source(rig->violations());
  panneau.Set_Port_Diagnosis(rig->port_diagnosis());
  panneau.Set_Line_Meter(rig->meter());
  if (spec.simulated) panneau.Set_Default_Port(spec.sim.port);
  window.Set_Board_Library(&boards);
  panneau.Set_Interrupt_Source(&rig->interrupts());
  window.Attach(&panneau);
  window.Set_On_All_Closed([] { PostQuitMessage(0); });
  // Started from a console, Ctrl+C or closing it ends the program as closing the window does.
  window.Watch_For_Stop([] { return platform::Interrupt_Signal() != 0; });

  window.Start();
  ShowWindow(window.hwnd(), SW_SHOWNORMAL);
  UpdateWindow(window.hwnd());
  // After start-up, once the window shows: the file named on the command line, then the demo.
  if (!opts.file.empty()) window.Open_File(opts.file);
  if (!opts.demo_file.empty() && window.Open_File(opts.demo_file)) {
    window.Click(Ctl::Btn_Program_Device);
    window.Click(Ctl::Btn_Verify);
  }
  int status = window.closed() ? kClean : window.Run();

  // The way out is the same after a normal end and after a request to stop.
  bool finished = rig->Finish(st, &error);
  if (!finished) Say("corvane: " + error + "\n", true);
  if (!rig->Finish_Trace(&error)) {
    Say("corvane: " + error + "\n", true);
    finished = false;
  }
  const int signal_number =
      panneau.interrupted() != 0 ? panneau.interrupted() : platform::Interrupt_Signal();
  if (signal_number != 0) {
    Say("corvane: interrupted by " + platform::Interrupt_Name(signal_number) + "\n", true);
    return kSignalBase + signal_number;
  }
  if (!finished && status == kClean) status = kFailed;
  return status;
}

}  // namespace corvane::win32app
