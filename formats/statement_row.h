// One row of the statement table as typed values, shared by both directions. Text values are
// views of the bytes they were read from (an ABO line or a table record) and are copied into
// the other layout unchanged.
#pragma once

#include <cstdint>
#include <string_view>

#include "formats/date.h"

namespace trelvan {

// The statement's header: fields 1 to 9, repeated in every row of one statement.
struct StatementHeader {
  std::string_view account;           // CUST_ACCNT
  std::string_view account_name;      // CUST_NAME
  TableDate previous_balance_date;    // REST_PR_DT
  std::int64_t previous_balance = 0;  // REST_PREV, hundredths
  std::int64_t new_balance = 0;       // REST_NEW, hundredths
  std::int64_t debit_turnover = 0;    // DEBET_MD, hundredths
  std::int64_t credit_turnover = 0;   // CREDIT_D, hundredths
  std::string_view sequence_number;   // ORDER_NO, three characters as given
  TableDate statement_date;           // ISSUE_DATE
};

// One item: fields 10 to 21. The memo field OTHER_LN is handled apart from the values.
struct StatementItem {
  std::string_view counter_account;  // PROTIUCET
  std::string_view document_number;  // DOC_NO
  std::int64_t amount = 0;           // PRICE, hundredths
  std::string_view code;             // CODE
  std::string_view variable_symbol;  // V_SYMBOL
  std::string_view constant_symbol;  // K_SYMBOL
  std::string_view specific_symbol;  // S_SYMBOL
  std::string_view value_date;       // VALUTA, six characters as given
  std::string_view note;             // NOTE
  std::string_view change_code;      // CODE_CHAN
  std::string_view data_type;        // DATA_TYPE
  TableDate due_date;                // DUE_DATE
};

}  // namespace trelvan
