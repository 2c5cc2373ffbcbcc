#include "formats/statement_row_decoder.h"

#include <cstring>

#include "formats/amount.h"
#include "formats/byte_order.h"
#include "formats/fixed_text.h"

namespace trelvan {
namespace {

// Programs pad fields with spaces; some leave NUL bytes after the value.
bool IsPadding(char c) { return c == ' ' || c == '\0'; }

std::string_view WithoutTrailingPadding(std::string_view text) {
  while (!text.empty() && IsPadding(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view Trimmed(std::string_view text) {
  text = WithoutTrailingPadding(text);
  while (!text.empty() && IsCSpace(text.front())) text.remove_prefix(1);
  return text;
}

constexpr Field kHeaderFields[] = {Field::kCustAccnt, Field::kCustName, Field::kRestPrDt,
                                   Field::kRestPrev,  Field::kRestNew,  Field::kDebetMd,
                                   Field::kCreditD,   Field::kOrderNo,  Field::kIssueDate};

}  // namespace

bool IsTableNumber(std::string_view field) {
  field = WithoutTrailingPadding(field);
  std::size_t i = 0;
  const std::size_t n = field.size();
  while (i < n && IsCSpace(field[i])) ++i;
  if (i == n) return true;
  if (field[i] == '+' || field[i] == '-') ++i;
  std::size_t digits = 0;
  for (; i < n && IsDigit(field[i]); ++i) ++digits;
  if (i < n && field[i] == '.') {
    for (++i; i < n && IsDigit(field[i]); ++i) ++digits;
  }
  if (digits == 0) return false;
  if (i < n && (field[i] == 'e' || field[i] == 'E')) {
    ++i;
    if (i < n && (field[i] == '+' || field[i] == '-')) ++i;
    if (i == n || !IsDigit(field[i])) return false;
    while (i < n && IsDigit(field[i])) ++i;
  }
  return i == n;
}

StatementRowDecoder::StatementRowDecoder(const StatementLayout& layout) : layout_(layout) {
  if (!layout_.standard) {
    std::size_t size = 0;
    for (Field field : kHeaderFields) size += layout_.slots[FieldIndex(field)].width;
    key_.resize(size);
  }
}

std::string_view StatementRowDecoder::Raw(const char* record, Field field) const {
  const FieldSlot& slot = layout_.slots[FieldIndex(field)];
  return std::string_view(record + slot.offset, slot.width);
}

std::string_view StatementRowDecoder::HeaderKey(const char* record) {
  if (layout_.standard) return std::string_view(record + kHeaderPartBegin, kHeaderPartLength);
  std::size_t at = 0;
  for (Field field : kHeaderFields) {
    const std::string_view raw = Raw(record, field);
    std::memcpy(&key_[at], raw.data(), raw.size());
    at += raw.size();
  }
  return key_;
}

RowError StatementRowDecoder::Text(const char* record, Field field, std::string_view& out) const {
  out = Raw(record, field);
  const std::size_t line_width = DescriptionOf(field).length;
  if (out.size() == line_width) return {};
  out = WithoutTrailingPadding(out);
  if (out.size() > line_width) return {RowProblem::kTooLong, field, std::string(Trimmed(out))};
  return {};
}

RowError StatementRowDecoder::Amount(const char* record, Field field, std::int64_t& out) const {
  const std::string_view raw = Raw(record, field);
  if (!IsTableNumber(raw)) return {RowProblem::kNotANumber, field, std::string(Trimmed(raw))};
  out = ReadTableAmount(raw);
  return {};
}

TableDate StatementRowDecoder::DateOf(const char* record, Field field) const {
  TableDate date;
  std::memcpy(date.text, record + layout_.slots[FieldIndex(field)].offset, sizeof date.text);
  return date;
}

// Programs that treat ORDER_NO as a number right-justify it: " 47" stands for "047".
RowError StatementRowDecoder::SequenceNumber(const char* record, std::string_view& out) {
  const std::string_view raw = Raw(record, Field::kOrderNo);
  std::size_t blanks = 0;
  while (blanks < raw.size() && raw[blanks] == ' ') ++blanks;
  std::string_view digits = raw.substr(blanks);
  bool all_digits = !digits.empty();
  for (char c : digits) all_digits = all_digits && IsDigit(c);
  if (blanks > 0 && all_digits) {
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    if (digits.size() <= sizeof sequence_number_) {
      std::memset(sequence_number_, '0', sizeof sequence_number_);
      std::memcpy(sequence_number_ + sizeof sequence_number_ - digits.size(), digits.data(),
                  digits.size());
      out = std::string_view(sequence_number_, sizeof sequence_number_);
      return {};
    }
  }
  return Text(record, Field::kOrderNo, out);
}

RowError StatementRowDecoder::DecodeHeader(const char* record, StatementHeader& header) {
  RowError error;
  if ((error = Text(record, Field::kCustAccnt, header.account)) ||
      (error = Text(record, Field::kCustName, header.account_name)) ||
      (error = Amount(record, Field::kRestPrev, header.previous_balance)) ||
      (error = Amount(record, Field::kRestNew, header.new_balance)) ||
      (error = Amount(record, Field::kDebetMd, header.debit_turnover)) ||
      (error = Amount(record, Field::kCreditD, header.credit_turnover)) ||
      (error = SequenceNumber(record, header.sequence_number))) {
    return error;
  }
  header.previous_balance_date = DateOf(record, Field::kRestPrDt);
  header.statement_date = DateOf(record, Field::kIssueDate);
  return {};
}

RowError StatementRowDecoder::DecodeItem(const char* record, StatementItem& item) {
  RowError error;
  if ((error = Text(record, Field::kProtiucet, item.counter_account)) ||
      (error = Text(record, Field::kDocNo, item.document_number)) ||
      (error = Amount(record, Field::kPrice, item.amount)) ||
      (error = Text(record, Field::kCode, item.code)) ||
      (error = Text(record, Field::kVSymbol, item.variable_symbol)) ||
      (error = Text(record, Field::kKSymbol, item.constant_symbol)) ||
      (error = Text(record, Field::kSSymbol, item.specific_symbol)) ||
      (error = Text(record, Field::kValuta, item.value_date)) ||
      (error = Text(record, Field::kNote, item.note)) ||
      (error = Text(record, Field::kCodeChan, item.change_code)) ||
      (error = Text(record, Field::kDataType, item.data_type))) {
    return error;
  }
  item.due_date = DateOf(record, Field::kDueDate);
  return {};
}

std::string_view StatementRowDecoder::OwnAccount(const char* record) const {
  std::string_view account;
  Text(record, Field::kCustAccnt, account);
  return account;
}

std::int64_t StatementRowDecoder::MemoBlock(const char* record) const {
  const std::string_view raw = Raw(record, Field::kOtherLn);
  // Visual FoxPro keeps the block number as a binary integer in four bytes.
  if (raw.size() == 4) return ReadU32Le(raw.data());
  return ReadDecimalInteger(raw);
}

}  // namespace trelvan
