// Feeds arbitrary text to the HEX loader's record reading and checks what a completed load may
// leave in the image: counts within the arrays, words placed only where the counts say.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "image/hex_loader.h"
#include "image/memory_image.h"

namespace {

// The window's services, doing nothing: the loader reports "erreur de fichier" through them.
class QuietPanel final : public corvane::Panel {
 public:
  void Append_Text(std::string_view) override {}
  void Set_Status(std::string_view, std::string_view) override {}
  void Message_Box(std::string_view) override {}
  void Sablier_On() override {}
  void Sablier_Off() override {}
  int Check_Vdd() const override { return corvane::kChecked; }
  int Check_auto() const override { return corvane::kChecked; }
  std::string Device() const override { return "PIC16f84"; }
  void Set_Device(std::string_view) override {}
  std::string FileName() const override { return {}; }
  void Show_Fuses() override {}
};

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  auto image = std::make_unique<LoadedImage>();
  Start_Clean_Image(*image, 0x3FFF);
  QuietPanel panel;
  const LoadFailure failure = Load_Hex_Records(in, *image, panel);
  if (failure.failed) {
    Require(!failure.reason.empty() || failure.line == 0);
    return 0;
  }
  Require(image->LastProgramAddress >= -1 && image->LastProgramAddress <= kProgramLast);
  Require(image->EepromCount >= 0 && image->EepromCount <= kEepromLast + 1);
  // Nothing beyond the program's end was written: those words are still blank.
  for (int a = image->LastProgramAddress + 1; a <= kProgramLast; ++a) {
    Require(image->ProgramImage[a] == kBlankWord);
  }
  for (std::int32_t id : image->UserIdImage) Require(id == kNoUserId || (id >= 0 && id <= 0xFFFF));
  return 0;
}
