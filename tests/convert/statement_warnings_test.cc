// Besides the success: the statement checks' warnings both ways, the counts, and statement
// files as editors save them (UTF-8, UTF-16), joined with `cat` or cut short.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "convert/conversions.h"
#include "convert/czech_wording.h"
#include "convert/statement_file_check.h"
#include "convert/windows1250.h"
#include "tests/support/session.h"
#include "tests/support/statement_files.h"

namespace trelvan::testing {
namespace {

std::string ReadFile(const std::string& path) {
  return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}};
}

Shown Warning(const std::string& text) { return {MessageStyle::kWarning, text}; }
Shown Recoded(const std::string& from) {
  return Notice("in.gpc: Text souboru byl převeden z " + from + " do windows-1250");
}

// UTF-16 of UTF-8 text within the Basic Multilingual Plane.
std::string Utf16(const std::string& utf8, bool little_endian) {
  std::string out = little_endian ? "\xFF\xFE" : "\xFE\xFF";
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i++]);
    unsigned c = b < 0x80 ? b : b < 0xE0 ? b & 0x1F : b & 0x0F;
    for (int k = b < 0x80 ? 0 : b < 0xE0 ? 1 : 2; k > 0; --k) c = (c << 6) | (utf8[i++] & 0x3F);
    out += little_endian ? std::string{char(c), char(c >> 8)} : std::string{char(c >> 8), char(c)};
  }
  return out;
}

// The rows of a table, every other one first: each statement comes back after others, as in a
// table that another program sorted.
std::string EveryOtherRowFirst(const std::string& table) {
  const auto le16 = [&table](std::size_t at) {
    return std::size_t{std::uint8_t(table[at])} | std::size_t{std::uint8_t(table[at + 1])} << 8;
  };
  const std::size_t start = le16(8), width = le16(10);
  std::string rows[2];
  std::size_t at = start;
  for (std::size_t n = 0; at + width < table.size(); at += width, ++n)
    rows[n % 2] += table.substr(at, width);
  return table.substr(0, start) + rows[0] + rows[1] + table.substr(at);
}

class StatementWarningsTest : public ::testing::Test, protected Session {
 protected:
  // The messages of a conversion of `statement` into a new `table`, which must succeed.
  std::vector<Shown> ToTable(const std::string& statement) {
    files.Put("in.gpc", statement);
    files.Remove("out.dbf");
    files.Remove("out.dbt");
    prompter.shown.clear();
    EXPECT_EQ(ConvertAboToDbf("in.gpc", "out.dbf", context), 1);
    return prompter.shown;
  }
  std::vector<Shown> Back() {
    prompter.shown.clear();
    files.Remove("back.gpc");
    EXPECT_EQ(ConvertDbfToAbo("out.dbf", "back.gpc", context), 1);
    return prompter.shown;
  }
};

// The made-up balances of a bank sample: tests/python/cli_in_python_test.py. Its UTF-8 and UTF-16
// copies give the same table.
TEST_F(StatementWarningsTest, RealStatementsAddUpInBothDirections) {
  const std::string original = ReadFile(TRELVAN_EXAMPLE);
  EXPECT_EQ(ToTable(original), std::vector<Shown>{Success(7, 2)});
  const std::string table = files.Contents("out.dbf"), memo = files.Contents("out.dbt");
  EXPECT_EQ(Back(), std::vector<Shown>{Success(7, 2)});
  const std::string utf8 = Utf8FromWindows1250(original);
  ASSERT_NE(utf8, original);
  for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8, Utf16(utf8, true),
                                   Utf16(utf8, false), "\xEF\xBB\xBF" + original}) {
    const bool utf16 = bytes[0] != utf8[0] && bytes[0] != '\xEF';
    std::vector<Shown> expected{Recoded(utf16 ? "UTF-16" : "UTF-8"), Success(7, 2)};
    if (bytes.substr(3) == original) expected.erase(expected.begin());  // a mark, then windows-1250
    EXPECT_EQ(ToTable(bytes), expected);
    EXPECT_EQ(files.Contents("out.dbf"), table);
    EXPECT_EQ(files.Contents("out.dbt"), memo);
  }
  // Too large for a table, so only a check reads it; its balances are made up, too.
  files.Put("crlf.gpc", ReadFile(TRELVAN_TEST_DATA "/samples/crlf-074-117.gpc"));
  prompter.shown.clear();
  EXPECT_TRUE(CheckStatementFile("crlf.gpc", context));
  files.FailCall(2);  // its first read: no check passes
  EXPECT_FALSE(CheckStatementFile("crlf.gpc", context));
  EXPECT_EQ(prompter.shown.at(0), Warning("crlf.gpc: Výpis č. 111 účtu 0001111111111111: počáteční "
                                          "zůstatek - obrat debet + obrat kredit se liší od "
                                          "konečného zůstatku o 112 000 000 000,00 Kč"));
}

