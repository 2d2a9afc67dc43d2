// Which of the known devices an identification word names, and how it is shown.
#pragma once

#include <cstdint>
#include <string>

#include "protocol/context.h"

namespace corvane {

inline constexpr const char* kPic16f84 = "PIC16f84";
inline constexpr const char* kPic16f873 = "PIC16f873";
inline constexpr const char* kPic16f877 = "PIC16f877";

// Device name for an identification word; the five revision bits are ignored. The PIC16F84A
// (0x0560, any revision) programs and configures like the PIC16F84 and is named so.
std::string Device_Name(std::int32_t device_id);

struct ChipSize {
  int program_words;
  int eeprom_bytes;
};

// Memory sizes for an identification word (the PIC16F873/874, 876/877 and 84/84A families); an
// unknown word takes the sizes of the device named by the device box.
ChipSize Chip_Size_For(std::int32_t device_id, const std::string& device_box);

// Sets the device box from DeviceId and shows "Device : NAME (ID)" in the "Device" panel.
void Show_Device(Context& ctx);

}  // namespace corvane
