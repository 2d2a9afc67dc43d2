// A throw-away /proc/sys/dev/parport tree for the parallel-port tests.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace corvane::testing_support {

class ProcTree {
 public:
  ProcTree() {
    // Test programs may run side by side: a random part keeps their trees apart.
    static std::atomic<int> serial{0};
    static const unsigned run = std::random_device{}();
    root_ = std::filesystem::path(::testing::TempDir()) /
            ("parport-proc-" + std::to_string(run) + "-" + std::to_string(serial++));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "default");  // the kernel lists this one too
  }
  ~ProcTree() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  ProcTree(const ProcTree&) = delete;
  ProcTree& operator=(const ProcTree&) = delete;

  // Adds parportN with the given base-addr text (as the kernel writes it: "888\t1912").
  void Add(int number, const std::string& base_addr_text) {
    const auto dir = root_ / ("parport" + std::to_string(number));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "base-addr") << base_addr_text << "\n";
  }
  // Adds parportN whose base-addr file is missing.
  void Add_Without_Base(int number) {
    std::filesystem::create_directories(root_ / ("parport" + std::to_string(number)));
  }

  std::string root() const { return root_.string(); }

 private:
  std::filesystem::path root_;
};

}  // namespace corvane::testing_support
