// DBF -> ABO: the lines' bytes, and tables of every shape through the checks in tests/support.
#include <gtest/gtest.h>

#include "convert/conversions.h"
#include "convert/statement_checks.h"
#include "tests/support/conversion_checks.h"
#include "tests/support/session.h"
#include "tests/support/statement_files.h"

namespace trelvan::testing {
namespace {

using namespace std::string_literals;

const std::string kNote = "\xDAhrada \x8Elu\x9Dou\xE8k\xFD k\xF9\xF2";  // windows-1250

// Two statements of one account, and their header lines.
const Record kStatementA(
    "0000001234567890|Zelen\xE1 louka s.r.o.|20261130|15423.05|16114.32|"
    "1208.73|1900.00|047|20261201");
const Record kStatementB = Record(kStatementA).Set("REST_NEW", "-250.5").Set("ORDER_NO", "48");
const std::string kHeaderA = HeaderLine("047", {1542305, 120873, 190000, 1611432},
                                        "0000001234567890", "Zelen\xE1 louka s.r.o.");
const std::string kHeaderB = HeaderLine("048", {1542305, 120873, 190000, -25050},
                                        "0000001234567890", "Zelen\xE1 louka s.r.o.");

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
std::string RowLine(std::string_view document, std::string_view amount_and_code = "0000000125001") {
  std::string line = "07500000012345678900000002716354827" + std::string(document);
  line.resize(48, ' ');
  return Line(line + std::string(amount_and_code) + "2026110001" + std::string(20, ' ') + "011226" +
              kNote + " 1203031226");
}

// The warning about rows whose memo the memo file's end cuts short.
Shown MemoCut(const std::string& table, const std::string& memo, int rows) {
  return {MessageStyle::kWarning, table + ": Počet záznamů bez dalších řádků (memo soubor \"" +
                                      memo + "\" je neúplný): " + std::to_string(rows)};
}

class DbfToAboTest : public ::testing::Test, protected Session {
 protected:
  int Convert(const std::vector<std::string>& rows, const std::string& memo = MemoFile()) {
    files.Put("t.dbf", TableFile(rows));
    files.Put("t.dbt", memo);
    files.Remove("out.gpc");
    prompter.shown.clear();
    return ConvertDbfToAbo("t.dbf", "out.gpc", context);
  }
  std::string Output() const { return files.Contents("out.gpc"); }
};

TEST_F(DbfToAboTest, WritesAHeaderLineWhereTheStatementChangesAndLeavesDeletedRowsOut) {
  const Record deleted = Row("2", "-0.5", "1", kStatementB).Raw(0, "*");
  EXPECT_EQ(Convert({Row(), deleted, Row("3", "7", "1", kStatementB), Row("4", "1"),
                     Row("5").Raw(36, "\0"s)}),  // a NUL after the name
            1);
  EXPECT_EQ(Output(), kHeaderA + RowLine("1") + kHeaderB + RowLine("3", "0000000007001") +
                          kHeaderA + RowLine("4", "0000000001001") + RowLine("5"));
  EXPECT_EQ(
      prompter.Outcome(),
      (std::vector<Shown>{Notice("t.dbf: Vynecháno 1 záznamů označených ke smazání"),
                          Notice("t.dbf: Výpis č. 047 účtu 0000001234567890 se v tabulce vrací po "
                                 "jiném výpisu (záznam 4); řádky jsou zapsány v pořadí "
                                 "tabulky"),
                          Success()}));
  // Past so many statements open at once the first is closed; when it comes back it counts anew.
  std::vector<std::string> rows;
  for (std::size_t i = 0; i <= StatementChecks::kMaxOpen; ++i)
    rows.push_back(Row("1", "1", "1", Record(kStatementA).Set("REST_PREV", std::to_string(i))));
  rows.push_back(rows.front());
  EXPECT_EQ(Convert(rows), 1);
  EXPECT_EQ(prompter.shown.back(),
            Success(StatementChecks::kMaxOpen + 2, StatementChecks::kMaxOpen + 2));
}

TEST_F(DbfToAboTest, AmountsAreReadExactlyAsDecimalTextOrStopAtTheirRow) {
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
  // Dates are copied, not validated.
  rows.push_back(
      Record(kStatementA).Set("REST_PREV", "-9.99999999e11").Set("DUE_DATE", "ABCDEFGH"));
  ASSERT_EQ(Convert(rows), 1);
  const std::string output = Output();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(output.substr(130 * (i + 1) + 48, 13), cases[i].substr(cases[i].size() - 13))
        << cases[i];
  }
  const std::size_t last = 130 * (std::size(cases) + 1);
  EXPECT_EQ(output.substr(last + 45, 15), "99999999900000-");
  EXPECT_EQ(output.substr(last + 130 + 122, 6), "GHEFCD");
  // -1e9 with code "-" fits as +100000000000; 1e9 with "-" would need "-" and 12 digits.
  const std::string too_big = "Částka v záznamu 2 je příliš velká";
  std::vector<std::pair<Record, std::string>> stops = {
      {Row("2", "1e9", "-"), too_big},
      {Row("2", "1e999"), too_big},
      {Row("2", "1", "1", Record(kStatementA).Set("REST_NEW", "1e12")), too_big}};
  for (const char* price : {"0x10", " inf", "nan", "--5", "1e", "12,50", "1 234.56", "- 5"}) {
    stops.push_back({Row("2", price), "Hodnota \"" + std::string(price + (price[0] == ' ')) +
                                          "\" v poli PRICE záznamu 2 není číslo"});
  }
  for (const auto& [row, message] : stops) {
    EXPECT_EQ(Convert({Row(), row, Row("3")}), 0);
    EXPECT_FALSE(files.Exists("out.gpc"));  // nothing stays behind
    EXPECT_EQ(prompter.Outcome(), std::vector<Shown>{Stop(message)});
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
  std::string expected = kHeaderA + RowLine("1") + first + second + RowLine("1") + RowLine("1") +
                         second + Line("078 cut") + RowLine("1") + inside + first;
  for (int i = 4; i < 12; ++i) expected += RowLine("1");
  EXPECT_EQ(Output(), expected + RowLine("1") + first + second + RowLine("1"));
  // Blocks past the file's end; no memo, or the last one without its end mark, is whole.
  EXPECT_EQ(prompter.shown.end()[-2], MemoCut("t.dbf", "t.dbt", 2));
}

// Record and header lengths, counts beyond the file, cut tables: fuzz/corpus/dbf.
TEST_F(DbfToAboTest, TablesOfEveryShapeConvertAsTheChecksPredict) {
  MemoFile memo;
  memo.Add({Line("076 first"), Line("078 second")});
  const std::string bytes = PseudoRandomBytes(1 << 16, 777);
  for (const std::string& table :
       {std::string("\x83\x18"), TableFile({}), bytes, TableFile({Row()}).substr(0, 700),
        TableFile({}, {200}).substr(0, 737) + bytes}) {
    EXPECT_EQ(CheckDbfToAbo(table, memo), "") << ::testing::PrintToString(table.substr(0, 12));
    EXPECT_EQ(CheckDbfToAbo(table, std::nullopt), "");
  }
}

TEST_F(DbfToAboTest, AsksOnlyAboutAFileAndFindsTheMemoFileInEitherCase) {
  files.Put("t.dbf", TableFile({Row().Set("OTHER_LN", "1")}));
  files.Put("out.gpc", "old");
  prompter.AnswerNext(true);
  EXPECT_EQ(ConvertDbfToAbo("t.dbf", "out.gpc", context), 1);
  EXPECT_EQ(Output(), kHeaderA + RowLine("1"));
  // Tables from other programs come as X.DBF; the memo file may be in the other case. An output
  // that is it under another name is refused before the question.
  MemoFile memo;
  memo.Add({Line("076 kept")});
  files.Put("Y.DBF", files.Contents("t.dbf"));
  files.Put("Y.dbt", memo);
  files.Link("Y.dbt", "alias.gpc");
  files.Remove("out.gpc");
  EXPECT_EQ(ConvertDbfToAbo("Y.DBF", "out.gpc", context), 1);
  EXPECT_EQ(Output(), kHeaderA + RowLine("1") + Line("076 kept"));
  EXPECT_EQ(ConvertDbfToAbo("Y.DBF", "alias.gpc", context), 0);
  EXPECT_EQ(files.Contents("Y.dbt"), static_cast<const std::string&>(memo));
  EXPECT_EQ(
      prompter.Outcome(),
      (std::vector<Shown>{
          Notice("Nemohu otevřít soubor \"t.dbt\": soubor neexistuje"),
          Shown{MessageStyle::kQuestion, "Soubor \"out.gpc\" již existuje!\nPřepsat?"}, Success(),
          Success(), CannotOpen("alias.gpc", "je to tentýž soubor jako \"Y.dbt\"")}));
  files.Put("Y.dbt", "");  // 0 bytes: no memo, row 1's lines are missing
  EXPECT_EQ(ConvertDbfToAbo("Y.DBF", "new.gpc", context), 1);
  EXPECT_EQ(prompter.shown.end()[-2], MemoCut("Y.DBF", "Y.dbt", 1));
}

}  // namespace
}  // namespace trelvan::testing
