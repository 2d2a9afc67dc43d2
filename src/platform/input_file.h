// A file read by a load, whatever it is: a regular file, a pipe, a FIFO, a terminal. Nothing in
// the reading may hold up a request to stop: the file is opened without waiting for a FIFO's
// writer, and while no data comes the request is looked for at least every 10 ms.
// Implementations: input_file_posix.cpp, input_file_windows.cpp.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <streambuf>
#include <string>

namespace corvane::platform {

class InputFile : public std::streambuf {
 public:
  // True when the reading is to stop: it then ends as at the end of the file, with stopped() set.
  using StopCheck = std::function<bool()>;

  // Null with the system's reason (kInUse for a file another program holds) when the file cannot
  // be opened.
  static std::unique_ptr<InputFile> Open(const std::string& name, StopCheck stop,
                                         std::string* reason);
  ~InputFile() override;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // The reading was ended by a request to stop.
  bool stopped() const { return stopped_; }
  // Why a read failed (the system's words); empty when none did.
  const std::string& failure() const { return failure_; }

 protected:
  int_type underflow() override;

 private:
  InputFile(std::intptr_t handle, StopCheck stop) : handle_(handle), stop_(std::move(stop)) {}
  // Fills the buffer; 0 at the end of the file (or on a stop or failure, which it records).
  long Fill();

  std::intptr_t handle_;  // a descriptor or a HANDLE
  StopCheck stop_;
  bool stopped_ = false;
  std::string failure_;
  char buffer_[65536];
};

}  // namespace corvane::platform
