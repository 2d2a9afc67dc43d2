// Where the main window's controls sit, in pixels of the client area (or of the frame that holds
// them), its colours, its keyboard order and its status panels: the same for every view of the
// window (the Qt widgets, the Win32 window), and free of any toolkit.
#pragma once

#include <array>
#include <string_view>

#include "ui/controls.h"

namespace corvane {

inline constexpr int kClientWidth = 588;
inline constexpr int kClientHeight = 459;

struct Rgb {
  int r, g, b;
};
inline constexpr Rgb kWindowGreen{0, 192, 0};
inline constexpr Rgb kFrame1Orange{255, 128, 0};
inline constexpr Rgb kChoixOscColour{192, 192, 0};
inline constexpr Rgb kChoixTimersColour{0, 192, 192};

struct Place {
  Ctl id;
  Ctl parent;  // Ctl::kCount: the client area
  int left, top, width, height;
};

inline constexpr Ctl kClientArea = Ctl::kCount;

inline constexpr std::array<Place, 29> kPlaces = {{
    {Ctl::txtTerm, kClientArea, 8, 16, 386, 214},
    {Ctl::Check_auto, kClientArea, 8, 240, 153, 17},
    {Ctl::Check_Vdd, kClientArea, 168, 240, 121, 17},
    {Ctl::Check_Speed, kClientArea, 328, 240, 105, 17},
    {Ctl::Btn_Load_File, kClientArea, 8, 264, 105, 33},
    {Ctl::Btn_Read_Device, kClientArea, 128, 264, 105, 33},
    {Ctl::Btn_Erase_Device, kClientArea, 256, 264, 121, 33},
    {Ctl::Btn_Program_Device, kClientArea, 8, 304, 105, 33},
    {Ctl::Btn_Verify, kClientArea, 128, 304, 105, 33},
    {Ctl::Btn_Erase_EEPROM, kClientArea, 256, 304, 121, 33},
    {Ctl::Btn_Prog_EEPROM, kClientArea, 8, 352, 129, 33},
    {Ctl::Btn_Read_EEPROM, kClientArea, 8, 392, 129, 33},
    {Ctl::Btn_Prog_Fuses, kClientArea, 208, 352, 169, 25},
    {Ctl::Btn_Check_Device_Fuses, kClientArea, 208, 392, 169, 25},
    {Ctl::Btn_Find_Port, kClientArea, 424, 280, 145, 25},
    {Ctl::Btn_Check_Device_Id, kClientArea, 432, 320, 137, 25},
    {Ctl::Frame1, kClientArea, 416, 352, 153, 65},
    {Ctl::Btn_RESET, Ctl::Frame1, 8, 16, 137, 33},
    {Ctl::Command1, kClientArea, 368, 400, 73, 33},
    {Ctl::Choix_Osc, kClientArea, 432, 8, 105, 121},
    {Ctl::Opt_Osc_0, Ctl::Choix_Osc, 8, 24, 81, 17},
    {Ctl::Opt_Osc_1, Ctl::Choix_Osc, 8, 48, 81, 17},
    {Ctl::Opt_Osc_2, Ctl::Choix_Osc, 8, 72, 81, 17},
    {Ctl::Opt_Osc_3, Ctl::Choix_Osc, 8, 96, 81, 17},
    {Ctl::Choix_Timers, kClientArea, 424, 144, 129, 89},
    {Ctl::Check_WDT, Ctl::Choix_Timers, 8, 16, 113, 17},
    {Ctl::Check_PWRT, Ctl::Choix_Timers, 8, 40, 113, 17},
    {Ctl::Check_BODEN, Ctl::Choix_Timers, 8, 64, 113, 17},
    // The speed in effect, on the green beside "Low Speed".
    {Ctl::lblSpeed, kClientArea, 444, 240, 136, 17},
}};

// The device box: its items and place.
inline constexpr Place kDevicePlace{Ctl::Device, kClientArea, 464, 120, 121, 21};
inline constexpr std::array<std::string_view, 3> kDeviceItems = {"PIC16f84", "PIC16f873",
                                                                 "PIC16F877"};

// Keyboard order of the controls that can take the focus (the frames pass it to their
// contents).
inline constexpr std::array<Ctl, 26> kTabOrder = {Ctl::txtTerm,
                                                  Ctl::Device,
                                                  Ctl::Opt_Osc_0,
                                                  Ctl::Opt_Osc_1,
                                                  Ctl::Opt_Osc_2,
                                                  Ctl::Opt_Osc_3,
                                                  Ctl::Check_WDT,
                                                  Ctl::Check_PWRT,
                                                  Ctl::Check_BODEN,
                                                  Ctl::Check_Vdd,
                                                  Ctl::Btn_Erase_Device,
                                                  Ctl::Btn_Read_Device,
                                                  Ctl::Btn_Program_Device,
                                                  Ctl::Btn_Verify,
                                                  Ctl::Btn_Check_Device_Id,
                                                  Ctl::Btn_Check_Device_Fuses,
                                                  Ctl::Btn_Prog_Fuses,
                                                  Ctl::Btn_Load_File,
                                                  Ctl::Btn_Find_Port,
                                                  Ctl::Command1,
                                                  Ctl::Check_auto,
                                                  Ctl::Btn_RESET,
                                                  Ctl::Btn_Prog_EEPROM,
                                                  Ctl::Btn_Read_EEPROM,
                                                  Ctl::Btn_Erase_EEPROM,
                                                  Ctl::Check_Speed};

struct StatusPanel {
  std::string_view key;
  std::string_view initial_text;
  std::string_view description;
  int width;
  std::string_view widest_text;  // the widest text the panel usually shows
};

inline constexpr std::array<StatusPanel, 4> kStatusPanels = {{
    {"Port", "Port :", "Parallel Port", 93, "Port : LPT2:"},
    {"Device", "Device :", "Selected Device", 140, "Device : PIC16F877 (9A3)"},
    {"Fuses", "Fuses :", "Configuration Fuses :", 96, "Fuses : 0x3FFF"},
    {"Status", "Status :", "Running Status", 233, "Writing Configuration Fuses"},
}};

// The status bar, docked at the bottom of the client area.
inline constexpr Place kStatusBarPlace{Ctl::kCount, kClientArea, 0, 434, 588, 25};

// While a device command runs, the right of the status bar holds the progress bar of a transfer
// and the Stop button. The "Port" panel, which no command changes, gives them its room, so that
// neither ever covers the "Status" text.
inline constexpr std::string_view kPanelGivingRoom = "Port";
inline constexpr int kProgressWidth = 62;
inline constexpr int kStopButtonWidth = 38;
inline constexpr int kCommandWidgetGap = 2;

}  // namespace corvane
