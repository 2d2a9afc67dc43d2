#include "ui/controls.h"

namespace corvane {

std::array<Control, kControlCount> Initial_Controls() {
  using K = ControlKind;
  std::array<Control, kControlCount> c{};
  auto set = [&c](Ctl id, std::string_view name, K kind, std::string caption, int value = 0) {
    Control& x = c[static_cast<int>(id)];
    x.name = name;
    x.kind = kind;
    x.caption = std::move(caption);
    x.value = value;
  };
  set(Ctl::txtTerm, "txtTerm", K::TextBox, "");
  set(Ctl::Check_auto, "Check_auto", K::CheckBox, "Automatic File Update", 1);
  set(Ctl::Check_Vdd, "Check_Vdd", K::CheckBox, "Vdd Enable", 1);
  set(Ctl::Check_Speed, "Check_Speed", K::CheckBox, "Low Speed", 0);
  set(Ctl::Btn_Load_File, "Btn_Load_File", K::Button, "LOAD File");
  set(Ctl::Btn_Read_Device, "Btn_Read_Device", K::Button, "Read Device");
  set(Ctl::Btn_Erase_Device, "Btn_Erase_Device", K::Button, "ERASE Device");
  set(Ctl::Btn_Program_Device, "Btn_Program_Device", K::Button, "PROGRAM Device");
  set(Ctl::Btn_Verify, "Btn_Verify", K::Button, "VERIFY");
  set(Ctl::Btn_Erase_EEPROM, "Btn_Erase_EEPROM", K::Button, "ERASE EEPROM");
  set(Ctl::Btn_Prog_EEPROM, "Btn_Prog_EEPROM", K::Button, "PROGRAM EEPROM");
  set(Ctl::Btn_Read_EEPROM, "Btn_Read_EEPROM", K::Button, "READ EEPROM");
  set(Ctl::Btn_Prog_Fuses, "Btn_Prog_Fuses", K::Button, "PROGRAM Fuses");
  set(Ctl::Btn_Check_Device_Fuses, "Btn_Check_Device_Fuses", K::Button, "CHECK Device Fuses");
  set(Ctl::Btn_Find_Port, "Btn_Find_Port", K::Button, "Find_Port");
  set(Ctl::Btn_Check_Device_Id, "Btn_Check_Device_Id", K::Button, "CHECK Device Id");
  set(Ctl::Frame1, "Frame1", K::Frame, "Tessel");
  set(Ctl::Btn_RESET, "Btn_RESET", K::Button, "RESET PIC");
  set(Ctl::Command1, "Command1", K::Button, "Command1");
  set(Ctl::Choix_Osc, "Choix_Osc", K::Frame, "Oscillator Type");
  set(Ctl::Opt_Osc_0, "Opt_Osc(0)", K::OptionButton, "LP");
  set(Ctl::Opt_Osc_1, "Opt_Osc(1)", K::OptionButton, "XT");
  set(Ctl::Opt_Osc_2, "Opt_Osc(2)", K::OptionButton, "HS");
  set(Ctl::Opt_Osc_3, "Opt_Osc(3)", K::OptionButton, "RC");
  set(Ctl::Choix_Timers, "Choix_Timers", K::Frame, "Timers settings");
  set(Ctl::Check_WDT, "Check_WDT", K::CheckBox, "WDT Enable");
  set(Ctl::Check_PWRT, "Check_PWRT", K::CheckBox, "PWRT Enable");
  set(Ctl::Check_BODEN, "Check_BODEN", K::CheckBox, "BOD Enable");
  set(Ctl::Device, "Device", K::ComboBox, "");
  set(Ctl::Menu_File, "Menu_File", K::MenuItem, "&File");
  set(Ctl::Menu_File_Open, "Menu_File_Open", K::MenuItem, "&Open");
  set(Ctl::Menu_File_Save, "Menu_File_Save", K::MenuItem, "&Save");
  set(Ctl::Menu_File_Exit, "Menu_File_Exit", K::MenuItem, "E&xit");
  set(Ctl::Menu_Options, "Menu_Options", K::MenuItem, "&Options");
  set(Ctl::Menu_Options_HardWare, "Menu_Options_HardWare", K::MenuItem, "&HardWare");
  set(Ctl::Menu_About, "Menu_About", K::MenuItem, "&About");
  set(Ctl::Menu_Options_Fast, "Menu_Options_Fast", K::MenuItem, "Fast programming");
  set(Ctl::Btn_Stop, "Btn_Stop", K::Button, "Stop");
  set(Ctl::lblSpeed, "lblSpeed", K::Label, "");
  set(Ctl::Menu_View, "Menu_View", K::MenuItem, "&View");
  set(Ctl::Menu_View_Memory, "Menu_View_Memory", K::MenuItem, "&Memory");
  set(Ctl::Menu_View_Blank_Check, "Menu_View_Blank_Check", K::MenuItem, "&Blank Check");
  set(Ctl::Menu_Options_Config, "Menu_Options_Config", K::MenuItem, "&Configuration");
  // Stop is offered only while a device command runs.
  c[static_cast<int>(Ctl::Btn_Stop)].enabled = false;
  c[static_cast<int>(Ctl::lblSpeed)].text = "Speed : normal";
  for (Ctl id : {Ctl::Command1, Ctl::Device}) {
    c[static_cast<int>(id)].user_available = false;
  }
  c[static_cast<int>(Ctl::Menu_File_Open)].shortcut = "Ctrl+O";
  c[static_cast<int>(Ctl::Menu_File_Save)].shortcut = "Ctrl+S";
  c[static_cast<int>(Ctl::Menu_File_Exit)].shortcut = "Ctrl+Q";
  return c;
}

bool Takes_Focus(const Control& c) {
  switch (c.kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::TextBox:
      return true;
    default:
      return false;
  }
}

Ctl Control_By_Name(std::string_view name) {
  static const auto controls = Initial_Controls();
  for (int i = 0; i < kControlCount; ++i) {
    if (controls[i].name == name) return static_cast<Ctl>(i);
  }
  return Ctl::kCount;
}

}  // namespace corvane
