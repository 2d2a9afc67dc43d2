// The files the console program writes and reads: safe replacement, "save -", the system's
// reasons in every file error, trace files that fail or would destroy an input.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "cli_support.h"
#include "support/command_run.h"

namespace corvane::testing {
namespace {

namespace fs = std::filesystem;

const std::string kDemo84 = std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex";

TEST(CliFilesTest, SaveToStdoutKeepsTheLogOnStderr) {
  CliDir dir("save_stdout");
  Write_File_Text(dir / "state.hex", Read_File_Text(kDemo84));
  const std::string board = "sim:state=" + (dir / "state.hex");
  CliRun r = Run_Cli_Args({"--board", board, "save", dir / "file.hex"});
  ASSERT_EQ(r.status, 0) << r.err;
  r = Run_Cli_Args({"--board", board, "save", "-"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, Read_File_Text(dir / "file.hex"));  // the HEX text alone
  EXPECT_NE(r.err.find("Save of Device Content\n\n1024 words of program"), std::string::npos);
  EXPECT_NE(r.err.find("Saved to standard output\n"), std::string::npos);
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"file.hex", "state.hex"}));
}

TEST(CliFilesTest, SaveWritesThroughALinkAndKeepsPermissions) {
  CliDir dir("save_link");
  fs::create_directories(dir / "backups");
  Write_File_Text(dir / "backups/chip.hex", "old\n");
  ASSERT_EQ(chmod((dir / "backups/chip.hex").c_str(), 0600), 0);
  fs::create_symlink("backups/chip.hex", dir / "latest.hex");
  const CliRun r = Run_Cli_Args({"--board", "sim", "save", dir / "latest.hex"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Saved to " + (dir / "latest.hex") + "\n"), std::string::npos);
  EXPECT_TRUE(fs::is_symlink(dir / "latest.hex"));
  EXPECT_EQ(Read_File_Text(dir / "backups/chip.hex").rfind(":10000000FF3F", 0), 0u);
  EXPECT_EQ(fs::status(dir / "backups/chip.hex").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"backups", "latest.hex"}));
}

TEST(CliFilesTest, FileErrorsNameTheUsersPathAndTheSystemsReason) {
  CliDir dir("file_errors");
  ASSERT_EQ(mkfifo((dir / "pipe.hex").c_str(), 0600), 0);
  CliRun r = Run_Cli_Args({"--board", "sim", "save", dir / "pipe.hex"});
  EXPECT_EQ(r.status, 1);
  // The message box, then the step's summary line.
  auto box_and_summary = [](const std::string& step, const std::string& text) {
    return "corvane-cli: " + text + "\ncorvane-cli: " + step + ": " + text + "\n";
  };
  EXPECT_EQ(r.err, box_and_summary("save", "Error while writing file : " + (dir / "pipe.hex") +
                                               ": not a regular file"));
  EXPECT_TRUE(fs::is_fifo(dir / "pipe.hex"));

  r = Run_Cli_Args({"--board", "sim", "save", dir / "missing/out.hex"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            box_and_summary("save", "Error while writing file : " + (dir / "missing/out.hex") +
                                        ": No such file or directory"));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"pipe.hex"});

  if (fs::exists("/dev/zero")) {
    r = Run_Cli_Args({"--board", "sim", "load", "/dev/zero"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, box_and_summary("load", "Error while reading file : line too long at line 1"));
  }
}

TEST(CliFilesTest, AStateFileThatCannotBeWrittenFailsTheRunAndLeavesNoTemporaryFile) {
  CliDir dir("state_full");
  struct rlimit old_limit {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = old_limit;
  limit.rlim_cur = 4096;  // the 16F877's contents do not fit: as a full disk
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  const CliRun r =
      Run_Cli_Args({"--board", "sim:chip=16f877,state=" + (dir / "s.hex"), "device-id"});
  setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "corvane-cli: state file " + (dir / "s.hex") + ": File too large\n");
  EXPECT_TRUE(dir.Names().empty());
}

TEST(CliFilesTest, ATraceThatCannotBeWrittenFailsTheRun) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  CliDir dir("trace_full");
  const CliRun r = Run_Cli_Args(
      {"--board", "sim:state=" + (dir / "s.hex"), "--trace", "/dev/full", "device-id", "erase"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "corvane-cli: trace /dev/full: No space left on device\n");
  // The start-up already lost the trace: no step ran, and the chip was still written back.
  EXPECT_EQ(r.out.find("Device"), std::string::npos);
  EXPECT_TRUE(fs::exists(dir / "s.hex"));
}

