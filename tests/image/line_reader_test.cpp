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

TEST(LineReaderTest, LongLinesAreCutButConsumedWhole) {
  const std::string longer(kKeptLineLength + 10, 'x');
  std::istringstream in(longer + "\nnext\n");
  LineReader reader(in);
  std::string line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line.size(), kKeptLineLength);
  EXPECT_TRUE(reader.Overlong());
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "next");
  EXPECT_FALSE(reader.Overlong());
  EXPECT_EQ(reader.Line_Number(), 2);
  EXPECT_FALSE(reader.Next(line));
  EXPECT_FALSE(reader.Failed());
}

}  // namespace
}  // namespace corvane
