// The statement checks, the warnings both conversions give from them, and the counts after
// the success message.
#include "convert/statement_checks.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "convert/conversions.h"
#include "convert/czech_wording.h"
#include "convert/statement_file_check.h"
#include "tests/convert/statement_lines.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_prompter.h"

namespace trelvan::testing {
namespace {

const Date kToday{2026, 12, 6};

struct Plan {
  std::int64_t previous, debit, credit, next;
  std::vector<std::pair<const char*, std::int64_t>> items;  // code, amount
  const char* account = "123";
};

std::vector<StatementReport> Check(const std::vector<Plan>& statements) {
  std::vector<StatementReport> reports;
  StatementChecks checks([&](const StatementReport& r) { reports.push_back(r); });
  std::uint64_t line = 1;
  for (const Plan& s : statements) {
    StatementHeader header;
    header.account = s.account;
    header.sequence_number = "001";
    header.previous_balance = s.previous;
    header.debit_turnover = s.debit;
    header.credit_turnover = s.credit;
    header.new_balance = s.next;
    checks.Header(header, line++);
    for (const auto& [code, amount] : s.items) {
      StatementItem item;
      item.code = code;
      item.amount = amount;
      checks.Item(item);
      ++line;
    }
  }
  checks.Finish();
  return reports;
}

// The failed checks of a report, with their differences.
std::vector<std::pair<StatementCheck, std::int64_t>> Failed(const StatementReport& report) {
  std::vector<std::pair<StatementCheck, std::int64_t>> failed;
  for (std::size_t i = 0; i < kStatementCheckCount; ++i) {
    if (report.checks[i].verdict == Verdict::kFailed) {
      failed.emplace_back(static_cast<StatementCheck>(i), report.checks[i].difference);
    }
  }
  return failed;
}

using Failures = std::vector<std::pair<StatementCheck, std::int64_t>>;

TEST(StatementChecksTest, EachFaultFailsItsOwnCheckWithTheDifference) {
  const Plan good{1000, 300, 500, 1200, {{"1", 300}, {"2", 200}, {"2", 300}}};
  EXPECT_EQ(Failed(Check({good})[0]), Failures{});
  EXPECT_TRUE(Check({good})[0].Holds());

  Plan off = good;
  off.next = 1250;
  EXPECT_EQ(Failed(Check({off})[0]), (Failures{{StatementCheck::kBalance, 50}}));
  off = good;
  off.items[0].second = 299;
  EXPECT_EQ(Failed(Check({off})[0]), (Failures{{StatementCheck::kDebits, 1}}));
  off = good;
  off.items.pop_back();
  EXPECT_EQ(Failed(Check({off})[0]), (Failures{{StatementCheck::kCredits, 300}}));

  // Any other code (a reversal "-") leaves the turnovers unchecked.
  off = good;
  off.items.emplace_back("-", 7);
  const StatementReport reversal = Check({off})[0];
  EXPECT_EQ(reversal.check(StatementCheck::kDebits).verdict, Verdict::kNotApplicable);
  EXPECT_EQ(reversal.check(StatementCheck::kCredits).verdict, Verdict::kNotApplicable);
  EXPECT_EQ(reversal.items, 4u);

  const StatementReport empty = Check({{5, 0, 0, 5, {}}})[0];
  EXPECT_FALSE(empty.Holds());
  EXPECT_EQ(empty.check(StatementCheck::kDebits).verdict, Verdict::kNotApplicable);
}

TEST(StatementChecksTest, AStatementStartsFromTheNewBalanceOfItsAccountsLastOne) {
  const Plan first{1000, 0, 0, 1000, {{"2", 0}}};
  Plan other_account{1, 0, 0, 1, {{"2", 0}}, "456"};
  Plan next{1000, 0, 0, 1000, {{"2", 0}}};
  std::vector<StatementReport> reports = Check({first, other_account, next});
  EXPECT_EQ(reports[0].check(StatementCheck::kSequence).verdict, Verdict::kNotApplicable);
  EXPECT_EQ(reports[1].check(StatementCheck::kSequence).verdict, Verdict::kNotApplicable);
  EXPECT_EQ(reports[2].check(StatementCheck::kSequence).verdict, Verdict::kPassed);
  next.previous = next.next = 900;
  reports = Check({first, other_account, next});
  EXPECT_EQ(Failed(reports[2]), (Failures{{StatementCheck::kSequence, -100}}));
  EXPECT_EQ(reports[2].follows, "001");
}

TEST(StatementChecksTest, SumsSaturateInsteadOfOverflowing) {
  const Plan huge{INT64_MAX, INT64_MIN, INT64_MAX, 0, {{"1", INT64_MAX}, {"1", INT64_MAX}}};
  const StatementReport report = Check({huge})[0];
  EXPECT_EQ(report.debit_items, INT64_MAX);
  EXPECT_EQ(report.check(StatementCheck::kBalance).verdict, Verdict::kFailed);
}

TEST(CzechWordingTest, CountsAgreeWithTheirNumbers) {
  EXPECT_EQ(ConvertedCounts(7, 2), "Převedeno 7 položek ve 2 výpisech");
  EXPECT_EQ(ItemCount(2), "2 položky");
  EXPECT_EQ(ConvertedCounts(1, 1), "Převedena 1 položka v 1 výpisu");
  EXPECT_EQ(ConvertedCounts(3, 3), "Převedeny 3 položky ve 3 výpisech");
  EXPECT_EQ(ConvertedCounts(4, 5), "Převedeny 4 položky v 5 výpisech");
  EXPECT_EQ(ConvertedCounts(0, 0), "Převedeno 0 položek v 0 výpisech");
  EXPECT_EQ(ConvertedCounts(22, 14), "Převedeno 22 položek ve 14 výpisech");
  EXPECT_EQ(ConvertedCounts(100, 11), "Převedeno 100 položek v 11 výpisech");
  EXPECT_EQ(ConvertedCounts(5, 42), "Převedeno 5 položek ve 42 výpisech");
  EXPECT_EQ(ConvertedCounts(5, 300), "Převedeno 5 položek ve 300 výpisech");
  EXPECT_EQ(ConvertedCounts(5, 1500), "Převedeno 5 položek v 1500 výpisech");
  EXPECT_EQ(ConvertedCounts(5, 2000), "Převedeno 5 položek ve 2000 výpisech");
  EXPECT_EQ(Crowns(123456789), "1 234 567,89");
  EXPECT_EQ(Crowns(-5), "-0,05");
  EXPECT_EQ(Crowns(INT64_MIN), "-92 233 720 368 547 758,08");
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class StatementWarningsTest : public ::testing::Test {
 protected:
  std::vector<Shown> ConvertToTable(const std::string& statement) {
    files_.Put("in.gpc", statement);
    files_.Remove("out.dbf");
    files_.Remove("out.dbt");
    prompter_.shown.clear();
    ConversionContext context{files_, prompter_, kToday};
    EXPECT_EQ(ConvertAboToDbf("in.gpc", "out.dbf", context), 1);
    return prompter_.shown;
  }
  std::vector<Shown> ConvertBack() {
    prompter_.shown.clear();
    ConversionContext context{files_, prompter_, kToday};
    EXPECT_EQ(ConvertDbfToAbo("out.dbf", "back.gpc", context), 1);
    return prompter_.shown;
  }

  MemoryFileSystem files_;
  RecordingPrompter prompter_;
};

Shown Warning(const std::string& text) { return {MessageStyle::kWarning, text}; }
Shown Success(const char* counts) {
  return {MessageStyle::kPlain, std::string("Konverze proběhla úspěšně\n") + counts};
}

TEST_F(StatementWarningsTest, RealStatementsAddUpAndMadeUpOnesDoNot) {
  EXPECT_EQ(ConvertToTable(ReadFile(TRELVAN_EXAMPLE)),
            std::vector<Shown>{Success("Převedeno 7 položek ve 2 výpisech")});
  EXPECT_EQ(ConvertBack(), std::vector<Shown>{Success("Převedeno 7 položek ve 2 výpisech")});
  EXPECT_EQ(ConvertToTable(ReadFile(TRELVAN_TEST_DATA "/samples/csob-lf-trimmed.gpc")),
            std::vector<Shown>{Success("Převedeny 2 položky v 1 výpisu")});

  const std::string made_up = "in.gpc: Výpis č. 987 účtu 0000001234567890: ";
  EXPECT_EQ(
      ConvertToTable(ReadFile(TRELVAN_TEST_DATA "/samples/cs-lf-trimmed.gpc")),
      (std::vector<Shown>{
          Warning(made_up + "počáteční zůstatek - obrat debet + obrat kredit se liší od "
                            "konečného zůstatku o 64 241,98 Kč"),
          Warning(made_up + "součet položek s kódem 1 se liší od obratu debet o 76 543,21 Kč"),
          Warning(made_up + "součet položek s kódem 2 se liší od obratu kredit o 12 345,67 Kč"),
          Success("Převedena 1 položka v 1 výpisu")}));
  // Too large for a table, so only a check reads it; its balances are made up, too.
  files_.Put("crlf.gpc", ReadFile(TRELVAN_TEST_DATA "/samples/crlf-074-117.gpc"));
  prompter_.shown.clear();
  ConversionContext context{files_, prompter_, kToday};
  EXPECT_TRUE(CheckStatementFile("crlf.gpc", context));
  ASSERT_EQ(prompter_.shown.size(), 3u);
  EXPECT_EQ(prompter_.shown[0], Warning("crlf.gpc: Výpis č. 111 účtu 0001111111111111: počáteční "
                                        "zůstatek - obrat debet + obrat kredit se liší od "
                                        "konečného zůstatku o 112 000 000 000,00 Kč"));
}

TEST_F(StatementWarningsTest, BothDirectionsWarnAboutEachStatementThatDoesNotAddUp) {
  // 154 230,50 - 12 087,30 + 19 000,00 = 161 143,20; then a statement that starts from 1,00 Kč
  // less and whose debit item is 0,30 short, then one whose new balance is 0,01 off.
  const Balances first{15423050, 1208730, 1900000, 16114320};
  const Balances gap{first.next - 100, 1208730, 1900000, first.next - 100 + 691270};
  const Balances unbalanced{gap.next, 1208730, 1900000, gap.next + 691270 + 1};
  const std::string debit = ItemLine('1', 1208730), credit = ItemLine('2', 1900000);
  const std::string statement = HeaderLine("047", first) + debit + credit + HeaderLine("049", gap) +
                                ItemLine('1', 1208700) + credit + HeaderLine("050", unbalanced) +
                                debit + credit;
  const std::string account = "účtu 0000001234567890";
  const std::vector<std::string> warnings = {
      "Výpis č. 049 " + account + ": součet položek s kódem 1 se liší od obratu debet o 0,30 Kč",
      "Výpis č. 049 " + account +
          " nenavazuje na výpis č. 047: počáteční zůstatek se liší od "
          "jeho konečného o 1,00 Kč",
      "Výpis č. 050 " + account +
          ": počáteční zůstatek - obrat debet + obrat kredit se liší od "
          "konečného zůstatku o 0,01 Kč"};
  std::vector<Shown> expected;
  for (const std::string& w : warnings) expected.push_back(Warning("in.gpc: " + w));
  expected.push_back(Success("Převedeno 6 položek ve 3 výpisech"));
  EXPECT_EQ(ConvertToTable(statement), expected);
  expected.clear();
  for (const std::string& w : warnings) expected.push_back(Warning("out.dbf: " + w));
  expected.push_back(Success("Převedeno 6 položek ve 3 výpisech"));
  EXPECT_EQ(ConvertBack(), expected);
}

}  // namespace
}  // namespace trelvan::testing
