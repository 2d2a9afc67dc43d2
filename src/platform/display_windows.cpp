#include "platform/display.h"

namespace corvane::platform {

std::string Display_Name() {
  return "desktop";
}

}  // namespace corvane::platform
