// Running the console program in-process on the simulated board, and the files around it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"

namespace corvane::testing {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

inline CliRun Run_Cli_Args(std::vector<std::string> args) {
  std::vector<std::string_view> views(args.begin(), args.end());
  std::ostringstream out, err;
  const int status = Run_Cli(views, out, err, false);
  return {status, out.str(), err.str()};
}

// A fresh folder of the test's own under the test's temporary directory.
class CliDir {
 public:
  explicit CliDir(const std::string& name)
      : path_(std::filesystem::path(::testing::TempDir()) / ("cli_" + name)) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  std::string operator/(const std::string& file) const { return (path_ / file).string(); }
  // The names in the folder, sorted: a temporary file left behind shows here.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_)) {
      names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline std::string Read_File_Text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void Write_File_Text(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace corvane::testing
