#include "formats/statement_table.h"

#include <cstring>

#include "formats/amount.h"
#include "formats/byte_order.h"
#include "formats/fixed_text.h"

namespace trelvan {
namespace {

static_assert(kRecordLength == 233, "record length of the statement table");
static_assert(kTableHeaderLength == 737, "header length of the statement table");
static_assert(kItemPartBegin == 112 && kHeaderPartLength == 111, "record parts");

char* At(char* record, Field field) { return record + FieldOffset(field); }
const char* At(const char* record, Field field) { return record + FieldOffset(field); }
std::size_t Width(Field field) { return StatementFieldTable[field].length; }

void PutText(char* record, Field field, std::string_view text) {
  WriteFixedText(At(record, field), Width(field), text);
}

bool PutAmount(char* record, Field field, std::int64_t hundredths) {
  return WriteTableAmount(At(record, field), Width(field), hundredths);
}

void PutDate(char* record, Field field, const TableDate& date) {
  std::memcpy(At(record, field), date.text, sizeof date.text);
}

std::string_view GetText(const char* record, Field field) {
  return std::string_view(At(record, field), Width(field));
}

std::int64_t GetAmount(const char* record, Field field) {
  return ReadTableAmount(GetText(record, field));
}

TableDate GetDate(const char* record, Field field) {
  TableDate date;
  std::memcpy(date.text, At(record, field), sizeof date.text);
  return date;
}

}  // namespace

TableDate ToTableDate(const Date& date) {
  const Date& valid = IsCalendarDate(date) ? date : kMissingDate;
  TableDate out;
  // Calendar dates read from the statement file have four-digit years.
  if (!WriteZeroPadded(out.text, 4, static_cast<std::uint64_t>(valid.year))) {
    return ToTableDate(kMissingDate);
  }
  WriteZeroPadded(out.text + 4, 2, static_cast<std::uint64_t>(valid.month));
  WriteZeroPadded(out.text + 6, 2, static_cast<std::uint64_t>(valid.day));
  return out;
}

void EncodeTableFileHeader(const TableFileHeader& header, char out[kFileHeaderSize]) {
  std::memset(out, 0, kFileHeaderSize);
  out[0] = kTableVersion;
  out[1] = static_cast<char>((header.written.year % 100 + 100) % 100);
  out[2] = static_cast<char>(header.written.month);
  out[3] = static_cast<char>(header.written.day);
  WriteU32Le(out + 4, header.record_count);
  WriteU16Le(out + 8, header.header_length);
  WriteU16Le(out + 10, header.record_length);
}

TableFileHeader DecodeTableFileHeader(const char in[kFileHeaderSize]) {
  TableFileHeader header;
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
    WriteU32Le(descriptor + 12, static_cast<std::uint32_t>(FieldOffset(field)));
    descriptor[16] = static_cast<char>(description.length);
    descriptor[17] = static_cast<char>(description.decimals);
  }
  out[32 * kFieldCount] = kHeaderTerminator;
}

bool EncodeHeaderPart(const StatementHeader& header, char* record) {
  record[0] = ' ';
  PutText(record, kCustAccnt, header.account);
  PutText(record, kCustName, header.account_name);
  PutDate(record, kRestPrDt, header.previous_balance_date);
  bool fits = PutAmount(record, kRestPrev, header.previous_balance);
  fits = PutAmount(record, kRestNew, header.new_balance) && fits;
  fits = PutAmount(record, kDebetMd, header.debit_turnover) && fits;
  fits = PutAmount(record, kCreditD, header.credit_turnover) && fits;
  PutText(record, kOrderNo, header.sequence_number);
  PutDate(record, kIssueDate, header.statement_date);
  return fits;
}

bool EncodeItemPart(const StatementItem& item, char* record) {
  PutText(record, kProtiucet, item.counter_account);
  PutText(record, kDocNo, item.document_number);
  const bool fits = PutAmount(record, kPrice, item.amount);
  PutText(record, kCode, item.code);
  PutText(record, kVSymbol, item.variable_symbol);
  PutText(record, kKSymbol, item.constant_symbol);
  PutText(record, kSSymbol, item.specific_symbol);
  PutText(record, kValuta, item.value_date);
  PutText(record, kNote, item.note);
  PutText(record, kCodeChan, item.change_code);
  PutText(record, kDataType, item.data_type);
  PutDate(record, kDueDate, item.due_date);
  std::memset(At(record, kOtherLn), ' ', Width(kOtherLn));
  return fits;
}

void EncodeMemoBlock(std::int64_t block, char* record) {
  // Block numbers come from 32-bit memo file lengths, so ten characters always hold them.
  WriteRightJustified(At(record, kOtherLn), Width(kOtherLn), block);
}

StatementHeader DecodeHeaderPart(const char* record) {
  StatementHeader header;
  header.account = GetText(record, kCustAccnt);
  header.account_name = GetText(record, kCustName);
  header.previous_balance_date = GetDate(record, kRestPrDt);
  header.previous_balance = GetAmount(record, kRestPrev);
  header.new_balance = GetAmount(record, kRestNew);
  header.debit_turnover = GetAmount(record, kDebetMd);
  header.credit_turnover = GetAmount(record, kCreditD);
  header.sequence_number = GetText(record, kOrderNo);
  header.statement_date = GetDate(record, kIssueDate);
  return header;
}

StatementItem DecodeItemPart(const char* record) {
  StatementItem item;
  item.counter_account = GetText(record, kProtiucet);
  item.document_number = GetText(record, kDocNo);
  item.amount = GetAmount(record, kPrice);
  item.code = GetText(record, kCode);
  item.variable_symbol = GetText(record, kVSymbol);
  item.constant_symbol = GetText(record, kKSymbol);
  item.specific_symbol = GetText(record, kSSymbol);
  item.value_date = GetText(record, kValuta);
  item.note = GetText(record, kNote);
  item.change_code = GetText(record, kCodeChan);
  item.data_type = GetText(record, kDataType);
  item.due_date = GetDate(record, kDueDate);
  return item;
}

std::int64_t DecodeMemoBlock(const char* record) {
  return ReadDecimalInteger(GetText(record, kOtherLn));
}

}  // namespace trelvan
