// The main window's command handlers: port discovery, File Open, the device commands and the
// menus.
#include <exception>

#include "boards/builtin_boards.h"
#include "fuses/config_fields.h"
#include "image/hex_loader.h"
#include "image/memory_image.h"
#include "operations/blank_check.h"
#include "operations/config_word.h"
#include "operations/eeprom.h"
#include "operations/erase.h"
#include "operations/fit.h"
#include "operations/identify.h"
#include "operations/program.h"
#include "operations/read.h"
#include "operations/reset.h"
#include "operations/save.h"
#include "operations/verify.h"
#include "operations/write_check.h"
#include "ui/failure_report.h"
#include "ui/panneau.h"

namespace corvane {

bool Panneau::Click(Ctl id) {
  if (id == Ctl::Btn_Stop) {
    Request_Stop();
    return true;
  }
  if (command_depth_ > 0) {
    // The window takes no other input during a command; Exit waits for its end.
    if (id != Ctl::Menu_File_Exit) return false;
    exit_pending_ = true;
    return true;
  }
  pressed_ = id;
  return Guarded([this, id] { return Click_Handler(id); });
}

bool Panneau::Click_Handler(Ctl id) {
  switch (id) {
    case Ctl::Btn_Find_Port:
      Btn_Find_Port_Click();
      return Report_Violations();
    case Ctl::Btn_Load_File:
    case Ctl::Menu_File_Open:
      Menu_File_Open_Click();
      return true;
    case Ctl::Menu_File_Save:
      return Menu_File_Save_Click();
    case Ctl::Menu_File_Exit:
      view_.Close_Window();
      return true;
    case Ctl::Menu_About:
      view_.Show_About();
      return true;
    case Ctl::Menu_Options_HardWare:
      view_.Show_Options();
      return true;
    case Ctl::Menu_View_Memory:
      view_.Show_Memory();
      return true;
    case Ctl::Menu_Options_Config:
      if (Config_Chip() == nullptr) {
        Message_Box("Configuration : no device selected");
        return false;
      }
      view_.Show_Config();
      return true;
    case Ctl::Check_auto:
    case Ctl::Check_Vdd:
    case Ctl::Check_Speed:
    case Ctl::Check_WDT:
    case Ctl::Check_PWRT:
    case Ctl::Check_BODEN:
    case Ctl::Menu_Options_Fast: {
      // A click on a check box: unchecked and grey become checked, checked becomes unchecked.
      const int v = control(id).value;
      Set_Value(id, v == kChecked ? kUnchecked : kChecked);
      return true;
    }
    case Ctl::Opt_Osc_0:
    case Ctl::Opt_Osc_1:
    case Ctl::Opt_Osc_2:
    case Ctl::Opt_Osc_3:
      Set_Value(id, 1);
      return true;
    default:
      return Device_Command(id);
  }
}

// A device command: the Stop button is offered while it runs, and a failure ends its log with a
// summary line ("PROGRAM failed: ...") and shows in the "Status" panel. A command refused for want
// of a board has run nothing and reports nothing more than its box.
bool Panneau::Device_Command(Ctl id) {
  Offer_Fast(id, true);
  if (st_.PortBase != 0) Set_Enabled(Ctl::Btn_Stop, true);
  Forget_Written(id);
  const bool done = Run_Device_Command(id);
  if (st_.PortBase == 0) return done;
  Note_Chip_Read(id);
  const bool clean = Report_Violations();
  // The blank check's own lines say what was found.
  if (!(done && clean) && id != Ctl::Menu_View_Blank_Check) {
    const FailureReport r = Failure_Report(id, st_, command_boxes_);
    Append_Text(r.line + "\r\n");
    Set_Status("Status", r.status);
  }
  return done && clean;
}

void Panneau::Forget_Written(Ctl id) {
  switch (id) {
    case Ctl::Btn_Program_Device:
    case Ctl::Btn_Erase_Device:
    case Ctl::Command1:
      chip_.Forget();
      break;
    case Ctl::Btn_Prog_EEPROM:
    case Ctl::Btn_Erase_EEPROM:
      chip_.eeprom.clear();
      break;
    case Ctl::Btn_Prog_Fuses:
      chip_.config = ChipSnapshot::kUnknown;
      chip_.config2 = ChipSnapshot::kUnknown;
      break;
    default:
      break;
  }
}

void Panneau::Note_Chip_Read(Ctl id) {
  switch (id) {
    case Ctl::Btn_Read_Device:
      chip_.Take_Program(st_.ReadBuffer.data(), 1023);
      Note_Config_Read();
      break;
    case Ctl::Btn_Verify:
      chip_.Take_Program(st_.ReadBuffer.data(), Verify_Word_Count(st_.LastProgramAddress));
      for (int i = 0; i < kUserIdCount; ++i) {
        if (st_.UserIdRead[i] != kNoUserId) chip_.user_ids[i] = st_.UserIdRead[i];
      }
      // With more than ten differences the verify stops before it reads the configuration word.
      if (Verify_Differences(st_) <= 10) Note_Config_Read();
      break;
    case Ctl::Btn_Check_Device_Fuses:
      Note_Config_Read();
      break;
    case Ctl::Btn_Read_EEPROM:
      chip_.Take_Eeprom(st_.ReadBuffer.data(), 64);
      break;
    default:
      break;
  }
  chip_.device_id = st_.DeviceId;
}

void Panneau::Note_Config_Read() {
  chip_.config = st_.DeviceConfigWord;
  // CHECK Device Fuses reads the second word only from a chip that has one.
  const bool two_words = Config_Word2_Mask(Config_Chip_Of(st_, st_.DeviceId, Device())) != 0;
  chip_.config2 = two_words ? st_.DeviceConfigWord2 : ChipSnapshot::kUnknown;
}

bool Panneau::Report_Violations() {
  if (violations_ == nullptr) return true;
  const ViolationReport r = violations_->Take_New();
  if (r.count == 0) return true;
  Message_Box("simulated chip: " + std::to_string(r.count) +
              " timing violations, first: " + r.first);
  return false;
}

bool Panneau::Port_Ready() {
  if (st_.PortBase != 0) return true;
  Message_Box(kNoPortMessage);
  return false;
}

bool Panneau::Run_Device_Command(Ctl id) {
  switch (id) {
    case Ctl::Btn_Program_Device:
    case Ctl::Btn_Verify:
    case Ctl::Btn_Read_Device:
    case Ctl::Btn_Check_Device_Fuses:
    case Ctl::Btn_Check_Device_Id:
    case Ctl::Btn_Erase_Device:
    case Ctl::Btn_Prog_Fuses:
    case Ctl::Btn_Prog_EEPROM:
    case Ctl::Btn_Read_EEPROM:
    case Ctl::Btn_Erase_EEPROM:
    case Ctl::Btn_RESET:
    case Ctl::Command1:
    case Ctl::Menu_View_Blank_Check:
      if (!Port_Ready()) return false;
      break;
    default:
      return true;  // frames, the log and the device box have no click handler
  }
  switch (id) {
    case Ctl::Btn_Program_Device:
    case Ctl::Btn_Erase_Device:
    case Ctl::Command1:
    case Ctl::Btn_Prog_Fuses:
    case Ctl::Btn_Prog_EEPROM:
    case Ctl::Btn_Erase_EEPROM:
      if (!Report_Write_Refusal(st_, *this)) return false;
      break;
    default:
      break;
  }
  switch (id) {
    case Ctl::Btn_Program_Device: {
      bool reload_failed = false;
      const bool clean = Program_Device(ctx_, &reload_failed);
      // The file no longer reads: the window keeps no file, as after a File Open that failed.
      if (reload_failed) Disarm_File();
      return clean;
    }
    case Ctl::Btn_Verify:
      return Verify(ctx_);
    case Ctl::Btn_Read_Device:
      Read_Device(ctx_);
      break;
    case Ctl::Btn_Check_Device_Fuses:
      Check_Device_Fuses(ctx_);
      break;
    case Ctl::Btn_Check_Device_Id:
      Check_Device_Id(ctx_);
      break;
    case Ctl::Btn_Erase_Device:
      Erase_Device(ctx_);
      break;
    case Ctl::Btn_Prog_Fuses:
      Program_Fuses(ctx_);
      break;
    case Ctl::Btn_Prog_EEPROM:
      Identify_Before_Fast_Writes(ctx_);
      // At the fast speed the chip was identified once more: it may be another one now.
      if (!Report_Write_Refusal(st_, *this)) return false;
      if (!Report_Fit(*this, Eeprom_Fit_Problem(st_, Device()))) return false;
      Program_EEPROM(ctx_);
      return st_.WriteError == 0;
    case Ctl::Btn_Read_EEPROM:
      Read_EEPROM(ctx_);
      break;
    case Ctl::Btn_Erase_EEPROM:
      Erase_EEPROM(ctx_);
      break;
    case Ctl::Btn_RESET:
      Reset_PIC(ctx_);
      break;
    case Ctl::Command1:
      Command1_Test(ctx_);
      break;
    case Ctl::Menu_View_Blank_Check: {
      ChipContents c;
      std::int32_t id_read = 0;
      const bool blank = Blank_Check(ctx_, &c, &id_read);
      if (!c.program.empty()) chip_.Take_All(c, id_read);
      return blank;
    }
    default:
      break;
  }
  return true;
}

bool Panneau::Save_Device_To(const std::string& path, std::ostream* stream) {
  return Guarded([this, &path, stream] {
    if (!Port_Ready()) return false;
    Offer_Fast(Ctl::Menu_File_Save, true);
    Set_Enabled(Ctl::Btn_Stop, true);
    ChipContents c;
    std::int32_t id_read = 0;
    const bool saved = Save_Device(ctx_, path, stream, &c, &id_read);
    if (!c.program.empty()) chip_.Take_All(c, id_read);
    const bool clean = Report_Violations();
    return saved && clean;
  });
}

void Panneau::Btn_Find_Port_Click() {
  st_.PortBase = 0;
  st_.BoardVariant = kBrannock;
  // The board chosen is probed for; without a choice, the Brannock hardware until the Tessel
  // board's loop-back says otherwise.
  st_.Board = st_.BoardChoice;
  Show_Vdd_Control();
  Sablier_On();
  std::string port_text;
  lines_.Probe_Port(kLpt2);
  if (st_.PortBase != 0) {
    port_text = "Port : LPT2:";
  } else {
    lines_.Probe_Port(kLpt1);
    if (st_.PortBase == 0) {
      // The port layer's reason first (no port, module not loaded, permission), then the box.
      const std::string why = diagnosis_ != nullptr ? diagnosis_->Port_Problems() : "";
      if (!why.empty()) Append_Text(Log_Lines(why));
      Message_Box(kNoPortMessage);
      Sablier_Off();
      return;
    }
    port_text = "Port : LPT1:";
  }
  Set_Status("Port", port_text);
  Sablier_Off();
  st_.PortFound = 1;
  if (st_.Board) {
    st_.BoardVariant = Kind_Of(*st_.Board);
  } else {
    lines_.Detect_Board();
  }
  const BoardDescription& board = lines_.board();
  Show_Vdd_Control();
  if (board.has(kByteReset)) {
    Set_Enabled(Ctl::Btn_RESET, true);
    Set_Value(Ctl::Check_Vdd, kGrayed);
    lines_.Write_Data_Register(0x00);
  } else {
    Set_Enabled(Ctl::Btn_RESET, false);
    Set_Value(Ctl::Check_Vdd, board.vdd_switched() ? kChecked : kGrayed);
    // The Tessel board's loop-back test may have left Vpp applied and Vdd removed; bring the
    // lines to rest as every operation ends, so the chip is powered and out of programming mode.
    lines_.Vpp_Off();
    lines_.Vdd_On();
  }
  for (Ctl id : {Ctl::Btn_Read_Device, Ctl::Btn_Check_Device_Fuses, Ctl::Btn_Check_Device_Id,
                 Ctl::Btn_Erase_Device, Ctl::Btn_Prog_Fuses, Ctl::Menu_View_Blank_Check}) {
    Set_Enabled(id, true);
  }
}

std::string Log_Lines(std::string_view text) {
  std::string lines;
  for (char c : text) lines += c == '\n' ? std::string("\r\n") : std::string(1, c);
  if (!lines.empty() && lines.back() != '\n') lines += "\r\n";
  return lines;
}

void Panneau::Show_Vdd_Control() {
  const BoardDescription& board = lines_.board();
  const bool fixed = !board.vdd_switched() && !board.has(kByteReset);
  Set_Enabled(Ctl::Check_Vdd, !fixed);
  std::string tip;
  if (fixed) tip = "Vdd is not switched by this board (" + board.name + "): the chip stays powered";
  Control& c = mut(Ctl::Check_Vdd);
  if (c.tool_tip == tip) return;
  c.tool_tip = std::move(tip);
  view_.Control_Changed(Ctl::Check_Vdd);
}

bool Panneau::Use_Board(std::shared_ptr<const BoardDescription> choice) {
  return Guarded([this, &choice] {
    st_.BoardChoice = std::move(choice);
    Btn_Find_Port_Click();
    return Report_Violations();
  });
}

bool Panneau::Board_Test() {
  return Guarded([this] {
    const std::uint16_t port =
        st_.PortBase != 0 ? static_cast<std::uint16_t>(st_.PortBase) : default_port_;
    // The lines reach the port tested for the test's length, also when discovery found no board
    // there. A request to stop keeps it, so that the way out leaves that port's lines safe.
    struct PortFor {
      WorkingState& st;
      std::int32_t kept;
      int unwinding = std::uncaught_exceptions();
      ~PortFor() {
        if (std::uncaught_exceptions() == unwinding) st.PortBase = kept;
      }
    } restore{st_, st_.PortBase};
    st_.PortBase = port;
    if (!st_.Board) st_.Board = st_.BoardChoice;
    const BoardTestResult r = Run_Board_Test(
        lines_, *this, port, meter_, [this](std::string_view p) { return view_.Confirm(p); });
    const bool clean = Report_Violations();
    if (!r.ok()) Message_Box("Board test: " + r.Verdict());
    return r.ok() && clean;
  });
}

bool Is_Hex_File_Name(std::string_view path) {
  if (path.size() < 4) return false;
  std::string suffix(path.substr(path.size() - 4));
  for (char& c : suffix) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return suffix == ".hex";
}

bool Panneau::Open_File(const std::string& path) {
  if (path.empty() || busy_ || command_depth_ > 0 || !control(Ctl::Btn_Load_File).enabled) {
    return false;
  }
  Load_Chosen_File(path);
  return true;
}

bool Panneau::Menu_File_Save_Click() {
  // The board first: no file is asked for when there is nothing to read.
  if (!Port_Ready()) return false;
  const std::string path = view_.Save_File_Dialog(kHexFilter, "hex");
  if (path.empty()) return true;  // cancelled: nothing read, nothing written
  return Save_Device_To(path);
}

void Panneau::Menu_File_Open_Click() {
  file_name_.clear();
  Load_Chosen_File(view_.Open_File_Dialog(kHexFilter, "hex"));
}

// The rest of File Open once the dialog has answered: "" when it was cancelled.
void Panneau::Load_Chosen_File(std::string path) {
  file_name_ = std::move(path);
  if (file_name_.empty()) {
    Disarm_File();
    Blank_Program_Image(st_);
    return;
  }
  Set_Caption("Corvane : " + file_name_);
  for (Ctl id : {Ctl::Check_WDT, Ctl::Check_PWRT, Ctl::Check_BODEN}) Set_Value(id, kUnchecked);
  for (Ctl id : {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Prog_EEPROM}) {
    Set_Enabled(id, true);
  }
  Set_Value(Ctl::Check_auto, kChecked);
  // A file that did not load leaves no file behind: programming or verifying would work on an
  // image that is not the one named in the caption.
  if (!Read_File(st_, *this)) {
    Disarm_File();
    return;
  }
  Offer_Fast(Ctl::Btn_Program_Device, false);
}

void Panneau::Disarm_File() {
  Set_Caption("Corvane by Dravik ");
  file_name_.clear();
  for (Ctl id : {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Prog_EEPROM}) {
    Set_Enabled(id, false);
  }
}

}  // namespace corvane
