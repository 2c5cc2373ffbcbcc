// A Prompter for tests: records every message and question, answers questions from a script.
#pragma once

#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include "convert/prompter.h"

namespace trelvan::testing {

struct Shown {
  MessageStyle style;
  std::string text;
  friend bool operator==(const Shown& a, const Shown& b) {
    return a.style == b.style && a.text == b.text;
  }
  friend std::ostream& operator<<(std::ostream& out, const Shown& shown) {
    return out << "{" << static_cast<int>(shown.style) << ", \"" << shown.text << "\"}";
  }
};

class RecordingPrompter : public Prompter {
 public:
  // Queues the answers to the next questions; with none queued, questions are answered No.
  void AnswerNext(bool yes) { answers_.push_back(yes); }

  bool AskYesNo(const std::string& question) override {
    shown.push_back({MessageStyle::kQuestion, question});
    const bool yes = !answers_.empty() && answers_.front();
    if (!answers_.empty()) answers_.pop_front();
    return yes;
  }
  void Show(MessageStyle style, const std::string& text) override {
    shown.push_back({style, text});
  }

  // What was shown without the warnings and with the success message cut to its first line:
  // what tests of the bytes written compare, leaving the notes to the tests of the notes.
  std::vector<Shown> Outcome() const {
    std::vector<Shown> outcome;
    for (const Shown& message : shown) {
      if (message.style == MessageStyle::kWarning) continue;
      outcome.push_back(message);
      if (message.style == MessageStyle::kPlain) {
        outcome.back().text = message.text.substr(0, message.text.find('\n'));
      }
    }
    return outcome;
  }

  std::vector<Shown> shown;

 private:
  std::deque<bool> answers_;
};

}  // namespace trelvan::testing
