#include "ui/qt/window_gone.h"

#include <QByteArray>
#include <cstdint>
#include <cstring>

namespace corvane::qt {

namespace {
// The X11 protocol's DestroyNotify event: its code in the first byte (the top bit marks events
// sent by another client), the destroyed window's id in the 32-bit field at byte 8.
constexpr std::uint8_t kDestroyNotify = 17;
constexpr std::size_t kWindowOffset = 8;
}  // namespace

bool Is_X11_Destroy_Of(const void* event, quintptr window) {
  const auto* bytes = static_cast<const unsigned char*>(event);
  if ((bytes[0] & 0x7F) != kDestroyNotify) return false;
  std::uint32_t destroyed = 0;
  std::memcpy(&destroyed, bytes + kWindowOffset, sizeof destroyed);
  return destroyed == window;
}

bool WindowGoneFilter::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
  // Other platforms pass other types: nothing to do there.
  if (type == "xcb_generic_event_t" && gone_ && Is_X11_Destroy_Of(message, window_)) {
    auto gone = std::move(gone_);
    gone_ = nullptr;
    gone();
  }
  return false;
}

}  // namespace corvane::qt