// The log is the run's record: a standard output that cannot take it fails the run, as a trace
// that cannot be written does (a reader that went away is SIGPIPE's, exit 141).
TEST(CliFilesTest, ALogThatCannotBeWrittenFailsTheRun) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  const CommandRun r = Run_Command(std::string(CORVANE_CLI_BINARY) + " --board sim load " +
                                   kDemo84 + " device-id program 2>&1 > /dev/full");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "corvane-cli: standard output: No space left on device\n");
}

TEST(CliFilesTest, ATraceOverAFileTheRunUsesIsAUsageError) {
  CliDir dir("trace_clash");
  Write_File_Text(dir / "prog.hex", Read_File_Text(kDemo84));
  fs::create_hard_link(dir / "prog.hex", dir / "same.hex");
  Write_File_Text(dir / "state.hex", ":00000001FF\n");
  fs::create_symlink(dir / "state.hex", dir / "state-link");
  const std::vector<std::vector<std::string>> clashes = {
      {"--board", "sim", "--trace", dir / "prog.hex", "load", dir / "prog.hex", "program"},
      {"--board", "sim", "--trace", dir / "same.hex", "load", dir / "prog.hex"},
      {"--board", "sim", "--trace", dir / "out.hex", "save", dir / "out.hex"},
      {"--board", "sim:state=" + (dir / "state.hex"), "--trace", dir / "state-link", "device-id"},
  };
  const std::string try_help = "\nTry 'corvane-cli --help'.\n";
  for (const auto& args : clashes) {
    const CliRun r = Run_Cli_Args(args);
    EXPECT_EQ(r.status, 2) << args[3];
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("corvane-cli: --trace " + args[3] + ": the same file as ", 0), 0u)
        << r.err;
    EXPECT_TRUE(r.err.ends_with(try_help)) << r.err;
  }
  EXPECT_EQ(Read_File_Text(dir / "prog.hex"), Read_File_Text(kDemo84));
  EXPECT_EQ(Read_File_Text(dir / "state.hex"), ":00000001FF\n");
  EXPECT_FALSE(fs::exists(dir / "out.hex"));

  // A state file whose folder cannot be looked into is no erased chip.
  const CliRun r = Run_Cli_Args({"--board", "sim:state=" + (dir / "prog.hex/s.hex"), "device-id"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err,
            "corvane-cli: state file " + (dir / "prog.hex/s.hex") + ": Not a directory" + try_help);

  // "-" is no file: the trace would land in a file of that name.
  const CliRun dash = Run_Cli_Args({"--board", "sim", "--trace", "-", "device-id"});
  EXPECT_EQ(dash.status, 2);
  EXPECT_EQ(dash.err.rfind("corvane-cli: --trace -: the trace needs a file name", 0), 0u)
      << dash.err;
  EXPECT_FALSE(fs::exists("-"));
}

TEST(CliFilesTest, ATraceIntoTheStandardOutputOfSaveToStdoutIsAUsageError) {
  CliDir dir("trace_stdout");
  const std::string redirected = dir / "backup.hex";
  // The standard output goes to a file, as "corvane-cli save - > backup.hex" leaves it.
  std::fflush(stdout);
  const int saved_stdout = ::dup(STDOUT_FILENO);
  ASSERT_GE(saved_stdout, 0);
  const int file = ::open(redirected.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(file, 0);
  ASSERT_EQ(::dup2(file, STDOUT_FILENO), STDOUT_FILENO);
  ::close(file);
  std::vector<CliRun> runs;
  for (const std::string& trace : {redirected, std::string("/dev/stdout")}) {
    runs.push_back(Run_Cli_Args({"--board", "sim", "--trace", trace, "save", "-"}));
  }
  // A trace beside it, or a save to a file, is no clash.
  runs.push_back(Run_Cli_Args({"--board", "sim", "--trace", "/dev/stdout", "device-id"}));
  runs.push_back(Run_Cli_Args({"--board", "sim", "--trace", dir / "t.txt", "save", "-"}));
  std::fflush(stdout);
  ::dup2(saved_stdout, STDOUT_FILENO);
  ::close(saved_stdout);

  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(runs[i].status, 2) << i;
    EXPECT_EQ(runs[i].out, "") << i;
    EXPECT_NE(runs[i].err.find(": the standard output, where save - writes\n"), std::string::npos)
        << runs[i].err;
  }
  EXPECT_EQ(runs[2].status, 0) << runs[2].err;
  EXPECT_EQ(runs[3].status, 0) << runs[3].err;
  EXPECT_EQ(runs[3].out.rfind(":10000000", 0), 0u) << "the HEX file alone";
  // What reached the redirected file is the trace of the run that wrote none of the HEX.
  const std::string trace = Read_File_Text(redirected);
  EXPECT_EQ(trace.find(':'), std::string::npos);
  EXPECT_NE(trace.find(" W 378 "), std::string::npos);
}

}  // namespace
}  // namespace corvane::testing
