// DBF -> ABO from arbitrary table and memo bytes. The input is the table, then the separator
// "##MEMO##" and the memo file; with no separator there is no memo file at all. Whatever the
// bytes, the inputs stay as they were, a refused table or memo file leaves no output, and
// every output is whole lines: 128 characters and CR LF, with at least one item line for every
// row that was converted.
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/conversions.h"
#include "convert/memo_path.h"
#include "convert/messages.h"
#include "formats/byte_order.h"
#include "fuzz/fuzz_session.h"

namespace trelvan::fuzz {
namespace {

constexpr std::string_view kSeparator = "##MEMO##";

// Checks that `out` is whole lines and returns how many begin with "075".
std::size_t CheckLines(std::string_view out) {
  FUZZ_CHECK(out.size() % 130 == 0);
  std::size_t items = 0;
  for (std::size_t at = 0; at < out.size(); at += 130) {
    const std::string_view line = out.substr(at, 130);
    FUZZ_CHECK(line.substr(128) == "\r\n");
    FUZZ_CHECK(line.substr(0, 128).find_first_of("\r\n") == std::string_view::npos);
    if (line.substr(0, 3) == "075") ++items;
  }
  return items;
}

// Rows in the table that are whole and not marked deleted, as far as the count goes.
std::size_t LiveRows(std::string_view table) {
  if (table.size() < 32) return 0;
  const std::uint32_t count = ReadU32Le(table.data() + 4);
  const std::size_t header_length = ReadU16Le(table.data() + 8);
  const std::size_t record_length = ReadU16Le(table.data() + 10);
  std::size_t live = 0;
  for (std::size_t row = 0; row < count && record_length > 0; ++row) {
    const std::size_t at = header_length + record_length * row;
    if (at + record_length > table.size()) break;
    if (table[at] != '*') ++live;
  }
  return live;
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

  if (!session.files.Exists("out.gpc")) {
    FUZZ_CHECK(result == 0);
    return 0;
  }
  const std::size_t items = CheckLines(session.files.Contents("out.gpc"));
  if (result == 1) FUZZ_CHECK(items >= LiveRows(table));
  return 0;
}
