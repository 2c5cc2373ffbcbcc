// ABO -> DBF. Statement files of every shape (the banks' samples: tests/robustness) go through the
// model in tests/support; the first test pins the model to bytes written by hand.
#include <gtest/gtest.h>

#include "bench/statement_generator.h"
#include "convert/conversions.h"
#include "tests/support/conversion_checks.h"
#include "tests/support/session.h"
#include "tests/support/statement_files.h"

namespace trelvan::testing {
namespace {

using namespace std::string_literals;

const std::string kNote = "\xDAhrada \x8Elu\x9Dou\xE8k\xFD k\xF9\xF2";  // windows-1250
const std::string kHeader = Line(
    "0740000001234567890Zelen\xE1 louka s.r.o. 30112600000001542305+00000001611432+"
    "00000000120873+00000000190000+047011226");
const std::string kItem = Line(
    "07500000012345678900000002716354827000000000120000000001250012026"
    "1100010308                011226" +
    kNote + "01203031226");
const std::string kOther = Line("076Pohyb z \xFA\xE8tu 2716354827/0800");
// Beyond 32 bits, exactly the width, digits that stop early, two signs, 29 February, no date.
const std::string kOddHeader = Line(
    "074ABC\0DEF\x1A\x7F"
    "1234567Modr\xE1 hora          29020000002147483648-09999999999999+"
    "  12ab34567890-++000000000012+1  310226"s);
// The "-" code negates; no text, a value date that is no date, due date bytes that are none.
const std::string kMinusItem = Line(
    "07500000012345678900000000019283746000000000000200000000002"
    "9-                              99x9zzPoplatek            01203\xFF\xFE\0\x01 9"s);
const std::string kNegativeItem =
    Line("075000000123456789000000000192837460000000000003-000000012341");

TEST(AboToDbfTest, FieldsTakeTheirTableForm) {
  Session s;
  s.files.Put("in.gpc",
              kHeader + kItem + kOther + kOther + kOddHeader + kMinusItem + kNegativeItem + kOther);
  ASSERT_EQ(ConvertAboToDbf("in.gpc", "out.dbf", s.context), 1);
  const Record a(
      "0000001234567890|Zelen\xE1 louka s.r.o.|20261130|15423.05|16114.32|1208.73|1900.00|047|"
      "20261201|0000002716354827|0000000001200|125.00|1|2026110001|0308||011226|" +
      kNote + "|0|1203|20261203|1");
  // The account cut at its NUL.
  Record b(
      "ABC|Modr\xE1 hora|20000229|-21474836.48|99999999999.99|-0.12|0.00||19000101|"
      "0000000019283746|0000000000002|-0.29|-||||99x9zz|Poplatek|0|1203|19000101");
  b.Raw(OffsetOf("ORDER_NO"), "1  ");
  const Record c = Record(b)
                       .Set("DOC_NO", "0000000000003")
                       .Set("PRICE", "-12.34")
                       .Set("CODE", "1")
                       .Raw(OffsetOf("VALUTA"), std::string(31, ' '))
                       .Set("OTHER_LN", "2");
  EXPECT_EQ(s.files.Contents("out.dbf"), TableFile({a, b, c}));
  MemoFile memo;
  memo.Add({kOther, kOther});
  memo.Add({kOther});
  EXPECT_EQ(s.files.Contents("out.dbt"), static_cast<const std::string&>(memo));
  EXPECT_EQ(s.prompter.Outcome(), std::vector<Shown>{Success()});
}

// Every other shape (line ends, marks, cut and odd lines, dates and amounts that are none) is a
// seed of fuzz/corpus/abo, checked by FuzzCorpusTest.
TEST(AboToDbfTest, LinesOfEveryLengthAndRandomBytesConvertAsTheModelPredicts) {
  std::string lengths = "075\n";  // item lines and other lines of every length up to 1000
  for (std::size_t n = 0; n <= 1000; ++n) lengths += "075" + std::string(n, ' ') + "\n";
  for (std::size_t n = 0; n <= 1000; ++n) lengths += std::string(n, 'x') + "\r\n";
  EXPECT_EQ(CheckAboToDbf(lengths), "");
  EXPECT_EQ(CheckAboToDbf(PseudoRandomBytes(1 << 16, 12345)), "");
}

// Statement files of the standard shape go to a table and back byte for byte: the benchmark's
// realistic files, and any bytes mended into a statement file.
TEST(RoundTripTest, GeneratedStatementFilesComeBackByteForByte) {
  for (std::uint64_t seed = 1; seed <= 3; ++seed) {
    EXPECT_EQ(CheckRoundTrip(bench::StatementFile({3000, 400, seed})), "") << "seed " << seed;
  }
  for (std::uint32_t n = 0; n < 200; ++n) {
    const std::string bytes = PseudoRandomBytes(128 * (1 + n % 60), n);
    EXPECT_EQ(CheckRoundTrip(StandardStatementFile(bytes)), "") << "file " << n;
  }
}

// Nothing is touched when an input or output cannot be opened, or a statement stops over a good
// table. Table and memo file are replaced together: one question, about the memo file if only it
// is.
TEST(AboToDbfTest, AsksAboutTheOutputThereAndTouchesNothingThatCannotBeOpened) {
  Session s;
  EXPECT_EQ(ConvertAboToDbf("missing.gpc", "out.dbf", s.context), 0);
  s.files.Put("in.gpc", kHeader + kItem);
  s.files.Put("bad.gpc", kHeader + kItem.substr(0, 48) + "999999999999" + kItem.substr(60));
  s.files.MakeDirectory("out.dbf");
  s.files.MakeDirectory("t.dbt");
  s.files.Put("good.dbf", "good table");
  s.files.Put("good.dbt", "good memo");
  s.files.Put("dir/new.dbt", "old memo");
  const auto before = s.files.Snapshot();
  EXPECT_EQ(ConvertAboToDbf("in.gpc", "out.dbf", s.context), 0);
  EXPECT_EQ(ConvertAboToDbf("in.gpc", "t.dbf", s.context), 0);
  s.prompter.AnswerNext(true);
  EXPECT_EQ(ConvertAboToDbf("bad.gpc", "good.dbf", s.context), 0);
  EXPECT_EQ(ConvertAboToDbf("in.gpc", "dir/new.dbf", s.context), 0);
  EXPECT_EQ(s.files.Snapshot(), before);
  EXPECT_EQ(s.files.open_files(), 0);
  s.prompter.AnswerNext(true);
  EXPECT_EQ(ConvertAboToDbf("in.gpc", "good.dbf", s.context), 1);
  EXPECT_EQ(s.files.Contents("good.dbt").size(), 512u);
  EXPECT_EQ(s.files.Snapshot().size(), before.size());  // no temporary left
  const auto question = [](const std::string& name) {
    return Shown{MessageStyle::kQuestion, "Soubor \"" + name + "\" již existuje!\nPřepsat?"};
  };
  EXPECT_EQ(s.prompter.Outcome(),
            (std::vector<Shown>{CannotOpen("missing.gpc", "soubor neexistuje"),
                                CannotOpen("out.dbf", "je to složka"),
                                CannotOpen("t.dbt", "je to složka"), question("good.dbf"),
                                Stop("Částka na řádku 2 je příliš velká"), question("new.dbt"),
                                question("good.dbf"), Success()}));
}

// An output that is the input or the other output under another name is refused before the question
// (links on a real disk: the file layer's identity test); so is a table, memo file or text as
// input.
TEST(AboToDbfTest, NeverTakesTheWrongFile) {
  Session s;
  s.files.Put("x.gpc", kHeader + kItem + kOther);
  s.files.Put("x.dbt", kHeader + kItem);
  s.files.Link("x.gpc", "alias.dbt");
  ASSERT_EQ(ConvertAboToDbf("x.gpc", "t.dbf", s.context), 1);
  s.files.Put("text.txt", "Dear bank,\r\nplease send the statement.\r\n");
  // A table whose header ends where it says, even when a text of its holds an item line.
  std::string table("\x03\x7A\x0C\x06\0\0\0\0\x41\0", 10);
  table.resize(64, '\0');
  s.files.Put("text.dbf", table + "\r\n" + kItem);
  const auto before = s.files.Snapshot();
  const std::pair<std::string, std::string> runs[] = {
      {"x.gpc", "x.gpc"},   {"x.dbt", "x.dbf"},   {"x.gpc", "alias.dbf"},  {"x.gpc", "t.dbt"},
      {"t.dbf", "new.dbf"}, {"t.dbt", "new.dbf"}, {"text.txt", "new.dbf"}, {"text.dbf", "new.dbf"}};
  for (const auto& [abo, dbf] : runs) EXPECT_EQ(ConvertAboToDbf(abo, dbf, s.context), 0);
  const auto same = [](const std::string& output, const std::string& input) {
    return CannotOpen(output, "je to tentýž soubor jako \"" + input + "\"");
  };
  std::vector<Shown> expected = {Success(), same("x.gpc", "x.gpc"), same("x.dbt", "x.dbt"),
                                 same("alias.dbt", "x.gpc"), same("t.dbt", "t.dbt")};
  for (const char* name : {"t.dbf", "t.dbt", "text.txt", "text.dbf"})
    expected.push_back(Stop("Soubor \"" + std::string(name) + "\" není výpis ABO"));
  EXPECT_EQ(s.prompter.Outcome(), expected);
  EXPECT_EQ(s.files.Snapshot(), before);
}

}  // namespace
}  // namespace trelvan::testing
