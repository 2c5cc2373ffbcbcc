#include "formats/amount.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace trelvan {
namespace {

std::string TableAmount(std::int64_t hundredths, std::size_t width) {
  std::string out(width, '?');
  if (!WriteTableAmount(out.data(), width, hundredths)) return "<too long>";
  return out;
}

// What the table's format strings print for a 32-bit count of hundredths.
std::string PrintfAmount(std::int32_t hundredths, int width) {
  char out[64];
  std::snprintf(out, sizeof out, "%*.2f", width, hundredths * 0.01);
  return out;
}

TEST(TableAmountTest, MatchesPrintfForThirtyTwoBitValues) {
  std::vector<std::int32_t> values = {0,
                                      1,
                                      -1,
                                      29,
                                      -29,
                                      99,
                                      -99,
                                      100,
                                      -100,
                                      123456,
                                      -123456,
                                      std::numeric_limits<std::int32_t>::max(),
                                      std::numeric_limits<std::int32_t>::min()};
  std::mt19937 random(20261206);
  std::uniform_int_distribution<std::int32_t> any(std::numeric_limits<std::int32_t>::min(),
                                                  std::numeric_limits<std::int32_t>::max());
  for (int i = 0; i < 1000000; ++i) values.push_back(any(random));
  for (const std::int32_t value : values) {
    ASSERT_EQ(TableAmount(value, 14), PrintfAmount(value, 14)) << value;
    ASSERT_EQ(TableAmount(value, 12), PrintfAmount(value, 12)) << value;
  }
}

TEST(TableAmountTest, WritesBeyondThirtyTwoBitsExactlyWhileTheFieldHoldsThem) {
  EXPECT_EQ(TableAmount(2147483648, 14), "   21474836.48");
  EXPECT_EQ(TableAmount(9999999999999, 14), "99999999999.99");
  EXPECT_EQ(TableAmount(-999999999999, 14), "-9999999999.99");
  EXPECT_EQ(TableAmount(99999999999999, 14), "<too long>");
  EXPECT_EQ(TableAmount(-1000000000000, 14), "<too long>");
  EXPECT_EQ(TableAmount(99999999999, 12), "999999999.99");
  EXPECT_EQ(TableAmount(100000000000, 12), "<too long>");
  EXPECT_EQ(TableAmount(-9999999999, 12), "-99999999.99");
  EXPECT_EQ(TableAmount(-10000000000, 12), "<too long>");
  EXPECT_EQ(TableAmount(std::numeric_limits<std::int64_t>::min(), 24), "   -92233720368547758.08");
}

TEST(TableAmountTest, ReadsDecimalTextExactly) {
  struct Case {
    const char* text;
    std::int64_t hundredths;
  };
  const Case cases[] = {
      {"0.29", 29},
      {"-1234.56", -123456},
      {"12.3", 1230},
      {"", 0},
      {"            ", 0},
      {"1.239", 123},
      {"-1.239", -123},
      {"  +7", 700},
      {".5", 50},
      {"5.", 500},
      {".", 0},
      {"-", 0},
      {"1e3", 100000},
      {"1E-2", 1},
      {"1.5e-1", 15},
      {"1e-3", 0},
      {"2e", 200},
      {"2e+", 200},
      {"3e+x", 300},
      {"0x10", 0},
      {"inf", 0},
      {"nan", 0},
      {"INFINITY", 0},
      {"12a34", 1200},
      {"1 2", 100},
      {"0.000000000000000000000000000000000000000000001e47", 10000},
      {"\t\n 4.25", 425},
      {"1e-99999999999999", 0},
      {"21474836.48", 2147483648},
      {"-92233720368547758.07", -9223372036854775807},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadTableAmount(c.text), c.hundredths) << c.text;
}

TEST(TableAmountTest, SaturatesSymmetricallyBeyondInt64) {
  const std::int64_t max = std::numeric_limits<std::int64_t>::max();
  EXPECT_EQ(ReadTableAmount("1e30"), max);
  EXPECT_EQ(ReadTableAmount("-1e30"), -max);
  EXPECT_EQ(ReadTableAmount("99999999999999999999"), max);
  EXPECT_EQ(ReadTableAmount("1e99999999999999999"), max);
}

TEST(TableAmountTest, ReadsBackWhatItWrites) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 100000; ++i) {
    const std::int64_t value = static_cast<std::int64_t>(random() % 200000000000) - 100000000000;
    std::string text(20, ' ');
    ASSERT_TRUE(WriteTableAmount(text.data(), text.size(), value));
    ASSERT_EQ(ReadTableAmount(text), value) << text;
  }
}

}  // namespace
}  // namespace trelvan
