#include "ui/panneau.h"

#include <cstdio>

#include "chips/chip_table.h"
#include "fuses/config_fields.h"
#include "fuses/config_word.h"
#include "hardware/delay.h"
#include "image/memory_image.h"
#include "ui/os_version.h"

namespace corvane {

namespace {
constexpr std::size_t kLogLimit = 16000;
constexpr std::size_t kLogDrop = 4096;

// Buttons that need a programmer board, in the order the rules list them, and the blank check.
constexpr Ctl kBoardButtons[] = {Ctl::Btn_Read_Device,     Ctl::Btn_Check_Device_Fuses,
                                 Ctl::Btn_Check_Device_Id, Ctl::Btn_Erase_Device,
                                 Ctl::Btn_Prog_Fuses,      Ctl::Menu_View_Blank_Check};
bool Is_Continuation_Byte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Characters of UTF-8 text.
std::size_t Character_Count(std::string_view text) {
  std::size_t n = 0;
  for (char c : text) n += Is_Continuation_Byte(c) ? 0 : 1;
  return n;
}
}  // namespace

Panneau::Panneau(WorkingState& st, Lines& lines, WindowView& view)
    : st_(st), lines_(lines), view_(view), ctx_{st, lines, *this}, controls_(Initial_Controls()) {
  status_["Port"] = "Port :";
  status_["Device"] = "Device :";
  status_["Fuses"] = "Fuses :";
  status_["Status"] = "Status :";
}

void Panneau::Form_Load() {
  Guarded([this] {
    Form_Load_Handler();
    return true;
  });
}

void Panneau::Form_Load_Handler() {
  st_.OsVersionText = Os_Version_Text(Get_Os_Version());
  Set_Device("PIC16f84");
  Calibrate_Delay(st_, lines_.clock());
  Check_Speed_Click();
  for (Ctl id : {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Read_Device,
                 Ctl::Btn_Check_Device_Fuses, Ctl::Btn_Check_Device_Id, Ctl::Btn_Erase_Device,
                 Ctl::Btn_Prog_Fuses, Ctl::Btn_Prog_EEPROM, Ctl::Menu_View_Blank_Check}) {
    Set_Enabled(id, false);
  }
  Set_Value(Ctl::Check_auto, kGrayed);
  Blank_Program_Image(st_);
  Btn_Find_Port_Click();
  if (st_.PortFound == 1) Click_Handler(Ctl::Btn_Check_Device_Id);
}

std::string Panneau::status(std::string_view key) const {
  auto it = status_.find(key);
  return it == status_.end() ? std::string() : it->second;
}

void Panneau::Append_Text(std::string_view message) {
  bool trimmed = false;
  if (log_characters_ > kLogLimit) {
    // Drop the oldest 4096 characters (not bytes: a file name may carry accented letters).
    std::size_t cut = 0;
    for (std::size_t dropped = 0; dropped < kLogDrop && cut < log_.size(); ++dropped) {
      ++cut;
      while (cut < log_.size() && Is_Continuation_Byte(log_[cut])) ++cut;
    }
    log_.erase(0, cut);
    log_characters_ -= kLogDrop;
    trimmed = true;
  }
  log_.append(message);
  log_characters_ += Character_Count(message);
  view_.Log_Appended(message, trimmed);
}

void Panneau::Set_Status(std::string_view key, std::string_view text) {
  auto it = status_.find(key);
  if (it == status_.end()) return;
  it->second = std::string(text);
  view_.Status_Changed(key, text);
}

void Panneau::Message_Box(std::string_view text) {
  command_boxes_.emplace_back(text);
  view_.Message_Box(text);
}

void Panneau::Sablier_On() {
  busy_ = true;
  view_.Busy_Changed(true);
  for (Ctl id :
       {Ctl::Btn_Program_Device, Ctl::Btn_Verify, Ctl::Btn_Read_Device, Ctl::Btn_Check_Device_Fuses,
        Ctl::Btn_Check_Device_Id, Ctl::Btn_Erase_Device, Ctl::Btn_Prog_Fuses, Ctl::Btn_RESET,
        Ctl::Btn_Find_Port, Ctl::Btn_Load_File, Ctl::Menu_View_Blank_Check}) {
    Set_Enabled(id, false);
  }
}

void Panneau::Sablier_Off() {
  busy_ = false;
  view_.Busy_Changed(false);
  Set_Enabled(Ctl::Btn_Find_Port, true);
  Set_Enabled(Ctl::Btn_Load_File, true);
  if (st_.BoardVariant == kTessel) Set_Enabled(Ctl::Btn_RESET, true);
  if (!file_name_.empty()) {
    Set_Enabled(Ctl::Btn_Program_Device, true);
    Set_Enabled(Ctl::Btn_Verify, true);
  }
  // A board must have been found and still be selected: after a failed discovery PortBase is 0.
  if (st_.PortFound == 1 && st_.PortBase != 0) {
    for (Ctl id : kBoardButtons) Set_Enabled(id, true);
  }
}

void Panneau::Set_Enabled(Ctl id, bool enabled) {
  Control& c = mut(id);
  if (c.enabled == enabled) return;
  c.enabled = enabled;
  view_.Control_Changed(id);
}

void Panneau::Set_Device(std::string_view text) {
  mut(Ctl::Device).text = std::string(text);
  view_.Control_Changed(Ctl::Device);
  // The four oscillator choices are FOSC1:0. A chip with a third oscillator bit (FOSC2, on the
  // 62xA and 88 families) has eight oscillators, which the Configuration dialog sets: the choices
  // are greyed for it rather than showing a wrong one.
  const ChipEntry* chip = Config_Chip();
  bool two_bits = true;
  for (const ConfigField& f : chip != nullptr ? chip->fields : std::vector<ConfigField>{}) {
    if (f.name == "FOSC" && f.address == 0x2007) two_bits = f.mask == 0x0003;
  }
  for (int i = 0; i < 4; ++i) Set_Enabled(Opt_Osc(i), two_bits);
}

void Panneau::Set_Caption(std::string caption) {
  caption_ = std::move(caption);
  view_.Caption_Changed(caption_);
}

void Panneau::Set_Value(Ctl id, int value) {
  Control& c = mut(id);
  if (c.value == value) return;
  if (c.kind == ControlKind::OptionButton && value != 0) {
    for (int i = 0; i < 4; ++i) {
      Control& other = mut(Opt_Osc(i));
      if (other.value != 0 && Opt_Osc(i) != id) {
        other.value = 0;
        view_.Control_Changed(Opt_Osc(i));
      }
    }
  }
  c.value = value;
  view_.Control_Changed(id);
  switch (id) {
    case Ctl::Opt_Osc_0:
    case Ctl::Opt_Osc_1:
    case Ctl::Opt_Osc_2:
    case Ctl::Opt_Osc_3:
      if (value != 0) Opt_Osc_Click(static_cast<int>(id) - static_cast<int>(Ctl::Opt_Osc_0));
      break;
    case Ctl::Check_WDT:
      Check_WDT_Click();
      break;
    case Ctl::Check_PWRT:
      Check_PWRT_Click();
      break;
    case Ctl::Check_BODEN:
      Check_BODEN_Click();
      break;
    case Ctl::Check_Speed:
    case Ctl::Menu_Options_Fast: {
      // "Low Speed" and "Fast programming" are never on together: choosing one clears the other.
      const Ctl other = id == Ctl::Check_Speed ? Ctl::Menu_Options_Fast : Ctl::Check_Speed;
      if (value != kUnchecked && control(other).value != kUnchecked) {
        Set_Value(other, kUnchecked);
      }
      Check_Speed_Click();
      break;
    }
    default:
      break;  // "Vdd Enable" and "Automatic File Update" are only read
  }
}

void Panneau::Fuses_Changed() {
  Set_Status("Fuses", Fuses_Panel_Text(st_.ConfigWord) +
                          Config_Word2_Suffix(Config_Chip(), st_.ConfigWord2));
}

void Panneau::Opt_Osc_Click(int index) {
  st_.ConfigWord = Osc_Choice(st_.ConfigWord, index, Device());
  Fuses_Changed();
}

void Panneau::Check_WDT_Click() {
  st_.ConfigWord = WDT_Reaction(st_.ConfigWord, control(Ctl::Check_WDT).value == kChecked);
  Fuses_Changed();
}

void Panneau::Check_PWRT_Click() {
  st_.ConfigWord = PWRT_Reaction(st_.ConfigWord, control(Ctl::Check_PWRT).value == kChecked);
  Fuses_Changed();
}

void Panneau::Check_BODEN_Click() {
  st_.ConfigWord = BODEN_Reaction(st_.ConfigWord, control(Ctl::Check_BODEN).value == kChecked);
  Fuses_Changed();
}

void Panneau::Check_Speed_Click() {
  const int low = control(Ctl::Check_Speed).value;
  st_.DelayUnit = Delay_Unit_For(low);
  if (low != kUnchecked) {
    st_.Speed = kLowSpeed;
  } else {
    st_.Speed = control(Ctl::Menu_Options_Fast).value == kChecked ? kFastSpeed : kNormalSpeed;
  }
  Set_Speed_Text();
  if (!file_name_.empty()) Offer_Fast(Ctl::Btn_Program_Device, false);
}

void Panneau::Set_Speed_Text() {
  const char* speed = st_.Speed == kLowSpeed ? "low" : st_.Speed == kFastSpeed ? "fast" : "normal";
  Control& label = mut(Ctl::lblSpeed);
  const std::string text = std::string("Speed : ") + speed;
  if (label.text == text) return;
  label.text = text;
  view_.Control_Changed(Ctl::lblSpeed);
}

// The pace is taken on the programmer's clock: in virtual time the simulated board's. A stop asked
// for meanwhile is taken here, between two words, never inside a word's write cycle.
void Panneau::Progress(int done, int total, Memory memory) {
  progress_ = {done, total, memory};
  if (done < total) {
    if (const int request = stop_.Pending()) throw Interrupted{request};
  }
  view_.Progress(done, total, pace_.Update(done, total, lines_.clock().now_ns()));
}

void Panneau::Request_Stop() {
  if (command_depth_ > 0 && control(Ctl::Btn_Stop).enabled) stop_.Request();
}

bool Panneau::Stopped() {
  // Out of programming mode as every command ends; the chip keeps what was written so far.
  try {
    lines_.Vpp_Off();
    lines_.Vdd_On();
  } catch (const Interrupted& signal) {
    interrupted_ = signal.signal_number;
  }
  char where[80];
  std::snprintf(where, sizeof where, "Stopped by the user at %saddress 0x%04X of 0x%04X",
                progress_.memory == Memory::kEeprom ? "EEPROM " : "",
                static_cast<unsigned>(progress_.done), static_cast<unsigned>(progress_.total - 1));
  Append_Text(std::string(where) + "\r\n");
  Set_Status("Status", "Stopped");
  Sablier_Off();
  if (interrupted_ == 0) Report_Violations();
  return false;
}

void Panneau::Focus_Moved(Ctl id) {
  if (command_depth_ == 0 && Takes_Focus(control(id))) focused_ = id;
}

Ctl Panneau::Focus_Target() const {
  Ctl target = pressed_;
  if (target == Ctl::kCount || !Takes_Focus(control(target))) target = focused_;
  if (target == Ctl::kCount || !control(target).enabled || !control(target).user_available) {
    target = Ctl::txtTerm;
  }
  return target;
}

void Panneau::Command_Ended() {
  stop_.Clear();
  Set_Enabled(Ctl::Btn_Stop, false);
  view_.Set_Focus(Focus_Target());
  pressed_ = Ctl::kCount;
  if (exit_pending_) {
    exit_pending_ = false;
    view_.Close_Window();
  }
}

MemoryView Panneau::Memory_Rows() const {
  return Memory_View({st_, !file_name_.empty(), chip_, Device()});
}

Checksums Panneau::Checksums_Now() const {
  return Memory_Checksums({st_, !file_name_.empty(), chip_, Device()});
}

void Panneau::Log_Checksums() {
  Append_Text(Checksum_Log_Text(Checksums_Now()));
}

void Panneau::Show_Fuses() {
  const FuseControls f = Fuses_Shown(st_.ConfigWord);
  Set_Value(Opt_Osc(f.osc), 1);
  Set_Value(Ctl::Check_WDT, f.wdt ? kChecked : kUnchecked);
  Set_Value(Ctl::Check_PWRT, f.pwrt ? kChecked : kUnchecked);
  Set_Value(Ctl::Check_BODEN, f.boden ? kChecked : kUnchecked);
}

}  // namespace corvane
