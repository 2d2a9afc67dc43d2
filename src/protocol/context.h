// What a command works with: the shared state, the programmer's lines and the window's services.
#pragma once

#include "hardware/lines.h"
#include "state/panel.h"
#include "state/working_state.h"

namespace corvane {

struct Context {
  WorkingState& st;
  Lines& lines;
  Panel& panel;
};

}  // namespace corvane
