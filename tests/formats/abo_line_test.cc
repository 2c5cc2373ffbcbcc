#include "formats/abo_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace trelvan {
namespace {

template <std::size_t N>
void ExpectFieldsTileTheLine(const LineField (&fields)[N]) {
  std::size_t next = 1;
  for (const LineField& field : fields) {
    EXPECT_EQ(field.position, next);
    next = field.position + field.width;
  }
  EXPECT_EQ(next, kLineWidth + 1);
}

TEST(AboLineLayoutTest, FieldsTileTheLineWithoutGapsOrOverlaps) {
  ExpectFieldsTileTheLine(header_line::kAll);
  ExpectFieldsTileTheLine(item_line::kAll);
}

TEST(AboLineLayoutTest, ClassifiesByTheFirstThreeBytes) {
  EXPECT_EQ(ClassifyLine("074xyz"), LineKind::kHeader);
  EXPECT_EQ(ClassifyLine("075"), LineKind::kItem);
  EXPECT_EQ(ClassifyLine("076"), LineKind::kOther);
  EXPECT_EQ(ClassifyLine(" 074"), LineKind::kOther);
  EXPECT_EQ(ClassifyLine("07"), LineKind::kOther);
}

TableDate Ymd(const char* text) {
  TableDate date;
  std::memcpy(date.text, text, 8);
  return date;
}

std::string Text(const TableDate& date) { return std::string(date.text, 8); }

// A 128-character line from `text`, padded with spaces.
std::string Line(std::string text) {
  text.resize(kLineWidth, ' ');
  return text;
}

TEST(AboHeaderLineTest, MatchesTheLineFormatAndReadsBack) {
  std::mt19937 random(1);
  std::uniform_int_distribution<std::int32_t> amount(-2147483647, 2147483647);
  for (int i = 0; i < 2000; ++i) {
    StatementHeader header;
    header.account = "0000001234567890";
    header.account_name = "Zelená louka";
    header.previous_balance_date = Ymd("20021219");
    header.previous_balance = amount(random);
    header.new_balance = amount(random);
    header.debit_turnover = amount(random);
    header.credit_turnover = amount(random);
    header.sequence_number = "1  ";
    header.statement_date = Ymd("20000229");

    char line[kLineWithEnd + 1];
    ASSERT_TRUE(WriteHeaderLine(header, line));
    char expected[kLineWithEnd + 1];
    const auto magnitude = [](std::int64_t v) { return static_cast<int>(std::llabs(v)); };
    const auto sign = [](std::int64_t v) { return v < 0 ? '-' : '+'; };
    std::snprintf(expected, sizeof expected,
                  "074%-16.16s%-20.20s%-2.2s%-2.2s%-2.2s%014i%c%014i%c%014i%c%014i%c%-3.3s%-2.2s"
                  "%-2.2s%-2.2s%14.14s\r\n",
                  "0000001234567890", "Zelená louka", "19", "12", "02",
                  magnitude(header.previous_balance), sign(header.previous_balance),
                  magnitude(header.new_balance), sign(header.new_balance),
                  magnitude(header.debit_turnover), sign(header.debit_turnover),
                  magnitude(header.credit_turnover), sign(header.credit_turnover), "1  ", "29",
                  "02", "00", "");
    ASSERT_EQ(std::string(line, kLineWithEnd), std::string(expected));

    const StatementHeader back = ReadHeaderLine(line);
    EXPECT_EQ(back.previous_balance, header.previous_balance);
    EXPECT_EQ(back.new_balance, header.new_balance);
    EXPECT_EQ(back.debit_turnover, header.debit_turnover);
    EXPECT_EQ(back.credit_turnover, header.credit_turnover);
    EXPECT_EQ(Text(back.previous_balance_date), "20021219");
    EXPECT_EQ(Text(back.statement_date), "20000229");
  }
}

TEST(AboHeaderLineTest, ReadsSignPositionsAsTheBankWritesThem) {
  const std::string digits = "00000000123456";
  const auto header_with_sign = [&](char sign) {
    return Line("074" + std::string(16, 'A') + std::string(20, 'B') + "191202" + digits + sign);
  };
  EXPECT_EQ(ReadHeaderLine(header_with_sign('+').c_str()).previous_balance, 123456);
  EXPECT_EQ(ReadHeaderLine(header_with_sign('-').c_str()).previous_balance, -123456);
  EXPECT_EQ(ReadHeaderLine(header_with_sign(' ').c_str()).previous_balance, 123456);
  EXPECT_EQ(ReadHeaderLine(header_with_sign('7').c_str()).previous_balance, 123456);
  // A "-" inside the digits and a "-" sign cancel out.
  const std::string inner = Line("074" + std::string(36, ' ') + "191202" + "-0000000000029-");
  EXPECT_EQ(ReadHeaderLine(inner.c_str()).previous_balance, 29);
  // Blank amount positions read as 0, blank dates as the missing date.
  const std::string blank = Line("074");
  const StatementHeader header = ReadHeaderLine(blank.c_str());
  EXPECT_EQ(header.new_balance, 0);
  EXPECT_EQ(Text(header.previous_balance_date), "19000101");
}

TEST(AboHeaderLineTest, ValidatesDatesWithTwoThousandYears) {
  const auto date_of = [](const std::string& ddmmyy) {
    const std::string line = Line("074" + std::string(36, ' ') + ddmmyy);
    return Text(ReadHeaderLine(line.c_str()).previous_balance_date);
  };
  EXPECT_EQ(date_of("191202"), "20021219");
  EXPECT_EQ(date_of("290200"), "20000229");
  EXPECT_EQ(date_of("290201"), "19000101");
  EXPECT_EQ(date_of("311299"), "20991231");
  EXPECT_EQ(date_of("000000"), "19000101");
  EXPECT_EQ(date_of("311102"), "19000101");
  EXPECT_EQ(date_of(" 1 1 1"), "20010101");
}

TEST(AboHeaderLineTest, RefusesMagnitudesBeyondFourteenDigits) {
  StatementHeader header;
  header.previous_balance_date = header.statement_date = Ymd("20020101");
  header.credit_turnover = 99999999999999;
  char line[kLineWithEnd];
  EXPECT_TRUE(WriteHeaderLine(header, line));
  header.credit_turnover = -100000000000000;
  EXPECT_FALSE(WriteHeaderLine(header, line));
}

StatementItem SampleItem(std::int64_t amount, const char* code) {
  StatementItem item;
  item.counter_account = "0000000019283746";
  item.document_number = "0000000000001";
  item.amount = amount;
  item.code = code;
  item.variable_symbol = "2026110001";
  item.constant_symbol = "0308";
  item.specific_symbol = "";
  item.value_date = "011226";
  item.note = "Faktura";
  item.change_code = "0";
  item.data_type = "1203";
  item.due_date = Ymd("20261201");
  return item;
}

TEST(AboItemLineTest, MatchesTheLineFormatForOrdinaryCodes) {
  std::mt19937 random(2);
  std::uniform_int_distribution<std::int32_t> amount(-99999999, 999999999);
  for (int i = 0; i < 2000; ++i) {
    const StatementItem item = SampleItem(amount(random), i % 2 ? "1" : "2");
    char line[kLineWithEnd + 1];
    ASSERT_TRUE(WriteItemLine("0000001234567890", item, line));
    char expected[kLineWithEnd + 1];
    std::snprintf(expected, sizeof expected,
                  "075%-16.16s%-16.16s%-13.13s%012i%-1.1s%-10.10s%-10.10s%-10.10s%-6.6s%-20.20s"
                  "%-1.1s%-4.4s%-2.2s%-2.2s%-2.2s\r\n",
                  "0000001234567890", "0000000019283746", "0000000000001",
                  static_cast<int>(item.amount), i % 2 ? "1" : "2", "2026110001", "0308", "",
                  "011226", "Faktura", "0", "1203", "01", "12", "26");
    ASSERT_EQ(std::string(line, kLineWithEnd), std::string(expected));
    EXPECT_EQ(ReadItemLine(line).amount, item.amount);
  }
}

TEST(AboItemLineTest, MinusCodeCarriesTheNegatedAmountSoThatReadingGivesItBack) {
  char line[kLineWithEnd];
  ASSERT_TRUE(WriteItemLine("", SampleItem(-29, "-"), line));
  EXPECT_EQ(std::string(line + 48, 13), "000000000029-");
  EXPECT_EQ(ReadItemLine(line).amount, -29);
  ASSERT_TRUE(WriteItemLine("", SampleItem(29, "-"), line));
  EXPECT_EQ(std::string(line + 48, 13), "-00000000029-");
  EXPECT_EQ(ReadItemLine(line).amount, 29);
  ASSERT_TRUE(WriteItemLine("", SampleItem(-29, "1"), line));
  EXPECT_EQ(std::string(line + 48, 13), "-000000000291");
  EXPECT_EQ(ReadItemLine(line).amount, -29);
}

TEST(AboItemLineTest, RefusesAmountsTheTwelveCharactersCannotHold) {
  char line[kLineWithEnd];
  EXPECT_TRUE(WriteItemLine("", SampleItem(999999999999, "1"), line));
  EXPECT_FALSE(WriteItemLine("", SampleItem(1000000000000, "1"), line));
  EXPECT_TRUE(WriteItemLine("", SampleItem(-99999999999, "1"), line));
  EXPECT_FALSE(WriteItemLine("", SampleItem(-100000000000, "1"), line));
  EXPECT_FALSE(WriteItemLine("", SampleItem(-1000000000000, "-"), line));
  EXPECT_FALSE(WriteItemLine("", SampleItem(-std::numeric_limits<std::int64_t>::max(), "1"), line));
}

TEST(AboItemLineTest, TakesTheOwnAccountFromTheCallerAndCutsTextAtNul) {
  StatementItem item = SampleItem(0, "1");
  item.code = std::string_view("\0", 1);
  item.note = std::string_view("ab\0cd", 5);
  char line[kLineWithEnd];
  ASSERT_TRUE(WriteItemLine("HEADERACCOUNT", item, line));
  EXPECT_EQ(std::string(line + 3, 16), "HEADERACCOUNT   ");
  EXPECT_EQ(line[60], ' ');
  EXPECT_EQ(std::string(line + 97, 20), "ab                  ");
}

TEST(AboItemLineTest, CopiesTheValueDateUnchangedAndNeverReadsTheOwnAccount) {
  const std::string line =
      Line("075" + std::string(16, 'X') + std::string(16, 'C') + std::string(13, 'D') +
           "000000000029" + "2" + std::string(30, ' ') + "99x9zz");
  const StatementItem item = ReadItemLine(line.c_str());
  EXPECT_EQ(item.value_date, "99x9zz");
  EXPECT_EQ(item.counter_account, std::string(16, 'C'));
  EXPECT_EQ(item.amount, 29);
  EXPECT_EQ(Text(item.due_date), "19000101");
}

}  // namespace
}  // namespace trelvan
