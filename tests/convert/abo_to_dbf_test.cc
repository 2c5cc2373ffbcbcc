#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "convert/conversions.h"
#include "convert/messages.h"
#include "tests/convert/abo_fixture.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_prompter.h"

namespace trelvan::testing {
namespace {

const Date kToday{2026, 12, 6};
const Shown kSuccess{MessageStyle::kPlain, "Konverze proběhla úspěšně"};

class AboToDbfTest : public ::testing::Test {
 protected:
  int Convert(const std::string& abo = "in.gpc", const std::string& dbf = "out.dbf") {
    ConversionContext context{files_, prompter_, today_};
    return ConvertAboToDbf(abo, dbf, context);
  }

  // Converts `statement` and expects success with exactly these table and memo files.
  void ExpectConversion(const std::string& statement, const std::vector<std::string>& records,
                        const std::vector<std::vector<std::string>>& memos) {
    files_.Put("in.gpc", statement);
    files_.Remove("out.dbf");
    ASSERT_EQ(Convert(), 1);
    EXPECT_EQ(prompter_.shown, std::vector<Shown>{kSuccess});
    EXPECT_EQ(files_.Contents("out.dbf"), TableFile(kToday, records));
    EXPECT_EQ(files_.Contents("out.dbt"), MemoFile(memos));
    EXPECT_EQ(files_.open_files(), 0);
  }

