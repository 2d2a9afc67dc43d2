#include "app/stop_watch.h"

#include <QCoreApplication>

#include "app/app.h"
#include "platform/interrupt.h"

namespace corvane::app {

QTimer* Start_Stop_Watch(QObject* parent, int period_ms) {
  auto* timer = new QTimer(parent);
  QObject::connect(timer, &QTimer::timeout, timer, [timer] {
    if (const int s = platform::Interrupt_Signal()) {
      timer->stop();
      QCoreApplication::exit(kAppSignalBase + s);
    }
  });
  timer->start(period_ms);
  return timer;
}

}  // namespace corvane::app
