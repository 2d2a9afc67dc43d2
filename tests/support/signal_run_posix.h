// Runs one of the programs as a child process with its port-access trace on a FIFO, reads the
// trace as it comes, and sends a real signal once a given number of lines has been read: the
// moment is set by the program's own progress, not by a clock. The pipe's limited room keeps the
// child close behind what was read, so the signal lands in the middle of what it was doing.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace corvane::testing {

struct SignalRun {
  bool exited = false;  // ended by exit (not killed)
  int status = -1;      // its exit status
  long lines_before_signal = 0;
  std::vector<std::string> trace;
};

// argv[0] is the program's path; "TRACE" in argv is replaced by the FIFO's path. stdout and
// stderr go to the files named. Gives up (and kills the child) when nothing comes for 60 s.
inline SignalRun Run_And_Signal(std::vector<std::string> argv, const std::string& dir,
                                long after_lines, int signal_number,
                                const std::vector<std::pair<std::string, std::string>>& env = {}) {
  SignalRun run;
  const std::string fifo = dir + "/trace.fifo";
  std::filesystem::remove(fifo);
  if (::mkfifo(fifo.c_str(), 0600) != 0) return run;
  for (std::string& a : argv) {
    if (a == "TRACE") a = fifo;
  }
  const std::string out = dir + "/stdout", err = dir + "/stderr";
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(o, 1);
    ::dup2(e, 2);
    for (const auto& [name, value] : env) ::setenv(name.c_str(), value.c_str(), 1);
    std::vector<char*> args;
    for (std::string& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    ::signal(SIGINT, SIG_DFL);
    ::signal(SIGTERM, SIG_DFL);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  const int fd = ::open(fifo.c_str(), O_RDONLY);  // until the child opens its trace
  std::string pending;
  bool signalled = false;
  char buffer[4096];
  while (fd >= 0) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 60'000) <= 0) {
      ::kill(pid, SIGKILL);
      break;
    }
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    pending.append(buffer, static_cast<std::size_t>(n));
    for (std::size_t nl; (nl = pending.find('\n')) != std::string::npos;) {
      run.trace.push_back(pending.substr(0, nl));
      pending.erase(0, nl + 1);
    }
    if (!signalled && static_cast<long>(run.trace.size()) >= after_lines) {
      run.lines_before_signal = static_cast<long>(run.trace.size());
      ::kill(pid, signal_number);
      signalled = true;
    }
  }
  if (fd >= 0) ::close(fd);
  int wstatus = 0;
  ::waitpid(pid, &wstatus, 0);
  run.exited = WIFEXITED(wstatus);
  run.status = run.exited ? WEXITSTATUS(wstatus) : -1;
  return run;
}

}  // namespace corvane::testing
