// Why the machine's parallel ports cannot be used, in the port layer's words (no port, module not
// loaded, permission), for the window's log when discovery finds no board.
#pragma once

#include <string>

namespace corvane {

class PortDiagnosis {
 public:
  virtual ~PortDiagnosis() = default;
  // What the port layer has said so far, one line per port that failed; empty when nothing failed.
  virtual std::string Port_Problems() const = 0;
};

}  // namespace corvane
