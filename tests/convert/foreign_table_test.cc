// Tables and memo files as other programs write them: fields found by name wherever they
// stand, numbers however justified, the memo families of dBASE IV and FoxPro, memo text with
// trimmed or other line ends. Each must give the statement the standard table gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "convert/conversions.h"
#include "tests/convert/table_builder.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_prompter.h"

namespace trelvan::testing {
namespace {

struct Column {
  std::string name;
  char type;
  std::size_t width;
};
using Values = std::map<std::string, std::string>;

std::vector<Column> StandardColumns() {
  std::vector<Column> columns;
  for (const FieldSlot& slot : kFieldSlots)
    columns.push_back({std::string(slot.name), slot.type, slot.width});
  return columns;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text.substr(0, text.find('\0'));
}

// A record as a table program writes it: numbers right-justified, a four-byte memo field as a
// binary block number (Visual FoxPro).
std::string Record(const std::vector<Column>& columns, const Values& values, char flag = ' ') {
  std::string record(1, flag);
  for (const Column& column : columns) {
    const auto found = values.find(Upper(column.name));
    const std::string value = found == values.end() ? "" : found->second;
    if (column.type == 'M' && column.width == 4) {
      record += Le32(static_cast<std::uint32_t>(value.empty() ? 0 : std::stoul(value)));
      continue;
    }
    EXPECT_LE(value.size(), column.width) << column.name;
    const std::string pad(column.width - value.size(), ' ');
    record += column.type == 'N' || column.type == 'M' ? pad + value : value + pad;
  }
  return record;
}

// A table with these descriptors (offset bytes left 0, as many programs leave them).
std::string Table(const std::vector<Column>& columns, const std::vector<std::string>& records,
                  char version = '\x83') {
  const std::size_t backlink = version == '\x30' ? 263 : 0;
  std::size_t record_length = 1;
  for (const Column& column : columns) record_length += column.width;
  std::string table = std::string(1, version) + "\x7A\x0C\x06" +
                      Le32(static_cast<std::uint32_t>(records.size())) +
                      Le16(static_cast<std::uint16_t>(32 + 32 * columns.size() + 1 + backlink)) +
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

std::string Be32(std::uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

enum class Family { kDbase3, kDbase4, kFoxPro };

// A memo file of one family whose memos are `texts`, from block 1 on; block size 512 for
// dBASE III, `block_size` otherwise.
std::string MemoFile(Family family, const std::vector<std::string>& texts,
                     std::uint32_t block_size = 64) {
  if (family == Family::kDbase3) block_size = 512;
  std::string file(std::max<std::size_t>(512, block_size), '\0');
  if (family == Family::kDbase4) file.replace(20, 2, Le16(static_cast<std::uint16_t>(block_size)));
  if (family == Family::kFoxPro)
    file.replace(4, 4, std::string("\0\0", 2) + Be32(block_size).substr(2));
  for (const std::string& text : texts) {
    if (family == Family::kDbase3) file += text + "\x1A\x1A";
    if (family == Family::kDbase4) {
      file += "\xFF\xFF\x08" + std::string(1, '\0') +
              Le32(static_cast<std::uint32_t>(text.size() + 8)) + text;
    }
    if (family == Family::kFoxPro)
      file += Be32(1) + Be32(static_cast<std::uint32_t>(text.size())) + text;
    file.resize((file.size() + block_size - 1) / block_size * block_size, '\0');
  }
  const auto next = static_cast<std::uint32_t>(file.size() / block_size);
  file.replace(0, 4, family == Family::kFoxPro ? Be32(next) : Le32(next));
  return file;
}

Values Statement(std::string_view document, Values changes = {}) {
  Values values{{"CUST_ACCNT", "0000001234567890"},
                {"CUST_NAME", "Zelen\xE1 louka"},
                {"REST_PR_DT", "20261130"},
                {"REST_PREV", "15423.05"},
                {"REST_NEW", "-250.5"},
                {"DEBET_MD", "0"},
                {"CREDIT_D", "12.50"},
                {"ORDER_NO", "047"},
                {"ISSUE_DATE", "20261201"},
                {"PROTIUCET", "0000002716354827"},
                {"DOC_NO", std::string(document)},
                {"PRICE", "125.00"},
                {"CODE", "1"},
                {"V_SYMBOL", "2026110001"},
                {"K_SYMBOL", "0308"},
                {"VALUTA", "011226"},
                {"NOTE", "\xDAhrada"},
                {"CODE_CHAN", "0"},
                {"DATA_TYPE", "1203"},
                {"DUE_DATE", "20261203"}};
  for (const auto& [name, value] : changes) values[name] = value;
  return values;
}

class ForeignTableTest : public ::testing::Test {
 protected:
  // Converts t.dbf (and its memo file, when given) and returns the statement.
  std::string Convert(const std::string& table, const std::string& memo_name = "",
                      const std::string& memo = "") {
    files_.Put("t.dbf", table);
    if (!memo_name.empty()) files_.Put(memo_name, memo);
    prompter_.shown.clear();
    result_ = ConvertDbfToAbo("t.dbf", "out" + std::to_string(++runs_) + ".gpc", context_);
    return files_.Exists("out" + std::to_string(runs_) + ".gpc")
               ? files_.Contents("out" + std::to_string(runs_) + ".gpc")
               : "(none)";
  }
  // What the standard table with these rows and a dBASE III memo of `memos` gives.
  std::string Standard(const std::vector<Values>& rows,
                       const std::vector<std::string>& memos = {}) {
    std::vector<std::string> records;
    for (const Values& row : rows) records.push_back(Record(StandardColumns(), row));
    const std::string out =
        Convert(Table(StandardColumns(), records), "t.dbt", MemoFile(Family::kDbase3, memos));
    EXPECT_EQ(result_, 1);
    files_.Remove("t.dbt");
    return out;
  }

  MemoryFileSystem files_;
  RecordingPrompter prompter_;
  ConversionContext context_{files_, prompter_, Date{2026, 12, 6}};
  int result_ = 0;
  int runs_ = 0;
};

TEST_F(ForeignTableTest, FieldsAreFoundByNameWhereverTheyStand) {
  // NOTE first and widened, an extra field, lower-case names (one with bytes after its NUL),
  // PRICE widened the way a spreadsheet widens it, the header amounts left-justified.
  std::vector<Column> columns = StandardColumns();
  std::rotate(columns.begin(), columns.begin() + 17, columns.begin() + 18);
  columns[0].width = 40;
  columns.insert(columns.begin() + 5, Column{"EXTRA", 'C', 7});
  columns[1].name = std::string("cust_accnt\0X", 12).substr(0, 11);
  for (Column& column : columns) {
    if (column.name == "PRICE") column.width = 13;
    if (column.name == "V_SYMBOL") column.name = "v_symbol";
  }
  const Values first = Statement("1", {{"EXTRA", "ignored"}, {"NOTE", "\xDAhrada"}});
  const Values second = Statement("2", {{"PRICE", "-1234567.89"}, {"OTHER_LN", "1"}});
  const std::string expected = Standard({first, second}, {Line("076 memo")});
  const std::string got = Convert(Table(columns, {Record(columns, first), Record(columns, second)}),
                                  "t.dbt", MemoFile(Family::kDbase3, {Line("076 memo")}));
  EXPECT_EQ(result_, 1);
  EXPECT_EQ(got, expected);
}

TEST_F(ForeignTableTest, TablesWithoutTheStatementFieldsAreRefusedBeforeAnythingIsCreated) {
  const auto with = [](std::string_view name, char type, std::size_t width) {
    std::vector<Column> columns = StandardColumns();
    for (Column& column : columns) {
      if (column.name == name) column = Column{column.name, type, width};
    }
    return Table(columns, {});
  };
  std::vector<Column> without_memo = StandardColumns();
  without_memo.pop_back();
  std::string vfp_without_backlink = Table(StandardColumns(), {});
  vfp_without_backlink[0] = '\x30';
  std::string long_header = Table(StandardColumns(), {});
  long_header.insert(737, 1, '\0');
  long_header[8] = static_cast<char>(738 & 0xFF);
  const struct {
    std::string table, message;
  } cases[] = {
      {Table(without_memo, {}), "Tabulka \"t.dbf\" nemá pole OTHER_LN"},
      {with("PRICE", 'D', 8), "Tabulka \"t.dbf\" nemá pole PRICE"},
      {with("REST_PR_DT", 'D', 6), "Tabulka \"t.dbf\" nemá pole REST_PR_DT"},
      {with("NOTE", 'N', 20), "Tabulka \"t.dbf\" nemá pole NOTE"},
      {std::string(1, '\x00') + Table(StandardColumns(), {}).substr(1),
       "Soubor \"t.dbf\" není tabulka výpisu"},
      {vfp_without_backlink, "Soubor \"t.dbf\" není tabulka výpisu"},
      {long_header, "Soubor \"t.dbf\" není tabulka výpisu"},
      {Line("0740000001234567890") + Line("075"), "Soubor \"t.dbf\" není tabulka výpisu"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(Convert(c.table), "(none)");
    EXPECT_EQ(prompter_.shown, (std::vector<Shown>{{MessageStyle::kStop, c.message}}));
  }
}

TEST_F(ForeignTableTest, ValuesAreCheckedWhereverTheTableWidensAField) {
  std::vector<Column> columns = StandardColumns();
  for (Column& column : columns) {
    if (column.name == "NOTE" || column.name == "ORDER_NO") column.width = 30;
  }
  const struct {
    Values changes;
    std::string line_part, message;  // positions 98-117 or 106-108; or the stop message
  } cases[] = {
      {{{"NOTE", "twenty characters ok"}}, "twenty characters ok", ""},
      {{{"NOTE", "twenty-one characters"}},
       "",
       "Hodnota \"twenty-one characters\" v poli NOTE záznamu 1 je delší než 20 znaků"},
      {{{"ORDER_NO", "7"}}, "007", ""},
      {{{"ORDER_NO", "0047"}}, "047", ""},
      {{{"ORDER_NO", "1234"}},
       "",
       "Hodnota \"1234\" v poli ORDER_NO záznamu 1 je delší než 3 znaků"},
      {{{"PRICE", "12,50"}}, "", "Hodnota \"12,50\" v poli PRICE záznamu 1 není číslo"},
      {{{"REST_NEW", "****"}}, "", "Hodnota \"****\" v poli REST_NEW záznamu 1 není číslo"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message + c.line_part);
    const std::string out = Convert(Table(columns, {Record(columns, Statement("1", c.changes))}));
    if (c.message.empty()) {
      EXPECT_EQ(result_, 1);
      const bool is_note = c.changes.count("NOTE") != 0;
      EXPECT_EQ(out.substr(is_note ? 130 + 97 : 105, c.line_part.size()), c.line_part);
    } else {
      EXPECT_EQ(result_, 0);
      EXPECT_EQ(prompter_.shown.back(), (Shown{MessageStyle::kStop, c.message}));
    }
  }
}

TEST_F(ForeignTableTest, SequenceNumbersRightJustifiedGetLeadingZeros) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {" 47", "047"}, {"  7", "007"}, {"047", "047"}, {"1  ", "1  "},
      {" -4", " -4"}, {"4 7", "4 7"}, {"   ", "   "}, {" a1", " a1"}};
  for (const auto& [stored, written] : cases) {
    RecordImage row = RecordImage().Set("CUST_ACCNT", "1").Raw(101, stored);
    files_.Put("t.dbf", TableFile({row}));
    ASSERT_EQ(ConvertDbfToAbo("t.dbf", "o.gpc", context_), 1);
    EXPECT_EQ(files_.Contents("o.gpc").substr(105, 3), written) << stored;
    files_.Remove("o.gpc");
  }
}

TEST_F(ForeignTableTest, MemoFamiliesGiveTheSameLines) {
  const std::vector<std::string> memos = {Line("076 first") + Line("078 second"),
                                          Line("079 third")};
  const std::vector<Values> rows = {Statement("1", {{"OTHER_LN", "1"}}), Statement("2"),
                                    Statement("3", {{"OTHER_LN", "2"}})};
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
    SCOPED_TRACE(c.version);
    std::vector<Column> columns = StandardColumns();
    if (c.version == '\x30') columns.back().width = 4;
    const std::string memo = MemoFile(c.family, memos, c.block_size);
    // The header takes 512 bytes or one block, whichever is more; then the first memo.
    const std::size_t first = std::max<std::size_t>(512, c.block_size) / c.block_size;
    const std::size_t second = first + (memos[0].size() + 8 + c.block_size - 1) / c.block_size;
    std::vector<std::string> records;
    for (const Values& row : rows) {
      Values values = row;
      if (values.count("OTHER_LN") != 0) {
        values["OTHER_LN"] = std::to_string(values["OTHER_LN"] == "1" ? first : second);
      }
      records.push_back(Record(columns, values));
    }
    EXPECT_EQ(Convert(Table(columns, records, c.version), c.memo_name, memo), expected);
    EXPECT_EQ(prompter_.shown,
              (std::vector<Shown>{{MessageStyle::kPlain, "Konverze proběhla úspěšně"}}));
    files_.Remove(c.memo_name);
  }
}

TEST_F(ForeignTableTest, MemoFileOfNoKnownFamilyIsRefusedBeforeAnythingIsCreated) {
  const std::string table = Table(StandardColumns(), {Record(StandardColumns(), Statement("1"))});
  std::string fpt_under_dbt = MemoFile(Family::kFoxPro, {Line("076")});
  for (const std::string& memo : {Line("0740000001234567890") + std::string(400, ' '),
                                  fpt_under_dbt, std::string("\x01\0\0\0", 4)}) {
    EXPECT_EQ(Convert(table, "t.dbt", memo), "(none)");
    EXPECT_EQ(prompter_.shown,
              (std::vector<Shown>{
                  {MessageStyle::kStop, "Soubor \"t.dbt\" není soubor memo dBASE ani FoxPro"}}));
  }
}

TEST_F(ForeignTableTest, MemoTextIsCutIntoWholeLines) {
  const std::string a = Line("076 first"), b = Line("078 second");
  const struct {
    std::string text;  // after the header block, from block 1
    std::string lines;
  } cases[] = {
      {a + b + "\x1A\x1A", a + b},                              // standard
      {"076 first\r\n078 second\x1A\x1A", a + b},               // trimmed
      {"076 first\n078 second\n\x1A\x1A", a + b},               // LF
      {"076 first\r078 second\r\n\r\n\x1A", a + b + Line("")},  // CR, an empty line, one mark
      {"076 first\r\n078 second", a + b},                       // cut short, no end mark
      {"076 first\r\n078 second\x1A" + std::string(100, '\0'), a + b},
      {"076 first\r\n" + std::string(200, '\0') + "076 next memo", a},  // lost mark, padding
      {"076 first" + std::string(130, 'x') + "\r\n\x1A\x1A",
       Line("076 first" + std::string(119, 'x'))},  // long line cut
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::string table =
        Table(StandardColumns(), {Record(StandardColumns(), Statement("1", {{"OTHER_LN", "1"}})),
                                  Record(StandardColumns(), Statement("2"))});
    const std::string out = Convert(table, "t.dbt", MemoFile(Family::kDbase3, {}) + c.text);
    EXPECT_EQ(result_, 1);
    ASSERT_EQ(out.size(), 3 * 130 + c.lines.size());
    EXPECT_EQ(out.substr(260, c.lines.size()), c.lines);
    EXPECT_EQ(out.substr(260 + c.lines.size(), 3), "075");
  }
}

TEST_F(ForeignTableTest, SortedRowsRepeatAStatementAndSayWhich) {
  const Values a1 = Statement("1"), b1 = Statement("2", {{"ORDER_NO", "48"}}),
               a2 = Statement("3", {{"ORDER_NO", " 47"}});
  std::vector<std::string> records;
  for (const Values& row : {a1, b1, a2}) records.push_back(Record(StandardColumns(), row));
  const std::string out = Convert(Table(StandardColumns(), records));
  EXPECT_EQ(out.size(), 6 * 130u);
  EXPECT_EQ(out.substr(0, 130), out.substr(520, 130));
  EXPECT_EQ(prompter_.shown.at(1),
            (Shown{MessageStyle::kInformation,
                   "Výpis č. 047 účtu 0000001234567890 se v tabulce vrací po jiném výpisu (záznam "
                   "3); řádky jsou zapsány v pořadí tabulky"}));
}

}  // namespace
}  // namespace trelvan::testing
