// Tables and memo files as other programs write them: fields found by name wherever they
// stand, the memo families of dBASE IV and FoxPro, memo text with trimmed or other line ends.
// Each must give the statement the standard table gives, or stop with a clear message.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "convert/conversions.h"
#include "tests/support/session.h"
#include "tests/support/statement_files.h"

namespace trelvan::testing {
namespace {

using Columns = std::vector<TestField>;
using Values = std::map<std::string, std::string>;

Columns StandardColumns() { return {std::begin(kFields), std::end(kFields)}; }

// A record as a table program writes it: numbers right-justified, a four-byte memo field as a
// binary block number (Visual FoxPro). Values are looked up by the upper-case name.
std::string RowOf(const Columns& columns, const Values& values) {
  std::string record = " ";
  for (const TestField& column : columns) {
    std::string name(column.name.substr(0, column.name.find('\0')));
    std::transform(name.begin(), name.end(), name.begin(), ::toupper);
    const std::string value = values.count(name) ? values.at(name) : "";
    const std::string pad(column.width - std::min(value.size(), column.width), ' ');
    if (column.type == 'M' && column.width == 4)
      record += Le32(static_cast<std::uint32_t>(value.empty() ? 0 : std::stoul(value)));
    else
      record += column.type == 'N' || column.type == 'M' ? pad + value : value + pad;
  }
  return record;
}

// A table with these descriptors, their offset bytes left 0 as many programs leave them.
std::string Table(const Columns& columns, const std::vector<std::string>& records,
                  char version = '\x83') {
  const std::size_t backlink = version == '\x30' ? 263 : 0;
  std::size_t record_length = 1;
  for (const TestField& column : columns) record_length += column.width;
  std::string table = std::string(1, version) + "\x7A\x0C\x06" +
                      Le32(static_cast<std::uint32_t>(records.size())) +
                      Le16(static_cast<std::uint16_t>(33 + 32 * columns.size() + backlink)) +
                      Le16(static_cast<std::uint16_t>(record_length)) + std::string(20, '\0');
  for (const TestField& column : columns) {
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
  Values values{{"DOC_NO", std::string(document)}};
  const std::string fields =
      "CUST_ACCNT=0000001234567890|CUST_NAME=Zelen\xE1 "
      "louka|REST_PR_DT=20261130|REST_PREV=15423.05|"
      "REST_NEW=-250.5|ORDER_NO=047|ISSUE_DATE=20261201|PRICE=125.00|CODE=1|NOTE=\xDAhrada|"
      "DUE_DATE=20261203|";
  for (std::size_t at = 0, end; (end = fields.find('|', at)) != std::string::npos; at = end + 1) {
    const std::size_t equals = fields.find('=', at);
    values[fields.substr(at, equals - at)] = fields.substr(equals + 1, end - equals - 1);
  }
  for (const auto& [name, value] : changes) values[name] = value;
  return values;
}

std::string StandardTable(const std::vector<Values>& rows, char version = '\x83') {
  std::vector<std::string> records;
  for (const Values& row : rows) records.push_back(RowOf(StandardColumns(), row));
  return Table(StandardColumns(), records, version);
}

class ForeignTableTest : public ::testing::Test, protected Session {
 protected:
  // Converts t.dbf (and the memo file, when named) into a new file; returns it or "(none)".
  std::string Convert(const std::string& table, const std::string& memo_name = "",
                      const std::string& memo = "") {
    files.Put("t.dbf", table);
    if (!memo_name.empty()) files.Put(memo_name, memo);
    prompter.shown.clear();
    const std::string out = "out" + std::to_string(++runs_) + ".gpc";
    ConvertDbfToAbo("t.dbf", out, context);
    if (!memo_name.empty()) files.Remove(memo_name);
    return files.Exists(out) ? files.Contents(out) : "(none)";
  }
  int runs_ = 0;
};

TEST_F(ForeignTableTest, FieldsAreFoundByNameWhereverTheyStand) {
  // NOTE moved to the front and widened, an extra field, names in lower case or with bytes
  // after their NUL, PRICE widened the way a spreadsheet widens it, ORDER_NO right-justified,
  // line ends typed into a text.
  Columns columns = StandardColumns();
  std::rotate(columns.begin(), columns.begin() + 17, columns.begin() + 18);
  columns[0].width = 40;
  columns.insert(columns.begin() + 5, TestField{"EXTRA", 'C', 7, 0, 0, 0, 0, 0});
  columns[1].name = "cust_accnt";
  for (TestField& column : columns) {
    if (column.name == "PRICE") column.width = 13;
    if (column.name == "V_SYMBOL") column.name = std::string_view("V_SYMBOL\0XY", 11);
  }
  Values first = Row("1", {{"EXTRA", "ignored"}, {"V_SYMBOL", "2026110001"}});
  Values second = Row("2", {{"PRICE", "-1234567.89"}, {"OTHER_LN", "1"}, {"NOTE", "two  lines"}});
  const std::string memo = FamilyMemo(Family::kDbase3, {Line("076 memo")});
  const std::string expected = Convert(StandardTable({first, second}), "t.dbt", memo);
  ASSERT_EQ(expected.size(), 4 * 130u);
  second["ORDER_NO"] = "47";
  second["NOTE"] = "two\r\nlines";
  first["NOTE"] = "\xDAhrada\n";
  EXPECT_EQ(Convert(Table(columns, {RowOf(columns, first), RowOf(columns, second)}), "t.dbt", memo),
            expected);
}

TEST_F(ForeignTableTest, TablesAndMemoFilesThatCannotBeReadStopWithTheReason) {
  const auto with = [](std::string_view name, char type, std::size_t width, Values values = {}) {
    Columns columns = StandardColumns();
    for (TestField& column : columns)
      if (column.name == name) column = {column.name, type, width, 0, 0, 0, 0, 0};
    return Table(columns, {RowOf(columns, Row("1", values))});
  };
  Columns without_memo = StandardColumns();
  without_memo.pop_back();
  std::string vfp_without_backlink = StandardTable({});
  vfp_without_backlink[0] = '\x30';
  const std::string no_table = "Soubor \"t.dbf\" není tabulka výpisu",
                    no_memo = "Soubor \"t.dbt\" není soubor memo dBASE ani FoxPro";
  const struct {
    std::string table, memo, message;
    bool refused;  // before the memo file is looked at, or for the memo file
  } cases[] = {
      {Table(without_memo, {}), "", "Tabulka \"t.dbf\" nemá pole OTHER_LN", true},
      {with("PRICE", 'D', 8), "", "Tabulka \"t.dbf\" nemá pole PRICE", true},
      {with("NOTE", 'N', 20), "", "Tabulka \"t.dbf\" nemá pole NOTE", true},
      {"\x00" + StandardTable({}).substr(1), "", no_table, true},
      {vfp_without_backlink, "", no_table, true},
      {with("NOTE", 'C', 30, {{"NOTE", "twenty-one characters"}}), "",
       "Hodnota \"twenty-one characters\" v poli NOTE záznamu 1 je delší než 20 znaků", false},
      {with("", 'C', 0), FamilyMemo(Family::kFoxPro, {Line("076")}, 64), no_memo, true},
      {with("", 'C', 0), std::string("\x01\0\0\0", 4), no_memo, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(Convert(c.table, c.memo.empty() ? "" : "t.dbt", c.memo), "(none)");
    EXPECT_EQ(prompter.Outcome().back(), Stop(c.message));
    EXPECT_EQ(prompter.Outcome().size(), c.refused ? 1u : 2u);  // else the memo notice first
  }
}

TEST_F(ForeignTableTest, MemoFamiliesGiveTheSameLines) {
  const std::vector<std::string> memos = {Line("076 first") + Line("078 second"), Line("079")};
  const std::vector<Values> rows = {Row("1", {{"OTHER_LN", "1"}}), Row("2"),
                                    Row("3", {{"OTHER_LN", "2"}})};
  const std::string expected =
      Convert(StandardTable(rows), "t.dbt", FamilyMemo(Family::kDbase3, memos));
  ASSERT_EQ(expected.size(), 130 * 7);
  const struct {
    char version;
    Family family;
    std::uint32_t block_size;
  } cases[] = {
      {'\x8B', Family::kDbase4, 512}, {'\x8B', Family::kDbase4, 1024},
      {'\x83', Family::kDbase4, 512},  // dBASE IV memos under a dBASE III table
      {'\xF5', Family::kFoxPro, 64},  {'\x30', Family::kFoxPro, 32},
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
    // A block inside the header gives no lines.
    if (c.family == Family::kFoxPro)
      records.push_back(RowOf(columns, Row("4", {{"OTHER_LN", "1"}})));
    const std::string out =
        Convert(Table(columns, records, c.version), c.family == Family::kFoxPro ? "t.fpt" : "t.dbt",
                FamilyMemo(c.family, memos, c.block_size));
    EXPECT_EQ(out.substr(0, expected.size()), expected);
    EXPECT_EQ(out.size(), expected.size() + (c.family == Family::kFoxPro ? 130 : 0));
    EXPECT_EQ(prompter.Outcome(), std::vector<Shown>{Success()});  // without a notice
  }
}

TEST_F(ForeignTableTest, MemoTextIsCutIntoWholeLines) {
  const std::string a = Line("076 first"), b = Line("078 second");
  const struct {
    std::string text;  // from block 1
    std::string lines;
  } cases[] = {
      {"076 first\r\n078 second\x1A\x1A", a + b},             // trimmed
      {"076 first\r078 second\n\r\n\x1A", a + b + Line("")},  // CR, LF, an empty line, one mark
      {"076 first\r\n078 second\x1A" + std::string(100, '\0'), a + b},
      {"076 first\r\n" + std::string(200, '\0') + "076 next memo", a},  // lost mark, padding
      {"076 first" + std::string(130, 'x') + "\r\n\x1A\x1A",
       Line("076 first" + std::string(119, 'x'))},
  };
  const std::string table = StandardTable({Row("1", {{"OTHER_LN", "1"}}), Row("2")});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::string out = Convert(table, "t.dbt", FamilyMemo(Family::kDbase3, {}) + c.text);
    EXPECT_EQ(out.substr(260, out.size() - 390), c.lines);
  }
}

}  // namespace
}  // namespace trelvan::testing
