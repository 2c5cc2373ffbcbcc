// Tables and memo files that no table program should write: headers that lie, records cut
// short, memo pointers anywhere, numbers that are not numbers.
#include <cstdint>
#include <string>
#include <vector>

#include "convert/memo_path.h"
#include "convert/messages.h"
#include "tests/convert/table_builder.h"
#include "tests/robustness/conversion_run.h"

namespace trelvan::testing {
namespace {

using BadTableInputTest = ConversionRunTest;

RecordImage Row(std::string_view price = "125.00") {
  return RecordImage()
      .Set("CUST_ACCNT", "0000001234567890")
      .Set("CUST_NAME", "Zelena louka s.r.o.")
      .Set("REST_PR_DT", "20261130")
      .Set("REST_PREV", "15423.05")
      .Set("ORDER_NO", "047")
      .Set("ISSUE_DATE", "20261201")
      .Set("DOC_NO", "1")
      .Set("PRICE", price)
      .Set("CODE", "1")
      .Set("DUE_DATE", "20261203");
}

// The lines one Row() gives: its header line and its item line.
constexpr std::size_t kRowLines = 2 * 130;

TEST_F(BadTableInputTest, EmptyFileGivesAnEmptyStatement) {
  const Outcome outcome = DbfToAbo("", std::nullopt);
  EXPECT_EQ(outcome.result, 1);
  EXPECT_EQ(outcome.shown,
            (std::vector<Shown>{Notice("Nemohu otevřít soubor \"in.dbt\""), Success()}));
  EXPECT_TRUE(files_.Exists("out.gpc"));
  EXPECT_EQ(files_.Contents("out.gpc"), "");
}

TEST_F(BadTableInputTest, RecordsTooShortForTheFieldsAreRefusedBeforeAnythingIsCreated) {
  const std::string tables[] = {TableFile({Row()}, TableShape{1, 737, 0}),
                                TableFile({Row()}, TableShape{1, 737, 1}),
                                TableFile({Row()}, TableShape{1, 737, 232}),
                                TableFile({}, TableShape{0, 737, 12}), std::string("\x83\x18", 2)};
  for (const std::string& table : tables) {
    const Outcome outcome = DbfToAbo(table, std::nullopt);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.shown, std::vector<Shown>{Stop("Soubor \"in.dbf\" není tabulka výpisu")});
    EXPECT_FALSE(files_.Exists("out.gpc"));
  }
}

TEST_F(BadTableInputTest, LongRecordsAreReadWhole) {
  for (const std::uint16_t length : {1026, 65535}) {
    SCOPED_TRACE(length);
    RecordImage row(length);
    row.Raw(0, Row().bytes());
    row.Raw(length - 5, "\x1A\x1A\x1A\x1A\x1A");
    const Outcome outcome = DbfToAbo(TableFile({row, row, row}, TableShape{-1, 737, length}), "");
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(files_.Contents("out.gpc").size(), kRowLines + 2 * 130);
  }
}

TEST_F(BadTableInputTest, RecordCountBeyondTheFileConvertsTheWholeRowsAndSaysSo) {
  const std::string two_rows = TableFile({Row(), Row("1")});
  Outcome outcome = DbfToAbo(TableFile({Row(), Row("1")}, TableShape{0xFFFFFFFF}), "");
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(
      outcome.shown,
      std::vector<Shown>{Stop("Tabulka \"in.dbf\" je neúplná: převedeno 2 z 4294967295 záznamů")});
  EXPECT_EQ(files_.Contents("out.gpc").size(), kRowLines + 130);

  // Cut inside the second record, and inside the header: no table at all.
  outcome = DbfToAbo(two_rows.substr(0, 737 + 233 + 100), "");
  EXPECT_EQ(outcome.shown,
            std::vector<Shown>{Stop("Tabulka \"in.dbf\" je neúplná: převedeno 1 z 2 záznamů")});
  EXPECT_EQ(files_.Contents("out.gpc").size(), kRowLines);
  outcome = DbfToAbo(TableFile({Row()}, TableShape{1, 737, 233}).substr(0, 700), "");
  EXPECT_EQ(outcome.shown, std::vector<Shown>{Stop("Soubor \"in.dbf\" není tabulka výpisu")});
  EXPECT_EQ(files_.Contents("out.gpc").size(), kRowLines);  // untouched
}

TEST_F(BadTableInputTest, MemoPointersOutsideTheMemoGiveNoOtherLines) {
  MemoImage memo;
  memo.Add({Line("076 first")});
  for (const std::string_view pointer :
       {"9999999999", "-1", "-999999999", "0", "abc", "+", "   1x", "\x1A\x1A"}) {
    SCOPED_TRACE(pointer);
    const Outcome outcome = DbfToAbo(TableFile({Row().Set("OTHER_LN", pointer)}), memo.bytes());
    EXPECT_EQ(outcome.shown, std::vector<Shown>{Success()});
    EXPECT_EQ(files_.Contents("out.gpc").size(), kRowLines + (pointer == "   1x" ? 130 : 0));
  }
}

TEST_F(BadTableInputTest, MemoWithoutEndMarkGivesWholeLines) {
  std::string memo = MemoImage().bytes() + Line("076 first") + Line("078 second").substr(0, 50);
  const Outcome outcome = DbfToAbo(TableFile({Row().Set("OTHER_LN", "1"), Row()}), memo);
  EXPECT_EQ(outcome.shown, std::vector<Shown>{Success()});
  const std::string out = files_.Contents("out.gpc");
  ASSERT_EQ(out.size(), kRowLines + 130 + 130 + 130);
  EXPECT_EQ(out.substr(kRowLines, 260), Line("076 first") + Line("078 second"));
  EXPECT_EQ(out.substr(kRowLines + 260, 3), "075");
}

TEST_F(BadTableInputTest, NumbersThatAreNoNumbersStop) {
  struct Case {
    std::string_view price;
    std::string_view written;  // positions 49-60 of the item line
  };
  for (const std::string_view price :
       {"0x10", " inf", "nan", "--5", "1e", "12,50", "1 234.56", "****", "- 5", "1.5.0"}) {
    SCOPED_TRACE(price);
    const Outcome outcome = DbfToAbo(TableFile({Row(), Row(price)}), "");
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.shown, std::vector<Shown>{Stop(FillMessage(
                                 "Hodnota \"%s\" v poli PRICE záznamu 2 není číslo",
                                 {std::string(price.substr(price.find_first_not_of(' ')))}))});
    EXPECT_EQ(files_.Contents("out.gpc").size(), kRowLines);
  }
  for (const Case& c : {Case{"1e-999", "000000000000"}, Case{"12.345", "000000001234"},
                        Case{"1e3", "000000100000"}, Case{"-.5e1", "-00000000500"}}) {
    SCOPED_TRACE(c.price);
    const Outcome outcome = DbfToAbo(TableFile({Row(c.price)}), "");
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(files_.Contents("out.gpc").substr(130 + 48, 12), c.written);
  }
  for (const std::string_view price : {"1e999", "999999999999", "1e10"}) {
    SCOPED_TRACE(price);
    const Outcome outcome = DbfToAbo(TableFile({Row(), Row(price)}), "");
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.shown, std::vector<Shown>{Stop("Částka v záznamu 2 je příliš velká")});
    EXPECT_EQ(files_.Contents("out.gpc").size(), kRowLines);
  }
}

