// The main window's logic without any toolkit: its controls, log, status panels, caption and busy
// state, the start-up, and every command handler. The Qt window and the console program both
// drive this one copy; setting a control's value from code runs its handler as a click would.
#pragma once

#include <array>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "chips/chip_entry.h"
#include "hardware/interruption.h"
#include "hardware/lines.h"
#include "protocol/context.h"
#include "state/line_meter.h"
#include "state/panel.h"
#include "state/port_diagnosis.h"
#include "state/violations.h"
#include "state/working_state.h"
#include "ui/chip_snapshot.h"
#include "ui/config_model.h"
#include "ui/controls.h"
#include "ui/memory_view.h"
#include "ui/progress_pace.h"
#include "ui/window_view.h"

namespace corvane {

inline constexpr std::string_view kNoPortMessage =
    "No Valid Port Found ! (Check connections and supply voltages)";
inline constexpr std::string_view kHexFilter = "HEX files (*.hex)|*.hex|";

// Whether a file's name ends in ".hex", in any case: the files File Open offers.
bool Is_Hex_File_Name(std::string_view path);

// Text of several lines as log lines: each line ends in CR LF.
std::string Log_Lines(std::string_view text);

class Panneau final : public Panel {
 public:
  Panneau(WorkingState& st, Lines& lines, WindowView& view);

  // Start-up: the window's load handler.
  void Form_Load();

  // A click on a button or menu item: runs its handler. Returns false when the command reports a
  // failure of its own beyond its message boxes (verify differences, programming cancelled).
  // While a command runs only two clicks are taken: Stop (the running command stops between two
  // words) and Exit (the window closes once the command has ended); any other is refused.
  bool Click(Ctl id);
  // The user's request to stop the running device command (the Stop button, Escape): it stops at
  // the next word of its transfer, as an interruption does, leaves programming mode, logs where it
  // stopped and shows "Stopped". Nothing happens when no device command runs.
  void Request_Stop();
  // The view tells which control the keyboard focus moved to; ignored during a command, whose
  // disabled buttons push the focus about. After each command the focus goes back (through
  // WindowView::Set_Focus) to the control the user pressed, or for a menu command to the one that
  // had it, or to the log when that control is disabled now.
  void Focus_Moved(Ctl id);
  // Sets a check box (0, 1, 2) or selects an option button (1); the handler runs when the value
  // changes, as a click would.
  void Set_Value(Ctl id, int value);
  void Set_Enabled(Ctl id, bool enabled);

  // Where breaches of the chip's timings come from (the simulated board); none by default. After
  // each command that reached the board, any new ones are reported in a message box.
  void Set_Violation_Source(ViolationSource* source) { violations_ = source; }
  // Why the machine's ports cannot be used; logged when discovery finds no board. None by default.
  void Set_Port_Diagnosis(const PortDiagnosis* diagnosis) { diagnosis_ = diagnosis; }

  // The memory view (View, Memory; the console's "dump"): the loaded file beside the chip as
  // last read, and the checksums.
  MemoryView Memory_Rows() const;
  Checksums Checksums_Now() const;
  // The console's "checksum": the two checksums in the log.
  void Log_Checksums();
  const ChipSnapshot& chip_read() const { return chip_; }
  // Who measures the socket in the board test: the simulated board; none by default (the user
  // measures and answers).
  void Set_Line_Meter(LineMeter* meter) { meter_ = meter; }
  // The port the board test drives when discovery found no board: LPT1 by default (on the
  // simulated board, its own port).
  void Set_Default_Port(std::uint16_t port) { default_port_ = port; }

  // The options dialog's "Appliquer": the board chosen (null: the Brannock or Tessel board as
  // discovery tells them apart) becomes the one in use, and discovery runs again for it.
  bool Use_Board(std::shared_ptr<const BoardDescription> choice);
  // The board test on the board in use, on the port discovery found (else the default port).
  // False, after a message box with the verdict, when a line did not follow or the test was
  // stopped.
  bool Board_Test();
  // Where requests to stop come from for what does not touch the board (a HEX file read from a
  // pipe or a terminal); none by default. The board's own accesses and waits check theirs.
  void Set_Interrupt_Source(InterruptSource* source) { interrupts_ = source; }

  // Reads the whole chip into a HEX file (the console program's "save", and File, Save), or into
  // `stream` when one is given.
  bool Save_Device_To(const std::string& path, std::ostream* stream = nullptr);
  // File Open with `path` chosen, without the dialog: a file named on the command line or
  // dropped on the window. Refused, doing nothing and returning false, while "LOAD File" is
  // disabled (during an operation) or when the path is empty.
  bool Open_File(const std::string& path);

  // The chip whose named configuration fields the window offers: the one the identification word
  // names, else the first the device box shows so; null when neither names one.
  const ChipEntry* Config_Chip() const;
  // Whether the loaded image holds the configuration word at that address: 0x2007 always, 0x2008
  // on a chip that has a second word (Config_Chip()'s).
  bool Holds_Config_Word(int address) const;
  // Sets the configuration word, as the oscillator buttons and timer boxes do, and shows it: the
  // "Fuses" panel and the fuse controls follow it, and their handlers leave it as given.
  void Set_Config_Word(std::int32_t word);
  // Sets the second configuration word (CONFIG2) and shows it in the "Fuses" panel.
  void Set_Config_Word2(std::int32_t word);
  // The Configuration dialog over the chip's words as they stand; Config_Chip() must name one.
  ConfigModel Config_Dialog() const;
  // The dialog's OK: the words the window holds take the dialog's (the others are left out).
  void Apply_Config(const std::vector<ConfigWordValue>& words);
  // The console's "config NAME=VALUE": sets a named field of the chip's configuration. False,
  // changing nothing, with the reason for a field or value the chip lacks, or a word not held.
  bool Set_Config_Field(std::string_view name, std::string_view value, std::string* error);