  MemoryFileSystem files_;
  RecordingPrompter prompter_;
  Date today_ = kToday;
};

TEST_F(AboToDbfTest, EmptyStatementGivesEmptyTableAndMemoHeader) {
  ExpectConversion("", {}, {});
  EXPECT_EQ(files_.Contents("out.dbf").size(), 738u);
  EXPECT_EQ(files_.Contents("out.dbt").substr(0, 4), std::string("\x01\0\0\0", 4));
}

TEST_F(AboToDbfTest, HeaderLinesFillEveryRecordOfTheirStatementAndOtherLinesBecomeMemos) {
  HeaderValues first;
  HeaderValues second;
  second.sequence = "1  ";
  second.previous = -123456;
  second.date = "290200";
  ItemValues a;
  ItemValues b;
  b.amount = 29;
  b.code = '-';
  b.due = "290201";
  ItemValues c;
  c.amount = -2990;
  c.code = '1';
  const std::string o1 = OtherLine("076Pohyb z \xfa\xe8tu");
  const std::string o2 = OtherLine("078Zpr\xe1va pro p\xf8\xedjemce");
  const std::string o3 = OtherLine("078 after the second header");
  ExpectConversion(Statement({HeaderLine(first), ItemLine(a), o1, o2, HeaderLine(second), o3,
                              ItemLine(b), ItemLine(c), o1}),
                   {HeaderPart(first) + ItemPart(a, 1), HeaderPart(second) + ItemPart(b),
                    HeaderPart(second) + ItemPart(c, 2)},
                   {{o1, o2, o3}, {o1}});
}

TEST_F(AboToDbfTest, MemoOfSixtyThreeLinesEndsOnABlockBoundaryWithoutPadding) {
  const HeaderValues header;
  const ItemValues item;
  std::vector<std::string> lines{HeaderLine(header), ItemLine(item)};
  const std::vector<std::string> long_memo(63, OtherLine("076 line"));
  lines.insert(lines.end(), long_memo.begin(), long_memo.end());
  lines.push_back(ItemLine(item));
  lines.push_back(OtherLine("078 next"));
  ExpectConversion(
      Statement(lines),
      {HeaderPart(header) + ItemPart(item, 1), HeaderPart(header) + ItemPart(item, 17)},
      {long_memo, {OtherLine("078 next")}});
  EXPECT_EQ(files_.Contents("out.dbt").size(), 512u + 8192u + 512u);
}

TEST_F(AboToDbfTest, OtherLinesBeforeTheFirstItemFormAMemoNoRecordRefersTo) {
  const HeaderValues header;
  const ItemValues item;
  const std::string early = OtherLine("076 before any item");
  ExpectConversion(Statement({early, HeaderLine(header), ItemLine(item)}),
                   {HeaderPart(header) + ItemPart(item)}, {{early}});
}

TEST_F(AboToDbfTest, ItemsBeforeTheFirstHeaderGetWhatABlankHeaderLineGives) {
  const ItemValues item;
  HeaderValues blank;
  blank.account = blank.name = blank.previous_date = blank.sequence = blank.date = "";
  blank.previous = blank.next = blank.debit = blank.credit = 0;
  const std::string blank_part = HeaderPart(blank);
  ASSERT_EQ(blank_part.substr(37, 8), "19000101");
  ASSERT_EQ(blank_part.substr(45, 14), "          0.00");
  ExpectConversion(Statement({ItemLine(item)}), {blank_part + ItemPart(item)}, {});
}

TEST_F(AboToDbfTest, AmountsBeyondThirtyTwoBitsAreWrittenExactly) {
  HeaderValues header;
  header.previous = 2147483648;
  header.next = -999999999999;
  header.credit = 9999999999999;
  ItemValues item;
  item.amount = 99999999999;
  ExpectConversion(Statement({HeaderLine(header), ItemLine(item)}),
                   {HeaderPart(header) + ItemPart(item)}, {});
  EXPECT_EQ(files_.Contents("out.dbf").substr(737 + 45, 14), "   21474836.48");
}

TEST_F(AboToDbfTest, AmountTheFieldCannotHoldStopsAtItsLine) {
  HeaderValues header;
  ItemValues item;
  item.amount = 100000000000;  // 1 000 000 000.00 needs 13 characters
  files_.Put("in.gpc", Statement({HeaderLine(header), ItemLine(ItemValues()), OtherLine("076"),
                                  ItemLine(item)}));
  EXPECT_EQ(Convert(), 0);
  EXPECT_EQ(prompter_.shown,
            (std::vector<Shown>{{MessageStyle::kStop, "Částka na řádku 4 je příliš velká"}}));
  EXPECT_EQ(files_.open_files(), 0);

  prompter_.shown.clear();
  header.debit = 99999999999999;
  files_.Put("in.gpc", "\r\n" + Statement({HeaderLine(header)}));
  EXPECT_EQ(Convert("in.gpc", "second.dbf"), 0);
  EXPECT_EQ(prompter_.shown,
            (std::vector<Shown>{{MessageStyle::kStop, "Částka na řádku 2 je příliš velká"}}));
}

// Real statement files come with trimmed lines, other line ends, a byte order mark or an
// old end-of-file mark; each gives the table of the standard file.
TEST_F(AboToDbfTest, FindsLinesByTheirLineEnds) {
  const HeaderValues header;
  ItemValues item;
  item.due = "";  // trims to a 122-character line
  item.note = "";
  const std::string o1 = OtherLine("078 trimmed");
  const std::vector<std::string> lines{HeaderLine(header), ItemLine(item), o1};
  std::vector<std::string> trimmed;
  for (std::string line : lines) trimmed.push_back(line.erase(line.find_last_not_of(' ') + 1));
  const std::vector<std::string> records{HeaderPart(header) + ItemPart(item, 1)};
  const std::vector<std::vector<std::string>> memos{{o1}};

  const std::string variants[] = {
      Statement(lines),
      Statement(lines, "\n"),
      Statement(lines, "\r"),
      Statement(trimmed, "\r\n"),
      Statement(trimmed, "\n"),
      Statement(trimmed, "\n").substr(0, Statement(trimmed, "\n").size() - 1),
      "\xEF\xBB\xBF" + Statement(lines),
      Statement(lines) + "\x1A",
      Statement(trimmed, "\r\n").substr(0, Statement(trimmed, "\r\n").size() - 2) + "\x1A",
      "\r\n\n" + Statement(trimmed, "\n\n\r\n"),
  };
  for (const std::string& variant : variants) {
    SCOPED_TRACE(::testing::PrintToString(variant.substr(0, 8)));
    prompter_.shown.clear();
    ExpectConversion(variant, records, memos);
  }
}

std::string ReadSample(const std::string& name) {
  std::ifstream in(std::string(TRELVAN_TEST_DATA) + "/samples/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Each line of `text` padded to 128 characters and ended with CR LF.
std::string Standardised(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  std::string out;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out += OtherLine(line) + "\r\n";
  }
  return out;
}

TEST_F(AboToDbfTest, BankSamplesGiveTheTablesOfTheirStandardForm) {
  for (const char* name : {"csob-lf-trimmed.gpc", "cs-lf-trimmed.gpc"}) {
    SCOPED_TRACE(name);
    const std::string sample = ReadSample(name);
    ASSERT_FALSE(sample.empty());
    files_.Put("standard.gpc", Standardised(sample));
    files_.Put("in.gpc", sample);
    ASSERT_EQ(Convert("standard.gpc", "standard.dbf"), 1);
    ASSERT_EQ(Convert("in.gpc", "sample.dbf"), 1);
    EXPECT_EQ(files_.Contents("sample.dbf"), files_.Contents("standard.dbf"));
    EXPECT_EQ(files_.Contents("sample.dbt"), files_.Contents("standard.dbt"));
    files_.Remove("standard.dbf");
    files_.Remove("sample.dbf");
  }
  // Its credit turnover, 111 111 111 111.11, is too long for the table's 14 characters.
  files_.Put("in.gpc", ReadSample("crlf-074-117.gpc"));
  EXPECT_EQ(Convert(), 0);
  EXPECT_EQ(prompter_.shown.back(),
            (Shown{MessageStyle::kStop, "Částka na řádku 1 je příliš velká"}));
}

TEST_F(AboToDbfTest, KeepsAnEndOfFileMarkThatIsNotTheLastByte) {
  // Only the last of two 0x1A bytes is the mark; the other is a line of its own.
  ExpectConversion(Statement({HeaderLine(HeaderValues())}) + "\x1A\x1A", {}, {{OtherLine("\x1A")}});
  prompter_.shown.clear();
  files_.Put("in.gpc", "\x1A\r\n" + Statement({ItemLine(ItemValues())}));
  ASSERT_EQ(Convert("in.gpc", "second.dbf"), 1);
  EXPECT_EQ(files_.Contents("second.dbt"), MemoFile({{OtherLine("\x1A")}}));
}

TEST_F(AboToDbfTest, CutsLongLinesAndCountsThem) {
  const HeaderValues header;
  const ItemValues item;
  const std::string long_other = OtherLine("076 long") + "overflow beyond 128";
  files_.Put("in.gpc", Statement({HeaderLine(header) + "EXTRA", ItemLine(item), long_other}));
  ASSERT_EQ(Convert(), 1);
  EXPECT_EQ(prompter_.shown,
            (std::vector<Shown>{
                {MessageStyle::kInformation, "Počet zkrácených řádků (delších než 128 znaků): 2"},
                kSuccess}));
  EXPECT_EQ(files_.Contents("out.dbf"),
            TableFile(kToday, {HeaderPart(header) + ItemPart(item, 1)}));
  EXPECT_EQ(files_.Contents("out.dbt"), MemoFile({{OtherLine("076 long")}}));
}

TEST_F(AboToDbfTest, ChunksOfAStandardFileAreUnchangedByTheLineSearch) {
  // Bytes 129 and 130 of a standard line are its line end; anything else there starts a line.
  const HeaderValues header;
  const ItemValues item;
  ExpectConversion(Statement({HeaderLine(header), ItemLine(item)}),
                   {HeaderPart(header) + ItemPart(item)}, {});
}

TEST_F(AboToDbfTest, TakesTheTableDateFromTheContext) {
  files_.Put("in.gpc", "");
  today_ = Date{2002, 12, 19};
  ASSERT_EQ(Convert(), 1);
  EXPECT_EQ(files_.Contents("out.dbf").substr(0, 4), "\x83\x02\x0C\x13");
}

TEST_F(AboToDbfTest, MissingSourceIsReportedAndNothingIsCreated) {
  EXPECT_EQ(Convert("missing.gpc"), 0);
  EXPECT_EQ(prompter_.shown,
            (std::vector<Shown>{{MessageStyle::kStop, "Nemohu otevřít soubor \"missing.gpc\""}}));
  EXPECT_FALSE(files_.Exists("out.dbf"));
  EXPECT_FALSE(files_.Exists("out.dbt"));
}

TEST_F(AboToDbfTest, AsksAboutAnExistingTableByItsFileNameOnly) {
  files_.Put("in.gpc", Statement({ItemLine(ItemValues())}));
  files_.Put("dir/out.dbf", "old table");
  files_.Put("dir/out.dbt", "old memo");
  ConversionContext context{files_, prompter_, today_};
  EXPECT_EQ(ConvertAboToDbf("in.gpc", "dir/out.dbf", context), 0);
  EXPECT_EQ(prompter_.shown, (std::vector<Shown>{{MessageStyle::kQuestion,
                                                  "Soubor \"out.dbf\" již existuje!\nPřepsat?"}}));
  EXPECT_EQ(files_.Contents("dir/out.dbf"), "old table");
  EXPECT_EQ(files_.Contents("dir/out.dbt"), "old memo");

  prompter_.shown.clear();
  prompter_.AnswerNext(true);
  EXPECT_EQ(ConvertAboToDbf("in.gpc", "dir/out.dbf", context), 1);
  EXPECT_EQ(prompter_.shown.size(), 2u);
  EXPECT_EQ(prompter_.shown.back(), kSuccess);
  EXPECT_EQ(files_.Contents("dir/out.dbt"), MemoFile({}));
}

TEST_F(AboToDbfTest, ReplacesAnExistingMemoFileWithoutAsking) {
  files_.Put("in.gpc", "");
  files_.Put("out.dbt", "old memo");
  EXPECT_EQ(Convert(), 1);
  EXPECT_EQ(prompter_.shown, std::vector<Shown>{kSuccess});
  EXPECT_EQ(files_.Contents("out.dbt"), MemoFile({}));
}

TEST_F(AboToDbfTest, OutputsThatCannotBeCreatedAreReported) {
  files_.Put("in.gpc", "");
  files_.MakeDirectory("out.dbf");
  EXPECT_EQ(Convert(), 0);
  EXPECT_EQ(prompter_.shown,
            (std::vector<Shown>{{MessageStyle::kStop, "Nemohu otevřít soubor \"out.dbf\""}}));

  prompter_.shown.clear();
  files_.MakeDirectory("table.dbt");
  EXPECT_EQ(Convert("in.gpc", "table.dbf"), 0);
  EXPECT_EQ(prompter_.shown,
            (std::vector<Shown>{{MessageStyle::kStop, "Nemohu otevřít soubor \"table.dbt\""}}));
  EXPECT_TRUE(files_.Exists("table.dbf"));
  EXPECT_EQ(files_.Contents("table.dbf"), "");
  EXPECT_EQ(files_.open_files(), 0);
}

TEST_F(AboToDbfTest, NeverOverwritesAFileItIsReading) {
  const std::string statement = Statement({HeaderLine(HeaderValues()), ItemLine(ItemValues())});
  struct Case {
    std::string abo, dbf, failing;
  };
  const Case cases[] = {
      {"x.gpc", "x.gpc", "x.gpc"},          // the source as the table
      {"x.dbt", "x.dbf", "x.dbt"},          // the source as the memo file
      {"x.gpc", "alias.dbf", "alias.dbf"},  // another name of the source
      {"x.gpc", "t.dbt", "t.dbt"},          // the table as its own memo file
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.abo + " -> " + c.dbf);
    MemoryFileSystem files;
    files.Put(c.abo, statement);
    files.Link(c.abo, "alias.dbf");
    RecordingPrompter prompter;
    prompter.AnswerNext(true);
    ConversionContext context{files, prompter, today_};
    EXPECT_EQ(ConvertAboToDbf(c.abo, c.dbf, context), 0);
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown.back(),
              (Shown{MessageStyle::kStop, "Nemohu otevřít soubor \"" + c.failing + "\""}));
    EXPECT_EQ(files.Contents(c.abo), statement);
    EXPECT_EQ(files.open_files(), 0);
  }
}

// Fails each file call in turn until a run no longer reaches the failure.
TEST_F(AboToDbfTest, EveryFailingFileCallEndsWithOneStopMessageAndNoOpenFile) {
  std::string statement = Statement({HeaderLine(HeaderValues()), ItemLine(ItemValues()),
                                     OtherLine("076"), ItemLine(ItemValues())});
  while (statement.size() < 200000)
    statement += Statement({ItemLine(ItemValues()), OtherLine("078")});
  int failing_call = 1;
  for (;; ++failing_call) {
    MemoryFileSystem files;
    files.Put("in.gpc", statement);
    RecordingPrompter prompter;
    files.FailCall(failing_call);
    ConversionContext context{files, prompter, today_};
    const int result = ConvertAboToDbf("in.gpc", "out.dbf", context);
    if (!files.failure_hit()) {
      EXPECT_EQ(result, 1);
      break;
    }
    SCOPED_TRACE(failing_call);
    EXPECT_EQ(result, 0);
    ASSERT_EQ(prompter.shown.size(), 1u);
    const Shown& shown = prompter.shown[0];
    EXPECT_EQ(shown.style, MessageStyle::kStop);
    const bool names_a_file = shown.text.find("\"in.gpc\"") != std::string::npos ||
                              shown.text.find("\"out.dbf\"") != std::string::npos ||
                              shown.text.find("\"out.dbt\"") != std::string::npos;
    EXPECT_TRUE(names_a_file) << shown.text;
    EXPECT_EQ(files.open_files(), 0);
    EXPECT_EQ(files.Contents("in.gpc"), statement);
  }
  EXPECT_GT(failing_call, 10);
}

}  // namespace
}  // namespace trelvan::testing
