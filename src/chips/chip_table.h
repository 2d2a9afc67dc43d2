// The chips the programmer knows: the built-in table (chip_table.txt, compiled in), then the
// user's own entries, read from every file ending in ".chips" in the chips folder (in the order of
// their names) and from a file the command line names. A user's entry never replaces one before
// it: an entry whose name or identification word is already known is refused, as a problem.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "chips/chip_entry.h"
#include "chips/chip_file.h"

namespace corvane {

struct WorkingState;

struct ChipSize {
  int program_words;
  int eeprom_bytes;
};

// What an identification word that names no chip in the table is shown as.
inline constexpr const char* kUnknownChipShown = "PIC16f873";

// The user's chips folder: "chips" in the program's configuration folder (platform/config_dir.h);
// empty when the environment names none.
std::string Chips_Folder();

class ChipTable {
 public:
  // The built-in chips alone.
  ChipTable();
  // The built-in chips, then the folder's files (empty or missing: none), then the file (empty:
  // none).
  ChipTable(const std::string& folder, const std::string& file);

  const std::vector<ChipEntry>& chips() const { return chips_; }
  // What was wrong in the user's files; their faulty entries are left out.
  const std::vector<ChipProblem>& problems() const { return problems_; }
  std::string Problems_Text() const;

  // The chip an identification word names, or null.
  const ChipEntry* Find_Id(std::int32_t device_id) const;
  // The chip a name gives: "16f877", "pic16f877" or "PIC16F877", in any case; or null.
  const ChipEntry* Find_Key(std::string_view name) const;
  // The first chip the device box shows so, or null.
  const ChipEntry* Find_Shown(std::string_view shown) const;

  // The device box's name for an identification word: the chip's own, kUnknownChipShown for a
  // word no chip has.
  std::string Shown_Name(std::int32_t device_id) const;
  // Memory sizes for an identification word; a word no chip has takes the sizes of the chip the
  // device box shows, and the largest chip's when the box shows none.
  ChipSize Size_For(std::int32_t device_id, std::string_view device_box) const;
  // "16f84|16f84a|...", every chip's key in the table's order.
  std::string Keys() const;

 private:
  void Add(const ChipFile& file);
  void Read_File(const std::string& path);

  std::vector<ChipEntry> chips_;
  std::vector<ChipProblem> problems_;
};

// The built-in table, read once.
const ChipTable& Builtin_Chips();

// The table the run uses: the one the program was started with, else the built-in one.
const ChipTable& Chips_In_Use(const WorkingState& st);

}  // namespace corvane
