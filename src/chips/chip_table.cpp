#include "chips/chip_table.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "platform/config_dir.h"
#include "platform/files.h"
#include "state/working_state.h"
#include "text/words.h"

namespace corvane {

extern const char kBuiltinChipsText[];

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t kLargestFile = 1024 * 1024;

bool Same_Id(const ChipEntry& a, const ChipEntry& b) {
  const std::int32_t both = a.id_mask & b.id_mask;
  return (a.id & both) == (b.id & both);
}

std::string Hex4(std::int32_t v) {
  static const char digits[] = "0123456789ABCDEF";
  std::string s(4, '0');
  for (int i = 3; i >= 0; --i, v >>= 4) s[static_cast<std::size_t>(i)] = digits[v & 0xF];
  return s;
}

}  // namespace

std::string Chips_Folder() {
  const std::string config = platform::Config_Dir();
  if (config.empty()) return "";
  return (fs::path(config) / "chips").string();
}

ChipTable::ChipTable() {
  const ChipFile builtin = Parse_Chip_Text(kBuiltinChipsText, "built-in");
  // The text is part of the program: a mistake in it is the program's own.
  if (!builtin.problems.empty()) throw std::logic_error(builtin.Problems_Text());
  Add(builtin);
  if (!problems_.empty()) throw std::logic_error(Problems_Text());
}

ChipTable::ChipTable(const std::string& folder, const std::string& file) : ChipTable() {
  if (!folder.empty()) {
    for (const std::string& path : platform::Files_Ending_In(folder, ".chips")) Read_File(path);
  }
  if (!file.empty()) Read_File(file);
}

void ChipTable::Read_File(const std::string& path) {
  std::string text;
  const std::string why = platform::Read_Small_File(path, kLargestFile, "a chip table", &text);
  if (!why.empty()) {
    problems_.push_back({path, 0, "", why});
    return;
  }
  const ChipFile parsed = Parse_Chip_Text(text, path);
  problems_.insert(problems_.end(), parsed.problems.begin(), parsed.problems.end());
  if (parsed.chips.empty() && parsed.problems.empty()) {
    problems_.push_back({path, 0, "", "describes no chip ([PART], then its lines)"});
  }
  Add(parsed);
}

void ChipTable::Add(const ChipFile& file) {
  for (const ChipEntry& entry : file.chips) {
    const ChipEntry* clash = nullptr;
    std::string what;
    for (const ChipEntry& known : chips_) {
      if (known.key == entry.key) {
        clash = &known;
        what = "chip " + entry.part + " is already known";
      } else if (Same_Id(known, entry)) {
        clash = &known;
        what = "identification " + Hex4(entry.id) + "/" + Hex4(entry.id_mask) + " is already " +
               known.part + "'s";
      }
      if (clash) break;
    }
    if (clash) {
      problems_.push_back({entry.origin, entry.line, "", what + " (" + clash->Where() + ")"});
      continue;
    }
    chips_.push_back(entry);
  }
}

std::string ChipTable::Problems_Text() const {
  std::string t;
  for (const ChipProblem& p : problems_) t += (t.empty() ? "" : "\n") + p.Text();
  return t;
}

const ChipEntry* ChipTable::Find_Id(std::int32_t device_id) const {
  for (const ChipEntry& c : chips_) {
    if (c.Matches(device_id)) return &c;
  }
  return nullptr;
}

const ChipEntry* ChipTable::Find_Key(std::string_view name) const {
  std::string key = Lower(name);
  if (key.size() > 3 && key.compare(0, 3, "pic") == 0) key.erase(0, 3);
  for (const ChipEntry& c : chips_) {
    if (c.key == key) return &c;
  }
  return nullptr;
}

const ChipEntry* ChipTable::Find_Shown(std::string_view shown) const {
  for (const ChipEntry& c : chips_) {
    if (c.shown == shown) return &c;
  }
  return nullptr;
}

std::string ChipTable::Shown_Name(std::int32_t device_id) const {
  const ChipEntry* c = Find_Id(device_id);
  return c ? c->shown : kUnknownChipShown;
}

ChipSize ChipTable::Size_For(std::int32_t device_id, std::string_view device_box) const {
  const ChipEntry* c = Find_Id(device_id);
  if (!c) c = Find_Shown(device_box);
  if (c) return {c->program_words, c->eeprom_bytes};
  ChipSize largest{0, 0};
  for (const ChipEntry& e : chips_) {
    largest.program_words = std::max(largest.program_words, e.program_words);
    largest.eeprom_bytes = std::max(largest.eeprom_bytes, e.eeprom_bytes);
  }
  return largest;
}

std::string ChipTable::Keys() const {
  std::string keys;
  for (const ChipEntry& c : chips_) keys += (keys.empty() ? "" : "|") + c.key;
  return keys;
}

const ChipTable& Builtin_Chips() {
  static const ChipTable table;
  return table;
}

const ChipTable& Chips_In_Use(const WorkingState& st) {
  return st.Chips ? *st.Chips : Builtin_Chips();
}

}  // namespace corvane
