// Lines of the ABO statement file: 128 characters (plus CR LF when written). A line beginning
// "074" is a statement header, "075" an item; any other line is carried along unchanged.
//
// The two layouts are described once, as tables of (position, width) with positions counted
// from 1, and both reading and writing use them.
#pragma once

#include <cstddef>
#include <string_view>

#include "formats/statement_row.h"

namespace trelvan {

inline constexpr std::size_t kLineWidth = 128;
inline constexpr std::size_t kLineWithEnd = 130;

struct LineField {
  std::size_t position;  // from 1
  std::size_t width;
};

namespace header_line {
inline constexpr LineField kTag{1, 3};
inline constexpr LineField kAccount{4, 16};
inline constexpr LineField kAccountName{20, 20};
inline constexpr LineField kPreviousBalanceDate{40, 6};
inline constexpr LineField kPreviousBalance{46, 14};
inline constexpr LineField kPreviousBalanceSign{60, 1};
inline constexpr LineField kNewBalance{61, 14};
inline constexpr LineField kNewBalanceSign{75, 1};
inline constexpr LineField kDebitTurnover{76, 14};
inline constexpr LineField kDebitTurnoverSign{90, 1};
inline constexpr LineField kCreditTurnover{91, 14};
inline constexpr LineField kCreditTurnoverSign{105, 1};
inline constexpr LineField kSequenceNumber{106, 3};
inline constexpr LineField kStatementDate{109, 6};
inline constexpr LineField kFiller{115, 14};
inline constexpr LineField kAll[] = {
    kTag,
    kAccount,
    kAccountName,
    kPreviousBalanceDate,
    kPreviousBalance,
    kPreviousBalanceSign,
    kNewBalance,
    kNewBalanceSign,
    kDebitTurnover,
    kDebitTurnoverSign,
    kCreditTurnover,
    kCreditTurnoverSign,
    kSequenceNumber,
    kStatementDate,
    kFiller,
};
}  // namespace header_line

namespace item_line {
inline constexpr LineField kTag{1, 3};
inline constexpr LineField kOwnAccount{4, 16};
inline constexpr LineField kCounterAccount{20, 16};
inline constexpr LineField kDocumentNumber{36, 13};
inline constexpr LineField kAmount{49, 12};
inline constexpr LineField kCode{61, 1};
inline constexpr LineField kVariableSymbol{62, 10};
inline constexpr LineField kConstantSymbol{72, 10};
inline constexpr LineField kSpecificSymbol{82, 10};
inline constexpr LineField kValueDate{92, 6};
inline constexpr LineField kNote{98, 20};
inline constexpr LineField kChangeCode{118, 1};
inline constexpr LineField kDataType{119, 4};
inline constexpr LineField kDueDate{123, 6};
inline constexpr LineField kAll[] = {
    kTag,  kOwnAccount,     kCounterAccount, kDocumentNumber, kAmount,
    kCode, kVariableSymbol, kConstantSymbol, kSpecificSymbol, kValueDate,
    kNote, kChangeCode,     kDataType,       kDueDate,
};
}  // namespace item_line

// Each layout covers the line from position 1 to 128 without a gap or an overlap.
template <std::size_t N>
constexpr bool TilesTheLine(const LineField (&fields)[N]) {
  std::size_t next = 1;
  for (const LineField& field : fields) {
    if (field.position != next) return false;
    next += field.width;
  }
  return next == kLineWidth + 1;
}
static_assert(TilesTheLine(header_line::kAll) && TilesTheLine(item_line::kAll),
              "the fields of an ABO line must tile it");

enum class LineKind { kHeader, kItem, kOther };

// Classifies a line by its first three bytes; a line shorter than three bytes is an other line.
LineKind ClassifyLine(std::string_view line);

// Reads a header line of kLineWidth characters. Text values are views into `line`; dates that
// are not calendar dates become 19000101.
StatementHeader ReadHeaderLine(const char* line);

// Reads an item line of kLineWidth characters; the own account (positions 4-19) is not read.
// A "-" as item code negates the amount.
StatementItem ReadItemLine(const char* line);

// Ends a line of kLineWidth characters with CR LF, making it kLineWithEnd bytes.
void FinishLine(char* line);

// Writes a header line of kLineWithEnd bytes (CR LF included). Returns false when an amount's
// magnitude needs more than 14 digits.
bool WriteHeaderLine(const StatementHeader& header, char* out);

// Writes an item line of kLineWithEnd bytes with `own_account` at positions 4-19. The amount
// characters carry the amount as reading gives it back: negated when the code is "-". Returns
// false when that value does not fit the 12 signed characters.
bool WriteItemLine(std::string_view own_account, const StatementItem& item, char* out);

}  // namespace trelvan
