#include "convert/conversion_notes.h"

#include "convert/czech_wording.h"
#include "convert/messages.h"
#include "convert/windows1250.h"

namespace trelvan {
namespace {

std::string Magnitude(std::int64_t difference) {
  std::string text = Crowns(difference);
  return text[0] == '-' ? text.substr(1) : text;
}

}  // namespace

void ConversionNotes::Add(MessageStyle style, const std::string& text, bool whole_file) {
  if (!whole_file && single_notes_ == kMaxShown) {
    ++warnings_left_out_;
    return;
  }
  if (!whole_file) ++single_notes_;
  notes_.emplace_back(style, FillMessage(messages::kNoteInFile, {file_, text}));
}

void ConversionNotes::Line(LineKind kind, const AboLineReader& lines) {
  if (IsIncompleteLine(kind, lines.line_length())) {
    WarnAbout(FillMessage(messages::kIncompleteLine, {std::to_string(lines.line_number())}));
  }
}

void ConversionNotes::Reading(const AboLineReader& lines) {
  switch (lines.encoding()) {
    case TextEncoding::kWindows1250:
      break;
    case TextEncoding::kUtf8:
      Inform(FillMessage(messages::kTranscoded, {"UTF-8"}));
      break;
    case TextEncoding::kUtf16LittleEndian:
    case TextEncoding::kUtf16BigEndian:
      Inform(FillMessage(messages::kTranscoded, {"UTF-16"}));
      break;
  }
  if (lines.unmappable_characters() > 0) {
    Warn(FillMessage(messages::kUnmappableCharacters,
                     {std::to_string(lines.unmappable_characters())}));
  }
  if (lines.truncated_lines() > 0) {
    Warn(FillMessage(messages::kTruncatedLines, {std::to_string(lines.truncated_lines())}));
  }
}

void ConversionNotes::Statement(const StatementReport& report) {
  // Once no more are shown, only the count remains: a table sorted by another program can make
  // a statement of nearly every row, and formatting each warning would cost more than the row.
  if (single_notes_ == kMaxShown) {
    warnings_left_out_ += report.items == 0 ? 1 : 0;
    for (const CheckResult& check : report.checks) {
      if (check.verdict == Verdict::kFailed) ++warnings_left_out_;
    }
    return;
  }
  const std::string number = Utf8FromWindows1250(report.sequence_number);
  const std::string account = Utf8FromWindows1250(report.account);
  if (report.items == 0) {
    WarnAbout(FillMessage(messages::kStatementWithoutItems, {number, account}));
  }
  const auto failed = [&](StatementCheck which) {
    return report.check(which).verdict == Verdict::kFailed;
  };
  const auto difference = [&](StatementCheck which) {
    return Magnitude(report.check(which).difference);
  };
  if (failed(StatementCheck::kBalance)) {
    WarnAbout(FillMessage(messages::kBalanceMismatch,
                          {number, account, difference(StatementCheck::kBalance)}));
  }
  if (failed(StatementCheck::kDebits)) {
    WarnAbout(FillMessage(messages::kDebitsMismatch,
                          {number, account, difference(StatementCheck::kDebits)}));
  }
  if (failed(StatementCheck::kCredits)) {
    WarnAbout(FillMessage(messages::kCreditsMismatch,
                          {number, account, difference(StatementCheck::kCredits)}));
  }
  if (failed(StatementCheck::kSequence)) {
    WarnAbout(
        FillMessage(messages::kSequenceGap, {number, account, Utf8FromWindows1250(report.follows),
                                             difference(StatementCheck::kSequence)}));
  }
}

void ConversionNotes::ShowTo(Prompter& prompter) const {
  for (const auto& [style, text] : notes_) prompter.Show(style, text);
  if (warnings_left_out_ > 0) {
    prompter.Show(MessageStyle::kWarning,
                  FillMessage(messages::kMoreWarnings, {std::to_string(warnings_left_out_)}));
  }
}

void ConversionNotes::ShowWithSuccess(Prompter& prompter, std::uint64_t items,
                                      std::uint64_t statements) const {
  ShowTo(prompter);
  prompter.Show(MessageStyle::kPlain, std::string(messages::kConversionSucceeded) + "\n" +
                                          ConvertedCounts(items, statements));
}

}  // namespace trelvan
