#include "platform/os_version.h"

namespace corvane::platform {

OsVersionRecord Query_Os_Version() {
  return OsVersionRecord{};
}

}  // namespace corvane::platform
