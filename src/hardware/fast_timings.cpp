#include "hardware/fast_timings.h"

namespace corvane {

FastChip Fast_Chip_For(std::int32_t device_id) {
  switch (device_id & 0x3FE0) {
    case 0x0560:
      return kFast16F84A;
    case 0x0D00:  // 16F870
    case 0x0D20:  // 16F871
    case 0x08E0:  // 16F872
    case 0x0920:  // 16F874
    case 0x0960:  // 16F873
    case 0x09A0:  // 16F877
    case 0x09E0:  // 16F876
      return kFast16F87x;
    default:
      return kFast16F84;
  }
}

}  // namespace corvane
