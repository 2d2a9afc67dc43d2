#include "platform/files.h"

namespace corvane::platform {

std::string File_Failure(std::string_view file, std::string_view reason) {
  std::string text(file);
  text += reason == kInUse ? " is " : ": ";
  text += reason;
  return text;
}

}  // namespace corvane::platform
