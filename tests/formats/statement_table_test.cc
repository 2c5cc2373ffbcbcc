#include "formats/statement_table.h"
#include "formats/statement_row_decoder.h"
#include "formats/table_layout.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace trelvan {
namespace {

TEST(StatementTableLayoutTest, FieldDescriptorsAreTheStatementSchema) {
  char descriptors[kTableHeaderLength - kFileHeaderSize];
  EncodeFieldDescriptors(descriptors);
  // Name, type, displacement, length, decimals of every field, written out independently.
  struct Expected {
    const char* name;
    char type;
    int displacement, length, decimals;
  };
  const Expected expected[] = {
      {"CUST_ACCNT", 'C', 1, 16, 0},  {"CUST_NAME", 'C', 17, 20, 0}, {"REST_PR_DT", 'D', 37, 8, 0},
      {"REST_PREV", 'N', 45, 14, 2},  {"REST_NEW", 'N', 59, 14, 2},  {"DEBET_MD", 'N', 73, 14, 2},
      {"CREDIT_D", 'N', 87, 14, 2},   {"ORDER_NO", 'N', 101, 3, 0},  {"ISSUE_DATE", 'D', 104, 8, 0},
      {"PROTIUCET", 'C', 112, 16, 0}, {"DOC_NO", 'C', 128, 13, 0},   {"PRICE", 'N', 141, 12, 2},
      {"CODE", 'C', 153, 1, 0},       {"V_SYMBOL", 'C', 154, 10, 0}, {"K_SYMBOL", 'C', 164, 10, 0},
      {"S_SYMBOL", 'C', 174, 10, 0},  {"VALUTA", 'C', 184, 6, 0},    {"NOTE", 'C', 190, 20, 0},
      {"CODE_CHAN", 'C', 210, 1, 0},  {"DATA_TYPE", 'C', 211, 4, 0}, {"DUE_DATE", 'D', 215, 8, 0},
      {"OTHER_LN", 'M', 223, 10, 0},
  };
  for (int i = 0; i < kFieldCount; ++i) {
    std::string want(32, '\0');
    std::memcpy(want.data(), expected[i].name, std::strlen(expected[i].name));
    want[11] = expected[i].type;
    want[12] = static_cast<char>(expected[i].displacement);
    want[16] = static_cast<char>(expected[i].length);
    want[17] = static_cast<char>(expected[i].decimals);
    EXPECT_EQ(std::string(descriptors + 32 * i, 32), want) << expected[i].name;
  }
  EXPECT_EQ(descriptors[32 * kFieldCount], 0x0D);
}

TEST(StatementTableLayoutTest, FileHeaderCarriesDateCountAndLengths) {
  char header[kFileHeaderSize];
  EncodeTableFileHeader({{2002, 12, 19}, 0x01020304, 737, 233}, header);
  const std::string want("\x83\x02\x0C\x13\x04\x03\x02\x01\xE1\x02\xE9\x00", 12);
  EXPECT_EQ(std::string(header, 12), want);
  EXPECT_EQ(std::string(header + 12, 20), std::string(20, '\0'));
  EncodeTableFileHeader({{2000, 1, 1}, 0, 737, 233}, header);
  EXPECT_EQ(header[1], 0);

  const TableFileHeader back = DecodeTableFileHeader(header);
  EXPECT_EQ(back.record_count, 0u);
  EXPECT_EQ(back.header_length, 737);
  EXPECT_EQ(back.record_length, 233);
}

TableDate Ymd(const char* text) {
  TableDate date;
  std::memcpy(date.text, text, 8);
  return date;
}

TEST(StatementRecordTest, HeaderAndItemPartsMatchTheRecordFormats) {
  std::mt19937 random(3);
  std::uniform_int_distribution<std::int32_t> amount(-2147483647 - 1, 2147483647);
  for (int i = 0; i < 2000; ++i) {
    StatementHeader header;
    header.account = "0000001234567890EXTRA";
    header.account_name = std::string_view("Zelená\0louka", 12);
    header.previous_balance_date = Ymd("20021219");
    header.previous_balance = amount(random);
    header.new_balance = amount(random);
    header.debit_turnover = amount(random);
    header.credit_turnover = amount(random);
    header.sequence_number = "1  ";
    header.statement_date = Ymd("19000101");
    StatementItem item;
    item.counter_account = "19283746";
    item.document_number = "0000000000001";
    item.amount = amount(random) / 10;
    item.code = "-";
    item.variable_symbol = "2026110001";
    item.constant_symbol = "0308";
    item.specific_symbol = "";
    item.value_date = "011226";
    item.note = "Faktura č. 12";
    item.change_code = "0";
    item.data_type = "1203";
    item.due_date = Ymd("20261201");

    char record[kRecordLength + 1];
    ASSERT_TRUE(EncodeHeaderPart(header, record));
    ASSERT_TRUE(EncodeItemPart(item, record));
    char expected[kRecordLength + 1];
    const int header_length = std::snprintf(
        expected, sizeof expected,
        " %-16.16s%-20.20s%4i%02i%02i%14.02f%14.02f%14.02f%14.02f%-3.3s%4i%02i%02i",
        "0000001234567890EXTRA", "Zelená", 2002, 12, 19, header.previous_balance * 0.01,
        header.new_balance * 0.01, header.debit_turnover * 0.01, header.credit_turnover * 0.01,
        "1  ", 1900, 1, 1);
    ASSERT_EQ(header_length, 112);
    std::snprintf(expected + 112, sizeof expected - 112,
                  "%-16.16s%-13.13s%12.2f%-1.1s%-10.10s%-10.10s%-10.10s%-6.6s%-20.20s%-1.1s%-4.4s"
                  "%4i%02i%02i%10.10s",
                  "19283746", "0000000000001", item.amount * 0.01, "-", "2026110001", "0308", "",
                  "011226", "Faktura č. 12", "0", "1203", 2026, 12, 1, "");
    ASSERT_EQ(std::string(record, kRecordLength), std::string(expected)) << i;

    StatementRowDecoder decoder(StandardStatementLayout());
    StatementHeader header_back;
    StatementItem item_back;
    ASSERT_FALSE(decoder.DecodeHeader(record, header_back));
    ASSERT_FALSE(decoder.DecodeItem(record, item_back));
    EXPECT_EQ(header_back.previous_balance, header.previous_balance);
    EXPECT_EQ(header_back.credit_turnover, header.credit_turnover);
    EXPECT_EQ(item_back.amount, item.amount);
    EXPECT_EQ(item_back.note, "Faktura č. 12      ");
    EXPECT_EQ(decoder.MemoBlock(record), 0);
  }
}

TEST(StatementRecordTest, RefusesAmountsTheFieldsCannotHold) {
  char record[kRecordLength];
  StatementHeader header;
  header.previous_balance_date = header.statement_date = Ymd("20020101");
  header.debit_turnover = 9999999999999;
  EXPECT_TRUE(EncodeHeaderPart(header, record));
  header.debit_turnover = 10000000000000;
  EXPECT_FALSE(EncodeHeaderPart(header, record));
  StatementItem item;
  item.due_date = Ymd("20020101");
  item.amount = -9999999999;
  EXPECT_TRUE(EncodeItemPart(item, record));
  item.amount = 100000000000;
  EXPECT_FALSE(EncodeItemPart(item, record));
}

TEST(StatementRecordTest, MemoBlockIsRightJustifiedAndReadAsDecimal) {
  char record[kRecordLength];
  std::memset(record, ' ', sizeof record);
  EncodeMemoField(1, record + kMemoFieldOffset);
  EXPECT_EQ(std::string(record + 223, 10), "         1");
  const StatementRowDecoder decoder(StandardStatementLayout());
  EXPECT_EQ(decoder.MemoBlock(record), 1);
  std::memcpy(record + 223, "   -5     ", 10);
  EXPECT_EQ(decoder.MemoBlock(record), -5);
}

}  // namespace
}  // namespace trelvan
