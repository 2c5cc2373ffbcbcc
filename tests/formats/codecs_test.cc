// The number codecs at the edges the conversions' fields never reach: texts longer than any
// field, values beyond int64_t. Everything a field can hold is checked through the conversions.
#include <gtest/gtest.h>

#include <limits>

#include "formats/amount.h"
#include "formats/fixed_text.h"

namespace trelvan {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

TEST(AmountCodecTest, ReadsDecimalTextExactlyAndSaturatesSymmetrically) {
  // clang-format off
  const std::pair<const char*, std::int64_t> cases[] = {
      {"1 2", 100}, {"\t\n 4.25", 425}, {"1e-99999999999999", 0},
      {"0.000000000000000000000000000000000000000000001e47", 10000},
      {"-92233720368547758.07", -kMax}, {"999999999999999999", kMax},
      {"12345678901234567890123456789012345678901234567890e-45", 1234567}};
  // clang-format on
  for (const auto& [text, hundredths] : cases) EXPECT_EQ(ReadTableAmount(text), hundredths) << text;
}

TEST(AmountCodecTest, WritesRightJustifiedOrNothing) {
  std::string out(24, '?');
  ASSERT_TRUE(WriteTableAmount(out.data(), 24, std::numeric_limits<std::int64_t>::min()));
  EXPECT_EQ(out, "   -92233720368547758.08");
  ASSERT_TRUE(WriteTableAmount(out.data(), 4, 5));
  EXPECT_EQ(out.substr(0, 5), "0.059");
}

TEST(FixedTextCodecTest, CopiesTheTextOnlyThenPads) {
  std::string out(10, '?');
  WriteFixedText(out.data(), 10, std::string_view("abcdef", 3));  // "def" is no part of it
  EXPECT_EQ(out, "abc       ");
}

TEST(DecimalIntegerCodecTest, ReadsTheRunOnlyAndSaturates) {
  EXPECT_EQ(ReadDecimalInteger("\r\v-7"), -7);
  EXPECT_EQ(ReadDecimalInteger("-99999999999999999999"), -kMax);
  std::string out(5, '?');
  EXPECT_FALSE(WriteRightJustified(out.data(), 5, -12345));
  EXPECT_TRUE(WriteRightJustified(out.data(), 5, 0));
  EXPECT_EQ(out, "    0");
  EXPECT_TRUE(WriteRightJustified(out.data(), 5, -1234));
  EXPECT_EQ(out, "-1234");
}

}  // namespace
}  // namespace trelvan
