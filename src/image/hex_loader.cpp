#include "image/hex_loader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <string_view>

#include "fuses/config_fields.h"
#include "fuses/config_word.h"
#include "hardware/interruption.h"
#include "image/line_reader.h"
#include "image/loader_record.h"
#include "platform/files.h"
#include "platform/input_file.h"
#include "protocol/hex_text.h"

namespace corvane {
namespace {

constexpr std::string_view kReadError = "Error while reading file";
constexpr std::string_view kNotARecord = "erreur de fichier";
constexpr std::string_view kTooManyNonRecords = "too many lines that are not records";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Word addresses of the configuration area in a HEX file.
constexpr int kConfigArea = 0x2000;
constexpr int kConfigWordAddress = 0x2007;
constexpr int kEepromArea = 0x2100;

// Puts one data record into the image by its first word address. Returns the failure reason, or
// an empty text.
std::string_view Place_Data_Record(const LoaderRecord& rec, LoadedImage& image) {
  if (rec.address % 2 != 0) return kAddressOutOfRange;
  const int first = rec.address / 2;
  const int words = rec.count / 2;

  if (first < kConfigArea) {
    if (first + words - 1 > kProgramLast) return kAddressOutOfRange;
    for (int k = 0; k < words; ++k) image.ProgramImage[first + k] = rec.Word(k);
    // Records may come in any order and overlap: the program ends at the highest word written.
    if (words > 0) image.LastProgramAddress = std::max(image.LastProgramAddress, first + words - 1);
  } else if (first < kConfigArea + kUserIdCount) {
    // User IDs: the words of the record that fall on 0x2000-0x2003; the rest is not loaded.
    for (int k = 0; k < words && first + k < kConfigArea + kUserIdCount; ++k) {
      image.UserIdImage[first + k - kConfigArea] = rec.Word(k);
    }
  } else if (first == kConfigWordAddress) {
    // The word's 14 bits (the low byte alone from a one-byte record); the normalisation then sets
    // what the device's rules force, which on the 16F84 and 87x layouts is every bit above the
    // low byte. A record without data has no byte to give.
    if (rec.count > 1) image.ConfigWord = rec.Word(0) & 0x3FFF;
    if (rec.count == 1) image.ConfigWord = rec.Byte(0);
    // Assemblers write both words of a 16F87/88 in one record: the second is the whole word.
    if (image.ConfigWord2 && words > 1) image.ConfigWord2 = rec.Word(1);
  } else if (first == kConfigWord2Address) {
    if (image.ConfigWord2 && words > 0) image.ConfigWord2 = rec.Word(0);
  } else if (first >= kEepromArea) {
    const int index = first - kEepromArea;
    if (index + words > kEepromLast + 1) return kAddressOutOfRange;
    for (int k = 0; k < words; ++k) image.EepromImage[index + k] = rec.Word(k);
    image.EepromCount = index + words;
  }
  // Anything else in the configuration area (reserved words, device ID, a second configuration
  // word the chip does not have) is not loaded.
  return {};
}

// Value carried by an extended-address record: its data bytes, most significant first.
int Extended_Value(const LoaderRecord& rec) {
  int value = 0;
  for (int k = 0; k < rec.count && k < 2; ++k) value = value * 256 + rec.Byte(k);
  return value;
}

// The system's words for an error number, as the user sees them after the file's name.
std::string System_Reason(int error) {
  return error != 0 ? std::strerror(error) : "read error";
}

std::string First_Words_Entry(const std::string& file_name, const WorkingState& st) {
  return file_name + "\r\n" + Word_Listing(st.ProgramImage) + " ...\r\n";
}

std::string Counts_Entry(const WorkingState& st) {
  std::string text = std::to_string(st.LastProgramAddress + 1) + " lines of program";
  if (st.EepromCount != 0) {
    text += " and " + std::to_string(st.EepromCount) + " Bytes in EEPROM Data";
  }
  return text + "\r\n";
}

}  // namespace

std::string Load_Failure_Text(const LoadFailure& failure, std::string_view file_name) {
  std::string text(kReadError);
  if (failure.line > 0) {
    text += " : " + failure.reason + " at line " + std::to_string(failure.line);
  } else if (!failure.reason.empty()) {
    text += " : " + platform::File_Failure(file_name, failure.reason);
  }
  return text;
}

LoadFailure Load_Hex_Records(std::istream& in, LoadedImage& image, Panel& panel) {
  LineReader reader(in);
  std::string line;
  int non_records = 0;
  // Extended addresses in force: a non-zero one puts every data record outside these chips.
  int segment = 0;
  int linear = 0;

  auto fail = [&](std::string_view reason) {
    return LoadFailure{true, reader.Line_Number(), std::string(reason)};
  };

  while (reader.Next(line)) {
    if (reader.Overlong()) return fail(kLineTooLong);
    // A byte-order mark some editors put in front of a text file is not part of the first line.
    if (reader.Line_Number() == 1 && line.rfind(kUtf8ByteOrderMark, 0) == 0) {
      line.erase(0, kUtf8ByteOrderMark.size());
    }
    if (line.empty() || line.front() != ':') {
      panel.Message_Box(kNotARecord);
      if (++non_records >= kMaxNonRecordLines) return fail(kTooManyNonRecords);
      continue;
    }
    LoaderRecord rec;
    if (const std::string_view reason = Decode_Record(line, rec); !reason.empty()) {
      return fail(reason);
    }
    if (rec.type == kSegmentAddressRecord) segment = Extended_Value(rec);
    if (rec.type == kLinearAddressRecord) linear = Extended_Value(rec);
    // Other record types, the end-of-file record included, carry nothing for the image.
    if (rec.type != kDataRecord) continue;

    if (segment != 0 || linear != 0) return fail(kAddressOutOfRange);
    if (const std::string_view reason = Place_Data_Record(rec, image); !reason.empty()) {
      return fail(reason);
    }
  }
  if (reader.Failed()) return LoadFailure{true, 0, System_Reason(errno)};
  return {};
}

bool Read_File(WorkingState& st, Panel& panel) {
  const std::string file_name = panel.FileName();
  LoadFailure failure;
  int stopped = 0;
  // The second configuration word is loaded only for a chip that has one.
  const ChipEntry* chip = Config_Chip_Of(st, st.DeviceId, panel.Device());
  try {
    auto image = std::make_unique<LoadedImage>();
    Start_Clean_Image(*image, st.ConfigWord,
                      Config_Word2_Mask(chip) != 0 ? std::optional(st.ConfigWord2) : std::nullopt);
    // A directory opens as an empty stream on some systems; it is no file to load.
    std::error_code ec;
    std::string reason;
    std::unique_ptr<platform::InputFile> input;
    if (std::filesystem::is_directory(platform::File_Path(file_name), ec)) {
      reason = System_Reason(EISDIR);
    } else {
      // A pipe, a FIFO or a terminal may keep the load waiting: a request to stop ends it.
      input = platform::InputFile::Open(
          file_name, [&panel] { return panel.Stop_Pending() != 0; }, &reason);
    }
    if (!input) {
      failure = LoadFailure{true, 0, reason};
    } else {
      std::istream in(input.get());
      failure = Load_Hex_Records(in, *image, panel);
      if (input->stopped()) stopped = panel.Stop_Pending();
      if (!input->failure().empty()) failure = LoadFailure{true, 0, input->failure()};
    }
    if (!failure.failed && stopped == 0) Commit_Image(*image, st);
  } catch (const std::exception& e) {
    failure = LoadFailure{true, 0, e.what()};
  }
  // Stopped half-way: nothing loaded, nothing to report; the program is leaving.
  if (stopped != 0) throw Interrupted{stopped};
  if (failure.failed) {
    panel.Message_Box(Load_Failure_Text(failure, file_name));
    return false;
  }

  panel.Append_Text(First_Words_Entry(file_name, st));
  panel.Append_Text(Counts_Entry(st));
  st.ConfigWord = ConfigNormalise(st.ConfigWord, panel.Device(), &Chips_In_Use(st));
  panel.Set_Status("Fuses",
                   "Fuses : 0x" + Hex(st.ConfigWord) + Config_Word2_Suffix(chip, st.ConfigWord2));
  panel.Show_Fuses();
  return true;
}

}  // namespace corvane
