// The benchmark's statement files: standard lines of the shape the benchmark's figures assume,
// which come back byte for byte through the table.
#include "bench/statement_generator.h"

#include <gtest/gtest.h>

#include <string>

#include "convert/conversions.h"
#include "formats/fixed_text.h"
#include "formats/statement_table.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_prompter.h"

namespace trelvan::bench {
namespace {

std::string Generate(const StatementFileShape& shape) {
  StatementGenerator generator(shape);
  std::string file;
  char line[kLineWithEnd];
  while (generator.NextLine(line)) file.append(line, sizeof line);
  return file;
}

StatementFileShape SmallShape(std::uint64_t seed) {
  StatementFileShape shape;
  shape.items = 3000;
  shape.max_statement_items = 400;
  shape.seed = seed;
  return shape;
}

TEST(BenchStatementFileTest, HasStandardLinesAndOtherLinesAfterEveryFifthItem) {
  const std::string file = Generate(SmallShape(7));
  ASSERT_EQ(file.size() % kLineWithEnd, 0u);
  int headers = 0;
  int items = 0;
  int others_after_item = 0;
  int codes[3] = {};  // '1', '2', '-'
  bool czech = false;
  // Checks the other lines of the last item: a 076 after every fifth, a 078 too after every
  // tenth.
  bool item_open = false;  // the other lines of the last item are not checked yet
  const auto check_other_lines = [&] {
    if (!item_open) return;
    item_open = false;
    EXPECT_EQ(others_after_item, items % 10 == 0 ? 2 : items % 5 == 0 ? 1 : 0) << "item " << items;
    others_after_item = 0;
  };
  for (std::size_t at = 0; at < file.size(); at += kLineWithEnd) {
    const std::string line = file.substr(at, kLineWithEnd);
    ASSERT_EQ(line.substr(kLineWidth), "\r\n") << "line at " << at;
    ASSERT_EQ(line.find_first_of(std::string("\r\n\0\x1A", 4)), kLineWidth) << "line at " << at;
    for (char c : line) czech |= static_cast<unsigned char>(c) >= 0x80;
    const std::string tag = line.substr(0, 3);
    if (tag == "074") {
      check_other_lines();
      ++headers;
    } else if (tag == "075") {
      check_other_lines();
      ++items;
      item_open = true;
      const char code = line[60];
      EXPECT_TRUE(code == '1' || code == '2' || code == '-') << code;
      ++codes[code == '1' ? 0 : code == '2' ? 1 : 2];
    } else {
      ASSERT_GT(items, 0) << "an other line before any item";
      EXPECT_EQ(tag, others_after_item == 0 ? "076" : "078");
      ++others_after_item;
    }
  }
  check_other_lines();
  EXPECT_EQ(items, 3000);
  EXPECT_GT(headers, 3);
  EXPECT_GT(codes[0], 0);
  EXPECT_GT(codes[1], 0);
  EXPECT_GT(codes[2], 0);
  EXPECT_TRUE(czech);
  EXPECT_TRUE(Generate(StatementFileShape{0, 10, 1}).empty());
}

TEST(BenchStatementFileTest, ComesBackByteForByteWithMemosOnEveryFifthRow) {
  for (std::uint64_t seed = 1; seed <= 3; ++seed) {
    const std::string file = Generate(SmallShape(seed));
    testing::MemoryFileSystem files;
    files.Put("s.gpc", file);
    testing::RecordingPrompter prompter;
    ConversionContext context{files, prompter, Date{2026, 12, 6}};
    ASSERT_EQ(ConvertAboToDbf("s.gpc", "t.dbf", context), 1) << "seed " << seed;
    ASSERT_EQ(ConvertDbfToAbo("t.dbf", "back.gpc", context), 1) << "seed " << seed;
    EXPECT_EQ(files.Contents("back.gpc"), file) << "seed " << seed;

    const std::string table = files.Contents("t.dbf");
    ASSERT_EQ(table.size(), kTableHeaderLength + 3000 * kRecordLength + 1);
    for (std::size_t row = 0; row < 3000; ++row) {
      const char* record = table.data() + kTableHeaderLength + row * kRecordLength;
      EXPECT_EQ(ReadDecimalInteger(std::string_view(record + kMemoFieldOffset, 10)) > 0,
                row % 5 == 4)
          << "row " << row;
    }
  }
}

}  // namespace
}  // namespace trelvan::bench
