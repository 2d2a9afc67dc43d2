// The window program's side of a request to stop (Ctrl+C, SIGTERM, SIGHUP; platform/interrupt.h).
// While the window waits for the user, nothing touches the port, so a timer looks for the request
// and ends the event loop with 128 + its signal number. During a command the request cuts the
// command short at its next port access or wait; the loops (the main one and any message box's)
// end as soon as it has unwound. Run_App then leaves the lines safe (Rig::Finish).
#pragma once

#include <QObject>
#include <QTimer>

namespace corvane::app {

// Starts the timer, owned by `parent`, checking every period_ms.
QTimer* Start_Stop_Watch(QObject* parent, int period_ms = 50);

}  // namespace corvane::app
