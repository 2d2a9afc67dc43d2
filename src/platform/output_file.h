// A file written from start to end as a run goes (the port-access trace): created or emptied at
// the start, whatever it is. A FIFO is opened without waiting for its reader past a request to
// stop (looked for every 10 ms), and every write is checked, with the system's own words for a
// failure on every system ("No space left on device").
// Implementations: output_file_posix.cpp, output_file_windows.cpp.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace corvane::platform {

class OutputFile {
 public:
  using StopCheck = std::function<bool()>;

  // Null with the system's reason when the file cannot be created; with *stopped set and no
  // reason when a request to stop came while waiting for a FIFO's reader.
  static std::unique_ptr<OutputFile> Create(const std::string& name, const StopCheck& stop,
                                            bool* stopped, std::string* reason);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Writes all of `data`. False with the system's reason.
  bool Write(std::string_view data, std::string* reason);

 private:
  explicit OutputFile(std::intptr_t handle) : handle_(handle) {}
  std::intptr_t handle_;  // a descriptor or a HANDLE
};

}  // namespace corvane::platform
