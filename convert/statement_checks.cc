#include "convert/statement_checks.h"

#include <cstdint>
#include <string_view>
#include <utility>

namespace trelvan {
namespace {

constexpr std::size_t kMaxAccounts = 10000;

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Sums saturate: a hostile file must not overflow them, and no real statement comes near.
std::int64_t Add(std::int64_t a, std::int64_t b) {
  std::int64_t sum;
  if (!__builtin_add_overflow(a, b, &sum)) return sum;
  return b > 0 ? INT64_MAX : INT64_MIN;
}

std::int64_t Subtract(std::int64_t a, std::int64_t b) {
  std::int64_t difference;
  if (!__builtin_sub_overflow(a, b, &difference)) return difference;
  return b < 0 ? INT64_MAX : INT64_MIN;
}

CheckResult Compare(std::int64_t stated, std::int64_t computed) {
  return CheckResult{stated == computed ? Verdict::kPassed : Verdict::kFailed,
                     Subtract(stated, computed)};
}

}  // namespace

bool StatementReport::Holds() const {
  if (items == 0) return false;
  for (const CheckResult& result : checks) {
    if (result.verdict == Verdict::kFailed) return false;
  }
  return true;
}

void StatementChecks::Header(const StatementHeader& header, std::uint64_t where) {
  Close();
  // The account goes into the storage of the last one: a table sorted by another program can
  // begin a statement on nearly every row.
  std::string account = std::move(spare_account_);
  account.assign(Trimmed(header.account));
  StatementReport& report = current_.emplace();
  report.account = std::move(account);
  report.sequence_number = std::string(Trimmed(header.sequence_number));
  report.date = header.statement_date;
  report.where = where;
  report.previous_balance = header.previous_balance;
  report.new_balance = header.new_balance;
  report.debit_turnover = header.debit_turnover;
  report.credit_turnover = header.credit_turnover;
  only_debits_and_credits_ = true;
}

void StatementChecks::Item(const StatementItem& item) {
  if (!current_) return;
  StatementReport& report = *current_;
  ++report.items;
  if (item.code == "1") {
    report.debit_items = Add(report.debit_items, item.amount);
  } else if (item.code == "2") {
    report.credit_items = Add(report.credit_items, item.amount);
  } else {
    only_debits_and_credits_ = false;
  }
}

void StatementChecks::Finish() { Close(); }

void StatementChecks::Close() {
  if (!current_) return;
  StatementReport& report = *current_;
  auto& checks = report.checks;
  checks[static_cast<std::size_t>(StatementCheck::kBalance)] = Compare(
      report.new_balance,
      Add(Subtract(report.previous_balance, report.debit_turnover), report.credit_turnover));
  if (report.items > 0 && only_debits_and_credits_) {
    checks[static_cast<std::size_t>(StatementCheck::kDebits)] =
        Compare(report.debit_turnover, report.debit_items);
    checks[static_cast<std::size_t>(StatementCheck::kCredits)] =
        Compare(report.credit_turnover, report.credit_items);
  }
  const auto previous = last_of_account_.find(report.account);
  if (previous != last_of_account_.end()) {
    report.follows = previous->second.sequence_number;
    checks[static_cast<std::size_t>(StatementCheck::kSequence)] =
        Compare(report.previous_balance, previous->second.new_balance);
    previous->second = Previous{report.sequence_number, report.new_balance};
  } else if (last_of_account_.size() < kMaxAccounts) {
    // Memory stays bounded whatever the file holds; no real file has this many accounts.
    last_of_account_.emplace(report.account, Previous{report.sequence_number, report.new_balance});
  }
  if (report.items > 0) ++statements_with_items_;
  sink_(report);
  spare_account_ = std::move(report.account);
  current_.reset();
}

}  // namespace trelvan
