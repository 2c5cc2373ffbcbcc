// The command line's prompter: every message box becomes one line, the success message (the
// one plain box) on standard output and every other message on standard error.
#pragma once

#include <istream>
#include <ostream>

#include "convert/prompter.h"

namespace trelvan {

enum class OverwriteAnswer {
  kYes,  // --yes: answer Yes without asking
  kAsk,  // a terminal: ask and read the answer
  kNo,   // no terminal: print the question and answer No
};

class StreamPrompter : public Prompter {
 public:
  StreamPrompter(std::istream& in, std::ostream& out, std::ostream& err, OverwriteAnswer answer)
      : in_(in), out_(out), err_(err), answer_(answer) {}

  bool AskYesNo(const std::string& question) override;
  void Show(MessageStyle style, const std::string& text) override;

 private:
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  OverwriteAnswer answer_;
};

// A message as one line: each line break becomes a space.
std::string OneLine(std::string text);

// True for the answers that mean Yes: a, ano, y, yes, in any case, blanks around ignored.
bool IsYesAnswer(std::string answer);

}  // namespace trelvan
