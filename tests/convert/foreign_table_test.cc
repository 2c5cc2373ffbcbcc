// Tables and memo files as other programs write them: fields found by name wherever they
// stand, the memo families of dBASE IV and FoxPro, memo text with trimmed or other line ends.
// Each must give the statement the standard table gives, or stop with a clear message.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "convert/conversions.h"
#include "tests/support/session.h"
#include "tests/support/statement_files.h"

namespace trelvan::testing {
namespace {

struct Column {
  std::string name;
  char type;
  std::size_t width;
};
using Columns = std::vector<Column>;
using Values = std::map<std::string, std::string>;

Columns StandardColumns() {
  Columns columns;
  for (const TestField& slot : kFields)
    columns.push_back({std::string(slot.name), slot.type, slot.width});
  return columns;
}

// A record as a table program writes it: numbers right-justified, a four-byte memo field as a
// binary block number (Visual FoxPro). Values are looked up by the upper-case name.
std::string RowOf(const Columns& columns, const Values& values) {
  std::string record = " ";
  for (const Column& column : columns) {
    std::string name = column.name.substr(0, column.name.find('\0'));
    std::transform(name.begin(), name.end(), name.begin(), ::toupper);
    const std::string value = values.count(name) ? values.at(name) : "";
    if (column.type == 'M' && column.width == 4) {
      record += Le32(static_cast<std::uint32_t>(value.empty() ? 0 : std::stoul(value)));
    } else {
      const std::string pad(column.width - std::min(value.size(), column.width), ' ');
      record += column.type == 'N' || column.type == 'M' ? pad + value : value + pad;
    }
  }
  return record;
}

// A table with these descriptors, their offset bytes left 0 as many programs leave them.
std::string Table(const Columns& columns, const std::vector<std::string>& records,
                  char version = '\x83') {
  const std::size_t backlink = version == '\x30' ? 263 : 0;
  std::size_t record_length = 1;
  for (const Column& column : columns) record_length += column.width;
  std::string table = std::string(1, version) + "\x7A\x0C\x06" +
                      Le32(static_cast<std::uint32_t>(records.size())) +
                      Le16(static_cast<std::uint16_t>(33 + 32 * columns.size() + backlink)) +
                      Le16(static_cast<std::uint16_t>(record_length)) + std::string(20, '\0');
  for (const Column& column : columns) {
    std::string descriptor(32, '\0');
    descriptor.replace(0, column.name.size(), column.name);
    descriptor[11] = column.type;
    descriptor[16] = static_cast<char>(column.width);
    table += descriptor;
  }
  table += '\x0D' + std::string(backlink, '\0');
  for (const std::string& record : records) table += record;
  return table + '\x1A';
}

std::string Be32(std::uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }

enum class Family { kDbase3, kDbase4, kFoxPro };

// A memo file whose memos are `texts`; the header takes 512 bytes or one block.
std::string FamilyMemo(Family family, const std::vector<std::string>& texts,
                       std::uint32_t block_size = 512) {
  std::string file(std::max<std::size_t>(512, block_size), '\0');
  if (family == Family::kDbase4) file.replace(20, 2, Le16(static_cast<std::uint16_t>(block_size)));
  if (family == Family::kFoxPro) file.replace(4, 4, Be32(block_size & 0xFFFF));
  for (const std::string& text : texts) {
    const auto length = static_cast<std::uint32_t>(text.size());
    if (family == Family::kDbase3) file += text + "\x1A\x1A";
    if (family == Family::kDbase4)
      file += std::string("\xFF\xFF\x08\0", 4) + Le32(length + 8) + text;
    if (family == Family::kFoxPro) file += Be32(1) + Be32(length) + text;
    file.resize((file.size() + block_size - 1) / block_size * block_size, '\0');
  }
  const auto next = static_cast<std::uint32_t>(file.size() / block_size);
  return file.replace(0, 4, family == Family::kFoxPro ? Be32(next) : Le32(next));
}

Values Row(std::string_view document, Values changes = {}) {
  Values values{{"CUST_ACCNT", "0000001234567890"},
                {"CUST_NAME", "Zelen\xE1 louka"},
                {"REST_PR_DT", "20261130"},
                {"REST_PREV", "15423.05"},
                {"REST_NEW", "-250.5"},
                {"ORDER_NO", "047"},
                {"ISSUE_DATE", "20261201"},
                {"DOC_NO", std::string(document)},
                {"PRICE", "125.00"},
                {"CODE", "1"},
                {"NOTE", "\xDAhrada"},
                {"DUE_DATE", "20261203"}};
  for (const auto& [name, value] : changes) values[name] = value;
  return values;
}

class ForeignTableTest : public ::testing::Test {
 protected:
  // Converts t.dbf (with a memo file, when named) into a new file and returns it, or "(none)".
  std::string Convert(const std::string& table, const std::string& memo_name = "",
                      const std::string& memo = "") {
    files_.Put("t.dbf", table);
    if (!memo_name.empty()) files_.Put(memo_name, memo);
    prompter_.shown.clear();
    const std::string out = "out" + std::to_string(++runs_) + ".gpc";
    result_ = ConvertDbfToAbo("t.dbf", out, context_);
    if (!memo_name.empty()) files_.Remove(memo_name);
    return files_.Exists(out) ? files_.Contents(out) : "(none)";
  }
  // What the standard table with these rows and a dBASE III memo file of `memos` gives.
  std::string Standard(const std::vector<Values>& rows, const std::vector<std::string>& memos) {
    std::vector<std::string> records;
    for (const Values& row : rows) records.push_back(RowOf(StandardColumns(), row));
    return Convert(Table(StandardColumns(), records), "t.dbt", FamilyMemo(Family::kDbase3, memos));
  }

