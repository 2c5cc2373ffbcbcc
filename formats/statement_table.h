// The statement table: a dBASE III table (version 0x83, with memo file) of one fixed schema of
// 22 fields. StatementFieldTable describes the record once; the record codec, the header and
// the field descriptors are all derived from it.
//
// File layout: 32-byte header, 22 field descriptors of 32 bytes, terminator 0x0D (737 bytes in
// all), then records of 233 bytes (deletion flag and the fields, no separators), then 0x1A.
// Integers are little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "formats/date.h"
#include "formats/statement_row.h"

namespace trelvan {

struct FieldDescription {
  std::string_view name;  // at most 10 characters; NUL-padded to 11 in the descriptor
  char type;              // C, N, D or M
  std::uint8_t length;
  std::uint8_t decimals;
};

// The fields, in record order.
enum class Field : int {
  kCustAccnt,
  kCustName,
  kRestPrDt,
  kRestPrev,
  kRestNew,
  kDebetMd,
  kCreditD,
  kOrderNo,
  kIssueDate,
  kProtiucet,
  kDocNo,
  kPrice,
  kCode,
  kVSymbol,
  kKSymbol,
  kSSymbol,
  kValuta,
  kNote,
  kCodeChan,
  kDataType,
  kDueDate,
  kOtherLn,
};
inline constexpr int kFieldCount = static_cast<int>(Field::kOtherLn) + 1;

inline constexpr FieldDescription StatementFieldTable[kFieldCount] = {
    {"CUST_ACCNT", 'C', 16, 0}, {"CUST_NAME", 'C', 20, 0}, {"REST_PR_DT", 'D', 8, 0},
    {"REST_PREV", 'N', 14, 2},  {"REST_NEW", 'N', 14, 2},  {"DEBET_MD", 'N', 14, 2},
    {"CREDIT_D", 'N', 14, 2},   {"ORDER_NO", 'N', 3, 0},   {"ISSUE_DATE", 'D', 8, 0},
    {"PROTIUCET", 'C', 16, 0},  {"DOC_NO", 'C', 13, 0},    {"PRICE", 'N', 12, 2},
    {"CODE", 'C', 1, 0},        {"V_SYMBOL", 'C', 10, 0},  {"K_SYMBOL", 'C', 10, 0},
    {"S_SYMBOL", 'C', 10, 0},   {"VALUTA", 'C', 6, 0},     {"NOTE", 'C', 20, 0},
    {"CODE_CHAN", 'C', 1, 0},   {"DATA_TYPE", 'C', 4, 0},  {"DUE_DATE", 'D', 8, 0},
    {"OTHER_LN", 'M', 10, 0},
};

// A field's position in record order: the index of its description and of per-field arrays.
constexpr int FieldIndex(Field field) { return static_cast<int>(field); }

constexpr const FieldDescription& DescriptionOf(Field field) {
  return StatementFieldTable[FieldIndex(field)];
}

// The offset of a field within a record: 1 (the deletion flag) plus the lengths before it.
constexpr std::size_t FieldOffset(Field field) {
  std::size_t offset = 1;
  for (int i = 0; i < FieldIndex(field); ++i) offset += StatementFieldTable[i].length;
  return offset;
}

inline constexpr std::size_t kRecordLength =
    FieldOffset(Field::kOtherLn) + DescriptionOf(Field::kOtherLn).length;     // 233
inline constexpr std::size_t kTableHeaderLength = 32 + 32 * kFieldCount + 1;  // 737
inline constexpr std::size_t kFileHeaderSize = 32;
inline constexpr std::size_t kHeaderPartBegin = FieldOffset(Field::kCustAccnt);        // 1
inline constexpr std::size_t kItemPartBegin = FieldOffset(Field::kProtiucet);          // 112
inline constexpr std::size_t kHeaderPartLength = kItemPartBegin - kHeaderPartBegin;    // 111
inline constexpr std::size_t kMemoFieldOffset = FieldOffset(Field::kOtherLn);          // 223
inline constexpr std::size_t kMemoFieldWidth = DescriptionOf(Field::kOtherLn).length;  // 10
inline constexpr char kTableVersion = static_cast<char>(0x83);
inline constexpr char kTableEndOfFile = 0x1A;
inline constexpr char kHeaderTerminator = 0x0D;

struct TableFileHeader {
  Date written;  // only year % 100, month and day are stored
  std::uint32_t record_count = 0;
  std::uint16_t header_length = 0;
  std::uint16_t record_length = 0;
  std::uint8_t version = static_cast<std::uint8_t>(kTableVersion);
  // Byte 29: the code page other programs read the text in (0 none, 0xC8 windows-1250).
  std::uint8_t language_driver = 0;
};

inline constexpr std::uint8_t kLanguageDriverWindows1250 = 0xC8;

// Writes the 32-byte file header.
void EncodeTableFileHeader(const TableFileHeader& header, char out[kFileHeaderSize]);
// Reads a 32-byte file header.
TableFileHeader DecodeTableFileHeader(const char in[kFileHeaderSize]);
// Writes the 22 field descriptors and the terminator: kTableHeaderLength - 32 bytes.
void EncodeFieldDescriptors(char* out);

// Writes the deletion flag (a space) and the header part, record bytes 0 to 111. Returns false
// when an amount is too long for its field; the record is then partly written.
bool EncodeHeaderPart(const StatementHeader& header, char* record);
// Writes the item part, record bytes 112 to 232, with OTHER_LN blank. Returns false when the
// amount is too long for its field.
bool EncodeItemPart(const StatementItem& item, char* record);
// Writes a memo's starting block as the ten characters of OTHER_LN (right-justified) at
// `field`, which is record + kMemoFieldOffset or a field patched into a written record.
void EncodeMemoField(std::int64_t block, char field[kMemoFieldWidth]);

// Records are read through their descriptors: see table_layout.h and statement_row_decoder.h.

}  // namespace trelvan
