// Whole-chip contents as an Intel HEX file: written to save what was read from a chip and to keep
// the simulated chip's contents between runs, read back strictly (every character and checksum
// checked), unlike the loader, which follows the program's own lenient rules.
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

struct ChipContents {
  std::vector<std::uint16_t> program;       // program words from address 0
  std::array<std::uint16_t, 4> user_ids{};  // configuration locations 0x2000..0x2003
  std::uint16_t config = 0x3FFF;            // configuration word, 0x2007
  // The second configuration word, 0x2008 (CONFIG2 of the 16F87/88), for a chip that has one.
  std::optional<std::uint16_t> config2;
  std::vector<std::uint8_t> eeprom;         // data EEPROM bytes from address 0
};

// Largest memories the writer accepts: the PIC16F877's.
inline constexpr int kMaxProgramWords = 8192;
inline constexpr int kMaxEepromBytes = 256;

// The INHX8M text for the contents: program words from byte address 0 (16 bytes per record), the
// four user IDs as one record at 0x4000, the configuration word alone at 0x400E, the second one
// (when there is one) alone at 0x4010, EEPROM bytes from 0x4200 (one byte per word, high byte 00,
// 16 bytes per record), the end record. Lines end with
// CR LF. No device ID is written. False with a reason when the contents do not fit a file:
// more words or bytes than the largest chip, or a word wider than 14 bits.
bool Format_Chip_Hex(const ChipContents& c, std::string* text, std::string* error);

// Writes Format_Chip_Hex's text over the file at `path` through a temporary file beside it (see
// platform/file_replace.h), so that a failure never leaves a half-written or missing file. False
// with the reason on failure: the system's ("No space left on device"), "not a regular file", or
// why the contents do not fit a file. The reason never names a file: the caller names the path.
bool Write_Chip_Hex(const std::string& path, const ChipContents& c, std::string* error);

// Whether Write_Chip_Hex could put a file at `path` now: the same refusals and the same
// temporary file beside the target, made and removed again. False with the reason, as above.
bool Check_Chip_Hex_Target(const std::string& path, std::string* error);

// Reads an Intel HEX text (INHX8M or INHX32; extended segment and linear addresses honoured)
// into contents of the given sizes. Locations the text does not name stay erased: 0x3FFF words,
// 0xFF bytes; the device ID and reserved locations are skipped. A word at 0x2008 is taken as the
// second configuration word (config2 is left empty when the text has none). False with a reason
// ("... at line N" when a line is at fault) for any malformed or overlong line, wrong checksum,
// unknown record type, address outside the given sizes, word wider than 14 bits, EEPROM byte wider
// than 8 bits or missing end record; `out` is then untouched.
bool Read_Chip_Hex(std::istream& in, int program_words, int eeprom_bytes, ChipContents* out,
                   std::string* error);
// The same from the file at `path`; a file that cannot be opened or read gives the system's
// reason ("No such file or directory"), without the file's name.
bool Read_Chip_Hex(const std::string& path, int program_words, int eeprom_bytes, ChipContents* out,
                   std::string* error);

}  // namespace corvane
