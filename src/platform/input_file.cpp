#include "platform/input_file.h"

namespace corvane::platform {

InputFile::int_type InputFile::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (stopped_ || !failure_.empty()) return traits_type::eof();
  // Asked before every fill too: an endless stream (a pipe that never ends) always has data.
  if (stop_ && stop_()) {
    stopped_ = true;
    return traits_type::eof();
  }
  const long n = Fill();
  if (n <= 0) return traits_type::eof();
  setg(buffer_, buffer_, buffer_ + n);
  return traits_type::to_int_type(*gptr());
}

}  // namespace corvane::platform
