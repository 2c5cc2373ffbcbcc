#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert/conversions.h"
#include "tests/convert/table_builder.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_prompter.h"

namespace trelvan::testing {
namespace {

const Shown kSuccess{MessageStyle::kPlain, "Konverze proběhla úspěšně"};

// Two statements of one account. The name is windows-1250 ("Zelená louka s.r.o.").
RecordImage StatementA(RecordImage record = RecordImage()) {
  return record.Set("CUST_ACCNT", "0000001234567890")
      .Set("CUST_NAME", "Zelen\xE1 louka s.r.o.")
      .Set("REST_PR_DT", "20261130")
      .Set("REST_PREV", "15423.05")
      .Set("REST_NEW", "16114.32")
      .Set("DEBET_MD", "1208.73")
      .Set("CREDIT_D", "1900.00")
      .Set("ORDER_NO", "047")
      .Set("ISSUE_DATE", "20261201");
}

RecordImage StatementB(RecordImage record = RecordImage()) {
  return StatementA(record)
      .Set("REST_PR_DT", "20261201")
      .Set("REST_PREV", "16114.32")
      .Set("REST_NEW", "-250.5")
      .Set("DEBET_MD", "16364.82")
      .Set("CREDIT_D", "0")
      .Set("ORDER_NO", "48")
      .Set("ISSUE_DATE", "20261202");
}

const std::string kHeaderA = Line(
    "0740000001234567890Zelen\xE1 louka s.r.o. 30112600000001542305+00000001611432+"
    "00000000120873+00000000190000+047011226");
const std::string kHeaderB = Line(
    "0740000001234567890Zelen\xE1 louka s.r.o. 01122600000001611432+00000000025050-"
    "00000001636482+00000000000000+048021226");

RecordImage Item(RecordImage record, std::string_view document, std::string_view price,
                 std::string_view code = "1") {
  return record.Set("PROTIUCET", "0000002716354827")
      .Set("DOC_NO", document)
      .Set("PRICE", price)
      .Set("CODE", code)
      .Set("V_SYMBOL", "2026110001")
      .Set("K_SYMBOL", "0308")
      .Set("VALUTA", "011226")
      .Set("NOTE", "\xDAhrada \x8Elu\x9Dou\xE8k\xFD k\xF9\xF2")
      .Set("CODE_CHAN", "0")
      .Set("DATA_TYPE", "1203")
      .Set("DUE_DATE", "20261203");
}

RecordImage RowA(std::string_view document = "1", std::string_view price = "125.00") {
  return Item(StatementA(), document, price);
}

// The item line of Item(); `amount_and_code` is positions 49-61.
std::string ItemLine(std::string_view document, std::string_view amount_and_code,
                     std::string_view own_account = "0000001234567890") {
  std::string line = "075" + std::string(own_account) + "0000002716354827" + std::string(document);
  line.resize(48, ' ');
  return Line(line + std::string(amount_and_code) +
              "20261100010308                011226\xDAhrada \x8Elu\x9Dou\xE8k\xFD k\xF9\xF2"
              "01203031226");
}

class DbfToAboTest : public ::testing::Test {
 protected:
  void PutTable(const std::vector<RecordImage>& records, TableShape shape = {},
                const MemoImage& memo = MemoImage()) {
    files_.Put("t.dbf", TableFile(records, shape));
    files_.Put("t.dbt", memo.bytes());
  }
  int Convert(const std::string& output = "out.gpc") {
    return ConvertDbfToAbo("t.dbf", output, context_);
  }
  std::string Output() const { return files_.Contents("out.gpc"); }

