// What the port layer says about the machine's ports goes to the program's diagnostics stream as
// before, and is also kept for the window's log (state/port_diagnosis.h).
#pragma once

#include <ostream>
#include <streambuf>
#include <string>

#include "state/port_diagnosis.h"

namespace corvane {

class PortDiagnosisTee final : public PortDiagnosis, private std::streambuf {
 public:
  explicit PortDiagnosisTee(std::ostream& diagnostics) : diagnostics_(diagnostics), stream_(this) {}
  // The stream to give the port layer.
  std::ostream& stream() { return stream_; }
  std::string Port_Problems() const override { return kept_; }

 private:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    kept_ += traits_type::to_char_type(c);
    diagnostics_.put(traits_type::to_char_type(c));
    return c;
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    kept_.append(s, static_cast<std::size_t>(n));
    diagnostics_.write(s, n);
    return n;
  }
  int sync() override {
    diagnostics_.flush();
    return 0;
  }

  std::ostream& diagnostics_;
  std::ostream stream_;
  std::string kept_;
};

}  // namespace corvane
