#include "app/app.h"

#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/app_options.h"
#include "app/demo.h"
#include "app/display_check.h"
#include "app/stop_watch.h"
#include "boards/board_library.h"
#include "chips/chip_table.h"
#include "hardware/lines.h"
#include "platform/display.h"
#include "platform/interrupt.h"
#include "rig/board_spec.h"
#include "rig/rig.h"
#include "ui/about_model.h"
#include "ui/panneau.h"
#include "ui/qt/main_window.h"
#include "ui/qt/settings_store.h"
#include "ui/qt/window_gone.h"

namespace corvane::app {

namespace {

// The way out when the program is ended from under the window's loop (the window system's
// connection broke and its library exits): the lines left safe and the simulated chip's state
// written, as after a close. Set while the programmer exists.
std::function<void()> exit_way_out;

void Leave_On_Exit() {
  if (exit_way_out) exit_way_out();
}

}  // namespace

int Run_App(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  AppOptions opts;
  std::string error;
  auto usage_error = [](const std::string& why) {
    std::cerr << "corvane: " << why << "\nTry 'corvane --help'.\n";
    return kAppUsage;
  };
  if (!Parse_App_Args(args, &opts, &error)) return usage_error(error);
  if (opts.help) {
    std::cout << App_Usage();
    return kAppClean;
  }
  if (opts.version) {
    std::cout << "corvane " << CORVANE_VERSION_TEXT << '\n';
    return kAppClean;
  }
  // The boards offered: the built-in ones and the user's own.
  const BoardLibrary boards(Boards_Folder());
  BoardSpec spec;
  if (!Parse_Board_Spec(opts.board, &spec, &error, &boards)) return usage_error(error);
  if (!Check_Trace_Path(opts, &error)) return usage_error(error);
  // The chips known: the built-in ones and the user's own; a mistake in the user's is refused.
  auto chips = std::make_shared<const ChipTable>(Chips_Folder(), opts.chips);
  if (!chips->problems().empty()) return usage_error(chips->Problems_Text());
  std::error_code ec;
  if (!opts.demo_file.empty() && !std::filesystem::is_regular_file(opts.demo_file, ec)) {
    return usage_error("--demo: no such file " + opts.demo_file);
  }

  // Without a display Qt would abort: say so and leave, as when the display refuses us.
  const char* qpa_platform = std::getenv("QT_QPA_PLATFORM");
  const std::string display = platform::Display_Name();
  const std::string missing = Missing_Display_Reason(qpa_platform ? qpa_platform : "", display);
  if (!missing.empty()) {
    std::cerr << No_Display_Message(missing) << '\n';
    return kAppFailed;
  }
  auto connecting = std::make_unique<DisplayConnectGuard>(display);
  // Qt's own options are not read from our command line.
  int qt_argc = 1;
  QApplication app(qt_argc, argv);
  connecting.reset();
  QApplication::setApplicationName(QString::fromUtf8(kAppTitle.data(), kAppTitle.size()));
  // The user's settings are kept under these names (QSettings).
  QApplication::setOrganizationName(QStringLiteral("Corvane"));
  // The program ends when the main window and every dialog it opened are closed.
  QApplication::setQuitOnLastWindowClosed(false);

  WorkingState st;
  st.BoardChoice = spec.host_board;
  st.Chips = chips;
  RigFailure failure = RigFailure::kUsage;
  std::unique_ptr<Rig> rig = Rig::Make(spec, opts.trace, st, std::cerr, &error, nullptr, &failure);
  if (!rig) {
    std::cerr << "corvane: " << error << '\n';
    switch (failure) {
      case RigFailure::kUnavailable:
        return kAppRefused;
      case RigFailure::kInUse:
        return kAppFailed;
      case RigFailure::kStopped:
        return kAppSignalBase + platform::Interrupt_Signal();
      case RigFailure::kUsage:
        break;
    }
    return kAppUsage;
  }
  Lines lines(rig->port(), rig->clock(), st);
  qt::QtDialogService real_dialogs;
  const bool screenshot = !opts.screenshot.empty();
  ScriptedDialogs dialogs(real_dialogs, screenshot ? &std::cerr : nullptr);
  // A screenshot run neither reads nor changes the user's settings.
  std::unique_ptr<qt::QtSettingsStore> settings;
  if (!screenshot) settings = std::make_unique<qt::QtSettingsStore>();
  qt::MainWindow window(dialogs, settings.get());
  Panneau panneau(st, lines, window);
  panneau.Set_Violation_Source(rig->violations());
  panneau.Set_Port_Diagnosis(rig->port_diagnosis());
  panneau.Set_Line_Meter(rig->meter());
  if (spec.simulated) panneau.Set_Default_Port(spec.sim.port);
  window.Set_Board_Library(&boards);
  panneau.Set_Interrupt_Source(&rig->interrupts());
  window.Attach(&panneau);
  window.Set_On_All_Closed([] { QCoreApplication::quit(); });

  Start_Stop_Watch(&window);
  exit_way_out = [&rig, &st] {
    std::string ignored;
    rig->Finish(st, &ignored);
    rig->Finish_Trace(&ignored);
  };
  static const bool registered = std::atexit(Leave_On_Exit) == 0;
  (void)registered;

  window.Start();
  window.show();
  qt::WindowGoneFilter gone(window.winId(), [&window] { window.Window_Gone(); });
  app.installNativeEventFilter(&gone);
  const QString demo_file = QString::fromStdString(opts.demo_file);
  const QString file = QString::fromStdString(opts.file);
  int status = kAppClean;
  if (screenshot) {
    if (!Wait_Until_Exposed(window, 10000)) std::cerr << "corvane: the window never showed\n";
    const QString shot = QString::fromStdString(opts.screenshot);
    bool taken = false;
    bool saved = true;
    if (opts.screenshot_of == "progress") {
      // Half-way through the first long transfer: the progress bar and the Stop button show.
      window.Set_On_Progress([&](int done, int total) {
        if (!taken && total >= 64 && 2 * done >= total) {
          taken = true;
          saved = Take_Screenshot(window, shot, std::cout);
        }
      });
    }
    if (!file.isEmpty()) window.Open_File(file);
    if (!demo_file.isEmpty()) Run_Demo(window, dialogs, demo_file);
    window.Set_On_Progress(nullptr);
    if (opts.screenshot_of == "memory") {
      saved = Take_Memory_Screenshot(window, shot, std::cout);
    } else if (!taken) {
      saved = Take_Screenshot(window, shot, std::cout);
    }
    if (!saved) {
      std::cerr << "corvane: cannot write " << opts.screenshot << '\n';
      status = kAppFailed;
    }
  } else {
    // After start-up, once the window shows: the file named on the command line, then the demo.
    QTimer::singleShot(0, &window, [&] {
      if (!file.isEmpty()) window.Open_File(file);
      if (!demo_file.isEmpty()) Run_Demo(window, dialogs, demo_file);
    });
    status = app.exec();
  }
  app.removeNativeEventFilter(&gone);
  exit_way_out = nullptr;
  // The way out is the same after a normal end and after a request to stop.
  bool finished = rig->Finish(st, &error);
  if (!finished) std::cerr << "corvane: " << error << '\n';
  if (!rig->Finish_Trace(&error)) {
    std::cerr << "corvane: " << error << '\n';
    finished = false;
  }
  const int signal_number =
      panneau.interrupted() != 0 ? panneau.interrupted() : platform::Interrupt_Signal();
  if (signal_number != 0) {
    std::cerr << "corvane: interrupted by " << platform::Interrupt_Name(signal_number) << '\n';
    return kAppSignalBase + signal_number;
  }
  if (!finished && status == kAppClean) status = kAppFailed;
  return status;
}

}  // namespace corvane::app
