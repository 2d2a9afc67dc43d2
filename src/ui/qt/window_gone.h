// Notices the main window's native window being destroyed from outside (another X client
// destroying it, with no close request first), so that the program can leave as on a close
// instead of running on without a window.
#pragma once

#include <QAbstractNativeEventFilter>
#include <functional>

namespace corvane::qt {

class WindowGoneFilter final : public QAbstractNativeEventFilter {
 public:
  // window: the native window's id (QWidget::winId); gone: called once it is destroyed.
  WindowGoneFilter(quintptr window, std::function<void()> gone)
      : window_(window), gone_(std::move(gone)) {}
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

 private:
  quintptr window_;
  std::function<void()> gone_;
};

// Whether an X11 event (as the xcb platform passes it) says that `window` was destroyed.
bool Is_X11_Destroy_Of(const void* event, quintptr window);

}  // namespace corvane::qt
