// Statement files no bank should write: the conversion reads every byte by its rules, never
// reads or writes out of bounds, and says exactly what happened.
#include <cstdint>
#include <string>

#include "tests/convert/table_builder.h"
#include "tests/robustness/conversion_run.h"

namespace trelvan::testing {
namespace {

using BadAboInputTest = ConversionRunTest;

const std::string kHeader = Line(std::string("074") + "0000001234567890" + "Zelena louka s.r.o. " +
                                 "301126" + "00000001542305+" + "00000001611432+" +
                                 "00000000120873+" + "00000000190000+" + "047" + "011226");
const std::string kItem =
    Line(std::string("075") + "0000001234567890" + "0000002716354827" + "0000000001200" +
         "000000012500" + "1" + "2026110001" + "0308      " + "          " + "011226" +
         "Uhrada              " + "0" + "1203" + "031226");

std::string Field(const std::string& record, std::size_t offset, std::size_t width) {
  return record.substr(offset, width);
}

TEST_F(BadAboInputTest, EmptyOrBlankFilesGiveAnEmptyTable) {
  for (const std::string& abo : {std::string(), std::string("\xEF\xBB\xBF"), std::string("\x1A"),
                                 std::string("\r\n\n\r\r\n")}) {
    SCOPED_TRACE(::testing::PrintToString(abo));
    const Outcome outcome = AboToDbf(abo);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(outcome.shown, std::vector<Shown>{Success()});
    EXPECT_EQ(files_.Contents("out.dbf").size(), 738u);
    EXPECT_EQ(files_.Contents("out.dbt").size(), 512u);
  }
}

TEST_F(BadAboInputTest, LinesOfEveryLengthUpToAThousandAreCutAndCounted) {
  std::string items;   // "075" and spaces, lengths 0 to 1000
  std::string others;  // "x" repeated, after one item
  for (std::size_t length = 0; length <= 1000; ++length) {
    items +=
        (length < 3 ? std::string("075").substr(0, length) : "075" + std::string(length - 3, ' ')) +
        "\n";
    others += std::string(length, 'x') + "\r\n";
  }
  Outcome outcome = AboToDbf(items);
  EXPECT_EQ(outcome.result, 1);
  const std::vector<Shown> cut_and_done{
      Notice("Počet zkrácených řádků (delších než 128 znaků): 872"), Success()};
  EXPECT_EQ(outcome.shown, cut_and_done);
  EXPECT_EQ(files_.Contents("out.dbf").size(), 737u + 233u * 998 + 1);  // lengths 3 to 1000

  outcome = AboToDbf(kItem + others);
  EXPECT_EQ(outcome.shown, cut_and_done);
  const std::string memo = files_.Contents("out.dbt");
  const std::size_t lines = 1000;  // length 0 is no line
  ASSERT_EQ(memo.size(), 512 + (130 * lines + 2 + 511) / 512 * 512);
  EXPECT_EQ(memo.substr(512, 130), "x" + std::string(127, ' ') + "\r\n");
  EXPECT_EQ(memo.substr(512 + 130 * 999, 130), std::string(128, 'x') + "\r\n");
  EXPECT_EQ(memo.substr(512 + 130 * lines, 2), "\x1A\x1A");
}

TEST_F(BadAboInputTest, GarbageInNumbersAndDatesReadsAsFarAsItIsANumber) {
  std::string header = kHeader;
  header.replace(39, 6, "3x1399");            // month 13
  header.replace(45, 15, "  12ab34567890-");  // digits stop at "a"; "-" sign
  header.replace(60, 15, "++000000000012+");  // two signs: no number
  header.replace(108, 6, "310226");           // 31 February
  std::string item = kItem;
  item.replace(48, 13, "0000x0001250-");  // digits stop at "x"; code "-"
  item.replace(122, 6, std::string("\xFF\xFE\0\x01 9", 6));
  ASSERT_EQ(AboToDbf(header + item).result, 1);
  const std::string record = Record(0);
  EXPECT_EQ(Field(record, 37, 8), "19000101");
  EXPECT_EQ(Field(record, 45, 14), "         -0.12");
  EXPECT_EQ(Field(record, 59, 14), "          0.00");
  EXPECT_EQ(Field(record, 104, 8), "19000101");
  EXPECT_EQ(Field(record, 141, 12), "        0.00");
  EXPECT_EQ(Field(record, 153, 1), "-");
  EXPECT_EQ(Field(record, 215, 8), "19000101");
}

TEST_F(BadAboInputTest, NulAndControlBytesInTextAreCopiedUpToTheNul) {
  std::string header = kHeader;
  header.replace(3, 16, std::string("ABC\0DEF\x1A\x7F", 9) + "1234567");
  ASSERT_EQ(AboToDbf(header + kItem).result, 1);
  EXPECT_EQ(Field(Record(0), 1, 16), "ABC             ");
}

TEST_F(BadAboInputTest, BinaryFileConvertsByTheRules) {
  const std::string bytes = PseudoRandomBytes(1 << 16, 12345);
  const Outcome outcome = AboToDbf(bytes);
  ASSERT_EQ(outcome.result, 1);
  EXPECT_EQ(outcome.shown.back(), Success());
  const std::string table = files_.Contents("out.dbf");
  std::uint32_t count = 0;
  for (int i = 3; i >= 0; --i) count = count * 256 + static_cast<unsigned char>(table[4 + i]);
  EXPECT_EQ(table.size(), 737 + 233 * count + 1);
  EXPECT_EQ(files_.Contents("out.dbt").size() % 512, 0u);
  EXPECT_EQ(files_.Contents("in.gpc"), bytes);
}

TEST_F(BadAboInputTest, AmountsBeyondTheTableStopAtTheirLine) {
  std::string item = kItem;
  item.replace(48, 12, "999999999999");
  const Outcome outcome = AboToDbf(kHeader + "\n" + item);
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.shown, std::vector<Shown>{Stop("Částka na řádku 3 je příliš velká")});
}

TEST_F(BadAboInputTest, DirectoriesAreNoFilesToReadOrWrite) {
  files_.MakeDirectory("dir.gpc");
  Outcome outcome{ConvertAboToDbf("dir.gpc", "out.dbf", context_), prompter_.shown};
  EXPECT_EQ(outcome.shown, std::vector<Shown>{CannotOpen("dir.gpc")});
  prompter_.shown.clear();

  files_.MakeDirectory("out.dbf");
  outcome = AboToDbf(kHeader + kItem);
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.shown, std::vector<Shown>{CannotOpen("out.dbf")});

  files_.MakeDirectory("t.dbt");
  files_.Put("in.gpc", kHeader + kItem);
  EXPECT_EQ(ConvertAboToDbf("in.gpc", "t.dbf", context_), 0);
  EXPECT_EQ(prompter_.shown, std::vector<Shown>{CannotOpen("t.dbt")});
  EXPECT_TRUE(files_.Exists("t.dbf"));
  EXPECT_EQ(files_.Contents("t.dbf"), "");
}

}  // namespace
}  // namespace trelvan::testing
