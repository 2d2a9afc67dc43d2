#include "image/line_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace corvane {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::istringstream in(text);
  LineReader reader(in);
  std::vector<std::string> lines;
  std::string line;
  while (reader.Next(line)) lines.push_back(line);
  EXPECT_EQ(reader.Line_Number(), static_cast<int>(lines.size()));
  return lines;
}

using V = std::vector<std::string>;

TEST(LineReaderTest, EveryLineEndCounts) {
  EXPECT_EQ(Lines("a\r\nb\rc\nd"), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(Lines("a\r\n"), (V{"a"}));
  EXPECT_EQ(Lines(""), V{});
  EXPECT_EQ(Lines("\r\n\r\n"), (V{"", ""}));
  EXPECT_EQ(Lines("\n\r"), (V{"", ""}));  // LF then a lone CR: two blank lines
  EXPECT_EQ(Lines("a\r\r\nb"), (V{"a", "", "b"}));
}

TEST(LineReaderTest, ALongLineEndsTheReading) {
  const std::string longer(kKeptLineLength + 10, 'x');
  std::istringstream in(longer + "\nnext\n");
  LineReader reader(in);
  std::string line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line.size(), kKeptLineLength);
  EXPECT_TRUE(reader.Overlong());
  EXPECT_EQ(reader.Line_Number(), 1);
  EXPECT_FALSE(reader.Next(line));
  EXPECT_FALSE(reader.Failed());

  // A line of exactly the kept length is an ordinary line.
  std::istringstream exact(std::string(kKeptLineLength, 'y') + "\nz");
  LineReader ok(exact);
  ASSERT_TRUE(ok.Next(line));
  EXPECT_FALSE(ok.Overlong());
  ASSERT_TRUE(ok.Next(line));
  EXPECT_EQ(line, "z");
}

// An input that never ends and has no line end, as a device of zeros; counts what is read.
class EndlessZeros : public std::streambuf {
 public:
  long taken = 0;

 protected:
  int_type underflow() override {
    setg(buffer_, buffer_, buffer_ + sizeof buffer_);
    taken += sizeof buffer_;
    return 0;
  }

 private:
  char buffer_[64] = {};
};

TEST(LineReaderTest, AnEndlessInputStopsAtTheFirstOverlongLine) {
  EndlessZeros zeros;
  std::istream in(&zeros);
  LineReader reader(in);
  std::string line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_TRUE(reader.Overlong());
  EXPECT_FALSE(reader.Next(line));
  EXPECT_LE(zeros.taken, static_cast<long>(kKeptLineLength) + 64);
}

}  // namespace
}  // namespace corvane
