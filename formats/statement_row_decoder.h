// Reads the typed values of one statement row from a record of any layout (see table_layout.h).
//
// Every table, standard or not: the amounts must be numbers however they are justified (blank
// is 0), and ORDER_NO holding digits right-justified with leading blanks gets leading zeros.
// Text fields of the standard width are copied unchanged; of another width, their value
// without trailing blanks must fit the line's width. Views in the results point into the
// record or into the decoder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "formats/statement_row.h"
#include "formats/table_layout.h"

namespace trelvan {

enum class RowProblem { kNone, kNotANumber, kTooLong };

struct RowError {
  RowProblem problem = RowProblem::kNone;
  Field field = Field::kCustAccnt;  // the field, when there is a problem
  std::string value;  // the field's text without surrounding blanks; outlives the record
  explicit operator bool() const { return problem != RowProblem::kNone; }
};

class StatementRowDecoder {
 public:
  explicit StatementRowDecoder(const StatementLayout& layout);

  // The bytes of the nine header fields: rows with equal keys belong to one statement.
  std::string_view HeaderKey(const char* record);
  RowError DecodeHeader(const char* record, StatementHeader& header);
  RowError DecodeItem(const char* record, StatementItem& item);
  // CUST_ACCNT, for the item line's own account (checked by DecodeHeader).
  std::string_view OwnAccount(const char* record) const;
  // OTHER_LN: the memo's first block; 0 or less means no memo.
  std::int64_t MemoBlock(const char* record) const;

 private:
  std::string_view Raw(const char* record, Field field) const;
  RowError Text(const char* record, Field field, std::string_view& out) const;
  RowError Amount(const char* record, Field field, std::int64_t& out) const;
  TableDate DateOf(const char* record, Field field) const;
  RowError SequenceNumber(const char* record, std::string_view& out);

  StatementLayout layout_;
  std::string key_;
  char sequence_number_[3] = {};
};

// True when `field` holds a decimal number (blanks, optional sign, digits with an optional "."
// and fraction, optional exponent, blanks) or only blanks.
bool IsTableNumber(std::string_view field);

}  // namespace trelvan
