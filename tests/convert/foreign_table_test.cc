// Other programs' tables and memo files give the standard table's statement, or a clear stop.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "convert/conversions.h"
#include "tests/support/session.h"
#include "tests/support/statement_files.h"

namespace trelvan::testing {
namespace {

using Columns = std::vector<TestField>;
using Values = std::map<std::string, std::string>;
using std::string;

Columns Standard() { return {std::begin(kFields), std::end(kFields)}; }

// A record as a table program writes it; a four-byte memo field holds a binary block number.
string RowOf(const Columns& columns, const Values& values) {
  string record = " ";
  for (const TestField& c : columns) {
    string name(c.name.substr(0, c.name.find('\0'))), v;
    std::transform(name.begin(), name.end(), name.begin(), ::toupper);
    if (values.count(name)) v = values.at(name);
    if (c.type == 'M' && c.width == 4) v = Le32(std::uint32_t(std::stoul("0" + v)));
    const string pad(c.width - std::min(v.size(), c.width), ' ');
    record += c.type == 'N' || c.type == 'M' ? pad + v : v + pad;
  }
  return record;
}

// A table with these descriptors, their offset bytes left 0 as many programs leave them; Visual
// FoxPro's (0x30) with a backlink and a four-byte memo field.
string Table(const std::vector<Values>& rows, Columns columns = Standard(), char version = '\x83') {
  const std::size_t backlink = version == '\x30' ? 263 : 0;
  if (backlink) columns.back().width = 4;
  string table = string(1, version) + "\x7A\x0C\x06" + Le32(std::uint32_t(rows.size())) +
                 Le16(std::uint16_t(33 + 32 * columns.size() + backlink)) +
                 Le16(std::uint16_t(RowOf(columns, {}).size())) + string(20, '\0');
  for (const TestField& c : columns)
    table += (string(c.name) + string(32 - c.name.size(), '\0'))
                 .replace(11, 6, string(1, c.type) + string(4, '\0') + char(c.width));
  table += '\x0D' + string(backlink, '\0');
  for (const Values& row : rows) table += RowOf(columns, row);
  return table + '\x1A';
}

string Be32(std::uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }

enum class Family { kDbase3, kDbase4, kFoxPro };

string FamilyMemo(const std::vector<string>& texts, Family family = Family::kDbase3,
                  std::uint32_t block = 512) {
  string file(std::max<std::size_t>(512, block), '\0');
  if (family == Family::kDbase4) file.replace(20, 2, Le16(std::uint16_t(block)));
  if (family == Family::kFoxPro) file.replace(4, 4, Be32(block & 0xFFFF));
  for (const string& text : texts) {
    if (family == Family::kDbase3) file += text + "\x1A\x1A";
    if (family == Family::kDbase4)
      file += string("\xFF\xFF\x08\0", 4) + Le32(std::uint32_t(text.size() + 8)) + text;
    if (family == Family::kFoxPro) file += Be32(1) + Be32(std::uint32_t(text.size())) + text;
    file.resize((file.size() + block - 1) / block * block, '\0');
  }
  const auto next = static_cast<std::uint32_t>(file.size() / block);
  return file.replace(0, 4, family == Family::kFoxPro ? Be32(next) : Le32(next));
}

Values Row(const string& document, std::size_t memo = 0, Values values = {}) {
  const char* const pairs[] = {
      "CUST_ACCNT", "0000001234567890", "CUST_NAME", "Zelen\xE1 louka", "REST_PR_DT", "20261130",
      "REST_PREV",  "15423.05",         "REST_NEW",  "-250.5",          "ORDER_NO",   "047",
      "ISSUE_DATE", "20261201",         "PRICE",     "125.00",          "CODE",       "1",
      "NOTE",       "\xDAhrada",        "DUE_DATE",  "20261203",        "V_SYMBOL",   "2026110001",
      "EXTRA",      ".ignore"};
  for (std::size_t i = 0; i < std::size(pairs); i += 2) values.emplace(pairs[i], pairs[i + 1]);
  values.emplace("DOC_NO", document);
  if (memo) values.emplace("OTHER_LN", std::to_string(memo));
  return values;
}

// t.dbf and a memo file converted in a new session: the output or "(none)", and what was shown.
std::pair<string, std::vector<Shown>> Convert(const string& table, const string& memo = "",
                                              const string& memo_name = "t.dbt") {
  Session s;
  s.files.Put("t.dbf", table);
  if (!memo.empty()) s.files.Put(memo_name, memo);
  ConvertDbfToAbo("t.dbf", "t.gpc", s.context);
  std::vector<Shown> shown;  // without the statements' sums: these rows do not add up
  for (const Shown& m : s.prompter.shown)
    if (m.text.find(": Výpis č. ") == string::npos) shown.push_back(IsSuccess(m) ? Success() : m);
  return {s.files.Exists("t.gpc") ? s.files.Contents("t.gpc") : "(none)", shown};
}

TEST(ForeignTableTest, FieldsAreFoundByNameWhereverTheyStand) {
  // NOTE first and wider, EXTRA (after an amount that fills its field), names lower-case or
  // NUL-tailed, wider PRICE, typed line ends.
  Columns columns = Standard();
  std::rotate(columns.begin(), columns.begin() + 17, columns.begin() + 18);
  columns[0].width = 40;
  columns.insert(columns.begin() + 5, TestField{"EXTRA", 'C', 7, 0, 0, 0, 0, 0});
  columns[1].name = "cust_accnt";
  columns[13].width = 13;                                   // PRICE
  columns[15].name = std::string_view("V_SYMBOL\0XY", 11);  // V_SYMBOL
  const string note = "\xDAhrada faktury 12/26";            // as wide as the line's field
  Values first = Row("1", 0, {{"NOTE", note}, {"REST_PREV", "00000000015423"}});
  Values second =
      Row("2", 1, {{"PRICE", "-1234567.89"}, {"NOTE", "two  lines"}, {"REST_PREV", "15423"}});
  const string memo = FamilyMemo({Line("076 memo")});
  const string expected = Convert(Table({first, second}), memo).first;
  ASSERT_EQ(expected.size(), 4 * 130u);
  second["ORDER_NO"] = "47";
  second["PRICE"] = std::string("-1234567.89 \0", 13);  // left-justified, NUL-padded
  second["NOTE"] = "two\r\nlines\n";
  EXPECT_EQ(Convert(Table({first, second}, columns), memo).first, expected);
}

TEST(ForeignTableTest, TablesAndMemoFilesThatCannotBeReadStopWithTheReason) {
  const auto with = [](std::size_t field, char type, std::size_t width, Values values = {}) {
    Columns columns = Standard();
    columns[field] = {kFields[field].name, type, width, 0, 0, 0, 0, 0};
    return Table({Row("1", 0, values)}, columns);
  };
  const string no_table = "Soubor \"t.dbf\" není tabulka výpisu",
               no_memo = "Soubor \"t.dbt\" není soubor memo dBASE ani FoxPro, nebo je neúplný";
  // Refused (before the memo file is looked at, or for it), else after the memo notice.
  for (const auto& [table, memo, message, refused] :
       std::vector<std::tuple<string, string, string, bool>>{
           {Table({}, {std::begin(kFields), std::end(kFields) - 1}), "",
            "Tabulka \"t.dbf\" nemá pole OTHER_LN", true},
           {with(11, 'D', 8), "", "Tabulka \"t.dbf\" nemá pole PRICE", true},
           {with(17, 'N', 20), "", "Tabulka \"t.dbf\" nemá pole NOTE", true},
           {std::string(1, '\0') + Table({}).substr(1), "", no_table, true},
           {"\x30" + Table({}).substr(1), "", no_table, true},
           {with(17, 'C', 30, {{"NOTE", "twenty-one characters"}}), "",
            "Hodnota \"twenty-one characters\" v poli NOTE záznamu 1 je delší než 20 znaků", false},
           {Table({Row("1")}), FamilyMemo({Line("076")}, Family::kFoxPro, 64), no_memo, true},
           {Table({Row("1")}), string("\x01\0\0\0", 4), no_memo, true}}) {
    SCOPED_TRACE(message);
    const auto [out, shown] = Convert(table, memo);
    EXPECT_EQ(out, "(none)");
    EXPECT_EQ(shown.back(), Stop(message));
    EXPECT_EQ(shown.size(), refused ? 1u : 2u);
  }
}

TEST(ForeignTableTest, MemoFamiliesGiveTheSameLines) {
  const std::vector<string> memos = {Line("076 first") + Line("078 second"), Line("079")};
  const string expected =
      Convert(Table({Row("1", 1), Row("2"), Row("3", 2)}), FamilyMemo(memos)).first;
  ASSERT_EQ(expected.size(), 130 * 7);
  for (std::size_t i = 0; i < 5; ++i) {  // dBASE IV memos also under a dBASE III table (0x83)
    const char version = "\x8B\x8B\x83\xF5\x30"[i];
    const std::uint32_t block = std::vector<std::uint32_t>{512, 1024, 512, 64, 32}[i];
    const bool fox = block < 512;
    SCOPED_TRACE(block);
    const std::size_t first = std::max<std::size_t>(512, block) / block;
    const std::size_t second = first + (memos[0].size() + 8 + block - 1) / block;
    std::vector<Values> rows = {Row("1", first), Row("2"), Row("3", second)};
    if (fox) rows.push_back(Row("4", 1));  // a block inside the header: no lines
    const auto [out, shown] = Convert(
        Table(rows, Standard(), version),
        FamilyMemo(memos, fox ? Family::kFoxPro : Family::kDbase4, block), fox ? "t.fpt" : "t.dbt");
    EXPECT_EQ(out.substr(0, expected.size()), expected);
    EXPECT_EQ(out.size(), expected.size() + (fox ? 130 : 0));
    EXPECT_EQ(shown, std::vector<Shown>{Success()});  // without a notice
  }
}

TEST(ForeignTableTest, MemoTextIsCutIntoWholeLines) {
  const string a = Line("076 first"), b = Line("078 second");
  const string table = Table({Row("1", 1), Row("2")});
  // Trimmed; CR, LF, an empty line, one mark; padding after the mark; lost mark; a long line.
  for (const auto& [text, lines] : std::vector<std::pair<string, string>>{
           {"076 first\r\n078 second\x1A\x1A", a + b},
           {"076 first\r078 second\n\r\n\x1A", a + b + Line("")},
           {"076 first\r\n078 second\x1A" + string(100, '\0'), a + b},
           {"076", Line("076")},  // shorter than a dBASE IV block header, at the file's end
           {"076 first\r\n" + string(200, '\0') + "076 next memo", a},
           {"076 first" + string(130, 'x') + "\r\n\x1A\x1A", Line("076 first" + string(119, 'x'))},
           {string("\xFF\xFF\x08\0", 4) + Le32(99) + "076 first\r\n078 second", a + b}}) {
    SCOPED_TRACE(text);
    const auto [out, shown] = Convert(table, FamilyMemo({}) + text);
    EXPECT_EQ(out.substr(260, out.size() - 390), lines);
    // Only a memo shorter than its length is cut short; the end mark may be missing.
    EXPECT_EQ(shown.size(), text[0] == '\xFF' ? 2u : 1u);
  }
}

}  // namespace
}  // namespace trelvan::testing