TEST_F(BadTableInputTest, DatesAreCopiedUnvalidated) {
  ASSERT_EQ(DbfToAbo(TableFile({Row().Set("DUE_DATE", "ABCDEFGH")}), "").result, 1);
  EXPECT_EQ(files_.Contents("out.gpc").substr(130 + 122, 6), "GHEFCD");
}

TEST_F(BadTableInputTest, BinaryFilesConvertByTheRules) {
  const std::string bytes = PseudoRandomBytes(1 << 16, 777);
  // A random header, then the same bytes under a header that promises 200 rows.
  for (const std::string& table : {bytes, TableFile({}, TableShape{200}).substr(0, 737) + bytes}) {
    const Outcome outcome = DbfToAbo(table, bytes);
    ASSERT_FALSE(outcome.shown.empty());
    EXPECT_EQ(outcome.result == 1, outcome.shown.back() == Success());
    EXPECT_EQ(files_.Contents("in.dbf"), table);
    EXPECT_EQ(files_.Contents("in.dbt"), bytes);
  }
}

TEST_F(BadTableInputTest, DirectoriesAreNoFilesToReadOrWrite) {
  files_.MakeDirectory("in.dbt");
  Outcome outcome = DbfToAbo(TableFile({Row()}), std::nullopt);
  EXPECT_EQ(outcome.shown,
            (std::vector<Shown>{Notice("Nemohu otevřít soubor \"in.dbt\""), Success()}));

  files_.MakeDirectory("out.gpc");
  outcome = DbfToAbo(TableFile({Row()}), "");
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.shown, std::vector<Shown>{CannotOpen("out.gpc")});
}

}  // namespace
}  // namespace trelvan::testing
