// Replacing a file's contents: links followed, other kinds of file refused, permissions kept, the
// temporary file never left behind, and the system's reason on failure.
#include "platform/file_replace.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace corvane::platform {
namespace {

namespace fs = std::filesystem;

class FileReplaceTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir_.Path(name); }
  static std::string Read(const std::string& path) { return TempDir::Read(path); }
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static unsigned Mode(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
  }
  std::vector<std::string> Names() const { return dir_.Names(); }

  TempDir dir_;
};

TEST_F(FileReplaceTest, NewFilesTakeTheUmask) {
  std::string reason;
  const mode_t old_mask = umask(022);
  EXPECT_TRUE(Replace_File_Contents(Path("a.hex"), "one\n", &reason)) << reason;
  umask(077);
  EXPECT_TRUE(Replace_File_Contents(Path("b.hex"), "two\n", &reason)) << reason;
  umask(old_mask);
  EXPECT_EQ(Read(Path("a.hex")), "one\n");
  EXPECT_EQ(Mode(Path("a.hex")), 0644u);
  EXPECT_EQ(Mode(Path("b.hex")), 0600u);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.hex", "b.hex"}));
}

TEST_F(FileReplaceTest, AnExistingFileKeepsItsPermissions) {
  Write(Path("private.hex"), "old contents that are longer\n");
  ASSERT_EQ(chmod(Path("private.hex").c_str(), 0600), 0);
  std::string reason;
  const mode_t old_mask = umask(0);
  EXPECT_TRUE(Replace_File_Contents(Path("private.hex"), "new\n", &reason)) << reason;
  umask(old_mask);
  EXPECT_EQ(Read(Path("private.hex")), "new\n");
  EXPECT_EQ(Mode(Path("private.hex")), 0600u);
  EXPECT_EQ(Names(), std::vector<std::string>{"private.hex"});
}

TEST_F(FileReplaceTest, ASymbolicLinkIsFollowedToItsFile) {
  fs::create_directories(dir_.Root() / "real");
  Write(Path("real/chip.hex"), "old\n");
  fs::create_symlink("real/chip.hex", dir_.Root() / "link.hex");  // relative to the link's folder
  std::string reason;
  EXPECT_TRUE(Replace_File_Contents(Path("link.hex"), "new\n", &reason)) << reason;
  EXPECT_TRUE(fs::is_symlink(dir_.Root() / "link.hex"));
  EXPECT_EQ(Read(Path("real/chip.hex")), "new\n");

  // A chain of links, and one that names a file still to be made.
  fs::create_symlink(dir_.Root() / "link.hex", dir_.Root() / "chain.hex");
  EXPECT_TRUE(Replace_File_Contents(Path("chain.hex"), "chained\n", &reason)) << reason;
  EXPECT_EQ(Read(Path("real/chip.hex")), "chained\n");
  fs::create_symlink("real/later.hex", dir_.Root() / "dangling.hex");
  EXPECT_TRUE(Replace_File_Contents(Path("dangling.hex"), "made\n", &reason)) << reason;
  EXPECT_EQ(Read(Path("real/later.hex")), "made\n");
  EXPECT_TRUE(fs::is_symlink(dir_.Root() / "dangling.hex"));

  // A loop of links is the system's error.
  fs::create_symlink(dir_.Root() / "loop2", dir_.Root() / "loop1");
  fs::create_symlink(dir_.Root() / "loop1", dir_.Root() / "loop2");
  EXPECT_FALSE(Replace_File_Contents(Path("loop1"), "x", &reason));
  EXPECT_EQ(reason, std::strerror(ELOOP));
}

TEST_F(FileReplaceTest, WhatIsNotARegularFileIsRefusedAndLeftAlone) {
  ASSERT_EQ(mkfifo(Path("pipe").c_str(), 0600), 0);
  fs::create_directories(dir_.Root() / "folder");
  fs::create_symlink(dir_.Root() / "pipe", dir_.Root() / "link-to-pipe");
  std::string reason;
  for (const std::string name : {"pipe", "folder", "link-to-pipe"}) {
    reason.clear();
    EXPECT_FALSE(Replace_File_Contents(Path(name), "x", &reason)) << name;
    EXPECT_EQ(reason, "not a regular file") << name;
  }
  EXPECT_TRUE(fs::is_fifo(dir_.Root() / "pipe"));
  EXPECT_TRUE(fs::is_directory(dir_.Root() / "folder"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"folder", "link-to-pipe", "pipe"}));
  if (fs::exists("/dev/null")) {
    EXPECT_FALSE(Replace_File_Contents("/dev/null", "x", &reason));
    EXPECT_EQ(reason, "not a regular file");
  }
}

TEST_F(FileReplaceTest, FailuresGiveTheSystemsReasonAndNoFileName) {
  std::string reason;
  EXPECT_FALSE(Replace_File_Contents(Path("missing/out.hex"), "x", &reason));
  EXPECT_EQ(reason, "No such file or directory");
  Write(Path("plain"), "x");
  EXPECT_FALSE(Replace_File_Contents(Path("plain/out.hex"), "x", &reason));
  EXPECT_EQ(reason, "Not a directory");
  EXPECT_EQ(Names(), std::vector<std::string>{"plain"});
}

TEST_F(FileReplaceTest, AWriteThatFailsHalfWayKeepsTheOldFileAndRemovesTheTemporaryOne) {
  Write(Path("keep.hex"), "the old contents\n");
  // A file size limit makes the write fail after 1 KiB, as a full disk would.
  struct rlimit old_limit {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = old_limit;
  limit.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  std::string reason;
  const bool written = Replace_File_Contents(Path("keep.hex"), std::string(4096, 'x'), &reason);
  setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(written);
  EXPECT_EQ(reason, std::strerror(EFBIG));
  EXPECT_EQ(Read(Path("keep.hex")), "the old contents\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"keep.hex"});
}

}  // namespace
}  // namespace corvane::platform
