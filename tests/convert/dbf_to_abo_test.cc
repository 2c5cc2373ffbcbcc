// DBF -> ABO of the statement table: the lines' bytes, and tables of every shape through the
// checks in tests/support. Tables as other programs write them: foreign_table_test.cc.
#include <gtest/gtest.h>

#include "convert/conversions.h"
#include "tests/support/conversion_checks.h"
#include "tests/support/session.h"
#include "tests/support/statement_files.h"

namespace trelvan::testing {
namespace {

using namespace std::string_literals;

const std::string kNote = "\xDAhrada \x8Elu\x9Dou\xE8k\xFD k\xF9\xF2";  // windows-1250

// Two statements of one account, and their header lines.
const Record kStatementA{"0000001234567890", "Zelen\xE1 louka s.r.o.",
                         "20261130",         "15423.05",
                         "16114.32",         "1208.73",
                         "1900.00",          "047",
                         "20261201"};
const Record kStatementB = Record(kStatementA)
                               .Set("REST_PR_DT", "20261201")
                               .Set("REST_NEW", "-250.5")
                               .Set("DEBET_MD", "16364.82")
                               .Set("CREDIT_D", "0")
                               .Set("ORDER_NO", "48")
                               .Set("ISSUE_DATE", "20261202");
const std::string kHeaderA = Line(
    "0740000001234567890Zelen\xE1 louka s.r.o. 30112600000001542305+00000001611432+"
    "00000000120873+00000000190000+047011226");
const std::string kHeaderB = Line(
    "0740000001234567890Zelen\xE1 louka s.r.o. 01122600000001542305+00000000025050-"
    "00000001636482+00000000000000+048021226");

Record Row(std::string_view document = "1", std::string_view price = "125.00",
           std::string_view code = "1", Record record = kStatementA) {
  return record.Set("PROTIUCET", "0000002716354827")
      .Set("DOC_NO", document)
      .Set("PRICE", price)
      .Set("CODE", code)
      .Set("V_SYMBOL", "2026110001")
      .Set("VALUTA", "011226")
      .Set("NOTE", kNote)
      .Set("DATA_TYPE", "1203")
      .Set("DUE_DATE", "20261203");
}

// The item line of Row(); `amount_and_code` is positions 49-61.
std::string ItemLine(std::string_view document, std::string_view amount_and_code = "0000000125001",
                     std::string_view own_account = "0000001234567890") {
  std::string line = "075" + std::string(own_account) + "0000002716354827" + std::string(document);
  line.resize(48, ' ');
  return Line(line + std::string(amount_and_code) + "2026110001" + std::string(20, ' ') + "011226" +
              kNote + " 1203031226");
}

class DbfToAboTest : public ::testing::Test, protected Session {
 protected:
  int Convert(const std::vector<std::string>& rows, const std::string& memo = MemoFile(),
              TableShape shape = {}) {
    files.Put("t.dbf", TableFile(rows, shape));
    files.Put("t.dbt", memo);
    files.Remove("out.gpc");
    prompter.shown.clear();
    return ConvertDbfToAbo("t.dbf", "out.gpc", context);
  }
  std::string Output() const { return files.Contents("out.gpc"); }
};

TEST_F(DbfToAboTest, WritesAHeaderLineWhereTheStatementChangesAndLeavesDeletedRowsOut) {
  const Record zeros = Row("0").Raw(1, std::string(111, '\0'));  // as the row before the first
  const Record deleted = Row("2", "-0.5", "1", kStatementB).Raw(0, "*");
  // Rewritten by other programs: a NUL after the name, the number right-justified, amounts
  // left-justified or with fewer decimals. The values are the same.
  const Record nul = Row("5").Raw(36, "\0"s);
  const Record rewritten =
      Row("6").Raw(101, " 47").Raw(45, "15423.05      ").Raw(87, "1900.0        ");
  EXPECT_EQ(Convert({zeros, Row(), deleted, Row("3", "7", "1", kStatementB), deleted, Row("4", "1"),
                     nul, rewritten, Row("7").Raw(101, "47 ")}),
            1);
  EXPECT_EQ(Output(), ItemLine("0", "0000000125001", std::string(16, ' ')) + kHeaderA +
                          ItemLine("1") + kHeaderB + ItemLine("3", "0000000007001") + kHeaderA +
                          ItemLine("4", "0000000001001") + ItemLine("5") + ItemLine("6") +
                          Line(kHeaderA.substr(0, 105) + "47 011226") + ItemLine("7"));
  EXPECT_EQ(
      prompter.Outcome(),
      (std::vector<Shown>{Notice("t.dbf: Vynecháno 2 záznamů označených ke smazání"),
                          Notice("t.dbf: Výpis č. 047 účtu 0000001234567890 se v tabulce vrací po "
                                 "jiném výpisu (záznam 6); řádky jsou zapsány v pořadí "
                                 "tabulky"),
                          Success()}));
}

TEST_F(DbfToAboTest, AmountsAreReadExactlyAsDecimalText) {
  // PRICE|CODE|what the line carries at positions 49-61: a "-" code negates on reading.
  const std::string cases[] = {
      "-0.29|-|000000000029-",    "0.29|-|-00000000029-",         "-1e9|-|100000000000-",
      "-1234.56|1|-000001234561", "999999999.99|1|0999999999991", "1e9|1|1000000000001",
      "1.239|1|0000000001231",    "-1.239|1|-000000001231",       "-.5E+1|1|-000000005001",
      "-0.001|1|0000000000001",   "1e-999|1|0000000000001",       "  12.5|1|0000000012501",
      "|1|0000000000001"};
  std::vector<std::string> rows;
  for (const std::string& c : cases)
    rows.push_back(Row("1", c.substr(0, c.find('|')), c.substr(c.find('|') + 1, 1)));
  rows.push_back(Record(kStatementA)
                     .Set("REST_PREV", "-1234.56")
                     .Set("REST_NEW", "0.29")
                     .Set("DEBET_MD", "9.99999999e11")
                     .Set("CREDIT_D", "-0.001")
                     .Set("DUE_DATE", "ABCDEFGH"));  // dates are copied, not validated
  ASSERT_EQ(Convert(rows), 1);
  const std::string output = Output();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(output.substr(130 * (i + 1) + 48, 13), cases[i].substr(cases[i].size() - 13))
        << cases[i];
  }
  const std::size_t last = 130 * (std::size(cases) + 1);
  EXPECT_EQ(output.substr(last + 45, 60),
            "00000000123456-00000000000029+99999999900000+00000000000000+");
  EXPECT_EQ(output.substr(last + 130 + 122, 6), "GHEFCD");
}

TEST_F(DbfToAboTest, AmountTheLineCannotHoldStopsAtItsRow) {
  // -1e9 with code "-" fits as +100000000000; 1e9 with "-" would need "-" and 12 digits.
  EXPECT_EQ(Convert({Row(), Row("2", "1e9", "-"), Row("3")}), 0);
  EXPECT_FALSE(files.Exists("out.gpc"));  // nothing stays behind
  EXPECT_EQ(prompter.Outcome(), std::vector<Shown>{Stop("Částka v záznamu 2 je příliš velká")});
  EXPECT_EQ(
      Convert({Row(), Row("2"), Row("3", "1", "1", Record(kStatementA).Set("REST_NEW", "1e12"))}),
      0);
  EXPECT_EQ(prompter.Outcome(), std::vector<Shown>{Stop("Částka v záznamu 3 je příliš velká")});
  for (const char* price : {"0x10", " inf", "nan", "--5", "1e", "12,50", "1 234.56", "- 5"}) {
    EXPECT_EQ(Convert({Row(), Row("2", price)}), 0);
    EXPECT_EQ(prompter.Outcome().back().text, "Hodnota \"" +
                                                  std::string(price + (price[0] == ' ')) +
                                                  "\" v poli PRICE záznamu 2 není číslo");
  }
}

TEST_F(DbfToAboTest, CopiesEachRowsMemoUpToALineBeginningWithTheEndMark) {
  MemoFile memo;
  const std::string first = Line("076Pohyb z \xFA\xE8tu 2716354827/0800");
  const std::string second = Line("078Zpr\xE1va pro p\xF8\xEDjemce");
  const std::string inside = Line("7\x1A is data inside a line");
  ASSERT_EQ(memo.Add({first, second}), 1);
  ASSERT_EQ(memo.Add({inside, first, Line("\x1A ends"), Line("076 ignored")}), 2);
  ASSERT_EQ(memo.Add({Line("\x1A in the first byte")}), 4);
  // Without its end mark the memo file's last line is whole lines too.
  const std::string cut = static_cast<const std::string&>(memo) + second + "078 cut";  // block 5
  // 8388609 * 512 is 2^32 + 512: cut to 32 bits it would be block 1.
  std::vector<std::string> rows;
  for (const char* block : {"1", "", "0000000005", "2", "4", "0", "-1", "99", "8388609", "-8388607",
                            "abc", "+", "   1x", "\x1A\x1A"}) {
    rows.push_back(Row().Set("OTHER_LN", block));
  }
  EXPECT_EQ(Convert(rows, cut), 1);
  std::string expected = kHeaderA + ItemLine("1") + first + second + ItemLine("1") + ItemLine("1") +
                         second + Line("078 cut") + ItemLine("1") + inside + first;
  for (int i = 4; i < 12; ++i) expected += ItemLine("1");
  EXPECT_EQ(Output(), expected + ItemLine("1") + first + second + ItemLine("1"));
  EXPECT_EQ(prompter.Outcome(), std::vector<Shown>{Success()});
}

TEST_F(DbfToAboTest, TablesOfEveryShapeConvertAsTheChecksPredict) {
  MemoFile memo;
  memo.Add({Line("076 first"), Line("078 second")});
  const std::string no_end = static_cast<const std::string&>(MemoFile()) + Line("076") + "078 cut";
  const std::string bytes = PseudoRandomBytes(1 << 16, 777);
  const std::string two = TableFile({Row().Set("OTHER_LN", "1"), Row("2")});
  const std::string beyond = TableFile({Row(), Row("2", "1e999")});
  std::vector<std::string> tables = {
      "",     "\x83\x18", TableFile({}), TableFile({}, {0, 737, 0}), two, TableFile({Row()}, {5}),
      beyond, bytes};
  tables.push_back(TableFile({Row(), Row()}, {0xFFFFFFFF}));
  tables.push_back(two.substr(0, 737 + 233 + 100));  // cut inside the second record
  tables.push_back(two.substr(0, 700));              // cut inside the header
  tables.push_back(TableFile({}, {200}).substr(0, 737) + bytes);
  for (const std::uint16_t length : {0, 1, 232, 1026, 65535}) {
    // Bytes behind the fields look like a record of their own; they must be skipped.
    std::string row =
        Row("1", "1", "1", Record(std::max(length, std::uint16_t{233})).Raw(0, kStatementB));
    row.replace(233, std::min<std::size_t>(233, row.size() - 233), Row("2").Set("OTHER_LN", "1"));
    tables.push_back(TableFile({row, row}, {-1, 737, length}));
    tables.push_back(TableFile({row}, {-1, 1000, length}));
  }
  for (const std::string& table : tables) {
    const std::string shown = ::testing::PrintToString(table.substr(0, 12));
    EXPECT_EQ(CheckDbfToAbo(table, memo), "") << shown;
    EXPECT_EQ(CheckDbfToAbo(table, no_end), "") << shown;
    EXPECT_EQ(CheckDbfToAbo(table, std::nullopt), "") << shown;
  }
}

TEST_F(DbfToAboTest, AsksAfterTheMissingMemoNoticeAndOnlyAboutAFile) {
  files.Put("t.dbf", TableFile({Row().Set("OTHER_LN", "1")}));
  files.Put("out.gpc", "old");
  files.MakeDirectory("dir.gpc");
  EXPECT_EQ(ConvertDbfToAbo("t.dbf", "out.gpc", context), 0);
  EXPECT_EQ(Output(), "old");
  prompter.AnswerNext(true);
  EXPECT_EQ(ConvertDbfToAbo("t.dbf", "out.gpc", context), 1);
  EXPECT_EQ(Output(), kHeaderA + ItemLine("1"));
  EXPECT_EQ(ConvertDbfToAbo("t.dbf", "dir.gpc", context), 0);
  EXPECT_EQ(ConvertDbfToAbo("missing.dbf", "new.gpc", context), 0);
  EXPECT_FALSE(files.Exists("new.gpc"));
  const Shown question{MessageStyle::kQuestion, "Soubor \"out.gpc\" již existuje!\nPřepsat?"};
  const Shown notice = Notice("Nemohu otevřít soubor \"t.dbt\": soubor neexistuje");
  EXPECT_EQ(prompter.Outcome(),
            (std::vector<Shown>{notice, question, notice, question, Success(), notice,
                                CannotOpen("dir.gpc", "je to složka"),
                                CannotOpen("missing.dbf", "soubor neexistuje")}));
}

// Tables from other programs come as X.DBF with X.DBT; either case of the memo file is found.
// An output that is the table or its memo file under another name is refused before the
// question.
TEST_F(DbfToAboTest, FindsTheMemoFileInEitherCaseAndNeverWritesOverIt) {
  MemoFile memo;
  memo.Add({Line("076 kept")});
  const std::string table = TableFile({Row().Set("OTHER_LN", "1")});
  for (const auto& [table_name, memo_name] :
       {std::pair{"X.DBF", "X.DBT"}, {"x.dbf", "x.DBT"}, {"Y.DBF", "Y.dbt"}}) {
    SCOPED_TRACE(table_name);
    files.Put(table_name, table);
    files.Put(memo_name, memo);
    files.Link(memo_name, std::string(table_name) + ".gpc");
    files.Remove("out.gpc");
    prompter.shown.clear();
    EXPECT_EQ(ConvertDbfToAbo(table_name, "out.gpc", context), 1);
    EXPECT_EQ(Output(), kHeaderA + ItemLine("1") + Line("076 kept"));
    const std::string alias = std::string(table_name) + ".gpc";
    EXPECT_EQ(ConvertDbfToAbo(table_name, alias, context), 0);
    EXPECT_EQ(prompter.Outcome().back(),
              CannotOpen(alias, "je to tentýž soubor jako \"" + std::string(memo_name) + "\""));
    EXPECT_EQ(files.Contents(memo_name), static_cast<const std::string&>(memo));
  }
}

}  // namespace
}  // namespace trelvan::testing
