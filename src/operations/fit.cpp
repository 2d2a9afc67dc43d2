#include "operations/fit.h"

#include "chips/chip_table.h"

namespace corvane {

std::string Program_Fit_Problem(const WorkingState& st, const std::string& device_box) {
  const int words = st.LastProgramAddress + 1;
  const int size = Chips_In_Use(st).Size_For(st.DeviceId, device_box).program_words;
  if (words <= size) return "";
  return "Programming cancelled : " + std::to_string(words) + " words of program do not fit the " +
         device_box + " (" + std::to_string(size) + " words)";
}

std::string Eeprom_Fit_Problem(const WorkingState& st, const std::string& device_box) {
  const int size = Chips_In_Use(st).Size_For(st.DeviceId, device_box).eeprom_bytes;
  if (st.EepromCount <= size) return "";
  return "Programming cancelled : " + std::to_string(st.EepromCount) +
         " Bytes of EEPROM Data do not fit the " + device_box + " (" + std::to_string(size) +
         " Bytes)";
}

bool Report_Fit(Panel& panel, const std::string& problem) {
  if (problem.empty()) return true;
  panel.Append_Text(problem + "\r\n");
  panel.Message_Box(problem);
  return false;
}

}  // namespace corvane
