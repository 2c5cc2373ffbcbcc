#include "formats/statement_table.h"

#include <cstdint>
#include <cstring>

#include "formats/amount.h"
#include "formats/byte_order.h"
#include "formats/fixed_text.h"

namespace trelvan {
namespace {

static_assert(kRecordLength == 233, "record length of the statement table");
static_assert(kTableHeaderLength == 737, "header length of the statement table");
static_assert(kItemPartBegin == 112 && kHeaderPartLength == 111, "record parts");

// The offsets as a table: FieldOffset sums the lengths before a field each time it is called,
// and the record codec runs once per row.
struct FieldOffsets {
  std::size_t of[kFieldCount];
};
constexpr FieldOffsets kOffsets = [] {
  FieldOffsets offsets{};
  for (int field = 0; field < kFieldCount; ++field) {
    offsets.of[field] = FieldOffset(static_cast<Field>(field));
  }
  return offsets;
}();

char* At(char* record, Field field) { return record + kOffsets.of[static_cast<int>(field)]; }
std::size_t Width(Field field) { return DescriptionOf(field).length; }

// True when one of the n bytes is NUL; eight at a time, the last eight overlapping.
bool HasNul(const char* bytes, std::size_t n) {
  const auto zero_byte_in = [bytes](std::size_t at) {
    std::uint64_t word;
    std::memcpy(&word, bytes + at, 8);
    return (word - 0x0101010101010101u) & ~word & 0x8080808080808080u;
  };
  if (n < 8) {
    bool found = false;
    for (std::size_t i = 0; i < n; ++i) found |= bytes[i] == '\0';
    return found;
  }
  std::uint64_t found = zero_byte_in(n - 8);
  for (std::size_t at = 0; at + 8 < n; at += 8) found |= zero_byte_in(at);
  return found != 0;
}

// The field is a template argument so that the width is a constant in each copy.
template <Field field>
void PutText(char* record, std::string_view text) {
  char* out = At(record, field);
  constexpr std::size_t width = DescriptionOf(field).length;
  // Values read from the statement file have the field's width; without a NUL they are copied
  // whole, in a few moves.
  if (text.size() == width && !HasNul(text.data(), width)) {
    std::memcpy(out, text.data(), width);
    return;
  }
  WriteFixedText(out, width, text);
}

bool PutAmount(char* record, Field field, std::int64_t hundredths) {
  return WriteTableAmount(At(record, field), Width(field), hundredths);
}

void PutDate(char* record, Field field, const TableDate& date) {
  std::memcpy(At(record, field), date.text, sizeof date.text);
}

}  // namespace

void EncodeTableFileHeader(const TableFileHeader& header, char out[kFileHeaderSize]) {
  std::memset(out, 0, kFileHeaderSize);
  out[0] = static_cast<char>(header.version);
  out[1] = static_cast<char>((header.written.year % 100 + 100) % 100);
  out[2] = static_cast<char>(header.written.month);
  out[3] = static_cast<char>(header.written.day);
  WriteU32Le(out + 4, header.record_count);
  WriteU16Le(out + 8, header.header_length);
  WriteU16Le(out + 10, header.record_length);
  out[29] = static_cast<char>(header.language_driver);
}

TableFileHeader DecodeTableFileHeader(const char in[kFileHeaderSize]) {
  TableFileHeader header;
  header.version = static_cast<std::uint8_t>(in[0]);
  header.language_driver = static_cast<std::uint8_t>(in[29]);
  header.record_count = ReadU32Le(in + 4);
  header.header_length = ReadU16Le(in + 8);
  header.record_length = ReadU16Le(in + 10);
  return header;
}

void EncodeFieldDescriptors(char* out) {
  std::memset(out, 0, kTableHeaderLength - kFileHeaderSize);
  for (int field = 0; field < kFieldCount; ++field) {
    char* descriptor = out + 32 * field;
    const FieldDescription& description = StatementFieldTable[field];
    std::memcpy(descriptor, description.name.data(), description.name.size());
    descriptor[11] = description.type;
    WriteU32Le(descriptor + 12, static_cast<std::uint32_t>(FieldOffset(static_cast<Field>(field))));
    descriptor[16] = static_cast<char>(description.length);
    descriptor[17] = static_cast<char>(description.decimals);
  }
  out[32 * kFieldCount] = kHeaderTerminator;
}

bool EncodeHeaderPart(const StatementHeader& header, char* record) {
  record[0] = ' ';
  PutText<Field::kCustAccnt>(record, header.account);
  PutText<Field::kCustName>(record, header.account_name);
  PutDate(record, Field::kRestPrDt, header.previous_balance_date);
  bool fits = PutAmount(record, Field::kRestPrev, header.previous_balance);
  fits = PutAmount(record, Field::kRestNew, header.new_balance) && fits;
  fits = PutAmount(record, Field::kDebetMd, header.debit_turnover) && fits;
  fits = PutAmount(record, Field::kCreditD, header.credit_turnover) && fits;
  PutText<Field::kOrderNo>(record, header.sequence_number);
  PutDate(record, Field::kIssueDate, header.statement_date);
  return fits;
}

bool EncodeItemPart(const StatementItem& item, char* record) {
  PutText<Field::kProtiucet>(record, item.counter_account);
  PutText<Field::kDocNo>(record, item.document_number);
  const bool fits = PutAmount(record, Field::kPrice, item.amount);
  PutText<Field::kCode>(record, item.code);
  PutText<Field::kVSymbol>(record, item.variable_symbol);
  PutText<Field::kKSymbol>(record, item.constant_symbol);
  PutText<Field::kSSymbol>(record, item.specific_symbol);
  PutText<Field::kValuta>(record, item.value_date);
  PutText<Field::kNote>(record, item.note);
  PutText<Field::kCodeChan>(record, item.change_code);
  PutText<Field::kDataType>(record, item.data_type);
  PutDate(record, Field::kDueDate, item.due_date);
  std::memset(At(record, Field::kOtherLn), ' ', Width(Field::kOtherLn));
  return fits;
}

void EncodeMemoField(std::int64_t block, char field[kMemoFieldWidth]) {
  // Block numbers come from 32-bit memo file lengths, so ten characters always hold them.
  WriteRightJustified(field, kMemoFieldWidth, block);
}

}  // namespace trelvan