  // The signal number of the request to stop that cut a command short (hardware/interruption.h),
  // or 0. Once it is set no command runs any more: the program is to leave, through Rig::Finish.
  int interrupted() const { return interrupted_; }

  const Control& control(Ctl id) const { return controls_[static_cast<int>(id)]; }
  const std::string& log() const { return log_; }
  std::string status(std::string_view key) const;
  const std::string& caption() const { return caption_; }
  bool busy() const { return busy_; }
  WorkingState& state() { return st_; }
  Context& context() { return ctx_; }

  // Panel
  void Append_Text(std::string_view message) override;
  void Set_Status(std::string_view key, std::string_view text) override;
  void Message_Box(std::string_view text) override;
  void Sablier_On() override;
  void Sablier_Off() override;
  int Check_Vdd() const override { return control(Ctl::Check_Vdd).value; }
  int Check_auto() const override { return control(Ctl::Check_auto).value; }
  std::string Device() const override { return control(Ctl::Device).text; }
  void Set_Device(std::string_view text) override;
  std::string FileName() const override { return file_name_; }
  void Show_Fuses() override;
  void Progress(int done, int total, Memory memory = Memory::kProgram) override;
  int Stop_Pending() override { return interrupts_ != nullptr ? interrupts_->Pending() : 0; }

 private:
  Control& mut(Ctl id) { return controls_[static_cast<int>(id)]; }
  void Set_Caption(std::string caption);
  bool Port_Ready();
  // No file any more: the caption without a name, PROGRAM, VERIFY and PROGRAM EEPROM disabled.
  void Disarm_File();
  void Fuses_Changed();
  // "Vdd Enable" as the board in use allows: disabled, with a tool tip, on a board that does not
  // switch Vdd (the Tessel board keeps its grey box).
  void Show_Vdd_Control();

  // Handlers
  void Btn_Find_Port_Click();
  void Menu_File_Open_Click();
  void Load_Chosen_File(std::string path);
  bool Menu_File_Save_Click();
  void Opt_Osc_Click(int index);
  void Check_WDT_Click();
  void Check_PWRT_Click();
  void Check_BODEN_Click();
  void Check_Speed_Click();
  bool Device_Command(Ctl id);
  bool Run_Device_Command(Ctl id);
  // What the command read from the chip goes to the chip as last read; what it writes is forgotten.
  void Forget_Written(Ctl id);
  void Note_Chip_Read(Ctl id);
  // The configuration words CHECK Device Fuses just read go to the chip as last read.
  void Note_Config_Read();
  // How long command `id` (Menu_File_Save: the whole chip read into a file) takes at `speed`:
  // the command rehearsed on a simulated board with a blank chip like the one identified.
  std::int64_t Rehearse(Ctl id, SpeedKind speed);
  // Tells the view, when it asks, how long command `id` takes at the speed set and at the fast
  // one (panneau_estimate.cpp).
  void Offer_Fast(Ctl id, bool starting);
  // False, after a message box, when the chip recorded violations since the last report.
  bool Report_Violations();
  // The way out of a command the user stopped: programming mode left, where it stopped logged.
  bool Stopped();
  void Set_Speed_Text();
  Ctl Focus_Target() const;
  void Command_Ended();

  void Form_Load_Handler();
  bool Click_Handler(Ctl id);

  // Runs a command from outside. A request to stop unwinds through the commands that run one
  // another inline to the outermost one, which notes it and returns false; the user's Stop is
  // taken there too.
  template <typename Body>
  bool Guarded(Body&& body) {
    if (interrupted_ != 0) return false;
    if (command_depth_ > 0) return body();
    struct Depth {
      int& depth;
      explicit Depth(int& d) : depth(d) { ++depth; }
      ~Depth() { --depth; }
    };
    command_boxes_.clear();
    progress_ = {};
    bool result = false;
    {
      Depth depth(command_depth_);
      try {
        result = body();
      } catch (const Interrupted& stop) {
        if (stop.signal_number == kStopRequested) {
          result = Stopped();
        } else {
          interrupted_ = stop.signal_number;
        }
      }
    }
    Command_Ended();
    return result;
  }

  WorkingState& st_;
  Lines& lines_;
  WindowView& view_;
  ViolationSource* violations_ = nullptr;
  const PortDiagnosis* diagnosis_ = nullptr;
  LineMeter* meter_ = nullptr;
  std::uint16_t default_port_ = kLpt1;
  InterruptSource* interrupts_ = nullptr;
  Context ctx_;
  std::array<Control, kControlCount> controls_;
  std::string log_;
  std::size_t log_characters_ = 0;
  std::map<std::string, std::string, std::less<>> status_;
  std::string caption_ = "Corvane by Dravik";
  std::string file_name_;
  bool busy_ = false;
  ProgressPace pace_;
  int command_depth_ = 0;
  int interrupted_ = 0;
  // The running command: the user's request to stop, the message boxes it showed, its last
  // progress report (where a stop leaves it), and whether Exit was chosen meanwhile.
  StopRequest stop_;
  std::vector<std::string> command_boxes_;
  struct ProgressMark {
    int done = 0;
    int total = 0;
    Memory memory = Memory::kProgram;
  } progress_;
  bool exit_pending_ = false;
  // The control the user pressed for the running command, and the one that had the focus before.
  Ctl pressed_ = Ctl::kCount;
  Ctl focused_ = Ctl::kCount;
  ChipSnapshot chip_;
};

}  // namespace corvane