  MemoryFileSystem files_;
  RecordingPrompter prompter_;
  ConversionContext context_{files_, prompter_, Date{2026, 12, 6}};
};

using Messages = std::vector<Shown>;

TEST_F(DbfToAboTest, WritesAHeaderLineWhereverTheStatementChangesAndLeavesDeletedRowsOut) {
  RecordImage deleted = Item(StatementB(), "2", "-0.5");
  deleted.Raw(0, "*");
  PutTable({RowA(), deleted, Item(StatementB(), "3", "7"), deleted, RowA("4", "1")});
  EXPECT_EQ(Convert(), 1);
  EXPECT_EQ(Output(), kHeaderA + ItemLine("1", "0000000125001") + kHeaderB +
                          ItemLine("3", "0000000007001") + kHeaderA +
                          ItemLine("4", "0000000001001"));
  EXPECT_EQ(prompter_.shown,
            (Messages{{MessageStyle::kInformation, "Vynecháno 2 záznamů označených ke smazání"},
                      {MessageStyle::kInformation,
                       "Výpis č. 047 účtu 0000001234567890 se v tabulce vrací po jiném výpisu "
                       "(záznam 5); řádky jsou zapsány v pořadí tabulky"},
                      kSuccess}));
}

TEST_F(DbfToAboTest, RowsWithEqualHeaderValuesContinueTheStatement) {
  // Rewritten by other programs: a NUL after the name, the number right-justified or zero-
  // padded, amounts left-justified or with fewer decimals. The line is the same.
  RecordImage nul_after_name = RowA("2");
  nul_after_name.Raw(36, std::string(1, '\0'));
  RecordImage rewritten = RowA("3");
  rewritten.Raw(101, " 47").Raw(45, "15423.05      ").Raw(87, "1900.0        ");
  PutTable({RowA(), nul_after_name, rewritten, RowA("4").Raw(101, "47 ")});
  EXPECT_EQ(Convert(), 1);
  EXPECT_EQ(Output(), kHeaderA + ItemLine("1", "0000000125001") + ItemLine("2", "0000000125001") +
                          ItemLine("3", "0000000125001") +
                          Line(kHeaderA.substr(0, 105) + "47 011226") +
                          ItemLine("4", "0000000125001"));
}

TEST_F(DbfToAboTest, FirstRowWithAHeaderPartOfZeroBytesGetsNoHeaderLine) {
  RecordImage zeros = RowA();
  zeros.Raw(1, std::string(111, '\0'));
  PutTable({zeros, RowA("2")});
  EXPECT_EQ(Convert(), 1);
  EXPECT_EQ(Output(), ItemLine("1", "0000000125001", std::string(16, ' ')) + kHeaderA +
                          ItemLine("2", "0000000125001"));
}

TEST_F(DbfToAboTest, ItemAmountIsReadExactlyAndCarriesTheMinusCode) {
  struct Case {
    std::string_view price, code, line;  // PRICE, CODE, positions 49-61
  };
  const Case cases[] = {
      // A "-" code negates on reading, so the line carries the negated amount.
      {"-0.29", "-", "000000000029-"},
      {"0.29", "-", "-00000000029-"},
      {"-1e9", "-", "100000000000-"},
      {"-1234.56", "1", "-000001234561"},
      {"0.29", "2", "0000000000292"},
      {"999999999.99", "1", "0999999999991"},
      {"1e9", "1", "1000000000001"},
      // Decimal text: fraction, exponent, hundredths truncated toward zero.
      {"12.3", "1", "0000000012301"},
      {"1.239", "1", "0000000001231"},
      {"-1.239", "1", "-000000001231"},
      {"1.5e2", "1", "0000000150001"},
      {"-.5E+1", "1", "-000000005001"},
      {"2e-2", "1", "0000000000021"},
      {"-0.001", "1", "0000000000001"},
      {"", "1", "0000000000001"},
      {"  12.5", "1", "0000000012501"},
  };
  std::vector<RecordImage> rows;
  for (const Case& c : cases) rows.push_back(Item(StatementA(), "1", c.price, c.code));
  PutTable(rows);
  ASSERT_EQ(Convert(), 1);
  const std::string output = Output();
  ASSERT_EQ(output.size(), 130 * (1 + std::size(cases)));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(output.substr(130 * (i + 1) + 48, 13), cases[i].line)
        << "PRICE \"" << cases[i].price << "\" CODE " << cases[i].code;
  }
}

TEST_F(DbfToAboTest, HeaderAmountsAreMagnitudeAndSign) {
  PutTable({Item(StatementA()
                     .Set("REST_PREV", "-1234.56")
                     .Set("REST_NEW", "0.29")
                     .Set("DEBET_MD", "9.99999999e11")
                     .Set("CREDIT_D", "-0.001"),
                 "1", "1")});
  ASSERT_EQ(Convert(), 1);
  EXPECT_EQ(Output().substr(45, 60),
            "00000000123456-00000000000029+99999999900000+00000000000000+");
}

TEST_F(DbfToAboTest, AmountTheLineCannotHoldStopsAtItsRow) {
  // -1e9 with code "-" needs +100000000000; 1e9 with "-" would need "-" and 12 digits.
  PutTable({RowA(), Item(StatementA(), "2", "1e9", "-"), RowA("3")});
  EXPECT_EQ(Convert(), 0);
  EXPECT_EQ(Output(), kHeaderA + ItemLine("1", "0000000125001"));
  EXPECT_EQ(prompter_.shown,
            (Messages{{MessageStyle::kStop, "Částka v záznamu 2 je příliš velká"}}));

  prompter_.shown.clear();
  PutTable({RowA(), RowA("2"), Item(StatementA().Set("REST_NEW", "1e12"), "3", "1")});
  files_.Put("out.gpc", "");
  prompter_.AnswerNext(true);
  EXPECT_EQ(Convert(), 0);
  EXPECT_EQ(Output(), kHeaderA + ItemLine("1", "0000000125001") + ItemLine("2", "0000000125001"));
  EXPECT_EQ(prompter_.shown.back(),
            (Shown{MessageStyle::kStop, "Částka v záznamu 3 je příliš velká"}));
}

TEST_F(DbfToAboTest, CopiesTheMemoLinesAfterTheItem) {
  MemoImage memo;
  const std::string first = Line("076Pohyb z \xFA\xE8tu 2716354827/0800");
  const std::string second = Line("078Zpr\xE1va pro p\xF8\xEDjemce");
  const std::string third = Line("079 third");
  EXPECT_EQ(memo.Add({first, second}), 1);
  EXPECT_EQ(memo.Add({third}), 2);
  PutTable({RowA().Set("OTHER_LN", "1"), RowA("2"), RowA("3").Set("OTHER_LN", "0000000002")}, {},
           memo);
  EXPECT_EQ(Convert(), 1);
  EXPECT_EQ(Output(), kHeaderA + ItemLine("1", "0000000125001") + first + second +
                          ItemLine("2", "0000000125001") + ItemLine("3", "0000000125001") + third);
  EXPECT_EQ(prompter_.shown, Messages{kSuccess});
}

TEST_F(DbfToAboTest, MemoEndsAtALineBeginningWithTheEndMark) {
  MemoImage memo;
  const std::string first = Line("076 first");
  const std::string with_mark = Line(std::string("7\x1A is data inside a line"));
  memo.Add({first, with_mark, Line(std::string("\x1A ignored")), Line("076 ignored")});
  const auto second = memo.Add({Line(std::string("\x1A ignored"))});
  PutTable({RowA().Set("OTHER_LN", "1"), RowA("2").Set("OTHER_LN", std::to_string(second))}, {},
           memo);
  EXPECT_EQ(Convert(), 1);
  EXPECT_EQ(Output(), kHeaderA + ItemLine("1", "0000000125001") + first + with_mark +
                          ItemLine("2", "0000000125001"));
}

TEST_F(DbfToAboTest, BlankZeroNegativeOrFarMemoNumbersGiveNoOtherLines) {
  MemoImage memo;
  memo.Add({Line("076 in block 1")});
  // 8388609 * 512 is 2^32 + 512: cut to 32 bits it would be block 1.
  const char* numbers[] = {"", "0", "-1", "99", "8388609", "-8388607"};
  std::vector<RecordImage> rows;
  std::string expected = kHeaderA;
  for (const char* number : numbers) {
    rows.push_back(RowA().Set("OTHER_LN", number));
    expected += ItemLine("1", "0000000125001");
  }
  PutTable(rows, {}, memo);
  EXPECT_EQ(Convert(), 1);
  EXPECT_EQ(Output(), expected);
  EXPECT_EQ(prompter_.shown, Messages{kSuccess});
}

TEST_F(DbfToAboTest, MissingMemoFileIsANoticeBeforeTheOverwriteQuestion) {
  files_.Put("t.dbf", TableFile({RowA().Set("OTHER_LN", "1")}));
  files_.Put("out.gpc", "old");
  prompter_.AnswerNext(true);
  EXPECT_EQ(Convert(), 1);
  EXPECT_EQ(Output(), kHeaderA + ItemLine("1", "0000000125001"));
  EXPECT_EQ(prompter_.shown,
            (Messages{{MessageStyle::kInformation, "Nemohu otevřít soubor \"t.dbt\""},
                      {MessageStyle::kQuestion, "Soubor \"out.gpc\" již existuje!\nPřepsat?"},
                      kSuccess}));
}

TEST_F(DbfToAboTest, TablesWithoutRecordsGiveAnEmptyFile) {
  const std::string tables[] = {
      TableFile({}),
      "",
  };
  for (const std::string& table : tables) {
    files_.Put("t.dbf", table);
    files_.Put("t.dbt", MemoImage().bytes());
    files_.Put("out.gpc", "old");
    prompter_.shown.clear();
    prompter_.AnswerNext(true);
    EXPECT_EQ(Convert(), 1);
    EXPECT_TRUE(files_.Exists("out.gpc"));
    EXPECT_EQ(Output(), "");
    EXPECT_EQ(prompter_.shown.back(), kSuccess);
  }
}

TEST_F(DbfToAboTest, ShortRecordLengthIsRefusedBeforeAnythingElse) {
  // No memo file either: its notice must not come first.
  files_.Put("t.dbf", TableFile({RowA()}, {1, 737, 232}));
  files_.Put("out.gpc", "old");
  prompter_.AnswerNext(true);
  EXPECT_EQ(Convert(), 0);
  EXPECT_EQ(Convert("new.gpc"), 0);
  const Shown refusal{MessageStyle::kStop, "Soubor \"t.dbf\" není tabulka výpisu"};
  EXPECT_EQ(prompter_.shown, (Messages{refusal, refusal}));
  EXPECT_EQ(Output(), "old");
  EXPECT_FALSE(files_.Exists("new.gpc"));
  EXPECT_EQ(files_.open_files(), 0);
}

TEST_F(DbfToAboTest, LongRecordsAreReadWholeWithFieldsAtTheirOffsets) {
  for (const std::uint16_t length : {1026, 65535}) {
    std::vector<RecordImage> rows;
    for (const char* document : {"1", "2"}) {
      // Bytes behind the fields look like a record of their own; they must be skipped.
      RecordImage row = Item(StatementB(RecordImage(length)), document, "1");
      row.Raw(233, RowA().bytes());
      rows.push_back(row);
    }
    PutTable(rows, {-1, 737, length});
    prompter_.shown.clear();
    files_.Put("out.gpc", "");
    prompter_.AnswerNext(true);
    EXPECT_EQ(Convert(), 1) << length;
    EXPECT_EQ(Output(), kHeaderB + ItemLine("1", "0000000001001") + ItemLine("2", "0000000001001"))
        << length;
  }
}

TEST_F(DbfToAboTest, TableCutShortKeepsTheCompleteRowsAndSaysSo) {
  std::string table = TableFile({RowA(), RowA("2"), RowA("3")});
  files_.Put("t.dbf", table.substr(0, 737 + 2 * 233 + 100));
  files_.Put("t.dbt", MemoImage().bytes());
  EXPECT_EQ(Convert(), 0);
  const std::string two_rows =
      kHeaderA + ItemLine("1", "0000000125001") + ItemLine("2", "0000000125001");
  EXPECT_EQ(Output(), two_rows);
  EXPECT_EQ(
      prompter_.shown,
      (Messages{{MessageStyle::kStop, "Tabulka \"t.dbf\" je neúplná: převedeno 2 z 3 záznamů"}}));

  // A count above the records: the end-of-file byte is no record.
  PutTable({RowA(), RowA("2")}, {5});
  prompter_.shown.clear();
  prompter_.AnswerNext(true);
  EXPECT_EQ(Convert(), 0);
  EXPECT_EQ(Output(), two_rows);
  EXPECT_EQ(prompter_.shown.back(),
            (Shown{MessageStyle::kStop, "Tabulka \"t.dbf\" je neúplná: převedeno 2 z 5 záznamů"}));
}

TEST_F(DbfToAboTest, TableThatCannotBeOpenedEndsAtOnce) {
  EXPECT_EQ(Convert(), 0);
  EXPECT_EQ(prompter_.shown, (Messages{{MessageStyle::kStop, "Nemohu otevřít soubor \"t.dbf\""}}));
  EXPECT_FALSE(files_.Exists("out.gpc"));
}

TEST_F(DbfToAboTest, OutputThatIsADirectoryFailsToOpenWithoutAQuestion) {
  PutTable({RowA()});
  files_.MakeDirectory("out.gpc");
  EXPECT_EQ(Convert(), 0);
  EXPECT_EQ(prompter_.shown,
            (Messages{{MessageStyle::kStop, "Nemohu otevřít soubor \"out.gpc\""}}));
}

TEST_F(DbfToAboTest, DeclinedOverwriteLeavesTheFileUntouched) {
  PutTable({RowA()});
  files_.Put("out.gpc", "old");
  EXPECT_EQ(Convert(), 0);
  EXPECT_EQ(prompter_.shown,
            (Messages{{MessageStyle::kQuestion, "Soubor \"out.gpc\" již existuje!\nPřepsat?"}}));
  EXPECT_EQ(Output(), "old");
}

TEST_F(DbfToAboTest, OutputThatIsTheTableOrItsMemoFileFailsToOpen) {
  MemoImage memo;
  memo.Add({Line("076 kept")});
  PutTable({RowA().Set("OTHER_LN", "1")}, {}, memo);
  const std::string table = files_.Contents("t.dbf");
  for (const char* source : {"t.dbf", "t.dbt"}) {
    files_.Link(source, "out.gpc");
    prompter_.shown.clear();
    prompter_.AnswerNext(true);
    EXPECT_EQ(Convert(), 0) << source;
    EXPECT_EQ(prompter_.shown.back(),
              (Shown{MessageStyle::kStop, "Nemohu otevřít soubor \"out.gpc\""}));
    EXPECT_EQ(files_.Contents("t.dbf"), table);
    EXPECT_EQ(files_.Contents("t.dbt"), memo.bytes());
    EXPECT_EQ(files_.open_files(), 0);
  }
}

// Fails the n-th file call for n = 1, 2, ... until a run no longer reaches the failure.
TEST(DbfToAboFailureTest, EveryFailingFileCallEndsWithOneStopMessage) {
  // Enough rows and memos that every file is read or written more than once.
  MemoImage memo;
  std::vector<RecordImage> rows;
  for (int i = 0; i < 400; ++i) {
    RecordImage row = i < 200 ? RowA(std::to_string(i)) : Item(StatementB(), "1", "-3");
    if (i % 5 == 0) {
      row.Set("OTHER_LN", std::to_string(memo.Add({Line("076 " + std::to_string(i)),
                                                   Line("078 " + std::string(100, 'z'))})));
    }
    rows.push_back(row);
  }
  struct Run {
    int result;
    std::vector<Shown> shown;
    std::string output;
    bool failure_hit;
  };
  const auto run = [&](int fail_call, bool persistent) {
    MemoryFileSystem files;
    files.Put("t.dbf", TableFile(rows));
    files.Put("t.dbt", memo.bytes());
    RecordingPrompter prompter;
    ConversionContext context{files, prompter, Date{2026, 12, 6}};
    if (fail_call > 0) files.FailCall(fail_call, persistent);
    const int result = ConvertDbfToAbo("t.dbf", "out.gpc", context);
    EXPECT_EQ(files.open_files(), 0);
    return Run{result, prompter.shown, files.Contents("out.gpc"), files.failure_hit()};
  };
  const Run complete = run(0, false);
  ASSERT_EQ(complete.result, 1);
  ASSERT_GT(complete.output.size(), 65536u);  // more than one buffer

  bool lines_kept_after_a_read_failure = false;
  for (const bool persistent : {false, true}) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE("failing call " + std::to_string(n) + (persistent ? " and after" : ""));
      Run failed = run(n, persistent);
      if (!failed.failure_hit) {
        EXPECT_EQ(failed.result, 1);
        EXPECT_EQ(failed.output, complete.output);
        EXPECT_GT(n, 10);
        break;
      }
      // A memo file that does not open is a notice; the rows come without their other lines.
      if (!failed.shown.empty() && failed.shown[0].style == MessageStyle::kInformation) {
        EXPECT_EQ(failed.shown[0].text, "Nemohu otevřít soubor \"t.dbt\"");
        failed.shown.erase(failed.shown.begin());
        if (failed.result == 1) {
          EXPECT_EQ(failed.shown, Messages{kSuccess});
          continue;
        }
      }
      EXPECT_EQ(failed.result, 0);
      ASSERT_EQ(failed.shown.size(), 1u);
      EXPECT_EQ(failed.shown[0].style, MessageStyle::kStop);
      const std::string& text = failed.shown[0].text;
      EXPECT_TRUE(text.find("\"t.dbf\"") != std::string::npos ||
                  text.find("\"t.dbt\"") != std::string::npos ||
                  text.find("\"out.gpc\"") != std::string::npos)
          << text;
      // What was written stays, and it is the beginning of the complete output.
      EXPECT_EQ(complete.output.compare(0, failed.output.size(), failed.output), 0);
      if (text.find("\"out.gpc\"") == std::string::npos && !failed.output.empty() &&
          failed.output.size() < complete.output.size()) {
        lines_kept_after_a_read_failure = true;
      }
    }
  }
  EXPECT_TRUE(lines_kept_after_a_read_failure);
}

}  // namespace
}  // namespace trelvan::testing
