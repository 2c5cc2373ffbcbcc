// What a conversion tells besides its result: warnings (something was not carried over, or a
// statement does not add up) and information (nothing was lost). They are gathered during the
// pass and shown after it, before the success message, each as one line that begins with the
// file it concerns. The success message itself carries the counts.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "convert/abo_line_reader.h"
#include "convert/prompter.h"
#include "convert/statement_checks.h"

namespace trelvan {

class ConversionNotes {
 public:
  // So many notes about single lines, rows and statements are shown at most; one more line
  // counts the warnings left out. Notes about the whole file are always shown.
  static constexpr std::size_t kMaxShown = 50;

  explicit ConversionNotes(std::string file) : file_(std::move(file)) {}

  // A note about the file as a whole.
  void Warn(const std::string& text) { Add(MessageStyle::kWarning, text, true); }
  void Inform(const std::string& text) { Add(MessageStyle::kInformation, text, true); }
  // A note about one line, row or statement.
  void WarnAbout(const std::string& text) { Add(MessageStyle::kWarning, text, false); }
  // Warns about the line the reader returned last when it ends inside the fields read.
  void Line(LineKind kind, const AboLineReader& lines);
  // Tells what the reader did to the file as a whole: text converted, characters replaced,
  // lines cut.
  void Reading(const AboLineReader& lines);
  // Warns about a statement without items and about each check it failed.
  void Statement(const StatementReport& report);

  // Shows the notes in the order they were gathered.
  void ShowTo(Prompter& prompter) const;
  // Shows the notes, then "Konverze proběhla úspěšně" with the counts on a second line.
  void ShowWithSuccess(Prompter& prompter, std::uint64_t items, std::uint64_t statements) const;

 private:
  void Add(MessageStyle style, const std::string& text, bool whole_file);

  std::string file_;
  std::vector<std::pair<MessageStyle, std::string>> notes_;
  std::size_t single_notes_ = 0;
  std::uint64_t warnings_left_out_ = 0;
};

}  // namespace trelvan
