#include "convert/conversion_notes.h"

#include <optional>
#include <utility>

#include "convert/czech_wording.h"
#include "convert/messages.h"
#include "convert/windows1250.h"

namespace trelvan {
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
  // A damaged or generated file can hold many thousands of statements that do not add up: once
  // no more notes are shown, a warning is only counted, and its text is never made.
  const auto warn = [&](const char* message, std::optional<StatementCheck> which) {
    if (single_notes_ == kMaxShown) {
      ++warnings_left_out_;
      return;
    }
    const std::string number = Utf8FromWindows1250(report.sequence_number);
    const std::string account = Utf8FromWindows1250(report.account);
    if (!which) return WarnAbout(FillMessage(message, {number, account}));
    const std::string difference = CrownsApart(report.check(*which).difference);
    if (*which != StatementCheck::kSequence) {
      return WarnAbout(FillMessage(message, {number, account, difference}));
    }
    WarnAbout(
        FillMessage(message, {number, account, Utf8FromWindows1250(report.follows), difference}));
  };
  if (report.items == 0) warn(messages::kStatementWithoutItems, std::nullopt);
  constexpr std::pair<StatementCheck, const char*> kWarnings[] = {
      {StatementCheck::kBalance, messages::kBalanceMismatch},
      {StatementCheck::kDebits, messages::kDebitsMismatch},
      {StatementCheck::kCredits, messages::kCreditsMismatch},
      {StatementCheck::kSequence, messages::kSequenceGap}};
  for (const auto& [which, message] : kWarnings) {
    if (report.check(which).verdict == Verdict::kFailed) warn(message, which);
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
