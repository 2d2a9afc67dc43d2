// Windows, as a Windows user meets it: names in the ANSI code page beyond Latin-1, a save over a
// file named without a folder, and files that another program holds open.
#include <windows.h>

#include "cli_support.h"

namespace corvane::testing {
namespace {

namespace fs = std::filesystem;

const std::string kDemo84 = std::string(CORVANE_TEST_DATA) + "/pic16f84a_demo_inhx8m.hex";

std::vector<std::wstring> Wide_Names(const fs::path& dir) {
  std::vector<std::wstring> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().wstring());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(CliFilesWindowsTest, NamesInTheAnsiCodePageAreKeptWhole) {
  if (GetACP() != 1252) GTEST_SKIP() << "the names below are those of code page 1252";
  CliDir dir("ansi_names");
  const fs::path folder = fs::path(dir / "x").parent_path();
  // € œ and “ ” in code page 1252: none of them is a Latin-1 character. The names are put
  // together as bytes, as they come on a command line (a path would convert them itself).
  const std::string saved = folder.string() + "\\o\x80\x9c.hex";
  const std::string state = folder.string() + "\\s\x93\x94.hex";
  const std::string board = "sim:state=" + state;
  CliRun r = Run_Cli_Args({"--board", board, "load", kDemo84, "program", "save", saved});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Wide_Names(folder),
            (std::vector<std::wstring>{L"o\u20ac\u0153.hex", L"s\u201c\u201d.hex"}));
  // The chip kept between runs, and the saved file loads back.
  r = Run_Cli_Args({"--board", board, "load", saved, "verify"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Verify detected : 0 errors"), std::string::npos) << r.out;
}

TEST(CliFilesWindowsTest, ASaveOverAFileNamedWithoutAFolderReplacesIt) {
  CliDir dir("bare_name");
  const fs::path before = fs::current_path();
  fs::current_path(fs::path(dir / "x").parent_path());
  Write_File_Text("o1.hex", "old");
  const CliRun r = Run_Cli_Args({"--board", "sim", "save", "o1.hex"});
  const std::string text = Read_File_Text("o1.hex");
  fs::current_path(before);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(text.rfind(":10000000", 0), 0u) << text.substr(0, 20);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"o1.hex"});
}

TEST(CliFilesWindowsTest, AFileAnotherProgramHoldsIsAFileErrorInTheSameWords) {
  CliDir dir("held");
  const std::string file = dir / "held.hex";
  Write_File_Text(file, Read_File_Text(kDemo84));
  HANDLE held = CreateFileW(fs::path(file).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const std::string words = file + " is in use by another program";
  const std::vector<std::vector<std::string>> runs = {
      {"--board", "sim:state=" + file, "device-id"},
      {"--board", "sim", "load", file},
      {"--board", "sim", "save", file},
  };
  for (const auto& args : runs) {
    const CliRun r = Run_Cli_Args(args);
    EXPECT_EQ(r.status, 1) << args[1] << " " << args[2];
    EXPECT_NE(r.err.find(words), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Try "), std::string::npos) << r.err;
  }
  CloseHandle(held);
  EXPECT_EQ(Read_File_Text(file), Read_File_Text(kDemo84));
}

}  // namespace
}  // namespace corvane::testing
