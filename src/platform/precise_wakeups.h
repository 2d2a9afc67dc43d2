// Sleeps that end close to their deadline. Linux lets a sleep of an ordinary thread end up to
// 50 us late by default so that wake-ups can be batched; the programmer sleeps through most of
// each wait and spins only the last stretch, so the later the wake-up, the longer that spin.
#pragma once

namespace corvane::platform {

// Asks the system to end this thread's sleeps as close to their deadline as it can. False when
// the system offers no such request (the waits still work: they spin a longer stretch).
bool Request_Precise_Wakeups();

}  // namespace corvane::platform
