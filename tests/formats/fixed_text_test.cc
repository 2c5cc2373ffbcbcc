#include "formats/fixed_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace trelvan {
namespace {

std::string Fixed(std::string_view text, std::size_t width) {
  std::string out(width, '?');
  WriteFixedText(out.data(), width, text);
  return out;
}

TEST(FixedTextTest, PadsCutsAndStopsAtNul) {
  EXPECT_EQ(Fixed("abc", 6), "abc   ");
  EXPECT_EQ(Fixed("abcdefgh", 6), "abcdef");
  EXPECT_EQ(Fixed(std::string_view("ab\0cd", 5), 6), "ab    ");
  EXPECT_EQ(Fixed("", 3), "   ");
  EXPECT_EQ(Fixed("\xe8\x9a", 3), "\xe8\x9a ");  // bytes pass unchanged
}

TEST(DecimalIntegerTest, FollowsTheRunRules) {
  EXPECT_EQ(ReadDecimalInteger("000000000029"), 29);
  EXPECT_EQ(ReadDecimalInteger("-00000000029"), -29);
  EXPECT_EQ(ReadDecimalInteger("  +12"), 12);
  EXPECT_EQ(ReadDecimalInteger("      "), 0);
  EXPECT_EQ(ReadDecimalInteger("12ab34"), 12);
  EXPECT_EQ(ReadDecimalInteger("- 5"), 0);
  EXPECT_EQ(ReadDecimalInteger(""), 0);
  // The run ends at its last position even when a digit follows in memory.
  EXPECT_EQ(ReadDecimalInteger(std::string_view("123456", 2)), 12);
  EXPECT_EQ(ReadDecimalInteger("99999999999999999999"), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(ReadDecimalInteger("-99999999999999999999"), -std::numeric_limits<std::int64_t>::max());
}

TEST(DecimalIntegerTest, WritesZeroPaddedAndRightJustified) {
  std::string out(5, '?');
  EXPECT_TRUE(WriteZeroPadded(out.data(), 5, 42));
  EXPECT_EQ(out, "00042");
  EXPECT_FALSE(WriteZeroPadded(out.data(), 5, 123456));
  EXPECT_EQ(out, "00042");
  std::string field(10, '?');
  EXPECT_TRUE(WriteRightJustified(field.data(), 10, 1));
  EXPECT_EQ(field, "         1");
  EXPECT_TRUE(WriteRightJustified(field.data(), 10, -42));
  EXPECT_EQ(field, "       -42");
  EXPECT_FALSE(WriteRightJustified(field.data(), 10, 12345678901));
}

}  // namespace
}  // namespace trelvan
