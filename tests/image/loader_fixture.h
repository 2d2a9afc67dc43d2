// A blank image and a recording panel, and a Load that writes a text to a file of its own and
// runs the loader on it as File Open does.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "fake_panel.h"
#include "image/hex_loader.h"
#include "image/memory_image.h"

namespace corvane {

class HexLoaderFixture : public ::testing::Test {
 protected:
  HexLoaderFixture() : panel(st) { Blank_Program_Image(st); }

  // Each load sees only its own boxes, log lines, status changes and fuse updates.
  bool Load(const std::string& text) {
    panel.file_name = dir.Write("file" + std::to_string(++files) + ".hex", text);
    panel.boxes.clear();
    panel.log.clear();
    panel.status_history.clear();
    panel.show_fuses_calls = 0;
    return Read_File(st, panel);
  }

  // The last message box, which for a failed load is its reason.
  std::string Last_Box() const { return panel.boxes.empty() ? "" : panel.boxes.back(); }

  WorkingState st;
  FakePanel panel;
  TempDir dir;
  int files = 0;
};

}  // namespace corvane
