#include "cli/check_command.h"

#include <cstdio>
#include <memory>

#include "cli/cli_options.h"
#include "cli/cli_texts.h"
#include "cli/run_cli.h"
#include "convert/czech_wording.h"
#include "convert/messages.h"
#include "convert/statement_file_check.h"
#include "convert/windows1250.h"

namespace trelvan {
namespace {

class CollectingPrompter : public Prompter {
 public:
  bool AskYesNo(const std::string&) override { return false; }
  void Show(MessageStyle style, const std::string& text) override {
    if (style == MessageStyle::kWarning || style == MessageStyle::kInformation) {
      notes.emplace_back(style, text);
    } else if (style == MessageStyle::kStop) {
      errors.push_back(text);
    }
  }
  std::vector<std::pair<MessageStyle, std::string>> notes;
  std::vector<std::string> errors;
};

struct FileResult {
  bool table = false;
  std::vector<StatementReport> statements;
  CollectingPrompter messages;
  bool read = false;
};

bool IsTable(const std::string& path, FileSystem& files) {
  if (path == kStandardStream) return false;
  const std::unique_ptr<File> file = files.OpenForReading(path);
  if (!file) return false;  // the conversion reports it
  char head[32];
  std::size_t got = 0;
  try {
    got = file->Read(head, sizeof head);
  } catch (const FileError&) {
    return false;
  }
  return LooksLikeTable(std::string_view(head, got));
}

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

std::string Magnitude(std::int64_t hundredths) {
  const std::string text = Crowns(hundredths);
  return text[0] == '-' ? text.substr(1) : text;
}

void PrintText(const std::string& path, const FileResult& result, bool holds, std::ostream& out) {
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
                  ? FillMessage(cli_texts::kFailedBy, {Magnitude(check.difference)})
                  : std::string(cli_texts::kNotApplicable))
          << '\n';
    }
  }
  if (result.statements.empty()) out << "  " << cli_texts::kNoStatements << '\n';
  for (const auto& note : result.messages.notes) out << "  " << note.second << '\n';
  out << "  " << (holds ? cli_texts::kAllHold : cli_texts::kSomethingFails) << '\n';
}

void PrintJson(const std::string& path, const FileResult& result, bool holds, std::ostream& out) {
  out << "{\"file\":" << JsonString(path) << ",\"kind\":\"" << (result.table ? "dbf" : "abo")
      << "\"";
  if (!result.read) {
    out << ",\"error\":"
        << JsonString(result.messages.errors.empty() ? std::string()
                                                     : result.messages.errors.front())
        << "}\n";
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
  for (std::size_t n = 0; n < result.messages.notes.size(); ++n) {
    const auto& [style, text] = result.messages.notes[n];
    out << (n ? "," : "") << "{\"level\":\""
        << (style == MessageStyle::kWarning ? "warning" : "information")
        << "\",\"text\":" << JsonString(text) << "}";
  }
  out << "],\"passed\":" << (holds ? "true" : "false") << "}\n";
}

}  // namespace

bool LooksLikeTable(std::string_view head) {
  if (head.size() < 12) return false;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(head[i]); };
  const unsigned version = byte(0) & 0x07;  // the low bits: 3 for dBASE III and later
  const unsigned month = byte(2);
  const unsigned day = byte(3);
  const unsigned header_length = byte(8) | (byte(9) << 8);
  return (version == 3 || byte(0) == 0x30 || byte(0) == 0x31) && month >= 1 && month <= 12 &&
         day >= 1 && day <= 31 && header_length >= 65;
}

int RunCheck(const CheckRequest& request, FileSystem& files, Date today, std::ostream& out,
             std::ostream& err) {
  int status = kExitSuccess;
  for (const std::string& path : request.files) {
    FileResult result;
    result.table = IsTable(path, files);
    const StatementSink sink = [&result](const StatementReport& report) {
      result.statements.push_back(report);
    };
    ConversionContext context{files, result.messages, today, 0, &sink};
    result.read =
        result.table ? CheckStatementTable(path, context) : CheckStatementFile(path, context);
    for (const std::string& error : result.messages.errors) {
      err << cli_texts::kPrefix << error << '\n';
    }
    bool holds = result.read;
    for (const StatementReport& s : result.statements) holds = holds && s.Holds();
    for (const auto& note : result.messages.notes) {
      holds = holds && note.first != MessageStyle::kWarning;
    }
    if (request.json) {
      PrintJson(path, result, holds, out);
    } else if (!request.quiet && result.read) {
      PrintText(path, result, holds, out);
    }
    if (!result.read) {
      status = kExitFailure;
    } else if (!holds && status == kExitSuccess) {
      status = kExitWarnings;
    }
  }
  out.flush();
  return status;
}

}  // namespace trelvan