TEST_F(StatementWarningsTest, BothDirectionsWarnAboutEachStatementThatDoesNotAddUp) {
  // 154 230,50 - 12 087,30 + 19 000,00 = 161 143,20, the last statement of 2025. A statement of
  // another account between them leaves the sequence alone; the next starts from 1,00 Kč less
  // and its debit item is 0,30 short; then a new balance 0,01 off, a credit item 0,01 short, and
  // turnovers that are not checked because of a reversal ("-").
  const Balances first{15423050, 1208730, 1900000, 16114320};
  const Balances gap{first.next - 100, 1208730, 1900000, first.next - 100 + 691270};
  const Balances unbalanced{gap.next, 1208730, 1900000, gap.next + 691270 + 1};
  const Balances short_credit{unbalanced.next, 0, 1900000, unbalanced.next + 1900000};
  const Balances reversal{short_credit.next, 1, 1900000, short_credit.next + 1899999};
  const std::string debit = ItemLine('1', 1208730), credit = ItemLine('2', 1900000);
  const std::string statement = HeaderLine("365", first).replace(108, 6, "311225") + debit +
                                credit + HeaderLine("001", {1, 0, 1900000, 1900001}, "99") +
                                credit + HeaderLine("049", gap) + ItemLine('1', 1208700) + credit +
                                HeaderLine("050", unbalanced) + debit + credit +
                                HeaderLine("051", short_credit) + ItemLine('2', 1899999) +
                                HeaderLine("052", reversal) + debit + credit + ItemLine('-', 5);
  const std::string warnings[] = {
      "049: součet položek s kódem 1 se liší od obratu debet o 0,30 Kč",
      "049 nenavazuje na výpis č. 365: počáteční zůstatek se liší od jeho konečného o 1,00 Kč",
      "050: počáteční zůstatek - obrat debet + obrat kredit se liší od konečného zůstatku o 0,01 "
      "Kč",
      "051: součet položek s kódem 2 se liší od obratu kredit o 0,01 Kč"};
  // The table's rows sorted by another program give the same warnings and counts: each
  // statement is checked whole, in the order issued.
  for (const std::string pass : {"in.gpc", "out.dbf", "sorted"}) {
    const std::string file = pass == "in.gpc" ? pass : "out.dbf";
    std::vector<Shown> expected;
    for (const std::string& w : warnings)
      expected.push_back(
          Warning(file + ": Výpis č. " + w.substr(0, 3) + " účtu 0000001234567890" + w.substr(3)));
    expected.push_back(Success(11, 6));
    if (pass == "in.gpc") {
      EXPECT_EQ(ToTable(statement), expected);
      continue;
    }
    if (pass == "sorted") {
      files.Put(file, EveryOtherRowFirst(files.Contents(file)));
      expected.insert(expected.end() - 1,
                      Notice("out.dbf: Výpis č. 365 účtu 0000001234567890 se v tabulce vrací po "
                             "jiném výpisu (záznam 7); řádky jsou zapsány v pořadí tabulky"));
    }
    EXPECT_EQ(Back(), expected);
  }
}

TEST(CzechWordingTest, CountsAgreeWithTheirNumbers) {
  for (const std::string text :
       {"Převedeny 3 položky ve 3 výpisech", "Převedeny 4 položky ve 4 výpisech",
        "Převedeno 22 položek ve 14 výpisech", "Převedeno 5 položek ve 42 výpisech",
        "Převedeno 5 položek ve 200 výpisech", "Převedeno 5 položek v 1500 výpisech",
        "Převedeno 5 položek ve 2000 výpisech", "Převedeno 5 položek ve 12 výpisech",
        "Převedeno 5 položek ve 13 výpisech", "Převedeno 5 položek ve 20 výpisech"}) {
    const std::size_t items = text.find(' ') + 1,
                      statements = text.rfind(' ', text.rfind(' ') - 1) + 1;
    EXPECT_EQ(
        ConvertedCounts(std::stoull(text.substr(items)), std::stoull(text.substr(statements))),
        text);
  }
  EXPECT_EQ(Crowns(-5), "-0,05");
  EXPECT_EQ(Crowns(INT64_MIN), "-92 233 720 368 547 758,08");
}

