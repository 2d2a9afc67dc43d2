// Replacing a file's contents, as every system does it: a new file, an old one replaced whole,
// a folder or a missing folder refused with the reason, and no temporary file left behind.
#include "platform/file_replace.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace corvane::platform {
namespace {

namespace fs = std::filesystem;

class FileReplaceEverywhereTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir_.Path(name); }
  static std::string Read(const std::string& path) { return TempDir::Read(path); }
  std::vector<std::string> Names() const { return dir_.Names(); }

  TempDir dir_;
};

TEST_F(FileReplaceEverywhereTest, NewAndOldFilesTakeTheWholeContents) {
  std::string reason;
  ASSERT_TRUE(Replace_File_Contents(Path("out.hex"), ":00000001FF\r\n", &reason)) << reason;
  EXPECT_EQ(Read(Path("out.hex")), ":00000001FF\r\n");
  // A longer old file is replaced whole, not overwritten in place.
  std::ofstream(Path("old.hex"), std::ios::binary) << std::string(5000, 'x');
  ASSERT_TRUE(Replace_File_Contents(Path("old.hex"), "short\n", &reason)) << reason;
  EXPECT_EQ(Read(Path("old.hex")), "short\n");
  EXPECT_EQ(Names(), (std::vector<std::string>{"old.hex", "out.hex"}));
}

TEST_F(FileReplaceEverywhereTest, WhatCannotBeReplacedIsLeftAsItWasWithItsReason) {
  std::string reason;
  fs::create_directories(dir_.Root() / "folder.hex");
  EXPECT_FALSE(Replace_File_Contents(Path("folder.hex"), "x", &reason));
  EXPECT_EQ(reason, "not a regular file");

  EXPECT_FALSE(Replace_File_Contents(Path("missing/out.hex"), "x", &reason));
  EXPECT_EQ(reason, "No such file or directory");
  EXPECT_EQ(Names(), std::vector<std::string>{"folder.hex"});
}

}  // namespace
}  // namespace corvane::platform
