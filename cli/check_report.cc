#include "cli/check_report.h"

#include <cstdio>

#include "cli/cli_texts.h"
#include "convert/czech_wording.h"
#include "convert/messages.h"
#include "convert/windows1250.h"

namespace trelvan {
namespace {

// Amounts in JSON: a number with two decimals.
std::string JsonAmount(std::int64_t hundredths) {
  std::string text = Crowns(hundredths);
  std::string out;
  for (const char c : text) {
    if (c == ',') {
      out += '.';
    } else if (c != ' ') {
      out += c;
    }
  }
  return out;
}

std::string JsonString(const std::string& utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

bool IsDigits(std::string_view text) {
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// YYYY-MM-DD for JSON, DD.MM.YYYY for people; anything else as it stands.
std::string DateText(const TableDate& date, bool iso) {
  const std::string_view text(date.text, sizeof date.text);
  if (!IsDigits(text)) return Utf8FromWindows1250(text);
  const std::string y(text.substr(0, 4)), m(text.substr(4, 2)), d(text.substr(6, 2));
  return iso ? y + "-" + m + "-" + d : d + "." + m + "." + y;
}

const char* const kCheckKeys[kStatementCheckCount] = {"balance", "debits", "credits", "sequence"};
const char* const kCheckNames[kStatementCheckCount] = {
    cli_texts::kCheckBalance, cli_texts::kCheckDebits, cli_texts::kCheckCredits,
    cli_texts::kCheckSequence};

}  // namespace

void PrintCheckText(const std::string& path, const CheckedFile& result, std::ostream& out) {
  const bool holds = result.Holds();
  out << path << ":\n";
  for (const StatementReport& s : result.statements) {
    out << "  "
        << FillMessage(cli_texts::kCheckStatement,
                       {Utf8FromWindows1250(s.sequence_number), Utf8FromWindows1250(s.account),
                        DateText(s.date, false), result.table ? cli_texts::kRow : cli_texts::kLine,
                        std::to_string(s.where), ItemCount(s.items), Crowns(s.previous_balance),
                        Crowns(s.new_balance), Crowns(s.debit_turnover), Crowns(s.credit_turnover)})
        << '\n';
    for (std::size_t i = 0; i < kStatementCheckCount; ++i) {
      const CheckResult& check = s.checks[i];
      out << "    " << kCheckNames[i] << ": "
          << (check.verdict == Verdict::kPassed ? std::string(cli_texts::kPassed)
              : check.verdict == Verdict::kFailed
                  ? FillMessage(cli_texts::kFailedBy, {CrownsApart(check.difference)})
                  : std::string(cli_texts::kNotApplicable))
          << '\n';
    }
  }
  if (result.statements.empty()) out << "  " << cli_texts::kNoStatements << '\n';
  for (const auto& note : result.notes) out << "  " << note.second << '\n';
  out << "  " << (holds ? cli_texts::kAllHold : cli_texts::kSomethingFails) << '\n';
}

void PrintCheckJson(const std::string& path, const CheckedFile& result, std::ostream& out) {
  out << "{\"file\":" << JsonString(path) << ",\"kind\":\"" << (result.table ? "dbf" : "abo")
      << "\"";
  if (!result.read) {
    out << ",\"error\":"
        << JsonString(result.errors.empty() ? std::string() : result.errors.front()) << "}\n";
    return;
  }
  out << ",\"statements\":[";
  for (std::size_t n = 0; n < result.statements.size(); ++n) {
    const StatementReport& s = result.statements[n];
    out << (n ? "," : "") << "{\"account\":" << JsonString(Utf8FromWindows1250(s.account))
        << ",\"number\":" << JsonString(Utf8FromWindows1250(s.sequence_number))
        << ",\"date\":" << JsonString(DateText(s.date, true)) << ",\""
        << (result.table ? "row" : "line") << "\":" << s.where << ",\"items\":" << s.items
        << ",\"previous_balance\":" << JsonAmount(s.previous_balance)
        << ",\"new_balance\":" << JsonAmount(s.new_balance)
        << ",\"debit_turnover\":" << JsonAmount(s.debit_turnover)
        << ",\"credit_turnover\":" << JsonAmount(s.credit_turnover)
        << ",\"debit_items\":" << JsonAmount(s.debit_items)
        << ",\"credit_items\":" << JsonAmount(s.credit_items) << ",\"checks\":{";
    for (std::size_t i = 0; i < kStatementCheckCount; ++i) {
      const CheckResult& check = s.checks[i];
      out << (i ? "," : "") << "\"" << kCheckKeys[i] << "\":";
      if (check.verdict == Verdict::kNotApplicable) {
        out << "null";
      } else {
        out << "{\"passed\":" << (check.verdict == Verdict::kPassed ? "true" : "false")
            << ",\"difference\":" << JsonAmount(check.difference) << "}";
      }
    }
    out << "}}";
  }
  out << "],\"notes\":[";
  for (std::size_t n = 0; n < result.notes.size(); ++n) {
    const auto& [style, text] = result.notes[n];
    out << (n ? "," : "") << "{\"level\":\""
        << (style == MessageStyle::kWarning ? "warning" : "information")
        << "\",\"text\":" << JsonString(text) << "}";
  }
  out << "],\"passed\":" << (result.Holds() ? "true" : "false") << "}\n";
}

bool CheckedFile::Holds() const {
  if (!read) return false;
  for (const StatementReport& s : statements) {
    if (!s.Holds()) return false;
  }
  for (const auto& note : notes) {
    if (note.first == MessageStyle::kWarning) return false;
  }
  return true;
}

}  // namespace trelvan