// One credit item of 12 500,00 Kč that its header's balances agree with.
const Balances kBalanced{15423050, 0, 1250000, 16673050};

TEST_F(StatementWarningsTest, LettersComeOutAsWindows1250AndOthersAsQuestionMarks) {
  std::string line = ItemLine('2', 1250000, "NOTE");
  line.replace(line.find("NOTE"), 20, "ěščřžýáíéúů ø\u0080 €    ");
  EXPECT_EQ(ToTable(HeaderLine("047", kBalanced) + line),
            (std::vector<Shown>{Recoded("UTF-8"),
                                Warning("in.gpc: Počet znaků, které ve windows-1250 "
                                        "nejsou (nahrazeny \"?\"): 2"),
                                Success(1, 1)}));
  EXPECT_NE(files.Contents("out.dbf").find("\xEC\x9A\xE8\xF8\x9E\xFD\xE1\xED\xE9\xFA\xF9 ?? \x80"),
            std::string::npos);
  // The first letter in a line of exactly 128 bytes decides the encoding too.
  line = ItemLine('2', 1250000, "NOTE");
  line.replace(line.find("NOTE"), 7, "Úhrada");
  EXPECT_EQ(ToTable(HeaderLine("047", kBalanced) + line).at(0), Recoded("UTF-8"));
  EXPECT_NE(files.Contents("out.dbf").find("\xDAhrada "), std::string::npos);
  // A file with a byte order mark is converted whole, beyond what the converter holds at once.
  std::string big = "\xEF\xBB\xBF" + HeaderLine("047", {0, 0, 250000000, 250000000});
  for (int i = 0; i < 200; ++i) big += Utf8FromWindows1250(ItemLine('2', 1250000, "\xDAhrada"));
  EXPECT_EQ(ToTable(big), (std::vector<Shown>{Recoded("UTF-8"), Success(200, 1)}));
  // Windows-1250 whose first letters happen to be UTF-8 ("ČŠ"; "á " is not) is read byte for byte,
  // and so are bytes that UTF-8 forbids: an overlong form, a surrogate, a code beyond U+10FFFF.
  for (const std::string& note :
       {std::string("\xC8\x8A") + "OB pr\xE1" + "ce", std::string("\xE0\x80\x80"),
        std::string("\xED\xA0\x80"), std::string("\xF4\x90\x80\x80")}) {
    ToTable(HeaderLine("047", kBalanced) + ItemLine('2', 1250000, note));
    EXPECT_NE(files.Contents("out.dbf").find(note), std::string::npos) << note;
  }
}

TEST_F(StatementWarningsTest, LinesCutInsideTheirFieldsAndEmptyStatementsAreWarnedAbout) {
  const std::string header = HeaderLine("047", kBalanced);
  const std::string item = ItemLine('2', 1250000);
  const Balances none{kBalanced.next, 0, 0, kBalanced.next};
  const std::string statement = header.substr(0, 114) + "\r\n" + item.substr(0, 61) + "\n" +
                                HeaderLine("048", none) + header.substr(0, 113) + "\r\n" +
                                item.substr(0, 60);
  EXPECT_EQ(ToTable(statement),
            (std::vector<Shown>{
                Warning("in.gpc: Výpis č. 048 účtu 0000001234567890 nemá žádné položky"),
                Warning("in.gpc: Řádek 4 je neúplný"), Warning("in.gpc: Řádek 5 je neúplný"),
                Warning("in.gpc: Výpis č. 047 účtu 0000001234567890 nenavazuje na výpis č. 048: "
                        "počáteční zůstatek se liší od jeho konečného o 12 500,00 Kč"),
                Success(2, 2)}));
}

// Past the first 50 warnings only their number is shown. Each "047" pays a credit as a debit and
// does not follow the one before (3 warnings); "046" and "048" have no items (1 and 2).
TEST_F(StatementWarningsTest, WarningsPastTheFirstFiftyAreCounted) {
  std::string statement = HeaderLine("046", kBalanced);
  for (int i = 0; i < 20; ++i) statement += HeaderLine("047", kBalanced) + ItemLine('1', 1250000);
  const std::vector<Shown> shown = ToTable(statement + HeaderLine("048", kBalanced));
  ASSERT_EQ(shown.size(), 52u);
  EXPECT_EQ(shown[50], Warning("… a dalších 13 upozornění"));
}

}  // namespace
}  // namespace trelvan::testing
