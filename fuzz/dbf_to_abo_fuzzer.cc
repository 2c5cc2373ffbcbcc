// DBF -> ABO from arbitrary table and memo bytes. The input is the table, then the separator
// "##MEMO##" and the memo file; with no separator there is no memo file at all. The target
// walks the rows itself and predicts where every header line, item line and memo piece lands
// in the output, and how the run ends.
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/conversions.h"
#include "convert/messages.h"
#include "convert/shared_steps.h"
#include "formats/byte_order.h"
#include "formats/statement_table.h"
#include "fuzz/fuzz_session.h"

namespace trelvan::fuzz {
namespace {

constexpr std::string_view kSeparator = "##MEMO##";

// Checks the output against the rows: every header and item line is 128 characters and CR LF
// with its tag, the item line carries the row's account, and the memo pieces are copied
// verbatim. The first `rows` rows are checked; returns the output offset after them.
struct Rows {
  std::string_view table;
  std::size_t header_length;
  std::size_t record_length;
  const std::string* memo;  // null when there is no memo file
};

std::size_t CheckRows(const Rows& layout, std::string_view out, std::uint32_t rows,
                      std::string* last_header) {
  const auto [table, header_length, record_length, memo] = layout;
  std::size_t at = 0;
  auto expect_line = [&](std::string_view tag) {
    FUZZ_CHECK(out.size() >= at + 130);
    FUZZ_CHECK(out.substr(at, 3) == tag);
    FUZZ_CHECK(out.substr(at + 128, 2) == "\r\n");
    at += 130;
  };
  for (std::uint32_t row = 0; row < rows; ++row) {
    const std::string_view record = table.substr(header_length + record_length * row, 233);
    if (record.substr(1, 111) != *last_header) {
      last_header->assign(record.substr(1, 111));
      expect_line("074");
    }
    expect_line("075");
    std::string account(record.substr(1, 16));
    account = account.substr(0, account.find('\0'));
    account.resize(16, ' ');
    FUZZ_CHECK(out.substr(at - 127, 16) == account);
    const std::int64_t block = DecimalInteger(record.substr(223, 10));
    if (block <= 0 || memo == nullptr) continue;
    for (std::size_t piece_at = static_cast<std::size_t>(block) * 512; piece_at < memo->size();
         piece_at += 130) {
      const std::string_view piece = std::string_view(*memo).substr(piece_at, 130);
      if (piece[0] == '\x1A' || (piece.size() > 1 && piece[1] == '\x1A')) break;
      FUZZ_CHECK(out.substr(at, piece.size()) == piece);
      at += piece.size();
    }
  }
  return at;
}

}  // namespace
}  // namespace trelvan::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace trelvan;
  using namespace trelvan::fuzz;
  const std::string input = AsString(data, size);
  const std::size_t separator = input.find(kSeparator);
  const std::string table = input.substr(0, separator);
  std::string memo_bytes;
  const std::string* memo = nullptr;
  Session session;
  session.files.Put("in.dbf", table);
  if (separator != std::string::npos) {
    memo_bytes = input.substr(separator + kSeparator.size());
    memo = &memo_bytes;
    session.files.Put("in.dbt", memo_bytes);
  }
  const int result = ConvertDbfToAbo("in.dbf", "out.gpc", session.context);
  CheckOutcome(session, result);
  FUZZ_CHECK(session.files.Contents("in.dbf") == table);
  FUZZ_CHECK(memo == nullptr || session.files.Contents("in.dbt") == *memo);

  char image[32] = {};
  table.copy(image, sizeof image);
  const std::uint32_t count = ReadU32Le(image + 4);
  const std::size_t header_length = ReadU16Le(image + 8);
  const std::size_t record_length = ReadU16Le(image + 10);
  if (count > 0 && record_length < 233) {
    FUZZ_CHECK(result == 0);
    FUZZ_CHECK(session.Count(MessageStyle::kStop,
                             FillMessage(messages::kNotAStatementTable, {"in.dbf"})) == 1);
    FUZZ_CHECK(!session.files.Exists("out.gpc"));
    return 0;
  }
  FUZZ_CHECK(session.files.Exists("out.gpc"));
  FUZZ_CHECK(session.Count(MessageStyle::kInformation) == (memo == nullptr ? 1 : 0));
  const std::string out = session.files.Contents("out.gpc");
  // Whole records in the file, as far as the count goes.
  const std::uint64_t whole = count == 0 || table.size() < header_length
                                  ? 0
                                  : (table.size() - header_length) / record_length;
  const std::uint32_t rows = whole < count ? static_cast<std::uint32_t>(whole) : count;
  const Rows layout{table, header_length, record_length, memo};
  std::string last_header(111, '\0');
  if (result == 1) {
    FUZZ_CHECK(rows == count);
    FUZZ_CHECK(CheckRows(layout, out, rows, &last_header) == out.size());
    return 0;
  }
  const std::string cut_short = FillMessage(
      messages::kTableIncomplete, {"in.dbf", std::to_string(rows), std::to_string(count)});
  if (session.Count(MessageStyle::kStop, cut_short) == 1) {
    FUZZ_CHECK(rows < count);
    FUZZ_CHECK(CheckRows(layout, out, rows, &last_header) == out.size());
    return 0;
  }
  // Otherwise an amount did not fit: the rows before it are whole, and of the failing row at
  // most its header line was written.
  std::uint32_t failed = 0;
  for (std::uint32_t row = 1; row <= rows && failed == 0; ++row) {
    if (session.Count(MessageStyle::kStop,
                      FillMessage(messages::kAmountTooLargeInRecord, {std::to_string(row)})) == 1) {
      failed = row;
    }
  }
  FUZZ_CHECK(failed != 0);
  const std::size_t at = CheckRows(layout, out, failed - 1, &last_header);
  FUZZ_CHECK(out.size() == at || (out.size() == at + 130 && out.compare(at, 3, "074") == 0));
  return 0;
}
