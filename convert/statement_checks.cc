#include "convert/statement_checks.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
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

// A sequence number as a number: without leading zeros, and shorter is smaller. One that is not
// all digits sorts after those that are.
std::pair<std::size_t, std::string_view> NumberKey(std::string_view number) {
  if (number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos)
    return {SIZE_MAX, {}};
  number.remove_prefix(std::min(number.find_first_not_of('0'), number.size()));
  return {number.size(), number};
}

// Statements in the order the bank issued them: by date, then number, then as they came.
bool IssuedBefore(const StatementReport& a, const StatementReport& b) {
  const int dates = std::memcmp(a.date.text, b.date.text, sizeof a.date.text);
  if (dates != 0) return dates < 0;
  return NumberKey(a.sequence_number) < NumberKey(b.sequence_number);
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

StatementChecks::Open& StatementChecks::Start(const StatementHeader& header, std::uint64_t where) {
  Open& open = open_.emplace_back();
  StatementReport& report = open.report;
  report.account = std::string(Trimmed(header.account));
  report.sequence_number = std::string(Trimmed(header.sequence_number));
  report.date = header.statement_date;
  report.where = where;
  report.previous_balance = header.previous_balance;
  report.new_balance = header.new_balance;
  report.debit_turnover = header.debit_turnover;
  report.credit_turnover = header.credit_turnover;
  current_ = &open;
  return open;
}

void StatementChecks::Header(const StatementHeader& header, std::uint64_t where) {
  while (!open_.empty()) CloseOldest();
  Start(header, where);
}

bool StatementChecks::Continue(std::string_view header_line, const StatementHeader& header,
                               std::uint64_t where) {
  const auto found = by_line_.find(header_line);
  if (found != by_line_.end()) {
    const bool came_back = found->second != current_;
    came_back_ = came_back_ || came_back;
    current_ = found->second;
    return came_back;
  }
  if (open_.size() == kMaxOpen) CloseOldest();
  Open& open = Start(header, where);
  open.header_line.assign(header_line);
  by_line_.emplace(open.header_line, &open);
  return false;
}

void StatementChecks::Item(const StatementItem& item) {
  if (current_ == nullptr) return;
  StatementReport& report = current_->report;
  ++report.items;
  if (item.code == "1") {
    report.debit_items = Add(report.debit_items, item.amount);
  } else if (item.code == "2") {
    report.credit_items = Add(report.credit_items, item.amount);
  } else {
    current_->only_debits_and_credits = false;
  }
}

void StatementChecks::Finish() {
  by_line_.clear();
  current_ = nullptr;
  if (came_back_) {
    std::stable_sort(open_.begin(), open_.end(),
                     [](const Open& a, const Open& b) { return IssuedBefore(a.report, b.report); });
  }
  while (!open_.empty()) CloseOldest();
}

void StatementChecks::CloseOldest() {
  Open& oldest = open_.front();
  by_line_.erase(oldest.header_line);
  Close(oldest.report, oldest.only_debits_and_credits);
  open_.pop_front();
}

void StatementChecks::Close(StatementReport& report, bool only_debits_and_credits) {
  auto& checks = report.checks;
  checks[static_cast<std::size_t>(StatementCheck::kBalance)] = Compare(
      report.new_balance,
      Add(Subtract(report.previous_balance, report.debit_turnover), report.credit_turnover));
  if (report.items > 0 && only_debits_and_credits) {
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
}

}  // namespace trelvan
