#include "tests/support/conversion_checks.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "convert/abo_line_reader.h"
#include "convert/buffered_io.h"
#include "convert/conversions.h"
#include "convert/czech_wording.h"
#include "tests/support/session.h"
#include "tests/support/statement_files.h"

namespace trelvan::testing {
namespace {

struct CheckFailed : std::runtime_error {
  using std::runtime_error::runtime_error;
};

#define REQUIRE(condition) \
  if (!(condition))        \
  throw CheckFailed(std::string(#condition) + " (line " + std::to_string(__LINE__) + ")")

template <typename Check>
std::string Findings(Check check) try {
  check();
  return "";
} catch (const CheckFailed& failed) {
  return failed.what();
}

// A decimal integer the plain way: white space, a sign, digits up to the first other character.
std::int64_t DecimalInteger(std::string_view run) {
  std::size_t i = run.find_first_not_of(" \t\n\v\f\r");
  if (i == std::string_view::npos) return 0;
  const int sign = run[i] == '-' ? -1 : 1;
  std::int64_t value = 0;
  for (i += run[i] == '-' || run[i] == '+'; i < run.size() && run[i] >= '0' && run[i] <= '9'; ++i) {
    value = value * 10 + (run[i] - '0');
  }
  return sign * value;
}

std::string TwoDigits(std::int64_t n) {
  return {static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)};
}

// Hundredths as "-123.45", right-justified; "" when it does not fit `width`.
std::string AmountText(std::int64_t hundredths, std::size_t width) {
  const std::int64_t magnitude = hundredths < 0 ? -hundredths : hundredths;
  const std::string text = (hundredths < 0 ? "-" : "") + std::to_string(magnitude / 100) + "." +
                           TwoDigits(magnitude % 100);
  return text.size() > width ? "" : std::string(width - text.size(), ' ') + text;
}

// YYYYMMDD of DDMMYY with years 20YY, or 19000101 when that is no calendar date.
std::string DateText(std::string_view ddmmyy) {
  const std::int64_t day = DecimalInteger(ddmmyy.substr(0, 2));
  const std::int64_t month = DecimalInteger(ddmmyy.substr(2, 2));
  const std::int64_t year = 2000 + DecimalInteger(ddmmyy.substr(4, 2));
  const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  const int days[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1 || day > days[month - 1]) return "19000101";
  return std::to_string(year) + TwoDigits(month) + TwoDigits(day);
}

// The record of a header line and an item line, OTHER_LN blank; "" when an amount does not fit.
std::string PredictRecord(const std::string& header, const std::string& item) {
  std::string record = " ";
  for (const TestField& field : kFields) {
    const std::string& line = field.line == 'H' ? header : item;
    const std::string_view text = std::string_view(line).substr(field.position, field.line_width);
    if (field.type == 'D') {
      record += DateText(text.substr(0, 6));
    } else if (field.type == 'M') {
      record += std::string(field.width, ' ');
    } else if (field.decimals == 2) {
      const std::int64_t value = DecimalInteger(text);
      const std::string amount = AmountText(line[field.sign] == '-' ? -value : value, field.width);
      if (amount.empty()) return amount;
      record += amount;
    } else {  // text as a fixed-width field holds it: cut at a NUL, padded with spaces
      std::string cut(text.substr(0, text.find('\0')));
      record += cut.append(field.width - std::min(cut.size(), field.width), ' ');
    }
  }
  return record;
}

struct Prediction {
  std::vector<std::string> records;
  MemoFile memo;
  unsigned stop_line = 0;   // the line whose amount does not fit; 0 when none
  unsigned cut = 0;         // lines longer than 128 characters
  unsigned statements = 0;  // header lines followed by an item
  unsigned lines = 0;       // lines that are not empty
  bool tagged = false;      // a header or item line among them
};

// True when the line reader takes `bytes` for UTF-8 or UTF-16 text and converts it, so that
// the model, which reads windows-1250 byte for byte, predicts nothing but the invariants.
bool ReadAsUnicode(std::string_view bytes) {
  MemoryFileSystem files;
  files.Put("in.gpc", std::string(bytes));
  const std::unique_ptr<File> file = files.OpenForReading("in.gpc").file;
  BufferedReader in(*file);
  AboLineReader lines(in);
  char line[130];
  while (lines.Next(line)) {
  }
  return lines.encoding() != TextEncoding::kWindows1250;
}

// Lines end at CR LF, LF or CR; empty ones are counted and skipped; byte order marks and 0x1A
// bytes at a line's start (files joined with `cat`) and a 0x1A last are no part of any line.
Prediction Predict(std::string_view bytes) {
  Prediction p;
  const std::string blank(129, ' ');
  std::string header = blank;  // lines have a blank in front: positions from 1 index them
  std::vector<std::string> memo_lines;
  std::size_t memo_owner = 0;  // the number of records when the open memo began
  const auto close_memo = [&] {
    if (memo_lines.empty()) return;
    const std::string block = std::to_string(p.memo.Add(memo_lines));
    if (memo_owner > 0) {
      p.records[memo_owner - 1].replace(OffsetOf("OTHER_LN") + 10 - block.size(), block.size(),
                                        block);
    }
    memo_lines.clear();
  };
  unsigned number = 0;
  bool counted = true;  // the last header line has its statement counted
  const auto take = [&](std::string_view found) {
    ++number;
    while (!found.empty() && (found[0] == '\x1A' || found.substr(0, 3) == "\xEF\xBB\xBF")) {
      found.remove_prefix(found[0] == '\x1A' ? 1 : 3);
    }
    if (found.empty()) return;
    ++p.lines;
    p.tagged |= found.substr(0, 3) == "074" || found.substr(0, 3) == "075";
    if (p.stop_line != 0) return;
    p.cut += found.size() > 128;
    std::string line = " " + std::string(found.substr(0, 128));
    line.resize(129, ' ');
    const std::string tag = line.substr(1, 3);
    if (tag != "074" && tag != "075") {
      if (memo_lines.empty()) memo_owner = p.records.size();
      memo_lines.push_back(line.substr(1) + "\r\n");
      return;
    }
    if (tag == "074") {
      header = line;
      counted = false;
    }
    // A header line is checked when it is read, before any item uses it.
    const std::string record = PredictRecord(header, tag == "074" ? blank : line);
    if (record.empty()) {
      p.stop_line = number;
    } else if (tag == "075") {
      p.records.push_back(record);
      p.statements += !counted;
      counted = true;
      close_memo();
    }
  };
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    take(bytes.substr(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  std::string_view last = bytes.substr(start);
  if (!last.empty() && last.back() == '\x1A') last.remove_suffix(1);
  take(last);
  close_memo();
  return p;
}

// DBF -> ABO of in.dbf and in.dbt (when `memo`) in `session`, checked; returns the result.
int RunDbfToAbo(Session& session, std::string_view table, std::optional<std::string_view> memo) {
  const std::size_t inputs = session.files.Snapshot().size();
  const int result = ConvertDbfToAbo("in.dbf", "out.gpc", session.context);
  REQUIRE(session.files.open_files() == 0);
  REQUIRE(session.files.Contents("in.dbf") == table);
  REQUIRE(!memo || session.files.Contents("in.dbt") == *memo);
  REQUIRE(!memo || !session.files.Exists("in.fpt") || session.files.Contents("in.fpt") == *memo);
  // One end: the success last, or exactly one stop message; notices before it, no question.
  const std::vector<Shown>& shown = session.prompter.shown;
  REQUIRE(!shown.empty() && (result == 0 || result == 1));
  for (const Shown& message : shown) {
    const bool last = &message == &shown.back();
    REQUIRE(last || message.style == MessageStyle::kInformation ||
            message.style == MessageStyle::kWarning);
    REQUIRE(!last || message.style == (result == 1 ? MessageStyle::kPlain : MessageStyle::kStop));
  }
  REQUIRE(result == 0 || IsSuccess(shown.back()));
  // Nothing stays behind when the conversion did not finish.
  REQUIRE(session.files.Exists("out.gpc") == (result == 1));
  REQUIRE(session.files.Snapshot().size() == inputs + static_cast<unsigned>(result));
  if (result == 0) return result;
  // Whole lines of 128 characters and CR LF; an item line at least for every live row.
  const std::string out = session.files.Contents("out.gpc");
  REQUIRE(out.size() % 130 == 0);
  std::size_t items = 0;
  for (std::size_t at = 0; at < out.size(); at += 130) {
    REQUIRE(out.compare(at + 128, 2, "\r\n") == 0);
    REQUIRE(out.substr(at, 128).find_first_of("\r\n") == std::string::npos);
    items += out.compare(at, 3, "075") == 0;
  }
  const auto u = [&](std::size_t i, int shift) {
    return i < table.size() ? std::size_t{static_cast<unsigned char>(table[i])} << shift : 0;
  };
  const std::size_t count = u(4, 0) | u(5, 8) | u(6, 16) | u(7, 24);
  const std::size_t record_length = u(10, 0) | u(11, 8);
  std::size_t live = 0;
  for (std::size_t row = 0, at = u(8, 0) | u(9, 8);
       row < count && record_length > 0 && at + record_length <= table.size();
       ++row, at += record_length) {
    live += table[at] != '*';
  }
  REQUIRE(items >= live);
  return result;
}

void RunAboToDbf(Session& session, std::string_view abo) {
  session.files.Put("in.gpc", std::string(abo));
  const int result = ConvertAboToDbf("in.gpc", "out.dbf", session.context);
  REQUIRE(session.files.open_files() == 0);
  REQUIRE(session.files.Contents("in.gpc") == abo);
  const std::vector<Shown>& shown = session.prompter.shown;
  // Nothing stays behind when the conversion did not finish.
  REQUIRE(session.files.Exists("out.dbf") == (result == 1));
  REQUIRE(session.files.Snapshot().size() == 1u + 2u * static_cast<unsigned>(result));
  if (ReadAsUnicode(abo)) {
    REQUIRE(result == 0 || IsSuccess(shown.back()));
    REQUIRE(result == 1 || shown.size() == 1);
    return;
  }
  const Prediction p = Predict(abo);
  // A file that is no statement is refused before anything is created: no header or item line
  // among its lines, or the head of a memo file (no line end in the first block) or of a table
  // (a version byte of dBASE, never the "0" of a tag).
  if (shown == std::vector<Shown>{Stop("Soubor \"in.gpc\" není výpis ABO")}) {
    const bool memo_head = abo.size() >= 512 && abo.find_first_of("\r\n") >= 512;
    REQUIRE(result == 0);
    REQUIRE((!p.tagged && p.lines > 0) || memo_head || abo[0] != '0');
    return;
  }
  REQUIRE(p.tagged || p.lines == 0);
  if (p.stop_line != 0) {
    REQUIRE(result == 0);
    REQUIRE(shown == std::vector<Shown>{Stop("Částka na řádku " + std::to_string(p.stop_line) +
                                             " je příliš velká")});
    return;
  }
  // Warnings, then the success with the counts.
  REQUIRE(result == 1);
  REQUIRE(shown.back() == Success(p.records.size(), p.statements));
  const Shown cut{
      MessageStyle::kWarning,
      "in.gpc: Počet zkrácených řádků (delších než 128 znaků): " + std::to_string(p.cut)};
  REQUIRE(std::count(shown.begin(), shown.end(), cut) == (p.cut > 0 ? 1 : 0));
  for (std::size_t i = 0; i + 1 < shown.size(); ++i) {
    REQUIRE(shown[i].style == MessageStyle::kWarning);
  }
  REQUIRE(session.files.Contents("out.dbf") == TableFile(p.records));
  REQUIRE(session.files.Contents("out.dbt") == static_cast<const std::string&>(p.memo));

  // The table converts back: one item line per record.
  Session back;
  back.files.Put("in.dbf", session.files.Contents("out.dbf"));
  back.files.Put("in.dbt", session.files.Contents("out.dbt"));
  REQUIRE(RunDbfToAbo(back, back.files.Contents("in.dbf"), back.files.Contents("in.dbt")) == 1);
  session.files.Put("back.gpc", back.files.Contents("out.gpc"));
}

}  // namespace

std::string CheckAboToDbf(std::string_view abo) {
  Session session;
  return Findings([&] { RunAboToDbf(session, abo); });
}

std::string CheckDbfToAbo(std::string_view table, std::optional<std::string_view> memo) {
  Session session;
  session.files.Put("in.dbf", std::string(table));
  if (memo) session.files.Put("in.dbt", std::string(*memo));
  if (memo) session.files.Put("in.fpt", std::string(*memo));  // FoxPro tables' memo file
  return Findings([&] { RunDbfToAbo(session, table, memo); });
}

std::string CheckDbfToAbo(std::string_view input) {
  const std::size_t separator = input.find("##MEMO##");
  if (separator == std::string_view::npos) return CheckDbfToAbo(input, std::nullopt);
  return CheckDbfToAbo(input.substr(0, separator), input.substr(separator + 8));
}

std::string CheckRoundTrip(std::string_view abo) {
  Session session;
  return Findings([&] {
    RunAboToDbf(session, abo);
    // Windows-1250 text whose accented bytes all happen to form UTF-8 is read as UTF-8.
    REQUIRE(ReadAsUnicode(abo) || session.files.Contents("back.gpc") == abo);
  });
}

namespace {

// Replaces every byte of a field by a digit; dates by a calendar date.
void MendDigits(std::string& line, std::size_t position, std::size_t width) {
  for (std::size_t i = position; i < position + width; ++i) {
    line[i - 1] = static_cast<char>('0' + static_cast<unsigned char>(line[i - 1]) % 10);
  }
}

void MendDate(std::string& line, std::size_t position) {
  const auto pair = [&](std::size_t i) {
    return static_cast<unsigned char>(line[position + i - 1]) * 256 +
           static_cast<unsigned char>(line[position + i]);
  };
  int day = 1 + pair(0) % 31;
  std::string date;
  do {
    date = TwoDigits(day--) + TwoDigits(1 + pair(2) % 12) + TwoDigits(pair(4) % 100);
  } while (DateText(date) == "19000101");
  line.replace(position - 1, 6, date);
}

}  // namespace

std::string StandardStatementFile(std::string_view input) {
  std::string file;
  std::string header;          // the last header line written
  std::string pending_header;  // a header line waiting for its first item
  bool after_item = false;
  for (std::size_t at = 0; at < input.size(); at += 128) {
    std::string line(input.substr(at, 128));
    line.resize(128, ' ');
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == 0 || c == 13 || c == 10; }, ' ');
    const auto first = static_cast<unsigned char>(line[0]);
    const char kind = line.compare(0, 3, "074") == 0 || first >= 0xF0   ? 'H'
                      : line.compare(0, 3, "075") == 0 || first >= 0xE0 ? 'I'
                                                                        : 0;
    for (const TestField& field : kFields) {
      if (field.line != kind || kind == 0) continue;
      if (field.type == 'D') MendDate(line, field.position);
      // A sequence number is digits: the table gives blanks in front of them back as zeros.
      if (field.type == 'N' && field.decimals == 0) MendDigits(line, field.position, 3);
      if (field.decimals != 2) continue;
      // At most 12 digits of a header amount and 9 of an item's, so that the table holds them.
      const std::size_t at_sign = kind == 'H' ? field.sign : field.position;
      const bool negative = line[at_sign - 1] == '-';
      MendDigits(line, field.position, field.line_width);
      line.replace(field.position - 1, kind == 'H' ? 2 : 3, kind == 'H' ? "00" : "000");
      const bool zero =
          line.find_first_not_of('0', field.position - 1) >= field.position - 1 + field.line_width;
      if (kind == 'H') line[at_sign - 1] = '+';
      if (negative && !zero) line[at_sign - 1] = '-';
    }
    if (kind == 'H') {
      line.replace(0, 3, "074").replace(114, 14, 14, ' ');
      pending_header = line;
      after_item = false;
    } else if (kind == 'I') {
      if (!pending_header.empty() && pending_header != header) file += pending_header + "\r\n";
      if (!pending_header.empty()) header = pending_header;
      pending_header.clear();
      if (header.empty()) continue;
      file += line.replace(0, 3, "075").replace(3, 16, header, 3, 16) + "\r\n";
      after_item = true;
    } else if (after_item) {
      // A memo ends at its 0x1A bytes: no other line carries any.
      std::replace(line.begin(), line.end(), '\x1A', ' ');
      file += line + "\r\n";
    }
  }
  return file;
}

std::string CheckMendedRoundTrip(std::string_view bytes) {
  return CheckRoundTrip(StandardStatementFile(bytes));
}

}  // namespace trelvan::testing
