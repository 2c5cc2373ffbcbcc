// What each statement of a file holds and whether it adds up. Both conversions hand it the
// typed header and items they read (ABO lines one way, table rows the other), so that the
// warnings after a conversion, `trelvan-cli check` and the dialog share one set of checks.
//
// A real bank statement always adds up; a damaged or hand-made one usually does not:
// - balance:  previous balance - debit turnover + credit turnover = new balance;
// - debits:   the code "1" items sum to the debit turnover, and
// - credits:  the code "2" items sum to the credit turnover, both only when every item of the
//             statement has code "1" or "2" (other codes, such as "-", mean reversals);
// - sequence: a statement starts from the new balance of the same account's statement before
//             it in the file, or issued before it when a table's rows were sorted (otherwise one
//             is missing in between).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "formats/statement_row.h"

namespace trelvan {

enum class StatementCheck { kBalance, kDebits, kCredits, kSequence };
inline constexpr std::size_t kStatementCheckCount = 4;

enum class Verdict { kPassed, kFailed, kNotApplicable };

struct CheckResult {
  Verdict verdict = Verdict::kNotApplicable;
  // Hundredths: what the file says minus what the rest of it makes of it (the new balance, the
  // sum of the items, the previous balance), so 0 when passed.
  std::int64_t difference = 0;
};

struct StatementReport {
  std::string account;          // CUST_ACCNT without trailing blanks, windows-1250 bytes
  std::string sequence_number;  // ORDER_NO without blanks around it
  TableDate date;               // ISSUE_DATE
  std::uint64_t where = 0;      // the line of its header line, or the row of its first row
  std::int64_t previous_balance = 0;
  std::int64_t new_balance = 0;
  std::int64_t debit_turnover = 0;
  std::int64_t credit_turnover = 0;
  std::uint64_t items = 0;
  std::int64_t debit_items = 0;   // the sum of the code "1" items
  std::int64_t credit_items = 0;  // the sum of the code "2" items
  std::string follows;            // the sequence number of the account's statement before, if any
  CheckResult checks[kStatementCheckCount];

  const CheckResult& check(StatementCheck which) const {
    return checks[static_cast<std::size_t>(which)];
  }
  // False when a check failed or the statement has no items.
  bool Holds() const;
};

// Hears about each statement once all its items are in.
using StatementSink = std::function<void(const StatementReport&)>;

class StatementChecks {
 public:
  // Statements that Continue keeps open at once; past that the oldest is closed. A year of daily
  // statements of many accounts.
  static constexpr std::size_t kMaxOpen = 10000;

  explicit StatementChecks(StatementSink sink) : sink_(std::move(sink)) {}

  // Starts a statement, ending the one before; `where` is its header line's number. A statement
  // file's statements end where the next begins.
  void Header(const StatementHeader& header, std::uint64_t where);
  // Goes on with the statement that the same header line began before, or starts it; `where` is
  // its first row. A table's rows may come back to a statement after others (another program
  // sorted them), so statements stay open until Finish. Returns true when the statement came
  // back.
  bool Continue(std::string_view header_line, const StatementHeader& header, std::uint64_t where);
  // Adds an item to the statement begun or continued last; items before any header are not
  // checked.
  void Item(const StatementItem& item);
  // Ends the statements; call once, after the last item. When one came back, they are checked
  // and reported in the order they were issued (date, then number), not as their rows stood.
  void Finish();

  // The statements with at least one item, so far.
  std::uint64_t statements_with_items() const { return statements_with_items_; }

 private:
  struct Open {
    StatementReport report;
    bool only_debits_and_credits = true;
    std::string header_line;  // the key it is open under in by_line_
  };
  struct Previous {
    std::string sequence_number;
    std::int64_t new_balance;
  };
  Open& Start(const StatementHeader& header, std::uint64_t where);
  void CloseOldest();
  void Close(StatementReport& report, bool only_debits_and_credits);

  StatementSink sink_;
  std::deque<Open> open_;  // in the order they began; elements never move while open
  std::unordered_map<std::string_view, Open*> by_line_;
  Open* current_ = nullptr;
  bool came_back_ = false;
  std::unordered_map<std::string, Previous> last_of_account_;
  std::uint64_t statements_with_items_ = 0;
};

}  // namespace trelvan
