#include "ui/memory_view.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "chips/chip_table.h"
#include "fuses/config_fields.h"
#include "operations/chip_read.h"

namespace corvane {

namespace {

constexpr int kRowWords = 8;
constexpr std::int32_t kUnknown = ChipSnapshot::kUnknown;
constexpr std::int32_t kNone = -2;  // a cell the area does not have

std::string Hex4(std::int32_t v) {
  char text[12];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(v));
  return text;
}

std::string Hex_Width(std::int32_t v, int digits) {
  char text[12];
  std::snprintf(text, sizeof text, "%0*X", digits, static_cast<unsigned>(v));
  return text;
}

ChipSize Size_Of(const MemorySources& s) {
  const std::int32_t id = s.chip.device_id != kUnknown ? s.chip.device_id : s.st.DeviceId;
  return Chips_In_Use(s.st).Size_For(id, s.device_box);
}

// The chip the view is of: the one last identified, else the device box's; null when neither names
// one.
const ChipEntry* Chip_Of(const MemorySources& s) {
  const std::int32_t id = s.chip.device_id != kUnknown ? s.chip.device_id : s.st.DeviceId;
  return Config_Chip_Of(s.st, id, s.device_box);
}

// The configuration word's implemented bits: the chip table's, else as on the 16F84 (1K words)
// or the 16F87x.
std::int32_t Config_Mask(const MemorySources& s, const ChipSize& size) {
  if (const ChipEntry* chip = Chip_Of(s)) return chip->Config_Mask(0x2007);
  return size.program_words == 1024 ? 0x3FFF : 0x3BFF;
}

// One row: the file's cells, then the chip's, each as hexadecimal and ASCII (the low byte of a
// word: a RETLW table's character). A chip cell that differs from a known file cell is marked.
struct Row {
  int address;
  int digits;  // 4 for words, 2 for EEPROM bytes
  std::array<std::int32_t, kRowWords> file;
  std::array<std::int32_t, kRowWords> chip;
};

std::string Cell(std::int32_t v, int digits) {
  if (v == kNone) return "    ";
  if (v == kUnknown) return "----";
  return std::string(static_cast<std::size_t>(4 - std::min(4, digits)), ' ') + Hex_Width(v, digits);
}

std::string Ascii(const std::array<std::int32_t, kRowWords>& cells) {
  std::string text;
  for (std::int32_t v : cells) {
    const int c = v & 0xFF;
    text += v < 0 ? ' ' : (c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '.');
  }
  return text;
}

std::string Row_Text(const Row& r) {
  std::string text = Hex4(r.address) + "  ";
  for (std::int32_t v : r.file) text += Cell(v, r.digits) + " ";
  text += " " + Ascii(r.file) + "  | ";
  for (int i = 0; i < kRowWords; ++i) {
    const std::int32_t f = r.file[static_cast<std::size_t>(i)];
    const std::int32_t c = r.chip[static_cast<std::size_t>(i)];
    text += Cell(c, r.digits) + (f >= 0 && c >= 0 && f != c ? "*" : " ");
  }
  text += " " + Ascii(r.chip);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// Rows of an area of `count` cells from `first`, cell i of each side given by the functions.
template <typename FileAt, typename ChipAt>
void Add_Rows(std::vector<std::string>& lines, int first, int count, int digits, FileAt file,
              ChipAt chip) {
  for (int base = 0; base < count; base += kRowWords) {
    Row r{first + base, digits, {}, {}};
    for (int i = 0; i < kRowWords; ++i) {
      const int at = base + i;
      r.file[static_cast<std::size_t>(i)] = at < count ? file(at) : kNone;
      r.chip[static_cast<std::size_t>(i)] = at < count ? chip(at) : kNone;
    }
    lines.push_back(Row_Text(r));
  }
}

}  // namespace

std::uint16_t Checksum(const std::vector<std::int32_t>& program, std::int32_t config,
                       std::int32_t config_mask, std::int32_t config2, std::int32_t config2_mask) {
  std::uint32_t sum = 0;
  for (std::int32_t w : program) sum += static_cast<std::uint32_t>(w);
  sum += static_cast<std::uint32_t>(config & config_mask);
  sum += static_cast<std::uint32_t>(config2 & config2_mask);
  return static_cast<std::uint16_t>(sum & 0xFFFF);
}

Checksums Memory_Checksums(const MemorySources& s) {
  const ChipSize size = Size_Of(s);
  const std::int32_t mask = Config_Mask(s, size);
  const std::int32_t mask2 = Config_Word2_Mask(Chip_Of(s));
  Checksums c;
  if (s.file_loaded) {
    const std::vector<std::int32_t> words(s.st.ProgramImage.begin(),
                                          s.st.ProgramImage.begin() + size.program_words);
    c.file = "0x" + Hex4(Checksum(words, s.st.ConfigWord, mask, s.st.ConfigWord2, mask2));
  } else {
    c.file = "no file loaded";
  }
  if (!s.chip.Program_Known(size.program_words) || s.chip.config == kUnknown ||
      (mask2 != 0 && s.chip.config2 == kUnknown)) {
    c.chip = "not read in full";
  } else {
    const std::vector<std::int32_t> words(s.chip.program.begin(),
                                          s.chip.program.begin() + size.program_words);
    c.chip = "0x" + Hex4(Checksum(words, s.chip.config, mask, s.chip.config2, mask2));
    // Protected words read as 0: IDEs sum them another way, which is not guessed here.
    const std::int32_t id = s.chip.device_id != kUnknown ? s.chip.device_id : s.st.DeviceId;
    if (Code_Protected(static_cast<std::uint16_t>(s.chip.config), size,
                       Chips_In_Use(s.st).Find_Id(id))) {
      c.chip += " (code protected)";
    }
  }
  return c;
}

std::string Checksum_Log_Text(const Checksums& c) {
  return "Checksum of the file : " + c.file + "\r\n" + "Checksum of the chip : " + c.chip + "\r\n";
}

MemoryView Memory_View(const MemorySources& s) {
  const WorkingState& st = s.st;
  const ChipSnapshot& chip = s.chip;
  const ChipSize size = Size_Of(s);
  const Checksums sums = Memory_Checksums(s);
  MemoryView v;
  v.title =
      "Memory : " + (s.file_loaded ? "file checksum " + sums.file : std::string("no file loaded")) +
      ", " + (sums.chip.rfind("0x", 0) == 0 ? "chip checksum " + sums.chip : "chip " + sums.chip);

  const int file_words = s.file_loaded ? st.LastProgramAddress + 1 : 0;
  const int words = std::min(std::max(size.program_words, file_words), kProgramLast + 1);
  v.lines.push_back("Program memory : file | chip ('*' where they differ)");
  Add_Rows(
      v.lines, 0, words, 4,
      // Past the file's last word the chip keeps what it holds: no file word to compare with.
      [&](int a) {
        return a < file_words ? st.ProgramImage[static_cast<std::size_t>(a)] : kUnknown;
      },
      [&](int a) { return ChipSnapshot::At(chip.program, a); });

  // 0x2000-0x2003 user IDs, 0x2004-0x2005 reserved, 0x2006 identification, 0x2007 configuration,
  // and on a chip with a second configuration word, 0x2008 in a row of its own.
  const bool two_words = Config_Word2_Mask(Chip_Of(s)) != 0;
  v.lines.push_back(std::string("Configuration area : user IDs 2000-2003, identification 2006, ") +
                    (two_words ? "fuses 2007-2008" : "fuses 2007"));
  Add_Rows(
      v.lines, 0x2000, two_words ? kRowWords + 1 : kRowWords, 4,
      [&](int i) -> std::int32_t {
        if (!s.file_loaded) return i < 4 || i >= 7 ? kUnknown : kNone;
        if (i < 4)
          return st.UserIdImage[static_cast<std::size_t>(i)] == kNoUserId
                     ? kUnknown
                     : st.UserIdImage[static_cast<std::size_t>(i)];
        if (i == 8) return st.ConfigWord2;
        return i == 7 ? st.ConfigWord : kNone;
      },
      [&](int i) -> std::int32_t {
        if (i < 4) return chip.user_ids[static_cast<std::size_t>(i)];
        if (i == 6) return chip.device_id;
        if (i == 8) return chip.config2;
        return i == 7 ? chip.config : kNone;
      });

  const int file_bytes = s.file_loaded ? st.EepromCount : 0;
  const int bytes = std::min(std::max(size.eeprom_bytes, file_bytes), kEepromLast + 1);
  v.lines.push_back("EEPROM data : file | chip");
  Add_Rows(
      v.lines, 0x2100, bytes, 2,
      [&](int i) {
        return i < file_bytes ? st.EepromImage[static_cast<std::size_t>(i)] : kUnknown;
      },
      [&](int i) { return ChipSnapshot::At(chip.eeprom, i); });
  return v;
}

}  // namespace corvane