  MemoryFileSystem files_;
  RecordingPrompter prompter_;
  ConversionContext context_{files_, prompter_, Date{2026, 12, 6}};
  int result_ = 0;
  int runs_ = 0;
};

TEST_F(ForeignTableTest, FieldsAreFoundByNameWhereverTheyStand) {
  // NOTE moved to the front and widened, an extra field, names in lower case or with bytes
  // after their NUL, PRICE widened the way a spreadsheet widens it, ORDER_NO right-justified.
  Columns columns = StandardColumns();
  std::rotate(columns.begin(), columns.begin() + 17, columns.begin() + 18);
  columns[0].width = 40;
  columns.insert(columns.begin() + 5, Column{"EXTRA", 'C', 7});
  columns[1].name = "cust_accnt";
  for (Column& column : columns) {
    if (column.name == "PRICE") column.width = 13;
    if (column.name == "V_SYMBOL") column.name = std::string("V_SYMBOL\0XY", 11);
  }
  const Values first = Row("1", {{"EXTRA", "ignored"}, {"V_SYMBOL", "2026110001"}});
  Values second = Row("2", {{"PRICE", "-1234567.89"}, {"OTHER_LN", "1"}});
  const std::string expected = Standard({first, second}, {Line("076 memo")});
  second["ORDER_NO"] = "47";
  const std::string table = Table(columns, {RowOf(columns, first), RowOf(columns, second)});
  EXPECT_EQ(Convert(table, "t.dbt", FamilyMemo(Family::kDbase3, {Line("076 memo")})), expected);
  EXPECT_EQ(result_, 1);
}

TEST_F(ForeignTableTest, TablesThatCannotBeReadStopWithTheReason) {
  const auto with = [](std::string_view name, char type, std::size_t width, Values values = {}) {
    Columns columns = StandardColumns();
    for (Column& column : columns) {
      if (column.name == name) column = Column{column.name, type, width};
    }
    return Table(columns, {RowOf(columns, Row("1", values))});
  };
  Columns without_memo = StandardColumns(), without_account = StandardColumns();
  without_memo.pop_back();
  without_account.erase(without_account.begin());
  std::string vfp_without_backlink = Table(StandardColumns(), {});
  vfp_without_backlink[0] = '\x30';
  std::string padded_header = Table(StandardColumns(), {});
  padded_header.insert(737, 1, '\0');
  padded_header[8] = static_cast<char>(738 & 0xFF);
  const struct {
    std::string table, message;
    bool refused;  // before the memo file is looked at
  } cases[] = {
      {Table(without_memo, {}), "Tabulka \"t.dbf\" nemá pole OTHER_LN", true},
      {Table(without_account, {}), "Tabulka \"t.dbf\" nemá pole CUST_ACCNT", true},
      {with("PRICE", 'D', 8), "Tabulka \"t.dbf\" nemá pole PRICE", true},
      {with("REST_PR_DT", 'D', 6), "Tabulka \"t.dbf\" nemá pole REST_PR_DT", true},
      {with("NOTE", 'N', 20), "Tabulka \"t.dbf\" nemá pole NOTE", true},
      {"\x00" + Table(StandardColumns(), {}).substr(1), "Soubor \"t.dbf\" není tabulka výpisu",
       true},
      {vfp_without_backlink, "Soubor \"t.dbf\" není tabulka výpisu", true},
      {padded_header, "Soubor \"t.dbf\" není tabulka výpisu", true},
      {Line("0740000001234567890") + Line("075"), "Soubor \"t.dbf\" není tabulka výpisu", true},
      {with("NOTE", 'C', 30, {{"NOTE", "twenty-one characters"}}),
       "Hodnota \"twenty-one characters\" v poli NOTE záznamu 1 je delší než 20 znaků", false},
      {with("ORDER_NO", 'N', 6, {{"ORDER_NO", "1234"}}),
       "Hodnota \"1234\" v poli ORDER_NO záznamu 1 je delší než 3 znaků", false},
      {with("REST_NEW", 'N', 14, {{"REST_NEW", "****"}}),
       "Hodnota \"****\" v poli REST_NEW záznamu 1 není číslo", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const std::string out = Convert(c.table);
    EXPECT_EQ(result_, 0);
    EXPECT_EQ(out, "(none)");  // nothing stays behind
    EXPECT_EQ(prompter_.Outcome().back(), (Shown{MessageStyle::kStop, c.message}));
    EXPECT_EQ(prompter_.Outcome().size(),
              c.refused ? 1u : 2u);  // else the memo file's notice first
  }
}

// ORDER_NO as stored (in the standard field of 3 or in one of 6), then as written.
TEST_F(ForeignTableTest, SequenceNumbersRightJustifiedGetLeadingZeros) {
  for (const std::string c : {"  7|007", "1  |1  ", " -4| -4", "4 7|4 7", "   |   ", "    47|047",
                              "  0047|047", "47    |47 "}) {
    Columns columns = StandardColumns();
    columns[7].width = c.size() - 4;
    std::string record = RowOf(columns, Row("1"));
    record.replace(101, c.size() - 4, c.substr(0, c.size() - 4));
    EXPECT_EQ(Convert(Table(columns, {record})).substr(105, 3), c.substr(c.size() - 3)) << c;
  }
}

TEST_F(ForeignTableTest, LineEndsTypedIntoATextAreWrittenAsSpaces) {
  const Values row = Row("1", {{"NOTE", "two\r\nlines\nor\rthree"}});
  EXPECT_EQ(Convert(Table(StandardColumns(), {RowOf(StandardColumns(), row)})).substr(227, 20),
            "two  lines or three ");
}

TEST_F(ForeignTableTest, MemoFamiliesGiveTheSameLines) {
  const std::vector<std::string> memos = {Line("076 first") + Line("078 second"), Line("079")};
  const std::vector<Values> rows = {Row("1", {{"OTHER_LN", "1"}}), Row("2"),
                                    Row("3", {{"OTHER_LN", "2"}})};
  const std::string expected = Standard(rows, memos);
  ASSERT_EQ(expected.size(), 130 * 7);
  const struct {
    char version;
    Family family;
    std::uint32_t block_size;
    std::string memo_name;
  } cases[] = {
      {'\x8B', Family::kDbase4, 512, "t.dbt"}, {'\x8B', Family::kDbase4, 1024, "t.dbt"},
      {'\x83', Family::kDbase4, 512, "t.dbt"},  // dBASE IV memos under a dBASE III table
      {'\xF5', Family::kFoxPro, 64, "t.fpt"},  {'\x30', Family::kFoxPro, 32, "t.fpt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.block_size);
    Columns columns = StandardColumns();
    if (c.version == '\x30') columns.back().width = 4;
    const std::size_t first = std::max<std::size_t>(512, c.block_size) / c.block_size;
    const std::size_t second = first + (memos[0].size() + 8 + c.block_size - 1) / c.block_size;
    std::vector<std::string> records;
    for (Values row : rows) {
      if (row.count("OTHER_LN"))
        row["OTHER_LN"] = std::to_string(row["OTHER_LN"] == "1" ? first : second);
      records.push_back(RowOf(columns, row));
    }
    EXPECT_EQ(Convert(Table(columns, records, c.version), c.memo_name,
                      FamilyMemo(c.family, memos, c.block_size)),
              expected);
    EXPECT_EQ(prompter_.Outcome().size(), 1u);  // the success, without a notice
  }
}

TEST_F(ForeignTableTest, MemoPointersIntoTheHeaderOrBeyondAnyFileGiveNoLines) {
  Columns columns = StandardColumns();
  columns.back().width = 20;
  const std::string memo = FamilyMemo(Family::kFoxPro, {Line("076 first")}, 64);
  const std::string table = Table(columns,
                                  {RowOf(columns, Row("1", {{"OTHER_LN", "3"}})),
                                   RowOf(columns, Row("2", {{"OTHER_LN", "99999999999999999999"}})),
                                   RowOf(columns, Row("3", {{"OTHER_LN", "8"}}))},
                                  '\xF5');
  EXPECT_EQ(Convert(table, "t.fpt", memo).size(), 5 * 130u);  // only the third row's memo
}

TEST_F(ForeignTableTest, MemoFileOfNoKnownFamilyStopsBeforeAnythingIsCreated) {
  const std::string table = Table(StandardColumns(), {RowOf(StandardColumns(), Row("1"))});
  for (const std::string& memo :
       {Line("0740000001234567890") + std::string(400, ' '),
        FamilyMemo(Family::kFoxPro, {Line("076")}, 64), std::string("\x01\0\0\0", 4)}) {
    EXPECT_EQ(Convert(table, "t.dbt", memo), "(none)");
    EXPECT_EQ(prompter_.Outcome(),
              (std::vector<Shown>{
                  {MessageStyle::kStop, "Soubor \"t.dbt\" není soubor memo dBASE ani FoxPro"}}));
  }
}

TEST_F(ForeignTableTest, MemoTextIsCutIntoWholeLines) {
  const std::string a = Line("076 first"), b = Line("078 second");
  const struct {
    std::string text;  // from block 1
    std::string lines;
  } cases[] = {
      {a + b + "\x1A\x1A", a + b},                            // standard
      {"076 first\r\n078 second\x1A\x1A", a + b},             // trimmed
      {"076 first\n078 second\n\x1A\x1A", a + b},             // LF
      {"076 first\r078 second\n\r\n\x1A", a + b + Line("")},  // CR, LF, an empty line, one mark
      {"076 first\r\n078 second", a + b},                     // cut short, no end mark
      {"076 first\r\n078 second\x1A" + std::string(100, '\0'), a + b},
      {"076 first\r\n" + std::string(200, '\0') + "076 next memo", a},  // lost mark, padding
      {"076 first" + std::string(130, 'x') + "\r\n\x1A\x1A",
       Line("076 first" + std::string(119, 'x'))},
  };
  const std::string table =
      Table(StandardColumns(), {RowOf(StandardColumns(), Row("1", {{"OTHER_LN", "1"}})),
                                RowOf(StandardColumns(), Row("2"))});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::string out = Convert(table, "t.dbt", FamilyMemo(Family::kDbase3, {}) + c.text);
    ASSERT_EQ(out.size(), 3 * 130 + c.lines.size());
    EXPECT_EQ(out.substr(260, c.lines.size() + 3), c.lines + "075");
  }
}

}  // namespace
}  // namespace trelvan::testing
