#include "trial_run.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

namespace corvane::trials {

namespace {

using Clock = std::chrono::steady_clock;

double Ms_Since(Clock::time_point t) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

[[noreturn]] void Exec(const TrialPlan& plan, int stdin_fd, int out_fd) {
  if (stdin_fd >= 0) ::dup2(stdin_fd, 0);
  if (out_fd >= 0) {
    ::dup2(out_fd, 1);
    ::dup2(out_fd, 2);
  }
  for (int s : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) ::signal(s, SIG_DFL);
  std::vector<char*> args;
  for (const std::string& a : plan.argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  ::execv(args[0], args.data());
  ::_exit(127);
}

// Drains what the child writes to the terminal, feeds an endless input, for `ms` milliseconds.
// The feed goes on where the last write stopped, so that every line stays whole.
void Serve(int master, int feed, long ms) {
  static std::size_t fed = 0;
  static const std::string kLines = [] {
    std::string s;
    for (int i = 0; i < 512; ++i) s += ":00000001FF\n";
    return s;
  }();
  const auto until = Clock::now() + std::chrono::milliseconds(ms);
  char buffer[4096];
  while (Clock::now() < until) {
    pollfd p[2] = {{master, POLLIN, 0}, {feed, POLLOUT, 0}};
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
    const int timeout = static_cast<int>(left.count() > 0 ? left.count() : 0);
    if (::poll(p, 2, timeout) <= 0) continue;
    if (master >= 0 && (p[0].revents & POLLIN) != 0) {
      if (::read(master, buffer, sizeof buffer) <= 0) master = -1;
    }
    if (feed >= 0 && (p[1].revents & POLLOUT) != 0) {
      const ssize_t n = ::write(feed, kLines.data() + fed, kLines.size() - fed);
      if (n < 0) feed = -1;
      if (n > 0) fed = (fed + static_cast<std::size_t>(n)) % kLines.size();
    }
  }
}

bool Wait_For_File(const std::string& path, long ms) {
  const auto until = Clock::now() + std::chrono::milliseconds(ms);
  struct stat info {};
  while (::stat(path.c_str(), &info) != 0) {
    if (Clock::now() > until) return false;
    ::usleep(500);
  }
  return true;
}

}  // namespace

TrialResult Run_Trial(const TrialPlan& plan) {
  TrialResult result;
  ::signal(SIGPIPE, SIG_IGN);  // the endless feed's reader goes away at the end
  int master = -1;
  int feed[2] = {-1, -1};
  if (plan.input == Input::kEndless && ::pipe(feed) != 0) return result;
  pid_t pid;
  if (plan.pty) {
    pid = ::forkpty(&master, nullptr, nullptr, nullptr);
    if (pid == 0) Exec(plan, plan.input == Input::kEndless ? feed[0] : -1, -1);
  } else {
    pid = ::fork();
    if (pid == 0) {
      const int null_fd = ::open("/dev/null", O_RDWR);
      Exec(plan, plan.input == Input::kEndless ? feed[0] : null_fd, null_fd);
    }
  }
  if (pid < 0) return result;
  if (feed[0] >= 0) ::close(feed[0]);
  if (master >= 0) ::fcntl(master, F_SETFL, O_NONBLOCK);
  if (feed[1] >= 0) ::fcntl(feed[1], F_SETFL, O_NONBLOCK);

  // The trace is opened once the handlers are in place: the offsets count from there.
  result.started = Wait_For_File(plan.trace, 5000);
  Serve(master, feed[1], plan.first_ms);
  const auto first = Clock::now();
  if (plan.first_signal == 0) {
    ::close(master);  // the terminal goes away: the kernel hangs up the session
    master = -1;
  } else if (plan.first_signal < 0) {
    const char ctrl_c = 0x03;  // the terminal's line discipline sends SIGINT
    if (::write(master, &ctrl_c, 1) != 1) ::kill(pid, SIGINT);
  } else {
    ::kill(pid, plan.first_signal);
  }
  if (plan.second_signal != 0) {
    Serve(master, feed[1], plan.second_ms);
    ::kill(pid, plan.second_signal);
  }
  int wstatus = 0;
  // Keep the terminal and the feed served until the child has gone; give up after 20 s.
  while (::waitpid(pid, &wstatus, WNOHANG) == 0) {
    if (Ms_Since(first) > 20000) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &wstatus, 0);
      break;
    }
    Serve(master, feed[1], 1);
  }
  result.stop_ms = Ms_Since(first);
  if (master >= 0) ::close(master);
  if (feed[1] >= 0) ::close(feed[1]);
  result.exited = WIFEXITED(wstatus);
  result.status = result.exited ? WEXITSTATUS(wstatus) : WTERMSIG(wstatus);
  return result;
}

}  // namespace corvane::trials
