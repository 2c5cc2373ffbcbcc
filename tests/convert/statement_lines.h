// Header and item lines with the values the statement checks look at, the rest fixed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/statement_files.h"

namespace trelvan::testing {

struct Balances {
  std::int64_t previous = 0, debit = 0, credit = 0, next = 0;  // hundredths
};

// "074" with account, sequence number and the four amounts (magnitude and sign).
inline std::string HeaderLine(const std::string& sequence, const Balances& b,
                              const std::string& account = "0000001234567890") {
  const auto sign = [](std::int64_t v) { return v < 0 ? '-' : '+'; };
  char text[160];
  std::snprintf(text, sizeof text,
                "074%-16.16s%-20.20s301126%014lld%c%014lld%c%014lld%c%014lld%c%-3.3s011226",
                account.c_str(), "Zelena louka", std::llabs(b.previous), sign(b.previous),
                std::llabs(b.next), sign(b.next), std::llabs(b.debit), sign(b.debit),
                std::llabs(b.credit), sign(b.credit), sequence.c_str());
  return Line(text);
}

// "075" with code, amount and note.
inline std::string ItemLine(char code, std::int64_t amount, const std::string& note = "Faktura") {
  char text[160];
  std::snprintf(text, sizeof text,
                "0750000001234567890000000001928374600000000000010%011lld%c2026110001"
                "0308                011226%-20.20s01203011226",
                static_cast<long long>(amount), code, note.c_str());
  return Line(text);
}

}  // namespace trelvan::testing
