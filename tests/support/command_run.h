// Runs a shell command and keeps its standard output and exit status (POSIX: popen).
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace corvane {

struct CommandRun {
  int status = -1;  // the exit status; -1 when the command could not start or was killed
  std::string out;
};

inline CommandRun Run_Command(const std::string& command) {
  CommandRun r;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return r;
  std::array<char, 4096> buffer{};
  std::size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) r.out.append(buffer.data(), n);
  const int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

}  // namespace corvane
