// The command line's prompter: every message box becomes a line. The success message (the one
// plain box, with its counts on a second line) goes to standard output; every other message
// goes to standard error, each line beginning with "trelvan-cli: ".
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "convert/prompter.h"

namespace trelvan {

enum class OverwriteAnswer {
  kYes,  // --yes: answer Yes without asking
  kAsk,  // a terminal: ask and read the answer
  kNo,   // no terminal: say why the answer is No
};

class StreamPrompter : public Prompter {
 public:
  StreamPrompter(std::istream& in, std::ostream& out, std::ostream& err, OverwriteAnswer answer)
      : in_(in), out_(out), err_(err), answer_(answer) {}

  // Nothing but warnings and errors: no success message, no information.
  void set_quiet(bool quiet) { quiet_ = quiet; }
  // Standard output carries a file: the success message goes to standard error as well.
  void set_output_is_data(bool output_is_data) { output_is_data_ = output_is_data; }
  // Put before each line of the success message (the source file, when there are several).
  void set_success_prefix(std::string prefix) { success_prefix_ = std::move(prefix); }

  bool AskYesNo(const std::string& question) override;
  void Show(MessageStyle style, const std::string& text) override;

  // True when a warning was shown since the last reset.
  bool warned() const { return warned_; }
  void reset_warned() { warned_ = false; }

 private:
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  OverwriteAnswer answer_;
  bool quiet_ = false;
  bool output_is_data_ = false;
  std::string success_prefix_;
  bool warned_ = false;
};

// A message as one line: each line break becomes a space.
std::string OneLine(std::string text);

// True for the answers that mean Yes: a, ano, y, yes, in any case, blanks around ignored.
bool IsYesAnswer(std::string answer);

}  // namespace trelvan
