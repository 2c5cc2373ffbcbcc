// Statement files, tables and memo files for tests, built byte by byte from the layout written
// out here once, independently of formats/: a test never relies on the encoders it checks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trelvan::testing {

// A field of the statement table and where a statement file's line carries its value.
struct TestField {
  std::string_view name;
  char type;  // C, N, D or M
  std::size_t width;
  int decimals;
  char line;             // 'H' header line, 'I' item line, 0 for the memo
  std::size_t position;  // in the line, from 1
  std::size_t line_width;
  std::size_t sign;  // position of the character whose "-" negates an amount; 0 for none
};

inline constexpr TestField kFields[] = {
    {"CUST_ACCNT", 'C', 16, 0, 'H', 4, 16, 0},  {"CUST_NAME", 'C', 20, 0, 'H', 20, 20, 0},
    {"REST_PR_DT", 'D', 8, 0, 'H', 40, 6, 0},   {"REST_PREV", 'N', 14, 2, 'H', 46, 14, 60},
    {"REST_NEW", 'N', 14, 2, 'H', 61, 14, 75},  {"DEBET_MD", 'N', 14, 2, 'H', 76, 14, 90},
    {"CREDIT_D", 'N', 14, 2, 'H', 91, 14, 105}, {"ORDER_NO", 'N', 3, 0, 'H', 106, 3, 0},
    {"ISSUE_DATE", 'D', 8, 0, 'H', 109, 6, 0},  {"PROTIUCET", 'C', 16, 0, 'I', 20, 16, 0},
    {"DOC_NO", 'C', 13, 0, 'I', 36, 13, 0},     {"PRICE", 'N', 12, 2, 'I', 49, 12, 61},
    {"CODE", 'C', 1, 0, 'I', 61, 1, 0},         {"V_SYMBOL", 'C', 10, 0, 'I', 62, 10, 0},
    {"K_SYMBOL", 'C', 10, 0, 'I', 72, 10, 0},   {"S_SYMBOL", 'C', 10, 0, 'I', 82, 10, 0},
    {"VALUTA", 'C', 6, 0, 'I', 92, 6, 0},       {"NOTE", 'C', 20, 0, 'I', 98, 20, 0},
    {"CODE_CHAN", 'C', 1, 0, 'I', 118, 1, 0},   {"DATA_TYPE", 'C', 4, 0, 'I', 119, 4, 0},
    {"DUE_DATE", 'D', 8, 0, 'I', 123, 6, 0},    {"OTHER_LN", 'M', 10, 0, 0, 0, 0, 0},
};
inline constexpr std::size_t kRecordBytes = 233;       // the deletion flag and the fields
inline constexpr std::size_t kTableHeaderBytes = 737;  // 32 + 22 descriptors of 32 + 0x0D

// The field's offset in a record; the deletion flag is offset 0.
std::size_t OffsetOf(std::string_view name);

// One line of a statement file: `text` padded with spaces to 128 characters, then CR LF.
std::string Line(std::string_view text);

// The amounts of a header line "074", in hundredths.
struct Balances {
  std::int64_t previous = 0, debit = 0, credit = 0, next = 0;
};

// A header line of a statement of 30 November 2026 issued 1 December 2026.
std::string HeaderLine(std::string_view sequence, const Balances& balances,
                       std::string_view account = "0000001234567890",
                       std::string_view name = "Zelena louka");
// An item line of document 1 with the code ("1" debit, "2" credit, "-" reversal) and amount.
std::string ItemLine(char code, std::int64_t amount, std::string_view note = "Faktura");

// A record: the deletion flag " " and every field blank unless set.
class Record {
 public:
  explicit Record(std::size_t length = kRecordBytes) : bytes_(length, ' ') {}
  // The fields' texts in record order, separated by "|", as Set puts them.
  explicit Record(std::string_view texts);
  // Puts `text` into a field as a table program does: numbers and memo blocks right-justified,
  // the rest left-justified, padded with spaces.
  Record& Set(std::string_view name, std::string_view text);
  // Puts bytes at an offset, unchanged.
  Record& Raw(std::size_t offset, std::string_view bytes);
  operator const std::string&() const { return bytes_; }

 private:
  std::string bytes_;
};

// A table written on the tests' date: header, the 22 descriptors and 0x0D (zero bytes up to
// any other header length), the records, 0x1A.
std::string TableFile(const std::vector<std::string>& records,
                      std::uint16_t header_length = kTableHeaderBytes);

// A memo file: header block, each memo from a block boundary, closed by two 0x1A bytes and
// padded with zero bytes to the next block.
class MemoFile {
 public:
  MemoFile();
  // Appends a memo of lines as given (normally from Line()); returns its first block.
  std::int64_t Add(const std::vector<std::string>& lines);
  operator const std::string&() const { return bytes_; }
  operator std::string_view() const { return bytes_; }

 private:
  std::string bytes_;
};

std::string Le16(std::uint16_t value);
std::string Le32(std::uint32_t value);

// The same bytes for the same seed, on every platform.
std::string PseudoRandomBytes(std::size_t size, std::uint32_t seed);

}  // namespace trelvan::testing
