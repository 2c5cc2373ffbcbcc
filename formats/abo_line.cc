#include "formats/abo_line.h"

#include <cstring>

#include "formats/fixed_text.h"

namespace trelvan {
namespace {

constexpr std::uint64_t kMaxHeaderMagnitude = 99'999'999'999'999;  // 14 digits

std::string_view Get(const char* line, LineField field) {
  return std::string_view(line + field.position - 1, field.width);
}

char* At(char* line, LineField field) { return line + field.position - 1; }

void Put(char* line, LineField field, std::string_view text) {
  WriteFixedText(At(line, field), field.width, text);
}

// A run of characters as a decimal integer. A run of digits only, the usual case, is read
// here without the general reader; unsigned arithmetic, as other bytes may run it past 64 bits
// before they are noticed.
std::int64_t ReadNumber(std::string_view run) {
  std::uint64_t value = 0;
  bool digits_only = run.size() <= 18;
  for (const char c : run) {
    digits_only &= IsDigit(c);
    value = value * 10 + static_cast<unsigned char>(c - '0');
  }
  return digits_only ? static_cast<std::int64_t>(value) : ReadDecimalInteger(run);
}

// DDMMYY, each pair a decimal integer; the year is 2000 + YY.
TableDate ReadDate(const char* line, LineField field) {
  const char* digits = line + field.position - 1;
  Date date;
  date.day = static_cast<int>(ReadNumber(std::string_view(digits, 2)));
  date.month = static_cast<int>(ReadNumber(std::string_view(digits + 2, 2)));
  date.year = 2000 + static_cast<int>(ReadNumber(std::string_view(digits + 4, 2)));
  return ToTableDate(date);
}

// YYYYMMDD characters 7-8, 5-6 and 3-4, unchanged and unvalidated.
void PutDate(char* line, LineField field, const TableDate& date) {
  char* out = At(line, field);
  const std::string_view text(date.text, sizeof date.text);
  WriteFixedText(out, 2, text.substr(6, 2));
  WriteFixedText(out + 2, 2, text.substr(4, 2));
  WriteFixedText(out + 4, 2, text.substr(2, 2));
}

std::int64_t ReadHeaderAmount(const char* line, LineField digits, LineField sign) {
  const std::int64_t value = ReadNumber(Get(line, digits));
  return line[sign.position - 1] == '-' ? -value : value;
}

bool PutHeaderAmount(char* line, LineField digits, LineField sign, std::int64_t hundredths) {
  const std::uint64_t magnitude = hundredths < 0 ? 0 - static_cast<std::uint64_t>(hundredths)
                                                 : static_cast<std::uint64_t>(hundredths);
  *At(line, sign) = hundredths < 0 ? '-' : '+';
  if (magnitude > kMaxHeaderMagnitude) return false;
  return WriteZeroPadded(At(line, digits), digits.width, magnitude);
}

}  // namespace

void FinishLine(char* line) {
  line[kLineWidth] = '\r';
  line[kLineWidth + 1] = '\n';
}

LineKind ClassifyLine(std::string_view line) {
  if (line.size() >= 3 && line[0] == '0' && line[1] == '7') {
    if (line[2] == '4') return LineKind::kHeader;
    if (line[2] == '5') return LineKind::kItem;
  }
  return LineKind::kOther;
}

StatementHeader ReadHeaderLine(const char* line) {
  using namespace header_line;
  StatementHeader header;
  header.account = Get(line, kAccount);
  header.account_name = Get(line, kAccountName);
  header.previous_balance_date = ReadDate(line, kPreviousBalanceDate);
  header.previous_balance = ReadHeaderAmount(line, kPreviousBalance, kPreviousBalanceSign);
  header.new_balance = ReadHeaderAmount(line, kNewBalance, kNewBalanceSign);
  header.debit_turnover = ReadHeaderAmount(line, kDebitTurnover, kDebitTurnoverSign);
  header.credit_turnover = ReadHeaderAmount(line, kCreditTurnover, kCreditTurnoverSign);
  header.sequence_number = Get(line, kSequenceNumber);
  header.statement_date = ReadDate(line, kStatementDate);
  return header;
}

StatementItem ReadItemLine(const char* line) {
  using namespace item_line;
  StatementItem item;
  item.counter_account = Get(line, kCounterAccount);
  item.document_number = Get(line, kDocumentNumber);
  item.code = Get(line, kCode);
  const std::int64_t amount = ReadNumber(Get(line, kAmount));
  item.amount = item.code[0] == '-' ? -amount : amount;
  item.variable_symbol = Get(line, kVariableSymbol);
  item.constant_symbol = Get(line, kConstantSymbol);
  item.specific_symbol = Get(line, kSpecificSymbol);
  item.value_date = Get(line, kValueDate);
  item.note = Get(line, kNote);
  item.change_code = Get(line, kChangeCode);
  item.data_type = Get(line, kDataType);
  item.due_date = ReadDate(line, kDueDate);
  return item;
}

bool WriteHeaderLine(const StatementHeader& header, char* out) {
  using namespace header_line;
  std::memcpy(At(out, kTag), "074", 3);
  Put(out, kAccount, header.account);
  Put(out, kAccountName, header.account_name);
  PutDate(out, kPreviousBalanceDate, header.previous_balance_date);
  bool fits = PutHeaderAmount(out, kPreviousBalance, kPreviousBalanceSign, header.previous_balance);
  fits = PutHeaderAmount(out, kNewBalance, kNewBalanceSign, header.new_balance) && fits;
  fits = PutHeaderAmount(out, kDebitTurnover, kDebitTurnoverSign, header.debit_turnover) && fits;
  fits = PutHeaderAmount(out, kCreditTurnover, kCreditTurnoverSign, header.credit_turnover) && fits;
  Put(out, kSequenceNumber, header.sequence_number);
  PutDate(out, kStatementDate, header.statement_date);
  std::memset(At(out, kFiller), ' ', kFiller.width);
  FinishLine(out);
  return fits;
}

bool WriteItemLine(std::string_view own_account, const StatementItem& item, char* out) {
  using namespace item_line;
  std::memcpy(At(out, kTag), "075", 3);
  Put(out, kOwnAccount, own_account);
  Put(out, kCounterAccount, item.counter_account);
  Put(out, kDocumentNumber, item.document_number);
  Put(out, kCode, item.code);
  // Reading negates the amount when the code is "-", so the line carries the negated amount.
  const std::int64_t written = *At(out, kCode) == '-' ? -item.amount : item.amount;
  // "%012i": twelve digits, or "-" and eleven digits.
  bool fits;
  if (written >= 0) {
    fits = WriteZeroPadded(At(out, kAmount), kAmount.width, static_cast<std::uint64_t>(written));
  } else {
    *At(out, kAmount) = '-';
    fits = written > -100'000'000'000 && WriteZeroPadded(At(out, kAmount) + 1, kAmount.width - 1,
                                                         0 - static_cast<std::uint64_t>(written));
  }
  Put(out, kVariableSymbol, item.variable_symbol);
  Put(out, kConstantSymbol, item.constant_symbol);
  Put(out, kSpecificSymbol, item.specific_symbol);
  Put(out, kValueDate, item.value_date);
  Put(out, kNote, item.note);
  Put(out, kChangeCode, item.change_code);
  Put(out, kDataType, item.data_type);
  PutDate(out, kDueDate, item.due_date);
  FinishLine(out);
  return fits;
}

}  // namespace trelvan
