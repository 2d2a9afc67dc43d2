// Windows: a read-only file is not replaced behind the user's back, and the saved file keeps
// nothing of the temporary one's name.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/file_replace.h"

namespace corvane::platform {
namespace {

namespace fs = std::filesystem;

TEST(FileReplaceWindowsTest, AReadOnlyFileIsRefusedAndKept) {
  const fs::path dir = fs::temp_directory_path() / "corvane-replace-readonly";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const fs::path file = dir / "locked.hex";
  std::ofstream(file, std::ios::binary) << "kept";
  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  std::string reason;
  EXPECT_FALSE(Replace_File_Contents(file.string(), "lost", &reason));
  EXPECT_EQ(reason, "Permission denied");
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "kept");
  in.close();
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace corvane::platform
